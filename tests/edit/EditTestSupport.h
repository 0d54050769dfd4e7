#pragma once
// A small computed case and its undo stack for the edit tests.
#include <gtest/gtest.h>

#include <QUndoStack>
#include <memory>
#include <vector>

#include "CaseBuilder.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "support/ScriptedPrompt.h"

// Two case files are the same bytes; otherwise where they first differ.
inline ::testing::AssertionResult SameBytes(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    if (a == b) return ::testing::AssertionSuccess();
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return ::testing::AssertionFailure() << "sizes " << a.size() << " and " << b.size() << ", first difference at byte "
                                         << i;
}

// The small case with results, its jet displays prepared as after a run.
inline void BuildComputedCase(CCase& doc) {
    BuildSmallCase(doc, true);
    doc.PlaceJets();
}

class EditFixture : public ::testing::Test {
protected:
    EditFixture() : m_doc(m_app, m_prompt) {
        BuildComputedCase(m_doc);
        m_doc.SetModifiedFlag(false);
    }
    std::vector<unsigned char> Bytes() { return m_doc.SaveToBytes(); }
    // Pushes the command; false for none.
    template <typename C>
    bool Push(std::unique_ptr<C> cmd) {
        if (!cmd) return false;
        m_stack.push(cmd.release());
        return true;
    }

    CAppState m_app;
    CScriptedPrompt m_prompt;
    CCase m_doc;
    QUndoStack m_stack;
};
