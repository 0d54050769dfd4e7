#pragma once
// A document with its own working directory (a fresh temporary folder per
// test) and a recording prompt.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "base/AppState.h"
#include "model/Jet.h"
#include "model/JetDispModal.h"
#include "model/PlumexDoc.h"
#include "run/RunSettings.h"
#include "support/ScriptedPrompt.h"

class RunFixture : public ::testing::Test {
protected:
    RunFixture() : m_doc(m_app, m_prompt) { m_doc.RunSettings().m_strWorkDir = m_dir.path().toStdString(); }

    std::string Path(const std::string& name) const { return m_dir.path().toStdString() + "/" + name; }
    // One outfall, one riser, n jets named Jet1.. (the defaults of a new case).
    void MakeJets(int n) {
        m_doc.Create(TreeLevel::Outfall);
        m_doc.Create(TreeLevel::Riser);
        for (int i = 1; i < n; ++i) m_doc.Add(TreeLevel::Jet);
    }
    CJet& JetAt(int k) { return *m_doc.GetOutfall(0)->GetRiser(0)->GetJet(k); }
    // Marks every jet with an old result that a failed run must leave alone.
    void GiveOldResults() {
        m_doc.ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) {
            j.m_KeyParams.m_nSteps = 42;
            j.m_pDisplay->m_Disks.resize(42);
            j.m_strStatus = "old";
        });
    }
    void ExpectOldResults() {
        m_doc.ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) {
            EXPECT_EQ(j.GetSteps(), 42);
            EXPECT_EQ(j.GetDiskCount(), 42);
            EXPECT_EQ(j.m_strStatus, "old");
        });
    }

    QTemporaryDir m_dir;
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CPlumexDoc m_doc;
};
