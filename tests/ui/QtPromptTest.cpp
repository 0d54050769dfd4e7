// The prompt's message boxes with real keys and clicks: a question with its
// own button captions answers by the button that was pressed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/QtPrompt.h"

namespace {
// Runs act on the message box once it is up, while the prompt waits in it.
void WhenBoxShows(const std::function<void(QMessageBox&)>& act) {
    QTimer::singleShot(0, [act] {
        QMessageBox* box = nullptr;
        for (int i = 0; i < 200 && !box; ++i) {
            box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) QTest::qWait(10);
        }
        ASSERT_NE(box, nullptr);
        act(*box);
    });
}

QStringList Captions(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* b : box.buttons()) texts << b->text();
    return texts;
}

QAbstractButton* ButtonNamed(const QMessageBox& box, const QString& text) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == text) return b;
    return nullptr;
}

const PromptChoices kClose{"Close", "Keep open", "Cancel"};
}  // namespace

TEST(QtPrompt, AChoiceShowsItsCaptionsAndAnswersByTheButtonPressed) {
    CQtPrompt prompt;
    QStringList shown;
    WhenBoxShows([&shown](QMessageBox& box) {
        shown = Captions(box);
        QTest::mouseClick(ButtonNamed(box, "Keep open"), Qt::LeftButton);
    });
    EXPECT_EQ(prompt.AskChoice("Close the file a.pmx?", kClose), PromptAnswer::No);
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"Cancel", "Close", "Keep open"}));
    // Enter takes the first choice, Escape cancels.
    WhenBoxShows([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_EQ(prompt.AskChoice("Close the file a.pmx?", kClose), PromptAnswer::Yes);
    WhenBoxShows([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(prompt.AskChoice("Close the file a.pmx?", kClose), PromptAnswer::Cancel);
}
