#include "cli/CsvText.h"

#include <charconv>

std::string CsvQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string CsvNumber(double value) {
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 10);
    return std::string(buf, r.ptr);
}
