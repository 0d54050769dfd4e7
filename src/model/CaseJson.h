#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The text form of a case (JSON): every input a case file holds - scenario
// kind, current angle, ambient profile, outfalls, risers and jets with
// their values and display flags - and the run settings of batch runs;
// never results. The schema is described in docs/case-json.md.
#include <cstddef>
#include <string>
#include <vector>

class CCase;

struct CaseJsonProblem {
    std::string m_strPath;  // e.g. "outfalls[0].risers[1].height_m"; "" for the whole text
    std::string m_strMessage;
};

// Reads the text into the document (emptied first; the scenario kind goes
// to the document's application state). Collects every structural problem
// (bad JSON, a missing, unknown or mistyped key); on any problem the
// document is left empty and false returned. The value checks of the input
// forms are not applied here (see validation/CaseValidation.h).
bool ReadCaseJson(const std::string& text, CCase& doc, std::vector<CaseJsonProblem>& problems);

// The largest text form read: far more than any case's inputs need.
constexpr std::size_t kMaxCaseJsonBytes = std::size_t(64) << 20;

// ReadCaseJson of a file, read only when it is a regular file of at most
// kMaxCaseJsonBytes: a device or a FIFO is refused at once with a problem
// for the whole text ("cannot be read: it is not a regular file").
bool ReadCaseJsonFile(const std::string& path, CCase& doc, std::vector<CaseJsonProblem>& problems);

// The text form of the document's case, indented, ending with a newline.
std::string WriteCaseJson(const CCase& doc);
