#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// A prompt that shows nothing and keeps every message, so that the readers
// of the model's output can report jet by jet and the caller shows the
// whole list once. Questions are answered No.
#include <string>
#include <vector>

#include "base/Prompt.h"

class CProblemList : public CPrompt {
public:
    void Inform(const std::string& text, PromptIcon) override { m_Texts.push_back(text); }
    bool AskYesNo(const std::string&) override { return false; }
    PromptAnswer AskYesNoCancel(const std::string&) override { return PromptAnswer::Cancel; }

    std::vector<std::string> m_Texts;
};
