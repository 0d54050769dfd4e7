#pragma once
#ifndef PLUMEX_LAYER_STUDY
#error "a header of plumex_study, included by a library that does not link it"
#endif
// Slices of a study and the results files they write. A study may be run in
// K parts (on one machine or many); part I computes the I-th of K equal
// slices of the conditions, in file order. Each results file begins with a
// comment line that says what it came from: the checksums (SHA-256) of the
// case file and of the conditions file, and the slice. Merging the parts
// checks that they belong together and gives the file a single run writes.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct StudyPartInfo {
    std::string m_strCaseSum;        // hex SHA-256 of the case file
    std::string m_strConditionsSum;  // ... and of the conditions file
    int m_nPart = 1;                 // I of I/K, from 1
    int m_nParts = 1;                // K
    std::size_t m_nFirst = 0;        // the slice: conditions [first, first + count) of total
    std::size_t m_nCount = 0;
    std::size_t m_nTotal = 0;
};

// "I/K" with 1 <= I <= K; false otherwise.
bool ParsePartSpec(const std::string& text, int& part, int& parts);
// The conditions of slice part of parts: [first, end).
void SliceOf(std::size_t total, int part, int parts, std::size_t& first, std::size_t& end);
// Hex SHA-256 of a file's bytes; false with a reason.
bool FileChecksum(const std::string& path, std::string& sum, std::string& error);

// The first line of a results file (no line end), and its reading.
std::string PartHeaderLine(const StudyPartInfo& info);
bool ParsePartHeaderLine(const std::string& line, StudyPartInfo& info);

// Joins the results files of the parts of one study: every slice 1..K once,
// all of one case and one conditions file, each part holding the rows of as
// many conditions as its slice. Calls line for every line of the merged file
// (without line end), the header lines first. False with a reason naming the
// file at fault.
bool MergeStudyParts(const std::vector<std::string>& paths, const std::function<void(const std::string&)>& line,
                     std::string& error);
