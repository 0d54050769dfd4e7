// The history keeps the case's modified flag in step with the saved state,
// and a change made outside it (a run) keeps the flag set.
#include "EditTestSupport.h"

#include <vector>

#include "base/DocObserver.h"
#include "edit/CurrentAngleCommand.h"
#include "edit/CutPlaneCommand.h"
#include "edit/EditHistory.h"
#include "edit/ProfileCommand.h"

namespace {
class EditHistory : public EditFixture {
protected:
    void ChangeAngle(float angle) { m_history.Push(CCurrentAngleCommand::Make(m_doc, angle)); }
    CEditHistory m_history{m_doc};
};
}  // namespace

TEST_F(EditHistory, ModifiedFlagFollowsTheSavedState) {
    m_history.MarkSaved();
    ChangeAngle(45.0f);
    EXPECT_TRUE(m_doc.IsModified());
    m_history.Stack().undo();
    EXPECT_FALSE(m_doc.IsModified());
    m_history.Stack().redo();
    EXPECT_TRUE(m_doc.IsModified());
    // Saved with the edit made: taking it back is a change again.
    m_history.MarkSaved();
    EXPECT_FALSE(m_doc.IsModified());
    m_history.Stack().undo();
    EXPECT_TRUE(m_doc.IsModified());
    m_history.Stack().redo();
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(EditHistory, ChangesOutsideTheHistoryKeepTheCaseModified) {
    m_history.MarkSaved();
    ChangeAngle(45.0f);
    // A run puts new results into the case: undoing the edit does not bring
    // back the file as saved.
    m_doc.Notify(DocEvent::ResultsReady);
    m_history.Stack().undo();
    EXPECT_TRUE(m_doc.IsModified());
    m_history.MarkSaved();
    // A change the history does not hold (a new case, a setting).
    m_doc.SetModifiedFlag(true);
    ChangeAngle(30.0f);
    m_history.Stack().undo();
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(EditHistory, TakingAnEditBackOrRedoingItIsReported) {
    std::vector<bool> seen;  // one entry a report: whether the model's input changed
    QObject listener;        // ends the connection with the test, before seen goes
    QObject::connect(&m_history, &CEditHistory::inputsRestored, &listener,
                     [&seen](bool input) { seen.push_back(input); });
    ChangeAngle(45.0f);
    EXPECT_TRUE(seen.empty());
    m_history.Stack().undo();
    m_history.Stack().redo();
    EXPECT_EQ(seen, std::vector<bool>({true, true}));
    EXPECT_FALSE(m_history.Push(CProfileCommand::Make(m_doc, m_doc.Ambient()->Rows())));

    // The jet model does not read the cut plane: its edit leaves results valid.
    const CutPlaneSettings before = CutPlaneSettings::Of(m_doc.m_CutPlane);
    m_doc.m_CutPlane.m_dDistance += 5.0;
    ASSERT_TRUE(m_history.Push(CCutPlaneCommand::Made(m_doc, before)));
    seen.clear();
    m_history.Stack().undo();
    EXPECT_EQ(seen, std::vector<bool>({false}));
    // Going back over the angle too reports a change of the model's input.
    seen.clear();
    m_history.Stack().setIndex(0);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(seen.back());
}
