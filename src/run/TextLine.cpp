#include "run/TextLine.h"

bool ReadTextLine(std::FILE* file, std::string& line) {
    line.clear();
    if (!file) return false;
    int c;
    bool any = false;
    while ((c = std::fgetc(file)) != EOF) {
        any = true;
        if (c == '\n') break;
        if (line.size() < kMaxTextLine) line.push_back(static_cast<char>(c));
    }
    if (!any) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}
