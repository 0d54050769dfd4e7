#pragma once
#ifndef PLUMEX_LAYER_REPORT
#error "a header of plumex_report, included by a library that does not link it"
#endif
// The report's compliance section: for every outfall the concentration and
// dilution at the edge of the mixing zone and at each point of interest,
// with the standard applied, where the standard is first met, and the
// assumptions they rest on (the start of the wastefield, the spreading
// coefficient, T90, the current).
#include <QString>

class CCase;

// The section as HTML, headed with number (a level-2 heading as the report's others).
QString ComplianceSectionHtml(const CCase& doc, int number);
