// Generator of the help pages' pictures of the program's own windows: the
// new-case wizard, the input bar, the data pane, the plane view and the
// start page, each grabbed from the real widget on the bundled example
// cases. It runs on Qt's offscreen platform (no display needed), with a
// fixed style and font so that a rebuild gives the same pictures.
//   plumex_widgetpictures DEMO.json DIFFUSER.json CONTINUOUS-CASE.pmx HELP-FOLDER
// DEMO.json and DIFFUSER.json are the example cases with and without risers;
// CONTINUOUS-CASE.pmx is the demo case computed in continuous mode, whose
// plumes reach the cross-section 40 m downstream. HELP-FOLDER holds the help
// pages (the wizard and the start page show them) and receives the PNGs.
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "base/Archive.h"
#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "model/Ambient.h"
#include "model/CaseJson.h"
#include "ui/AmbientGrid.h"
#include "ui/DataView.h"
#include "ui/DocEventBridge.h"
#include "ui/HelpBrowser.h"
#include "ui/InputBar.h"
#include "ui/NewCaseDlg.h"
#include "ui/PlaneView.h"
#include "ui/StartPage.h"

namespace {
// Messages go to standard error, so that a value the forms refuse shows in
// the build log; questions are answered Yes (the generator deletes a
// scratch outfall through the wizard's own button).
class CBuildPrompt : public CPrompt {
public:
    void Inform(const std::string& text, PromptIcon) override {
        std::fprintf(stderr, "plumex_widgetpictures: message: %s\n", text.c_str());
        ++m_nMessages;
    }
    bool AskYesNo(const std::string&) override { return true; }
    PromptAnswer AskYesNoCancel(const std::string&) override { return PromptAnswer::Yes; }
    int m_nMessages = 0;
};

class CPictureWriter {
public:
    explicit CPictureWriter(const QString& folder) : m_folder(folder) {}
    // Saves the part rect of widget (the whole widget for a null rect).
    void Save(QWidget& widget, const char* name, const QRect& rect = QRect()) {
        QApplication::processEvents();
        const QPixmap picture = widget.grab(rect.isNull() ? QRect(QPoint(0, 0), widget.size()) : rect);
        const QString path = m_folder + "/" + name;
        if (picture.isNull() || !picture.save(path, "PNG")) {
            std::fprintf(stderr, "plumex_widgetpictures: cannot write %s\n", qPrintable(path));
            m_bOk = false;
        }
    }
    bool Ok() const { return m_bOk; }
    void Fail(const char* what) {
        std::fprintf(stderr, "plumex_widgetpictures: %s\n", what);
        m_bOk = false;
    }

private:
    QString m_folder;
    bool m_bOk = true;
};

bool ReadCase(const char* path, CPlumexDoc& doc) {
    QFile f(QString::fromLocal8Bit(path));
    if (!f.open(QIODevice::ReadOnly)) return false;
    std::vector<CaseJsonProblem> problems;
    if (ReadCaseJson(f.readAll().toStdString(), doc, problems)) return true;
    for (const CaseJsonProblem& p : problems)
        std::fprintf(stderr, "plumex_widgetpictures: %s: %s %s\n", path, p.m_strPath.c_str(), p.m_strMessage.c_str());
    return false;
}

// The part of w from the top of `from` to the bottom of `to` (both inside w).
QRect Span(QWidget& w, QWidget* from, QWidget* to) {
    const int top = from->mapTo(&w, QPoint(0, 0)).y();
    const int bottom = to->mapTo(&w, QPoint(0, to->height())).y();
    return QRect(0, top, w.width(), bottom - top);
}

QTreeWidgetItem* FindItem(QTreeWidget& tree, const QString& text) {
    const auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// Selects the item as a user would, by a click on it.
bool ClickItem(QTreeWidget& tree, const QString& text) {
    QTreeWidgetItem* item = FindItem(tree, text);
    if (!item) return false;
    tree.scrollToItem(item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, tree.visualItemRect(item).center());
    QApplication::processEvents();  // the layouts follow the form now shown
    return tree.currentItem() == item;
}

// Brings the example's structure into the wizard's structure page: the
// outfalls go into the case, then an outfall made with "Create an Outfall"
// and removed again with the delete button makes the wizard show them all.
bool LoadStructure(CNewCaseDlg& wizard, CPlumexDoc& doc, CPlumexDoc& example) {
    QStringList names;
    for (const auto& o : example.Outfalls()) names << QString::fromStdString(o->m_strName);
    // Each outfall goes over as the case stream carries it.
    for (const auto& o : example.Outfalls()) {
        CArchive out;
        out.SetFileVersion(kCurrentFileVersion);
        o->Serialize(out);
        CArchive in(out.Data());
        in.SetFileVersion(kCurrentFileVersion);
        auto copy = std::make_unique<CRiser>();
        copy->Serialize(in);
        doc.InsertOutfall(doc.GetOutfallCount(), std::move(copy));
    }
    doc.m_nCurrentOutfall = 0;
    QTest::mouseClick(wizard.CreateButton(), Qt::LeftButton);
    QTreeWidget& tree = *wizard.Tree();
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        const QString text = tree.topLevelItem(i)->text(0);
        if (names.contains(text)) continue;
        if (!ClickItem(tree, text)) return false;
        QTest::mouseClick(wizard.DeleteButton(), Qt::LeftButton);
        break;
    }
    return tree.topLevelItemCount() == names.size();
}

// Gives the wizard's grid the example's levels: "Add a Level" once per
// level, then the example's values over the proposed ones.
void TypeProfile(CNewCaseDlg& wizard, const CAmbient& ambient) {
    for (std::size_t i = 0; i < ambient.Rows().size(); ++i) QTest::mouseClick(wizard.AddLevelButton(), Qt::LeftButton);
    wizard.Grid()->SetRows(ambient.Rows());
}

// The wizard below its help text (the page the picture goes into says it).
QRect BelowHelp(CNewCaseDlg& wizard) {
    const int top = wizard.Help()->geometry().bottom() + 1;
    return QRect(0, top, wizard.width(), wizard.height() - top);
}

void WizardPictures(const char* demoJson, const QString& helpFolder, CPrompt& prompt, CPictureWriter& out) {
    CAppState state;
    CPlumexDoc doc(state, prompt), demo(state, prompt);
    if (!ReadCase(demoJson, demo)) return out.Fail("cannot read the demo case");
    doc.ResetToNew();
    CNewCaseDlg wizard(doc, false, helpFolder);
    wizard.show();
    TypeProfile(wizard, *demo.Ambient());
    out.Save(wizard, "wizard-ambient.png", BelowHelp(wizard));
    QTest::mouseClick(wizard.NextButton(), Qt::LeftButton);
    if (wizard.Page() != 1) return out.Fail("the wizard refused the demo profile");
    out.Save(wizard, "wizard-scenario.png", BelowHelp(wizard));
    QTest::mouseClick(wizard.NextButton(), Qt::LeftButton);
    if (wizard.Page() != 2) return out.Fail("the wizard did not reach its structure page");
    if (!LoadStructure(wizard, doc, demo)) return out.Fail("cannot show the demo structure in the wizard");
    // The whole page with the outfall; the riser and the jet show only their form.
    const struct {
        const char* item;
        const char* picture;
        bool formOnly;
    } shots[] = {{"Main outfall", "wizard-outfall.png", false},
                 {"Riser 1", "wizard-riser.png", true},
                 {"R1 port 1", "wizard-jet.png", true}};
    for (const auto& s : shots) {
        if (!ClickItem(*wizard.Tree(), s.item)) return out.Fail("an item of the demo case is missing");
        QWidget* group = wizard.ItemGroup();
        out.Save(wizard, s.picture,
                 s.formOnly ? QRect(group->mapTo(&wizard, QPoint(0, 0)), group->size()) : BelowHelp(wizard));
    }
}

void WizardWithoutRisersPicture(const char* diffuserJson, const QString& helpFolder, CPrompt& prompt,
                                CPictureWriter& out) {
    CAppState state;
    CPlumexDoc doc(state, prompt), diffuser(state, prompt);
    if (!ReadCase(diffuserJson, diffuser)) return out.Fail("cannot read the diffuser case");
    doc.ResetToNew();
    CNewCaseDlg wizard(doc, true, helpFolder);
    wizard.show();
    TypeProfile(wizard, *diffuser.Ambient());
    QTest::mouseClick(wizard.NextButton(), Qt::LeftButton);
    QTest::mouseClick(wizard.NextButton(), Qt::LeftButton);
    if (wizard.Page() != 2 || !wizard.NoRiser()) return out.Fail("the wizard refused the diffuser profile");
    const QString outfall = QString::fromStdString(diffuser.Outfalls().at(0)->m_strName);
    if (!LoadStructure(wizard, doc, diffuser) || !ClickItem(*wizard.Tree(), outfall))
        return out.Fail("cannot show the diffuser structure in the wizard");
    out.Save(wizard, "wizard-noriser.png", BelowHelp(wizard));
}

void InputBarPictures(const char* demoJson, CPrompt& prompt, CPictureWriter& out) {
    CAppState state;
    CPlumexDoc doc(state, prompt);
    if (!ReadCase(demoJson, doc)) return out.Fail("cannot read the demo case");
    CInputBar bar(prompt);
    bar.resize(400, 1100);
    bar.show();
    bar.SetCase(&doc, true);
    QApplication::processEvents();
    out.Save(bar, "inputbar-ambient.png", Span(bar, bar.SectionHeader(0), bar.SectionBody(0)));
    // The jet with the structure tree above its form; the outfall and the
    // riser with their form only.
    const struct {
        const char* item;
        const char* picture;
        int fromSection;
    } shots[] = {{"Main outfall", "inputbar-outfall.png", 2},
                 {"Riser 1", "inputbar-riser.png", 2},
                 {"R1 port 1", "inputbar-jet.png", 1}};
    for (const auto& s : shots) {
        if (!ClickItem(*bar.Tree(), s.item)) return out.Fail("an item of the demo case is missing");
        out.Save(bar, s.picture, Span(bar, bar.SectionHeader(s.fromSection), bar.SectionBody(2)));
    }
}

// Types text over the box's contents and leaves the box (no focus colour).
void TypeInto(QLineEdit& box, const char* text) {
    QTest::mouseClick(&box, Qt::LeftButton);
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&box, text);
    QTest::keyClick(&box, Qt::Key_Return);
    box.clearFocus();
}

// The data pane and the plane view on the cross-section 40 m downstream,
// chosen as a user does: the kind's radio button, then the distance typed.
void PanePictures(const char* continuousCase, CPrompt& prompt, CPictureWriter& out) {
    CAppState state;
    CPlumexDoc doc(state, prompt);
    if (!doc.OpenCase(continuousCase)) return out.Fail("cannot open the computed demo case");
    CDocEventBridge bridge(doc);
    CPlaneView plane(doc);
    CDataView data(doc);
    QObject::connect(&bridge, &CDocEventBridge::docEvent, &plane, &CPlaneView::OnDocEvent);
    QObject::connect(&bridge, &CDocEventBridge::docEvent, &data, &CDataView::OnDocEvent);
    // The plane view about as wide and flat as the section; the data pane
    // tall enough to show its whole form without scrolling.
    plane.resize(560, 200);
    auto* form = data.findChild<QScrollArea*>();
    data.resize(470, form && form->widget() ? form->widget()->sizeHint().height() : 700);
    plane.show();
    data.show();
    auto* radio = data.findChild<QRadioButton*>("kind2");
    auto* distance = data.findChild<QLineEdit*>("distance");
    if (!radio || !distance) return out.Fail("the data pane has no cross-section controls");
    QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
    TypeInto(*distance, "40");
    // Probe the section over the first riser's plumes, as the mouse moving
    // over the plane view does (the offscreen platform has no cursor to move).
    const QPoint probe(plane.Dest().left + plane.Dest().Width() * 28 / 100,
                       plane.Dest().top + plane.Dest().Height() / 2);
    QMouseEvent move(QEvent::MouseMove, probe, plane.mapToGlobal(probe), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&plane, &move);
    QApplication::processEvents();
    if (data.Dilution() <= 0.0) return out.Fail("the plane 40 m downstream cuts no plume");
    out.Save(plane, "planeview.png");
    out.Save(data, "datapane-area.png");
    // The Disk page shows the current disk: a plane normal to the current
    // jet at disk 100 makes it one.
    auto* normal = data.findChild<QRadioButton*>("kind3");
    auto* disk = data.findChild<QLineEdit*>("diskNo");
    if (!normal || !disk) return out.Fail("the data pane has no normal plane controls");
    QTest::mouseClick(normal, Qt::LeftButton, Qt::NoModifier, QPoint(8, normal->height() / 2));
    TypeInto(*disk, "100");
    data.SelectPage(1);
    out.Save(data, "datapane-disk.png");
}

void StartPagePicture(const QString& helpFolder, CPictureWriter& out) {
    QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath("plumex.ini"), QSettings::IniFormat);
    CStartPage start(helpFolder, settings);
    // Low enough that the picture shows the links and the buttons, not
    // much of the scene picture on the page.
    start.resize(480, 400);
    start.show();
    out.Save(start, "start-page.png");
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: plumex_widgetpictures DEMO.json DIFFUSER.json CONTINUOUS-CASE.pmx HELP-FOLDER\n");
        return 2;
    }
    // The pictures must not depend on the machine's display, theme or fonts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setFont(QFont("DejaVu Sans", 9));
    const QString folder = QString::fromLocal8Bit(argv[4]);
    CPictureWriter out(folder);
    CBuildPrompt prompt;
    WizardPictures(argv[1], folder, prompt, out);
    WizardWithoutRisersPicture(argv[2], folder, prompt, out);
    InputBarPictures(argv[1], prompt, out);
    PanePictures(argv[3], prompt, out);
    StartPagePicture(folder, out);
    // A message means that a form refused a value: its picture would show
    // something other than the example.
    if (prompt.m_nMessages > 0) out.Fail("the program refused a value of the examples (see above)");
    return out.Ok() ? 0 : 1;
}
