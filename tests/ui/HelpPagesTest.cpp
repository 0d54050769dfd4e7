// The help pages as the build puts them beside the program: every link leads
// to a page or anchor that exists, every picture exists, shows something and
// fits the help window undistorted, every page can be reached from the
// contents, and the start page carries the program's five command links.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <map>

#include "ui/HelpBrowser.h"
#include "ui/HelpWindow.h"
#include "ui/StartPage.h"

namespace {
const QString kFolder = QString::fromUtf8(PLUMEX_HELP_DIR);

struct Page {
    QString text;
    QStringList links;      // href values
    QStringList pictures;   // img src values
    QSet<QString> anchors;  // id and name values
};

QStringList Captures(const QString& text, const QString& pattern) {
    QStringList out;
    auto it = QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption).globalMatch(text);
    while (it.hasNext()) out << it.next().captured(1);
    return out;
}

std::map<QString, Page> ReadPages() {
    std::map<QString, Page> pages;
    for (const QString& name : QDir(kFolder).entryList({"*.htm", "*.html"}, QDir::Files)) {
        QFile f(kFolder + "/" + name);
        if (!f.open(QIODevice::ReadOnly)) continue;
        Page p;
        p.text = QString::fromUtf8(f.readAll());
        p.links = Captures(p.text, R"re(<a\s[^>]*href\s*=\s*"([^"]*)")re");
        p.pictures = Captures(p.text, R"re(<img\s[^>]*src\s*=\s*"([^"]*)")re");
        for (const QString& a : Captures(p.text, R"re(\s(?:id|name)\s*=\s*"([^"]*)")re")) p.anchors.insert(a);
        pages[name] = p;
    }
    return pages;
}

bool IsExternal(const QUrl& url) {
    return url.scheme() == "http" || url.scheme() == "https" || url.scheme() == "mailto";
}

const QStringList kCommands = {CHelpBrowser::kNewCase, CHelpBrowser::kOpenCase, CHelpBrowser::kTutorial,
                               CHelpBrowser::kHelp, CHelpBrowser::kBack};

TEST(HelpPages, TheNamedPagesExist) {
    for (const char* name : {CStartPage::kPage, CHelpWindow::kContents, CHelpWindow::kTutorial, "Ambienthelp.htm",
                             "twomode.htm", "Outfallhelp.htm", "Outfallhelp_Noriser.htm", "model.htm"})
        EXPECT_TRUE(QFileInfo(kFolder + "/" + name).isFile()) << name;
}

TEST(HelpPages, EveryLinkLeadsToAPageOrAnchorThatExists) {
    const auto pages = ReadPages();
    ASSERT_GT(pages.size(), 10u);
    for (const auto& [name, page] : pages) {
        for (const QString& href : page.links) {
            SCOPED_TRACE((name + " -> " + href).toStdString());
            const QUrl url(href);
            if (url.scheme() == "plumex") {
                EXPECT_TRUE(kCommands.contains(href)) << "unknown command link";
                continue;
            }
            if (IsExternal(url)) continue;
            ASSERT_TRUE(url.isRelative()) << "a help page links only to pages beside it";
            const QString target = url.path().isEmpty() ? name : url.path();
            const auto it = pages.find(target);
            ASSERT_TRUE(it != pages.end()) << "no such page";
            if (url.hasFragment()) {
                EXPECT_TRUE(it->second.anchors.contains(url.fragment())) << "no such anchor";
            }
        }
    }
}

TEST(HelpPages, EveryPictureExistsAndShowsSomething) {
    int pictures = 0;
    for (const auto& [name, page] : ReadPages()) {
        for (const QString& src : page.pictures) {
            SCOPED_TRACE((name + " -> " + src).toStdString());
            ++pictures;
            const QImage image(kFolder + "/" + src);
            ASSERT_FALSE(image.isNull()) << "missing or unreadable";
            // A drawing that failed comes out as one flat colour.
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); y += 4)
                for (int x = 0; x < image.width() && colours.size() < 50; x += 4) colours.insert(image.pixel(x, y));
            EXPECT_GE(colours.size(), 20);
        }
    }
    EXPECT_GE(pictures, 15);
}

// The size a page gives a picture (its width and height attributes, or its
// own size): it must fit the help window and keep the picture's shape.
TEST(HelpPages, EveryPictureFitsTheHelpWindowUndistorted) {
    for (const auto& [name, page] : ReadPages()) {
        for (const QString& tag : Captures(page.text, R"re((<img\s[^>]*>))re")) {
            SCOPED_TRACE((name + ": " + tag).toStdString());
            const QStringList src = Captures(tag, R"re(\ssrc\s*=\s*"([^"]*)")re");
            ASSERT_EQ(src.size(), 1);
            const QImage image(kFolder + "/" + src.first());
            if (image.isNull()) continue;  // reported by the test above
            EXPECT_GE(image.width(), 100);
            EXPECT_GE(image.height(), 40);
            const QStringList w = Captures(tag, R"re(\swidth\s*=\s*"(\d+)")re");
            const QStringList h = Captures(tag, R"re(\sheight\s*=\s*"(\d+)")re");
            const int shownWidth = w.isEmpty() ? image.width() : w.first().toInt();
            EXPECT_LE(shownWidth, 900) << "wider than the help window";
            if (!w.isEmpty() && !h.isEmpty()) {
                const double shown = w.first().toDouble() / h.first().toDouble();
                EXPECT_NEAR(shown, double(image.width()) / image.height(), 0.02 * shown) << "distorted";
            }
        }
    }
}

TEST(HelpPages, EveryPageCanBeReachedFromTheContents) {
    const auto pages = ReadPages();
    QSet<QString> reached{CHelpWindow::kContents};
    QStringList todo{CHelpWindow::kContents};
    while (!todo.isEmpty()) {
        const auto it = pages.find(todo.takeFirst());
        if (it == pages.end()) continue;
        for (const QString& href : it->second.links) {
            const QUrl url(href);
            if (!url.isRelative() || url.path().isEmpty() || reached.contains(url.path())) continue;
            reached.insert(url.path());
            todo << url.path();
        }
    }
    for (const auto& [name, page] : pages) {
        if (name != CStartPage::kPage) {
            EXPECT_TRUE(reached.contains(name)) << name.toStdString();
        }
    }
}

TEST(HelpPages, TheStartPageCarriesTheFiveCommands) {
    const auto pages = ReadPages();
    const auto it = pages.find(CStartPage::kPage);
    ASSERT_TRUE(it != pages.end());
    for (const QString& command : kCommands) EXPECT_TRUE(it->second.links.contains(command)) << command.toStdString();
}
}  // namespace
