#pragma once
// A document with run settings of its own working directory (a fresh
// temporary folder per test) and a recording prompt.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "base/AppState.h"
#include "model/Case.h"
#include "model/Jet.h"
#include "model/JetDispModal.h"
#include "run/ModelInput.h"
#include "run/ResultsReader.h"
#include "run/RunAndWait.h"
#include "run/RunApply.h"
#include "run/RunSettings.h"
#include "support/ScriptedPrompt.h"

class RunFixture : public ::testing::Test {
protected:
    RunFixture() : m_doc(m_app, m_prompt) { m_pSettings->m_strWorkDir = m_dir.path().toStdString(); }

    CRunSettings& Settings() { return *m_pSettings; }
    // A run of the case with these settings and m_pProgress, waiting for it.
    bool Run(bool allJets) { return RunAndWait(m_doc, allJets, m_pSettings, m_pProgress); }
    // The output files of the working directory read into the jets the plan
    // names (all jets, or jets firstJet.. of one riser) as they are now, and
    // put into them; messages go to the case's prompt. False when the
    // summary file cannot be opened.
    bool ReadResultsAll() {
        RunPlan plan = ReadingPlan(true);
        m_doc.ForEachJet([&plan](int, int, int, CRiser&, CBase&, CJet& j) { plan.m_Jets.push_back(j.Id()); });
        return ReadAndApply(plan);
    }
    bool ReadResultsJets(int outfall, int riser, int firstJet, int count) {
        RunPlan plan = ReadingPlan(false);
        CRiser* o = m_doc.GetOutfall(outfall);
        CBase* r = o ? o->GetRiser(riser) : nullptr;
        for (int k = firstJet; r && k < firstJet + count; ++k)
            if (CJet* j = r->GetJet(k)) plan.m_Jets.push_back(j->Id());
        return ReadAndApply(plan);
    }
    RunPlan ReadingPlan(bool allJets) const {
        RunPlan plan;
        plan.m_bAllJets = allJets;
        plan.m_bContinuous = m_doc.IsContinuous();
        plan.m_nMaxTimeSteps = m_doc.MaxTimeSteps();
        return plan;
    }
    bool ReadAndApply(const RunPlan& plan) {
        RunResult result;
        if (!ReadResultFiles(m_doc, plan, Settings(), m_prompt, m_pProgress, result)) return false;
        int skipped = 0;
        ApplyJetResults(m_doc, result, skipped);
        m_doc.m_strStatus = result.m_strLastStopReason;
        return true;
    }

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
    CCase m_doc;
    std::shared_ptr<CRunSettings> m_pSettings = std::make_shared<CRunSettings>();
    CRunProgress* m_pProgress = nullptr;  // given to the runs and readings
};
