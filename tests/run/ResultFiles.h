#pragma once
// Builds summary pages and trajectory sections in the layout the jet model
// writes, so the readers can be tested with files made in the test.
#include <string>
#include <vector>

struct SummaryPage {
    int m_nNumber = 1;
    std::string m_strName = "Jet1";
    int m_nSteps = 3;
    std::string m_strReason = "Plume reached the water surface";
    // Table values: left and right of rows 0..12 as the text the model writes.
    std::vector<std::string> m_Left;
    std::vector<std::string> m_Right;
    SummaryPage();
};

// Line end of the generated files.
extern std::string g_strEol;

std::string PageText(const SummaryPage& page);
// The rejection mark on the page start line (as the model writes it), or
// on a line of its own after it.
std::string RejectedPageText(int number, const std::string& reason, bool separateLine = false);
// One trajectory line of step i; its dilution is 1 + i, its x is i * 0.5 + tag.
std::string TrajectoryRow(int i, double tag = 0.0);
std::string SectionText(int number, const std::string& name, int steps, double tag = 0.0);

void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
