// A case read and written by a job of the command line, with no 3-D view
// open, keeps the camera block of its file byte for byte: width, height and
// aspect of the window it was saved from included.
#include <gtest/gtest.h>

#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

#include "CaseBuilder.h"
#include "CliRunner.h"
#include "base/AppState.h"
#include "base/Archive.h"
#include "model/Case.h"
#include "model/CaseFile.h"
#include "support/CaseStream.h"
#include "support/ScriptedPrompt.h"

TEST(StoredCameraJobs, BatchKeepsTheCameraBlockAsRead) {
    QTemporaryDir dir;
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSmallCase(doc, false);
    // A camera no fresh case has: an odd window, moved and narrowed.
    doc.m_ViewControl.SetWindowSize(1234, 567);
    doc.m_ViewControl.OrbitAboutUp(17.0);
    doc.m_ViewControl.Dolly(0.7);
    doc.m_ViewControl.ScaleFieldOfView(0.8);
    CArchive ar;
    doc.m_ViewControl.Serialize(ar);
    const std::vector<unsigned char> camera(ar.Data().begin(), ar.Data().end());
    ASSERT_EQ(camera.size(), 112u);
    const QString in = dir.filePath("in.pmx"), out = dir.filePath("out.pmx");
    ASSERT_TRUE(doc.SaveCase(in.toStdString()));

    const std::vector<unsigned char> before = StreamOf(in);
    const auto at = std::search(before.begin(), before.end(), camera.begin(), camera.end());
    ASSERT_NE(at, before.end()) << "the case file holds the camera block";
    const auto offset = at - before.begin();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PLUMEX_MODEL", PLUMEX_FAKE_MODEL);
    env.insert("PLUMEX_FAKE_MODE", "echo");
    const CliResult r = FinishPlumex(*StartPlumex({"--batch", in, "--out", out}, env, dir.path()));
    ASSERT_EQ(r.exitCode, 0) << r.err;

    const std::vector<unsigned char> after = StreamOf(out);
    ASSERT_NE(after, before) << "the batch wrote results";
    ASSERT_GE(after.size(), std::size_t(offset) + camera.size());
    EXPECT_TRUE(std::equal(camera.begin(), camera.end(), after.begin() + offset));
}
