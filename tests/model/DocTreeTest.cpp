#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "CaseBuilder.h"
#include "base/AppState.h"
#include "base/DocObserver.h"
#include "model/Case.h"
#include "model/JetLabel.h"
#include "scene/JetDisplays.h"
#include "scene/SortTree.h"
#include "support/ScriptedPrompt.h"

namespace {
class RecordingObserver : public CDocObserver {
public:
    void OnDocEvent(const DocEvent& e) override { events.push_back(e); }
    int Count(DocEvent::Kind k) const {
        return static_cast<int>(std::count_if(events.begin(), events.end(), [k](const DocEvent& e) { return e == k; }));
    }
    std::vector<DocEvent> events;
};

struct DocFixture : ::testing::Test {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};
};
}  // namespace

TEST_F(DocFixture, NewNamesFillTheFirstGap) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    CBase* r = doc.GetCurrentRiser();
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->GetJetCount(), 1);  // a new riser comes with one jet
    doc.Create(TreeLevel::Jet);
    doc.Create(TreeLevel::Jet);
    r->m_Jets.erase(r->m_Jets.begin() + 1);  // Jet1, Jet3 remain
    r->m_nCurrentJet = 0;
    doc.Create(TreeLevel::Jet);
    EXPECT_EQ(r->m_Jets.back()->m_strName, "Jet2");
    doc.Create(TreeLevel::Jet);
    EXPECT_EQ(r->m_Jets.back()->m_strName, "Jet4");
    EXPECT_EQ(r->m_nCurrentJet, r->GetJetCount() - 1);
    EXPECT_EQ(doc.GetOutfall(0)->m_strName, "Outfall_1");
}

TEST_F(DocFixture, DeletingTheLastItemSelectsTheNewLast) {
    doc.Create(TreeLevel::Outfall);
    for (int i = 0; i < 3; ++i) doc.Create(TreeLevel::Riser);
    CRiser* o = doc.GetCurrentOutfall();
    ASSERT_EQ(o->GetRiserCount(), 3);
    EXPECT_EQ(o->m_nCurrentRiser, 2);
    RecordingObserver obs;
    doc.AddObserver(&obs);
    doc.Delete(TreeLevel::Riser);
    EXPECT_EQ(o->GetRiserCount(), 2);
    EXPECT_EQ(o->m_nCurrentRiser, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(obs.Count(DocEvent::ViewsUpdate), 1);
    EXPECT_EQ(obs.Count(DocEvent::InputBarRefresh), 1);
    doc.RemoveObserver(&obs);
}

TEST_F(DocFixture, AddedRisersContinueTheSpacing) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    CRiser* o = doc.GetCurrentOutfall();
    o->m_Risers[0]->m_dDistance = 10.0;
    doc.Add(TreeLevel::Riser);
    EXPECT_EQ(o->m_Risers[1]->m_dDistance, 30.0);

    o->m_Risers[0]->m_dDistance = 0.0;
    doc.Add(TreeLevel::Riser);  // risers at 0 and 30 -> 60
    EXPECT_EQ(o->m_Risers[2]->m_dDistance, 60.0);
    EXPECT_EQ(o->m_nCurrentRiser, 2);
    EXPECT_EQ(o->m_Risers[2]->m_strName, "Riser3");
}

TEST_F(DocFixture, CreatedRiserCopiesTheLastRiserButNotItsDistance) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    CRiser* o = doc.GetCurrentOutfall();
    o->m_Risers[0]->m_dDistance = 15.0;
    o->m_Risers[0]->m_dHeight = 3.5;
    doc.Create(TreeLevel::Riser);
    ASSERT_EQ(o->GetRiserCount(), 2);
    EXPECT_EQ(o->m_Risers[1]->m_dHeight, 3.5);
    EXPECT_EQ(o->m_Risers[1]->m_dDistance, 0.0);
    EXPECT_EQ(o->m_nCurrentRiser, 1);
}

TEST_F(DocFixture, AddOnAnEmptyLevelCreates) {
    doc.Add(TreeLevel::Outfall);
    ASSERT_EQ(doc.GetOutfallCount(), 1);
    doc.Add(TreeLevel::Riser);
    ASSERT_EQ(doc.GetCurrentOutfall()->GetRiserCount(), 1);
    doc.Add(TreeLevel::Jet);
    EXPECT_EQ(doc.GetCurrentRiser()->GetJetCount(), 2);
    EXPECT_EQ(doc.GetCurrentJet()->m_strName, "Jet2");
}

TEST_F(DocFixture, NoRiserModeKeepsOneRiserPerOutfall) {
    doc.SetNoRiser(true);
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.Create(TreeLevel::Riser);
    EXPECT_EQ(doc.GetCurrentOutfall()->GetRiserCount(), 1);
    EXPECT_EQ(doc.GetCurrentRiser()->m_dHeight, 20.0);
}

TEST_F(DocFixture, StructureCheckNamesTheMissingLevel) {
    EXPECT_FALSE(doc.CheckStructure());
    doc.Create(TreeLevel::Outfall);
    EXPECT_FALSE(doc.CheckStructure());
    doc.Create(TreeLevel::Riser);
    doc.GetCurrentRiser()->m_Jets.clear();
    EXPECT_FALSE(doc.CheckStructure());
    doc.Create(TreeLevel::Jet);
    EXPECT_TRUE(doc.CheckStructure());
    EXPECT_EQ(prompt.Texts(),
              (std::vector<std::string>{"No outfall is defined.", "No riser is defined.", "No jet is defined."}));
}

TEST_F(DocFixture, CurrentNamesAndFindJet) {
    CurrentNames none = doc.GetCurrentNames();
    EXPECT_EQ(none.m_nOutfall, -1);
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    CurrentNames n = doc.GetCurrentNames();
    EXPECT_EQ(n.m_strOutfall, "Outfall_1");
    EXPECT_EQ(n.m_strRiser, "Riser1");
    EXPECT_EQ(n.m_strJet, "Jet1");
    EXPECT_EQ(doc.FindJet("Outfall_1", "Riser1", "Jet1"), doc.GetCurrentJet());
    EXPECT_EQ(doc.FindJet("Outfall_1", "riser1", "Jet1"), nullptr);
    doc.m_nCurrentOutfall = -1;
    EXPECT_EQ(doc.GetCurrentJet(), nullptr);
}

TEST_F(DocFixture, JetLabelsNameTheRiserAndTheOutfallWhereNamesRepeat) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.Add(TreeLevel::Riser);  // Riser2 with its own Jet1
    EXPECT_EQ(JetLabel(doc, 0, 0, 0), "Riser1 / Jet1");
    EXPECT_EQ(JetLabel(doc, 0, 1, 0), "Riser2 / Jet1");
    EXPECT_EQ(CurrentJetLabel(doc), "Riser2 / Jet1");
    EXPECT_EQ(JetLabel(doc, doc.GetOutfall(0)->GetRiser(1)->GetJet(0)->Id()), "Riser2 / Jet1");
    EXPECT_EQ(JetLabel(doc, 0, 1, "Jet2"), "Riser2 / Jet2") << "a jet yet to be made";
    EXPECT_EQ(JetLabel(doc, 0, 1, 5), "");
    EXPECT_EQ(JetLabel(doc, 0, 2, "Jet1"), "");
    doc.Add(TreeLevel::Outfall);
    EXPECT_EQ(JetLabel(doc, 1, 1, 0), "Outfall_2 / Riser2 / Jet1");
    EXPECT_EQ(JetLabel(doc, 0, 0, 0), "Outfall_1 / Riser1 / Jet1");
    const JetId gone = doc.GetCurrentJet()->Id();
    doc.Delete(TreeLevel::Outfall);
    EXPECT_EQ(JetLabel(doc, gone), "");
    // Without risers the riser the user never sees is left out.
    doc.SetNoRiser(true);
    EXPECT_EQ(JetLabel(doc, 0, 1, 0), "Jet1");
}

TEST_F(DocFixture, FlowAndEffluentPropagation) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.Create(TreeLevel::Jet);
    doc.Create(TreeLevel::Jet);
    doc.SetJetFlowAll(0.02);
    CBase* r = doc.GetCurrentRiser();
    EXPECT_DOUBLE_EQ(r->m_dTotalFlow, 0.06);
    r->m_dTotalFlow = 0.09;
    CCase::DistributeRiserFlow(*r);
    for (auto& j : r->m_Jets) EXPECT_DOUBLE_EQ(j->m_dFlow, 0.03);

    CRiser* o = doc.GetCurrentOutfall();
    o->m_dTemperature = 20.0;
    o->m_dSalinity = 2.0;
    o->m_dDensity = 0.998;
    doc.PropagateEffluent(*o);
    EXPECT_EQ(r->m_Jets[0]->m_dSalinity, 2.0);
    EXPECT_EQ(r->m_Jets[0]->m_dTemperature, 20.0);
    o->m_dTemperature = 0.0;
    doc.SetNoRiser(true);
    o->m_dWidth = 3.0;
    doc.PropagateEffluent(*o);
    EXPECT_EQ(r->m_Jets[2]->m_dSalinity, 0.998);
    EXPECT_EQ(r->m_Jets[2]->m_dPortHeight, 1.5);
}

TEST_F(DocFixture, CurrentAngleReachesEveryJetAndDisplay) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.Add(TreeLevel::Riser);
    doc.SetCurrentAngle(45.0f);
    doc.ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) {
        EXPECT_EQ(j.m_dCurrentAngle, 45.0);
        EXPECT_EQ(j.m_pDisplay->m_dDisplayAngle, 45.0);
    });
}

TEST_F(DocFixture, JetsOfNewAndCopiedRisersAndOutfallsCarryTheCaseAngle) {
    doc.SetCurrentAngle(45.0f);
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);  // a new riser with its default jet
    doc.Add(TreeLevel::Riser);     // a copied riser with copied jets
    doc.Add(TreeLevel::Outfall);   // a copied outfall with copied risers and jets
    doc.Create(TreeLevel::Jet);    // a new jet with defaults
    doc.Add(TreeLevel::Jet);       // a jet copied from the riser's last one
    ASSERT_EQ(doc.GetJetCount(), 6);
    doc.ForEachJet([](int i, int j, int k, CRiser&, CBase&, CJet& jet) {
        EXPECT_EQ(jet.m_dCurrentAngle, 45.0) << i << "/" << j << "/" << k;
        EXPECT_EQ(jet.m_pDisplay->m_dDisplayAngle, 45.0) << i << "/" << j << "/" << k;
    });
}

TEST_F(DocFixture, DepthCheckAsksWhenJetsStandBelowTheProfile) {
    EXPECT_TRUE(doc.CheckDepth()) << "no rows: nothing to check";
    doc.SetProfile({{0, 1.02, 0, 0.1}, {15, 1.025, 0, 0.1}});
    EXPECT_FALSE(doc.CheckDepth()) << "no current jet";
    EXPECT_TRUE(prompt.Empty());
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.GetCurrentOutfall()->m_dDepth = 21.0;  // the jet 1 m above it: 20 m > 15 m
    prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(doc.CheckDepth());
    ASSERT_EQ(prompt.Entries().size(), 1u);
    EXPECT_EQ(prompt.Entries()[0].kind, "yesno");
    EXPECT_EQ(prompt.Entries()[0].text,
              "The depth of ambient data must be equal to or greater than the depth of the jets.\n"
              "Jet depth = Outfall depth - Jet's port height.\n Proceed or not?");
    EXPECT_EQ(doc.Ambient()->m_dWaterDepth, 20.0) << "refused: the water depth stays";

    RecordingObserver obs;
    doc.AddObserver(&obs);
    prompt.QueueAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(doc.CheckDepth());
    EXPECT_EQ(doc.Ambient()->m_dWaterDepth, 15.0);
    EXPECT_EQ(doc.DisplayLength(), 15.0);
    EXPECT_EQ(obs.Count(DocEvent::AmbientBoxChanged), 1);
    doc.RemoveObserver(&obs);
}

TEST_F(DocFixture, MaterialsByLevel) {
    EXPECT_EQ(doc.GetCurrentMaterial(TreeLevel::Outfall, false), nullptr);
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    EXPECT_EQ(doc.GetCurrentMaterial(TreeLevel::Outfall, false), &doc.GetCurrentOutfall()->m_Material);
    EXPECT_EQ(doc.GetCurrentMaterial(TreeLevel::Riser, false), &doc.GetCurrentRiser()->m_Material);
    EXPECT_EQ(doc.GetCurrentMaterial(TreeLevel::Jet, true), &doc.GetCurrentJet()->m_MaterialB);
    float d[4];
    doc.GetCurrentJet()->m_MaterialA.GetColorArray(2, d);
    EXPECT_FLOAT_EQ(d[3], 0.6f);
}

TEST_F(DocFixture, EmptyingTheCaseReleasesTheJetDrawingList) {
    BuildSmallCase(doc, true);
    CJetDisplays displays(doc);
    doc.PlaceJets();
    ASSERT_TRUE(displays.SortTree());
    ASSERT_FALSE(displays.SortTree()->IsEmpty());
    doc.ResetToNew();
    EXPECT_TRUE(displays.IsSortTreeStale()) << "no polygons of deleted jets may stay drawable";
    ASSERT_TRUE(displays.SortTree());
    EXPECT_TRUE(displays.SortTree()->IsEmpty());

    // A failed load keeps the case, and with it the drawing list of its jets.
    BuildSmallCase(doc, true);
    doc.PlaceJets();
    const CSortTree* tree = displays.SortTree();
    ASSERT_TRUE(tree);
    std::string error;
    EXPECT_FALSE(doc.LoadFromBytes({'P', 'l', 'u'}, error));
    EXPECT_FALSE(displays.IsSortTreeStale());
    EXPECT_EQ(displays.SortTree(), tree);
    EXPECT_EQ(doc.GetJetCount(), 4);
}

TEST_F(DocFixture, DeleteWithoutASelectedItemChangesNothing) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.SetModifiedFlag(false);
    RecordingObserver obs;
    doc.AddObserver(&obs);
    doc.GetCurrentOutfall()->m_nCurrentRiser = 5;
    doc.Delete(TreeLevel::Riser);
    doc.m_nCurrentOutfall = -1;
    doc.Delete(TreeLevel::Outfall);
    doc.Delete(TreeLevel::Jet);
    EXPECT_EQ(doc.GetOutfallCount(), 1);
    EXPECT_EQ(doc.GetOutfall(0)->GetRiserCount(), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(obs.events.empty());
    doc.RemoveObserver(&obs);
}

TEST_F(DocFixture, EachSettingOfTheCaseMarksItModifiedAndSendsItsOwnEvent) {
    BuildSmallCase(doc, true);
    RecordingObserver obs;
    doc.AddObserver(&obs);
    struct Step {
        const char* name;
        std::function<void()> change;
        DocEvent::Kind event;
    } steps[] = {
        {"run options",
         [&] {
             doc.SetRunOptions(RunOptions{true, 300});
         },
         DocEvent::InputBarRefresh},
        {"scenario", [&] { doc.SetNoRiser(!doc.IsNoRiser()); }, DocEvent::ViewsUpdate},
        {"current angle", [&] { doc.SetCurrentAngle(30.0f); }, DocEvent::ProfileChanged},
        {"profile", [&] { doc.SetProfile(doc.Ambient()->Rows()); }, DocEvent::ProfileChanged},
        {"profile and depth", [&] { doc.SetProfile(doc.Ambient()->Rows(), 33.0); }, DocEvent::AmbientBoxChanged},
        {"name", [&] { ASSERT_TRUE(doc.RenameCurrent(TreeLevel::Jet, "Port A")); }, DocEvent::ViewsUpdate},
        {"visibility", [&] { ASSERT_TRUE(doc.SetCurrentVisible(TreeLevel::Riser, false)); }, DocEvent::ViewsUpdate},
    };
    for (const Step& s : steps) {
        doc.SetModifiedFlag(false);
        obs.events.clear();
        s.change();
        EXPECT_TRUE(doc.IsModified()) << s.name;
        EXPECT_EQ(obs.Count(s.event), 1) << s.name;
    }
    EXPECT_TRUE(doc.IsContinuous());
    EXPECT_EQ(doc.MaxTimeSteps(), 300);
    EXPECT_EQ(doc.GetCurrentJet()->m_dCurrentAngle, 30.0) << "the angle reaches every jet";
    EXPECT_EQ(doc.DisplayLength(), 33.0);
    EXPECT_EQ(doc.GetCurrentJet()->m_strName, "Port A");
    EXPECT_EQ(doc.GetCurrentRiser()->m_nVisible, 0);
    doc.RemoveObserver(&obs);
}
