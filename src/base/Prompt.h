#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// The core's way of talking to the user. The GUI implements it with message
// boxes; batch runs print to standard error; tests record every text.
#include <string>

enum class PromptIcon { Information, Exclamation, Stop, Question };
enum class PromptAnswer { Yes, No, Cancel };

// The captions of a three-way question's buttons, so that each says what it
// does ("Close", "Keep open", "Cancel") instead of Yes, No and Cancel.
struct PromptChoices {
    std::string m_strYes, m_strNo, m_strCancel;
};

class CPrompt {
public:
    virtual ~CPrompt() = default;
    // A message with an OK button.
    virtual void Inform(const std::string& text, PromptIcon icon = PromptIcon::Exclamation) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // A Yes/No/Cancel question.
    virtual PromptAnswer AskYesNoCancel(const std::string& text) = 0;
    // A three-way question whose buttons carry the captions of choices, in
    // the order Yes, No, Cancel. A prompt without buttons of its own asks
    // it as AskYesNoCancel.
    virtual PromptAnswer AskChoice(const std::string& text, const PromptChoices& choices) {
        static_cast<void>(choices);
        return AskYesNoCancel(text);
    }
};

// A prompt that says nothing and answers No / Cancel. Used where no user is
// attached and a question must not let an operation go on by itself.
class CSilentPrompt : public CPrompt {
public:
    void Inform(const std::string&, PromptIcon) override {}
    bool AskYesNo(const std::string&) override { return false; }
    PromptAnswer AskYesNoCancel(const std::string&) override { return PromptAnswer::Cancel; }
};
