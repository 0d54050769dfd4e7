#include "results_ui/PlotsDock.h"

#include <QDockWidget>
#include <QMainWindow>

#include "results_ui/PlotsWidget.h"

QDockWidget* CreatePlotsDock(QMainWindow* window, CPlumexDoc* doc, CPlotsWidget** widget) {
    auto* dock = new QDockWidget("Plots", window);
    dock->setObjectName("plotsDock");
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    auto* plots = new CPlotsWidget(dock);
    plots->SetDocument(doc);
    dock->setWidget(plots);
    // Below the case windows: a plot wants width, and the panes beside the
    // 3-D view keep theirs.
    window->addDockWidget(Qt::BottomDockWidgetArea, dock);
    dock->hide();
    if (widget) *widget = plots;
    return dock;
}
