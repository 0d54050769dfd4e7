#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// The fixed error texts of the DIB functions and the message that shows one.
#include <string>

class CPrompt;

constexpr int kDibErrorCount = 28;
// The text of error nIndex; "Undefined Error!" outside 0..27.
std::string DIBErrorText(int nIndex);
// Shows the text with the error icon.
void DIBError(int nIndex, CPrompt& prompt);
