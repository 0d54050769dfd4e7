#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// Keys given twice in one object of a JSON text. A JSON reader keeps only
// one of them without a word; for a case that would silently drop a value.
#include <string>
#include <vector>

// No case nests its values deeper than this (the case's own depth is 6).
constexpr int kMaxJsonNesting = 64;
// Repeated keys beyond this many are not listed.
constexpr std::size_t kMaxDuplicatesReported = 100;

struct JsonKeyScan {
    // The paths of the second and later occurrences of every repeated key,
    // in the form the case reader reports ("outfalls[0].risers[1].name"),
    // keys longer than 64 bytes cut short; at most kMaxDuplicatesReported.
    std::vector<std::string> m_Duplicates;
    // Values nested deeper than kMaxJsonNesting: the scan stopped there.
    bool m_bTooDeep = false;
};

// One pass over the text, in time and memory that follow its size. The text
// must be valid JSON (parse it first); an invalid text yields what was found
// before the fault.
JsonKeyScan ScanJsonKeys(const std::string& text);
