#pragma once
#ifndef PLUMEX_LAYER_STUDY
#error "a header of plumex_study, included by a library that does not link it"
#endif
// The fields of one CSV line (RFC 4180 quoting: a field in double quotes
// may hold commas and doubled quotes) and the quoting that writes them.
#include <string>
#include <vector>

// Splits line (without its line end) into fields; false for an unclosed
// quote or text after a closing quote.
bool SplitCsvLine(const std::string& line, std::vector<std::string>& fields);
// The field as it is written: quoted when it holds a comma, a quote or
// begins or ends with a blank.
std::string CsvField(const std::string& text);
