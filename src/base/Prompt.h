#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// The core's way of talking to the user. The GUI implements it with message
// boxes; batch runs print to standard error; tests record every text.
#include <string>

enum class PromptIcon { Information, Exclamation, Stop, Question };
enum class PromptAnswer { Yes, No, Cancel };

class CPrompt {
public:
    virtual ~CPrompt() = default;
    // A message with an OK button.
    virtual void Inform(const std::string& text, PromptIcon icon = PromptIcon::Exclamation) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // A Yes/No/Cancel question.
    virtual PromptAnswer AskYesNoCancel(const std::string& text) = 0;
};

// A prompt that says nothing and answers No / Cancel. Used where no user is
// attached and a question must not let an operation go on by itself.
class CSilentPrompt : public CPrompt {
public:
    void Inform(const std::string&, PromptIcon) override {}
    bool AskYesNo(const std::string&) override { return false; }
    PromptAnswer AskYesNoCancel(const std::string&) override { return PromptAnswer::Cancel; }
};
