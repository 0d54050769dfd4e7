#include "app/ConsolePrompt.h"

namespace {
const char* Prefix(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information: return "note";
    case PromptIcon::Stop: return "error";
    case PromptIcon::Question: return "question";
    case PromptIcon::Exclamation:
    default: return "warning";
    }
}
}  // namespace

void CConsolePrompt::Inform(const std::string& text, PromptIcon icon) {
    ++m_nMessages;
    std::fprintf(m_out, "plumex: %s: %s\n", Prefix(icon), text.c_str());
}

bool CConsolePrompt::AskYesNo(const std::string& text) {
    ++m_nMessages;
    std::fprintf(m_out, "plumex: question: %s\nplumex: answered Yes to go on\n", text.c_str());
    return true;
}

PromptAnswer CConsolePrompt::AskYesNoCancel(const std::string& text) {
    ++m_nMessages;
    std::fprintf(m_out, "plumex: question: %s\nplumex: answered Yes to go on\n", text.c_str());
    return PromptAnswer::Yes;
}
