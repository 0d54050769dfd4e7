#include "model/SettingText.h"

#include <charconv>
#include <sstream>

std::vector<SettingLine> SettingLines(const std::string& text) {
    std::vector<SettingLine> out;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::size_t space = line.find(' ');
        out.push_back({line.substr(0, space), space == std::string::npos ? std::string() : line.substr(space + 1)});
    }
    return out;
}

std::string ShortestNumber(double value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

bool ReadWholeNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, value);
    return r.ec == std::errc() && r.ptr == end;
}
