// Every kind of edit taken back and made again gives the case file of the
// state before and after it, byte for byte; a long random run of edits
// taken back to the start gives the file it started from.
#include <QUndoStack>
#include <functional>
#include <random>
#include <string>

#include "EditTestSupport.h"
#include "base/DocObserver.h"
#include "edit/CurrentAngleCommand.h"
#include "edit/CutPlaneCommand.h"
#include "edit/FarFieldCommand.h"
#include "edit/ItemValuesCommand.h"
#include "edit/ProfileCommand.h"
#include "edit/RenameCommand.h"
#include "edit/RunOptionsCommand.h"
#include "edit/TreeEditCommand.h"
#include "edit/VisibilityCommand.h"

namespace {
using Maker = std::function<std::unique_ptr<QUndoCommand>(CCase&, int)>;

std::unique_ptr<QUndoCommand> JetValues(CCase& doc, int k) {
    const CJet* jet = doc.GetCurrentJet();
    if (!jet) return nullptr;
    JetData d = jet->GetData();
    if (k % 2) d.m_dDiameter = 0.05 + 0.01 * (k % 20);
    else d.m_dFlow = 0.005 + 0.001 * (k % 30);
    return CItemValuesCommand::Make(doc, d, CheckSurface::InputBar);
}

std::unique_ptr<QUndoCommand> RiserValues(CCase& doc, int k) {
    const CBase* riser = doc.GetCurrentRiser();
    if (!riser) return nullptr;
    RiserData d = riser->GetData();
    if (k % 2) d.m_dTotalFlow = 0.02 + 0.001 * (k % 50);
    else d.m_dHeight = 2.0 + 0.1 * (k % 20);
    return CItemValuesCommand::Make(doc, d, CheckSurface::InputBar);
}

std::unique_ptr<QUndoCommand> OutfallValues(CCase& doc, int k) {
    const CRiser* outfall = doc.GetCurrentOutfall();
    if (!outfall) return nullptr;
    OutfallData d = outfall->GetData();
    if (k % 2) d.m_dTemperature = 10.0 + (k % 15);
    else d.m_dDepth = 25.0 + (k % 10);
    return CItemValuesCommand::Make(doc, d, CheckSurface::InputBar);
}

std::unique_ptr<QUndoCommand> Profile(CCase& doc, int k) {
    std::vector<ProfileRow> rows = doc.Ambient()->Rows();
    if (k % 3 == 0 || rows.size() < 2)
        rows.push_back({rows.empty() ? 0.0 : rows.back().m_dDepth + 10.0, 35.0, 11, 0.02});
    else if (k % 3 == 1) rows.pop_back();
    else rows.front().m_dCurrent = 0.01 * (k % 40);
    return CProfileCommand::Make(doc, rows);
}

std::unique_ptr<QUndoCommand> Angle(CCase& doc, int k) {
    return CCurrentAngleCommand::Make(doc, static_cast<float>(10 * (k % 36)));
}

std::unique_ptr<QUndoCommand> Rename(CCase& doc, int k) {
    return CRenameCommand::Make(doc, static_cast<TreeLevel>(k % 3), "Name" + std::to_string(k));
}

std::unique_ptr<QUndoCommand> Visibility(CCase& doc, int k) {
    const TreeLevel level = static_cast<TreeLevel>(k % 3);
    auto shown = CVisibilityCommand::Make(doc, level, true);
    return shown ? std::move(shown) : CVisibilityCommand::Make(doc, level, false);
}

Maker Tree(CTreeEditCommand::Kind kind, TreeLevel level) {
    return [kind, level](CCase& doc, int) { return CTreeEditCommand::Make(doc, kind, level); };
}

std::unique_ptr<QUndoCommand> CutPlane(CCase& doc, int k) {
    const CutPlaneSettings before = CutPlaneSettings::Of(doc.m_CutPlane);
    doc.SetCutPlane(90.0 + k % 7, 10.0 * (k % 5), 3.0 + k % 11, before.m_nDiskNo, CutPlaneKind::Horizontal, true);
    return CCutPlaneCommand::Made(doc, before);
}

struct Kind {
    const char* m_szName;
    Maker m_make;
};

const std::vector<Kind>& Kinds() {
    using K = CTreeEditCommand::Kind;
    static const std::vector<Kind> kinds = {
        {"jet values", JetValues},
        {"riser values", RiserValues},
        {"outfall values", OutfallValues},
        {"ambient profile", Profile},
        {"current angle", Angle},
        {"name", Rename},
        {"visibility", Visibility},
        {"create outfall", Tree(K::Create, TreeLevel::Outfall)},
        {"create jet", Tree(K::Create, TreeLevel::Jet)},
        {"add outfall", Tree(K::Add, TreeLevel::Outfall)},
        {"add riser", Tree(K::Add, TreeLevel::Riser)},
        {"add jet", Tree(K::Add, TreeLevel::Jet)},
        {"delete jet", Tree(K::Delete, TreeLevel::Jet)},
        {"delete riser", Tree(K::Delete, TreeLevel::Riser)},
        {"delete outfall", Tree(K::Delete, TreeLevel::Outfall)},
        {"cut plane", CutPlane},
    };
    return kinds;
}

struct EventLog : CDocObserver {
    void OnDocEvent(const DocEvent& e) override { m_Events.push_back(e); }
    bool Has(DocEvent::Kind kind, DocItemLevel level) const {
        for (const DocEvent& e : m_Events)
            if (e.m_eKind == kind && e.m_eLevel == level) return true;
        return false;
    }
    std::vector<DocEvent> m_Events;
};
}  // namespace

using EditCommands = EditFixture;

TEST_F(EditCommands, EveryKindUndoesAndRedoesToTheExactCaseFile) {
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.m_szName);
        CCase doc(m_app, m_prompt);
        BuildComputedCase(doc);
        QUndoStack stack;
        const std::vector<unsigned char> before = doc.SaveToBytes();
        std::unique_ptr<QUndoCommand> cmd = kind.m_make(doc, 3);
        ASSERT_NE(cmd, nullptr);
        stack.push(cmd.release());
        ASSERT_EQ(stack.count(), 1);
        const std::vector<unsigned char> after = doc.SaveToBytes();
        EXPECT_NE(after, before);
        stack.undo();
        EXPECT_TRUE(SameBytes(doc.SaveToBytes(), before));
        stack.redo();
        EXPECT_TRUE(SameBytes(doc.SaveToBytes(), after));
        stack.undo();
        EXPECT_TRUE(SameBytes(doc.SaveToBytes(), before));
    }
}

TEST_F(EditCommands, TextsNameTheFieldAndTheItem) {
    JetData d = m_doc.GetCurrentJet()->GetData();
    d.m_dDiameter = 0.3;
    auto cmd = CItemValuesCommand::Make(m_doc, d, CheckSurface::InputBar);
    ASSERT_NE(cmd, nullptr);
    // Each riser has a "Jet2": jets are named with their riser.
    EXPECT_EQ(cmd->text(), "Change Diameter of Riser2 / Jet2");
    d.m_dVAngle = 45.0;
    EXPECT_EQ(CItemValuesCommand::Make(m_doc, d, CheckSurface::InputBar)->text(), "Change Riser2 / Jet2");
    EXPECT_EQ(CVisibilityCommand::Make(m_doc, TreeLevel::Jet, false)->text(), "Hide Riser2 / Jet2");
    EXPECT_EQ(CRenameCommand::Make(m_doc, TreeLevel::Jet, "East")->text(), "Rename Riser2 / Jet2 to East");
    auto del = CTreeEditCommand::Make(m_doc, CTreeEditCommand::Kind::Delete, TreeLevel::Riser);
    EXPECT_EQ(del->text(), "Delete Riser2");
    Push(CTreeEditCommand::Make(m_doc, CTreeEditCommand::Kind::Add, TreeLevel::Jet));
    EXPECT_EQ(m_stack.undoText(), "Add Riser2 / Jet3");
    // With a second outfall the outfall is named too.
    Push(CTreeEditCommand::Make(m_doc, CTreeEditCommand::Kind::Add, TreeLevel::Outfall));
    d = m_doc.GetCurrentJet()->GetData();
    d.m_dDiameter = 0.4;
    EXPECT_EQ(CItemValuesCommand::Make(m_doc, d, CheckSurface::InputBar)->text().toStdString(),
              "Change Diameter of Outfall_2 / Riser1 / Jet2");
}

TEST_F(EditCommands, RefusedOrUnchangedValuesPushNothing) {
    const std::vector<unsigned char> before = Bytes();
    JetData d = m_doc.GetCurrentJet()->GetData();
    std::string refusal;
    EXPECT_FALSE(Push(CItemValuesCommand::Make(m_doc, d, CheckSurface::InputBar, &refusal)));
    EXPECT_TRUE(refusal.empty());
    d.m_dDiameter = 0.0;
    EXPECT_FALSE(Push(CItemValuesCommand::Make(m_doc, d, CheckSurface::InputBar, &refusal)));
    EXPECT_FALSE(refusal.empty());
    RiserData r = m_doc.GetCurrentRiser()->GetData();
    r.m_dHeight = 1000.0;  // higher than the outfall is deep
    EXPECT_FALSE(Push(CItemValuesCommand::Make(m_doc, r, CheckSurface::InputBar, &refusal)));
    EXPECT_FALSE(refusal.empty());
    EXPECT_FALSE(Push(CProfileCommand::Make(m_doc, m_doc.Ambient()->Rows())));
    EXPECT_FALSE(Push(CCurrentAngleCommand::Make(m_doc, m_doc.CurrentAngle())));
    m_doc.SetRunInFlight(true);
    EXPECT_FALSE(Push(CTreeEditCommand::Make(m_doc, CTreeEditCommand::Kind::Delete, TreeLevel::Jet)));
    m_doc.SetRunInFlight(false);
    EXPECT_EQ(m_stack.count(), 0);
    EXPECT_TRUE(SameBytes(Bytes(), before));
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(EditCommands, RunOptionsAreEditsThatCanBeTakenBack) {
    EXPECT_FALSE(Push(CRunOptionsCommand::MaxTimeSteps(m_doc, m_doc.MaxTimeSteps())));
    EXPECT_FALSE(Push(CRunOptionsCommand::MaxTimeSteps(m_doc, 0)));
    EXPECT_FALSE(Push(CRunOptionsCommand::MaxTimeSteps(m_doc, 5001)));
    EXPECT_EQ(m_stack.count(), 0);
    EXPECT_FALSE(m_doc.IsModified());

    const bool continuous = m_doc.IsContinuous();
    const int steps = m_doc.MaxTimeSteps();
    ASSERT_TRUE(Push(CRunOptionsCommand::ToggleContinuous(m_doc)));
    ASSERT_TRUE(Push(CRunOptionsCommand::MaxTimeSteps(m_doc, 200)));
    EXPECT_EQ(m_doc.IsContinuous(), !continuous);
    EXPECT_EQ(m_doc.MaxTimeSteps(), 200);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_stack.undoText(), QString("Change Max number of time steps"));

    m_stack.undo();
    EXPECT_EQ(m_doc.MaxTimeSteps(), steps);
    EXPECT_EQ(m_doc.IsContinuous(), !continuous);
    EXPECT_EQ(m_stack.undoText(), QString("Change Continuous mode"));
    m_stack.undo();
    EXPECT_EQ(m_doc.IsContinuous(), continuous);
    m_stack.redo();
    m_stack.redo();
    EXPECT_EQ(m_doc.IsContinuous(), !continuous);
    EXPECT_EQ(m_doc.MaxTimeSteps(), 200);
}

TEST_F(EditCommands, MergingOfPlumesIsAnEditThatLeavesTheOtherRunOptions) {
    m_doc.SetRunOptions(RunOptions{true, 321});
    ASSERT_TRUE(m_doc.MergesPlumes());
    ASSERT_TRUE(Push(CRunOptionsCommand::ToggleMergePlumes(m_doc)));
    EXPECT_FALSE(m_doc.MergesPlumes());
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_stack.undoText(), QString("Change Merge neighbouring plumes"));
    // Edits of the other options carry the merging as it stands.
    ASSERT_TRUE(Push(CRunOptionsCommand::ToggleContinuous(m_doc)));
    ASSERT_TRUE(Push(CRunOptionsCommand::MaxTimeSteps(m_doc, 50)));
    EXPECT_FALSE(m_doc.MergesPlumes());
    EXPECT_FALSE(m_doc.IsContinuous());

    m_stack.undo();
    m_stack.undo();
    EXPECT_FALSE(m_doc.MergesPlumes());
    EXPECT_TRUE(m_doc.IsContinuous());
    EXPECT_EQ(m_doc.MaxTimeSteps(), 321);
    m_stack.undo();
    EXPECT_TRUE(m_doc.MergesPlumes());
    EXPECT_TRUE(m_doc.IsContinuous());
    EXPECT_EQ(m_doc.MaxTimeSteps(), 321);
    m_stack.redo();
    EXPECT_FALSE(m_doc.MergesPlumes());
}

TEST_F(EditCommands, FarFieldSettingsAreAnEditThatLeavesTheResultsValid) {
    FarFieldSettings after = m_doc.GetFarField();
    EXPECT_FALSE(Push(CFarFieldCommand::Change(m_doc, after)));
    after.m_dT90Hours = -1.0;
    std::string why;
    EXPECT_FALSE(Push(CFarFieldCommand::Change(m_doc, after, &why)));
    EXPECT_NE(why.find("t90_h"), std::string::npos) << why;
    EXPECT_EQ(m_stack.count(), 0);
    EXPECT_FALSE(m_doc.IsModified());

    after.m_dT90Hours = 3.0;
    after.m_dMixingZone = 2000.0;
    after.m_Points = {{"Beach", 1200.0}};
    ASSERT_TRUE(Push(CFarFieldCommand::Change(m_doc, after)));
    EXPECT_TRUE(m_doc.GetFarField() == after);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_FALSE(m_doc.AreResultsOutOfDate());
    EXPECT_EQ(m_stack.undoText(), QString("Change Far field"));
    m_stack.undo();
    EXPECT_TRUE(m_doc.GetFarField() == FarFieldSettings{});
    EXPECT_FALSE(m_doc.AreResultsOutOfDate());
    m_stack.redo();
    EXPECT_EQ(m_doc.GetFarField().m_Points.size(), 1u);
}

TEST_F(EditCommands, ACreateThatMakesNothingIsDropped) {
    m_doc.SetNoRiser(true);  // the one riser of the outfall exists already
    Push(CTreeEditCommand::Make(m_doc, CTreeEditCommand::Kind::Create, TreeLevel::Riser));
    EXPECT_EQ(m_stack.count(), 0);
}

TEST_F(EditCommands, DeletedRiserComesBackWithItsResultsAndSelection) {
    m_doc.m_nCurrentOutfall = 0;
    m_doc.GetOutfall(0)->m_nCurrentRiser = 1;
    m_doc.GetOutfall(0)->GetRiser(1)->m_nCurrentJet = 1;
    const CBase* riser = m_doc.GetCurrentRiser();
    const std::string name = riser->m_strName;
    const int jets = riser->GetJetCount();
    const std::vector<unsigned char> before = Bytes();
    Push(CTreeEditCommand::Make(m_doc, CTreeEditCommand::Kind::Delete, TreeLevel::Riser));
    ASSERT_EQ(m_doc.GetOutfall(0)->GetRiserCount(), 1);

    m_stack.undo();
    EXPECT_TRUE(SameBytes(Bytes(), before));
    const CBase* back = m_doc.GetCurrentRiser();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->m_strName, name);
    ASSERT_EQ(back->GetJetCount(), jets);
    EXPECT_EQ(back->m_nCurrentJet, 1);
    for (const auto& j : back->m_Jets) {
        EXPECT_EQ(j->GetSteps(), 3);
        EXPECT_EQ(j->GetDiskCount(), 3);
        EXPECT_EQ(j->m_pDisplay->m_Disks[2].m_dDilution, 21.0);
        EXPECT_STREQ(j->m_KeyParams.m_szTitle, j->m_strName.c_str());
    }
}

// The merging of the jets' rows is not in the bytes an item is kept as:
// a deleted outfall or jet comes back with it all the same.
TEST_F(EditCommands, DeletedItemsComeBackWithTheMergingOfTheirRows) {
    int n = 0;
    m_doc.ForEachJet([&n](int, int, int, CRiser&, CBase&, CJet& j) {
        j.m_KeyParams.m_Row.m_nPorts = 4;
        j.m_KeyParams.m_Row.m_bMerged = n % 2 == 0;
        j.m_KeyParams.m_Row.m_dZ = 1.5 + n++;
    });
    const auto rows = [this] {
        std::vector<std::pair<bool, double>> r;
        m_doc.ForEachJet([&r](int, int, int, CRiser&, CBase&, CJet& j) {
            r.emplace_back(j.m_KeyParams.m_Row.m_bMerged, j.m_KeyParams.m_Row.m_dZ);
        });
        return r;
    };
    const auto before = rows();
    ASSERT_EQ(before.size(), 4u);
    m_doc.m_nCurrentOutfall = 0;
    Push(CTreeEditCommand::Make(m_doc, CTreeEditCommand::Kind::Delete, TreeLevel::Outfall));
    ASSERT_EQ(m_doc.GetOutfallCount(), 0);
    m_stack.undo();
    EXPECT_EQ(rows(), before);

    m_doc.GetOutfall(0)->m_nCurrentRiser = 1;
    m_doc.GetOutfall(0)->GetRiser(1)->m_nCurrentJet = 0;
    Push(CTreeEditCommand::Make(m_doc, CTreeEditCommand::Kind::Delete, TreeLevel::Jet));
    EXPECT_EQ(rows()[2], before[3]);
    m_stack.undo();
    EXPECT_EQ(rows(), before);
}

TEST_F(EditCommands, ResultsOfARunAfterTheEditAreNotTakenBack) {
    JetData d = m_doc.GetCurrentJet()->GetData();
    const double diameter = d.m_dDiameter;
    d.m_dDiameter = 0.3;
    Push(CItemValuesCommand::Make(m_doc, d, CheckSurface::InputBar));
    // A run after the edit: new results for the jet.
    m_doc.GetCurrentJet()->m_KeyParams.m_nSteps = 7;
    m_doc.GetCurrentJet()->m_pDisplay->m_Disks.resize(7);
    EventLog log;
    m_doc.AddObserver(&log);
    m_stack.undo();
    m_doc.RemoveObserver(&log);
    EXPECT_EQ(m_doc.GetCurrentJet()->m_dDiameter, diameter);
    EXPECT_EQ(m_doc.GetCurrentJet()->GetSteps(), 7);
    EXPECT_EQ(m_doc.GetCurrentJet()->GetDiskCount(), 7);
    // The views and the input bar hear that the jet's inputs changed.
    EXPECT_TRUE(log.Has(DocEvent::ItemChanged, DocItemLevel::Jet));
}

TEST_F(EditCommands, TwoHundredRandomEditsUndoneGiveTheOriginalFile) {
    const std::vector<unsigned char> original = Bytes();
    std::mt19937 rng(20261207);
    const std::vector<Kind>& kinds = Kinds();
    int pushed = 0;
    for (int i = 0; i < 200; ++i) {
        // Move the selection now and then, so edits reach every item.
        if (rng() % 3 == 0 && m_doc.GetOutfallCount() > 0) {
            m_doc.m_nCurrentOutfall = static_cast<int>(rng() % m_doc.GetOutfallCount());
            CRiser* o = m_doc.GetCurrentOutfall();
            if (o->GetRiserCount() > 0) o->m_nCurrentRiser = static_cast<int>(rng() % o->GetRiserCount());
            if (CBase* r = o->GetCurrentRiser(); r && r->GetJetCount() > 0)
                r->m_nCurrentJet = static_cast<int>(rng() % r->GetJetCount());
        }
        const Kind& kind = kinds[rng() % kinds.size()];
        // Keep the case from running empty: deletions only while there is much to delete.
        if (std::string(kind.m_szName).rfind("delete", 0) == 0 && m_doc.GetJetCount() < 3) continue;
        if (Push(kind.m_make(m_doc, static_cast<int>(rng() % 1000)))) ++pushed;
    }
    EXPECT_GT(pushed, 100);
    const std::vector<unsigned char> last = Bytes();
    m_stack.setIndex(0);
    EXPECT_TRUE(SameBytes(Bytes(), original));
    m_stack.setIndex(m_stack.count());
    EXPECT_TRUE(SameBytes(Bytes(), last));
}
