#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// A prompt for code that has no window to ask in (drawing, tools): messages go to
// standard error, questions are answered No.
#include <cstdio>

#include "base/Prompt.h"

class CStderrPrompt : public CPrompt {
public:
    void Inform(const std::string& text, PromptIcon) override { std::fprintf(stderr, "plumex: %s\n", text.c_str()); }
    bool AskYesNo(const std::string& text) override {
        Inform(text, PromptIcon::Question);
        return false;
    }
    PromptAnswer AskYesNoCancel(const std::string& text) override {
        Inform(text, PromptIcon::Question);
        return PromptAnswer::No;
    }
};
