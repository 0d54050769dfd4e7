#include "cli/ConsolePrompt.h"

#include "cli/StandardOutput.h"

namespace {
const char* Prefix(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return "note";
    case PromptIcon::Stop:
        return "error";
    case PromptIcon::Question:
        return "question";
    case PromptIcon::Exclamation:
    default:
        return "warning";
    }
}
// Messages carry file names and lines of the model's output: their control
// characters are shown escaped, the message's own line breaks kept.
std::string Printable(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        out += TerminalText(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return out;
        out += '\n';
        start = end + 1;
    }
}
}  // namespace

void CConsolePrompt::Inform(const std::string& text, PromptIcon icon) {
    ++m_nMessages;
    std::fprintf(m_out, "plumex: %s: %s\n", Prefix(icon), Printable(text).c_str());
}

bool CConsolePrompt::AskYesNo(const std::string& text) {
    ++m_nMessages;
    std::fprintf(m_out, "plumex: question: %s\nplumex: answered Yes to go on\n", Printable(text).c_str());
    return true;
}

PromptAnswer CConsolePrompt::AskYesNoCancel(const std::string& text) {
    ++m_nMessages;
    std::fprintf(m_out, "plumex: question: %s\nplumex: answered Yes to go on\n", Printable(text).c_str());
    return PromptAnswer::Yes;
}
