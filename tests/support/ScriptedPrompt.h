#pragma once
// A prompt double for tests: records every text shown or asked and answers
// questions from a queue (Yes when the queue is empty, unless told otherwise).
#include <deque>
#include <string>
#include <vector>

#include "base/Prompt.h"

class CScriptedPrompt : public CPrompt {
public:
    struct Entry {
        std::string kind;  // "inform", "yesno", "yesnocancel", "choice"
        std::string text;
        PromptIcon icon = PromptIcon::Exclamation;
        PromptChoices choices;  // the button captions of a "choice"
    };

    void Inform(const std::string& text, PromptIcon icon) override;
    bool AskYesNo(const std::string& text) override;
    PromptAnswer AskYesNoCancel(const std::string& text) override;
    PromptAnswer AskChoice(const std::string& text, const PromptChoices& choices) override;

    void QueueAnswer(PromptAnswer a) { m_answers.push_back(a); }
    void SetDefaultAnswer(PromptAnswer a) { m_default = a; }

    const std::vector<Entry>& Entries() const { return m_entries; }
    std::vector<std::string> Texts() const;
    bool Empty() const { return m_entries.empty(); }
    void Clear() { m_entries.clear(); }

private:
    PromptAnswer Next();
    std::vector<Entry> m_entries;
    std::deque<PromptAnswer> m_answers;
    PromptAnswer m_default = PromptAnswer::Yes;
};
