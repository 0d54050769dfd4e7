// Shows a computed case's cross-section in the plane view beside the data
// pane and saves a grab as PNG, to look at it (not a test). The plane is
// chosen as a user would: the kind's radio button, then the distance typed.
//   xvfb-run -a -s '-screen 0 1280x1024x24' build/bin/section_screenshot CASE.pmx KIND DISTANCE OUT.png
#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <cstdio>

#include "base/AppState.h"
#include "base/StderrPrompt.h"
#include "document/PlumexDoc.h"
#include "ui/DataView.h"
#include "ui/DocEventBridge.h"
#include "ui/PlaneView.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: section_screenshot CASE.pmx KIND DISTANCE OUT.png\n");
        return 2;
    }
    CAppState state;
    CStderrPrompt prompt;
    CPlumexDoc doc(state, prompt);
    if (!doc.OpenCase(argv[1])) return 1;
    CDocEventBridge bridge(doc);
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* plane = new CPlaneView(doc);
    auto* data = new CDataView(doc);
    layout->addWidget(plane, 3);
    layout->addWidget(data, 2);
    QObject::connect(&bridge, &CDocEventBridge::docEvent, plane, &CPlaneView::OnDocEvent);
    QObject::connect(&bridge, &CDocEventBridge::docEvent, data, &CDataView::OnDocEvent);
    window.resize(1000, 720);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    auto* radio = data->findChild<QRadioButton*>(QString("kind%1").arg(argv[2]));
    if (!radio) return 2;
    QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
    auto* distance = data->findChild<QLineEdit*>("distance");
    QTest::mouseClick(distance, Qt::LeftButton);
    QTest::keyClick(distance, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(distance, argv[3]);
    // Probe the middle of the section, as a mouse over the plane view would.
    QTest::mouseMove(plane, QPoint(plane->Dest().left + plane->Dest().Width() / 2, plane->Dest().Height() / 2));
    QTest::qWait(200);
    const bool ok = window.grab().save(argv[4], "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "cannot write", argv[4]);
    return ok ? 0 : 1;
}
