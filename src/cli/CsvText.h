#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// The cells of the jobs' CSV files: a text in double quotes (a quote
// doubled), a number as %.10g writes it with a decimal point in any locale.
#include <string>

std::string CsvQuoted(const std::string& text);
std::string CsvNumber(double value);
