#pragma once
#ifndef PLUMEX_LAYER_REPORT
#error "a header of plumex_report, included by a library that does not link it"
#endif
// What the report's summary (and the batch job's output) says about the
// merging of an outfall's plumes, in plain text (not HTML), e.g.
// "The plumes of Outfall_1's 6 ports merge 3.2 m above the ports at a
// dilution of 41."
#include <QString>

class CCase;
class CRiser;

// Empty when the outfall has fewer than two computed jets or, with
// onlyRows, when none of them was computed in a row.
QString MergingSentence(const CRiser& outfall, bool onlyRows = false);
// For a case whose merging is switched off and none of whose jets has a
// row: that every port was computed alone; else empty.
QString MergingOffSentence(const CCase& doc);
