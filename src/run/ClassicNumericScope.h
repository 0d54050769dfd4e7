#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The model's files are exchanged in the "C" number notation (a point as
// decimal separator). A GUI program runs under the user's locale, where
// printf and atof may write and expect a comma instead: the model would then
// misread its input and every value read back would lose its fraction.
// While an object of this class lives, the calling thread formats and parses
// numbers in the "C" notation; the other locale categories are kept.
#include <locale.h>

class CClassicNumericScope {
public:
    CClassicNumericScope();
    ~CClassicNumericScope();
    CClassicNumericScope(const CClassicNumericScope&) = delete;
    CClassicNumericScope& operator=(const CClassicNumericScope&) = delete;

private:
    locale_t m_pClassic = nullptr;   // the thread's locale with "C" numbers
    locale_t m_pPrevious = nullptr;  // the thread's locale before
};
