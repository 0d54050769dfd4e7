#include "image/DibError.h"

#include "base/Prompt.h"

namespace {
const char* const kTexts[kDibErrorCount] = {
    "Not a DIB file!",
    "Couldn't allocate memory!",
    "Error reading file!",
    "Error locking memory!",
    "Error opening file!",
    "Error creating palette!",
    "Error getting a DC!",
    "Error creating MDI Child!",
    "Error creating Device Dependent Bitmap",
    "StretchBlt() failed!",
    "StretchDIBits() failed!",
    "Paint requires both DDB and DIB!",
    "SetDIBitsToDevice() failed!",
    "Printer: StartDoc failed!",
    "Printing: GetModuleHandle() couldn't find GDI!",
    "Printer: SetAbortProc failed!",
    "Printer: StartPage failed!",
    "Printer: NEWFRAME failed!",
    "Printer: EndPage failed!",
    "Printer: EndDoc failed!",
    "Only one DIB can be animated at a time!",
    "No timers available for animation!",
    "Can't copy to clipboard -- no current DIB!",
    "Clipboard is busy -- operation aborted!",
    "Can't paste -- no DIBs or DDBs in clipboard!",
    "SetDIBits() failed!",
    "File Not Found!",
    "Error writing DIB file!",
};
}  // namespace

std::string DIBErrorText(int nIndex) {
    if (nIndex < 0 || nIndex >= kDibErrorCount) return "Undefined Error!";
    return kTexts[nIndex];
}

void DIBError(int nIndex, CPrompt& prompt) { prompt.Inform(DIBErrorText(nIndex), PromptIcon::Stop); }
