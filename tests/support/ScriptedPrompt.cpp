#include "support/ScriptedPrompt.h"

void CScriptedPrompt::Inform(const std::string& text, PromptIcon icon) {
    m_entries.push_back({"inform", text, icon, {}});
}

PromptAnswer CScriptedPrompt::Next() {
    if (m_answers.empty()) return m_default;
    PromptAnswer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

bool CScriptedPrompt::AskYesNo(const std::string& text) {
    m_entries.push_back({"yesno", text, PromptIcon::Question, {}});
    return Next() == PromptAnswer::Yes;
}

PromptAnswer CScriptedPrompt::AskYesNoCancel(const std::string& text) {
    m_entries.push_back({"yesnocancel", text, PromptIcon::Question, {}});
    return Next();
}

PromptAnswer CScriptedPrompt::AskChoice(const std::string& text, const PromptChoices& choices) {
    m_entries.push_back({"choice", text, PromptIcon::Question, choices});
    return Next();
}

std::vector<std::string> CScriptedPrompt::Texts() const {
    std::vector<std::string> t;
    for (const auto& e : m_entries) t.push_back(e.text);
    return t;
}
