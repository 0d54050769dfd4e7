#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The free lines of a summary page that tell how the jet's row of ports
// merged. The jet model writes them after the stop reason when it computed
// the jet in a row:
//   " PORT ROW: N = 50, SPACING = 4.0000 M, AXIS = 90.00 DEG"
//   " PLUMES MERGE AT S = 12.3456 M, X = 1.2345 M, Z = 11.4000 M, DILUTION = 45.678"
//   " MERGED FIELD AT END: HALF WIDTH ACROSS = 2.3456 M, HALF LENGTH ALONG THE ROW = 100.3456 M"
// or " PLUMES DO NOT MERGE" in place of the last two.
#include <string>

#include "model/RowMerging.h"

class CRowLines {
public:
    // Takes in one free line of the page; lines of other kinds are passed over.
    void Read(const std::string& line);
    // The row read: none when the page had no readable "PORT ROW" line, or
    // when it says the plumes merge but not where.
    CRowMerging Row() const;

private:
    CRowMerging m_Row;
    bool m_bRow = false;
    bool m_bBroken = false;
};
