#pragma once
#ifndef PLUMEX_LAYER_VALIDATION
#error "a header of plumex_validation, included by a library that does not link it"
#endif
// Every check of a whole case at once, for cases that do not come through
// the input forms (a case imported from its text form): the profile cells
// and order, the structure check of every outfall, riser and jet, and the
// range limits of single fields. Each problem names the value's path in the
// case's text form, e.g. "outfalls[0].risers[1].jets[2].diameter_m".
#include <string>
#include <vector>

class CCase;

struct CaseIssue {
    std::string m_strPath;
    std::string m_strMessage;
    // A profile whose density falls with depth: the forms ask and let the
    // user accept it, so it does not make the case invalid.
    bool m_bAcceptable = false;
};

std::vector<CaseIssue> ValidateCase(const CCase& doc);
