#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The text of the case file's small settings streams (run options, far
// field, rows of ports): lines "name value", numbers in their shortest form
// with a decimal point whatever the locale.
#include <string>
#include <vector>

struct SettingLine {
    std::string m_strName;
    std::string m_strValue;  // the rest of the line after the first space
};

// The lines of text (LF or CR LF), empty ones left out.
std::vector<SettingLine> SettingLines(const std::string& text);
// The shortest text that reads back as the same double.
std::string ShortestNumber(double value);
// The whole of text as a double (finite or not); false when it is not one.
bool ReadWholeNumber(const std::string& text, double& value);
