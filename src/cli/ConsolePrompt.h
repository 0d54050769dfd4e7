#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// The prompt of the command-line jobs: messages go to standard error;
// questions take the answer that lets the job go on, and say so.
#include <cstdio>

#include "base/Prompt.h"

class CConsolePrompt : public CPrompt {
public:
    explicit CConsolePrompt(std::FILE* out = stderr) : m_out(out) {}
    void Inform(const std::string& text, PromptIcon icon) override;
    bool AskYesNo(const std::string& text) override;
    PromptAnswer AskYesNoCancel(const std::string& text) override;

private:
    std::FILE* m_out;
    int m_nMessages = 0;
};
