// What the document tells its observers: the kind of each change and the
// item it concerns.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "base/AppState.h"
#include "base/DocObserver.h"
#include "model/Case.h"
#include "support/ScriptedPrompt.h"

namespace {
class EventLog : public CDocObserver {
public:
    explicit EventLog(const CCase& doc) : m_doc(doc) {}
    void OnDocEvent(const DocEvent& e) override {
        m_Events.push_back(e);
        if (e == DocEvent::ModifiedChanged) m_ModifiedInside.push_back(m_doc.IsModified());
    }
    std::vector<DocEvent> Of(DocEvent::Kind k) const {
        std::vector<DocEvent> out;
        std::copy_if(m_Events.begin(), m_Events.end(), std::back_inserter(out),
                     [k](const DocEvent& e) { return e == k; });
        return out;
    }
    const CCase& m_doc;
    std::vector<DocEvent> m_Events;
    std::vector<bool> m_ModifiedInside;
};

struct DocEventTest : ::testing::Test {
    DocEventTest() { doc.AddObserver(&log); }
    ~DocEventTest() override { doc.RemoveObserver(&log); }
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};
    EventLog log{doc};
};

void ExpectItem(const DocEvent& e, DocItemLevel level, int o, int r, int j) {
    EXPECT_EQ(e.m_eLevel, level);
    EXPECT_EQ(e.m_nOutfall, o);
    EXPECT_EQ(e.m_nRiser, r);
    EXPECT_EQ(e.m_nJet, j);
}
}  // namespace

TEST_F(DocEventTest, AddingMarksModifiedAndNamesTheNewItem) {
    EXPECT_FALSE(doc.IsModified());
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);  // a new riser brings one jet
    doc.Add(TreeLevel::Jet);
    EXPECT_TRUE(doc.IsModified());
    const auto added = log.Of(DocEvent::ItemAdded);
    ASSERT_EQ(added.size(), 3u);
    ExpectItem(added[0], DocItemLevel::Outfall, 0, -1, -1);
    ExpectItem(added[1], DocItemLevel::Riser, 0, 0, -1);
    ExpectItem(added[2], DocItemLevel::Jet, 0, 0, 1);
    EXPECT_EQ(added[2].m_nJetId, doc.GetCurrentJet()->Id());
    EXPECT_NE(added[2].m_nJetId, 0u);

    // The flag changed once, and it read true inside its own event.
    ASSERT_EQ(log.Of(DocEvent::ModifiedChanged).size(), 1u);
    EXPECT_TRUE(log.Of(DocEvent::ModifiedChanged)[0].m_bFlag);
    EXPECT_EQ(log.m_ModifiedInside, std::vector<bool>{true});
    doc.SetModifiedFlag(false);
    EXPECT_EQ(log.m_ModifiedInside, (std::vector<bool>{true, false}));
}

TEST_F(DocEventTest, DeletingNamesWhereTheItemStood) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.Add(TreeLevel::Jet);
    doc.Add(TreeLevel::Jet);
    CBase* r = doc.GetCurrentRiser();
    r->m_nCurrentJet = 1;
    const JetId middle = r->m_Jets[1]->Id();
    log.m_Events.clear();
    doc.Delete(TreeLevel::Jet);
    const auto removed = log.Of(DocEvent::ItemRemoved);
    ASSERT_EQ(removed.size(), 1u);
    ExpectItem(removed[0], DocItemLevel::Jet, 0, 0, 1);
    EXPECT_EQ(removed[0].m_nJetId, middle);
    EXPECT_EQ(doc.FindJetById(middle), nullptr);

    log.m_Events.clear();
    doc.Delete(TreeLevel::Outfall);
    ASSERT_EQ(log.Of(DocEvent::ItemRemoved).size(), 1u);
    ExpectItem(log.Of(DocEvent::ItemRemoved)[0], DocItemLevel::Outfall, 0, -1, -1);
}

TEST_F(DocEventTest, JetIdentitiesAreUniqueAndFollowTheJetNotItsPlace) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.Add(TreeLevel::Jet);
    doc.Add(TreeLevel::Jet);
    CBase* r = doc.GetCurrentRiser();
    std::set<JetId> ids;
    for (const auto& j : r->m_Jets) ids.insert(j->Id());
    EXPECT_EQ(ids.size(), 3u);
    const JetId last = r->m_Jets[2]->Id();
    r->m_nCurrentJet = 0;
    doc.Delete(TreeLevel::Jet);
    int o = -1, ri = -1, k = -1;
    ASSERT_TRUE(doc.LocateJet(last, o, ri, k));
    EXPECT_EQ(k, 1);
    EXPECT_EQ(doc.FindJetById(last), r->m_Jets[1].get());
    // A new jet never takes an identity that was given before, and a copy is
    // a new jet.
    doc.Add(TreeLevel::Jet);
    EXPECT_EQ(ids.count(r->m_Jets.back()->Id()), 0u);
    EXPECT_EQ(doc.FindJetById(0), nullptr);
}

TEST_F(DocEventTest, SelectionAndChangedItemsCarryTheirItem) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.Add(TreeLevel::Jet);
    log.m_Events.clear();
    const unsigned int hit[] = {4, 1, 2, 0, 0, 0, 0};
    ASSERT_TRUE(doc.SelectFromPick(hit, 1));
    ASSERT_EQ(log.Of(DocEvent::SelectionChanged).size(), 1u);
    const DocEvent sel = log.Of(DocEvent::SelectionChanged)[0];
    ExpectItem(sel, DocItemLevel::Jet, 0, 0, 0);
    EXPECT_EQ(sel.m_nJetId, doc.GetCurrentJet()->Id());

    doc.SetModifiedFlag(false);
    doc.ItemChanged(DocItemLevel::Riser);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(log.Of(DocEvent::ItemChanged).size(), 1u);
    ExpectItem(log.Of(DocEvent::ItemChanged)[0], DocItemLevel::Riser, 0, 0, -1);
}

TEST_F(DocEventTest, StructureStaysWhileARunIsInFlight) {
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.SetRunInFlight(true);
    ASSERT_EQ(log.Of(DocEvent::RunStateChanged).size(), 1u);
    EXPECT_TRUE(log.Of(DocEvent::RunStateChanged)[0].m_bFlag);
    log.m_Events.clear();
    doc.Add(TreeLevel::Jet);
    doc.Create(TreeLevel::Jet);
    doc.Add(TreeLevel::Outfall);
    doc.Delete(TreeLevel::Jet);
    doc.Delete(TreeLevel::Outfall);
    EXPECT_EQ(doc.GetOutfallCount(), 1);
    EXPECT_EQ(doc.GetCurrentRiser()->GetJetCount(), 1);
    EXPECT_TRUE(log.m_Events.empty());
    doc.SetRunInFlight(false);
    doc.Add(TreeLevel::Jet);
    EXPECT_EQ(doc.GetCurrentRiser()->GetJetCount(), 2);
}
