#pragma once
// The core's prompt shown as message boxes over the program's active window.
#include "base/Prompt.h"

class CQtPrompt : public CPrompt {
public:
    void Inform(const std::string& text, PromptIcon icon = PromptIcon::Exclamation) override;
    bool AskYesNo(const std::string& text) override;
    PromptAnswer AskYesNoCancel(const std::string& text) override;
};
