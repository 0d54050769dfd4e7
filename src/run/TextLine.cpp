#include "run/TextLine.h"

bool ReadTextLine(std::FILE* file, std::string& line, long* consumed) {
    line.clear();
    if (consumed) *consumed = 0;
    if (!file) return false;
    int c;
    bool any = false;
    long n = 0;
    // One reader per file at a time: the unlocked form spares a lock per character.
    while ((c = getc_unlocked(file)) != EOF) {
        any = true;
        ++n;
        if (c == '\n') break;
        if (line.size() < kMaxTextLine) line.push_back(static_cast<char>(c));
    }
    if (consumed) *consumed = n;
    if (!any) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}
