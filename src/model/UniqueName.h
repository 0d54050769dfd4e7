#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// Names of new children: the pattern with n = 1, 2, 3, ... and the first
// text that no sibling bears (exact, case-sensitive comparison).
#include <cstdio>
#include <string>
#include <unordered_set>

// Hands out such names for a list of siblings that only grows (as a reader
// fills it): each name costs constant time on average instead of a search
// through all siblings for every n.
class CUniqueNamer {
public:
    explicit CUniqueNamer(const char* pattern) : m_pattern(pattern) {}
    // A sibling's name, taken from now on.
    void Take(const std::string& name) { m_taken.insert(name); }
    // The first free name. Siblings are only added, so the first free n
    // never goes down and the search goes on from where it stopped.
    std::string Next() {
        for (;; ++m_n) {
            std::string name = Format(m_n);
            if (!m_taken.count(name)) return name;
        }
    }

private:
    std::string Format(int n) const {
        char buf[64];
        std::snprintf(buf, sizeof buf, m_pattern, n);
        return buf;
    }

    const char* m_pattern;
    std::unordered_set<std::string> m_taken;
    int m_n = 1;
};

template <typename Container, typename NameOf>
std::string MakeUniqueName(const char* pattern, const Container& siblings, NameOf nameOf) {
    CUniqueNamer namer(pattern);
    for (const auto& s : siblings) namer.Take(nameOf(s));
    return namer.Next();
}
