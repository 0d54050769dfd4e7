#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The core's prompt shown as message boxes over the program's active window.
#include "base/Prompt.h"

class CQtPrompt : public CPrompt {
public:
    void Inform(const std::string& text, PromptIcon icon = PromptIcon::Exclamation) override;
    bool AskYesNo(const std::string& text) override;
    PromptAnswer AskYesNoCancel(const std::string& text) override;
    // The buttons carry the given captions; the first is the default and
    // Escape answers Cancel.
    PromptAnswer AskChoice(const std::string& text, const PromptChoices& choices) override;
};
