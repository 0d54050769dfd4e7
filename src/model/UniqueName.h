#pragma once
// Names of new children: the pattern with n = 1, 2, 3, ... and the first
// text that no sibling bears (exact, case-sensitive comparison).
#include <cstdio>
#include <string>

template <typename Container, typename NameOf>
std::string MakeUniqueName(const char* pattern, const Container& siblings, NameOf nameOf) {
    for (int n = 1;; ++n) {
        char buf[64];
        std::snprintf(buf, sizeof buf, pattern, n);
        bool taken = false;
        for (const auto& s : siblings) {
            if (nameOf(s) == buf) {
                taken = true;
                break;
            }
        }
        if (!taken) return buf;
    }
}
