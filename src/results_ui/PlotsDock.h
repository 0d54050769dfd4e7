#pragma once
#ifndef PLUMEX_LAYER_RESULTS_UI
#error "a header of plumex_results_ui, included by a library that does not link it"
#endif
// The plots window as a dock of the main window (below the case windows,
// movable and floatable).
class CPlumexDoc;
class CPlotsWidget;
class QDockWidget;
class QMainWindow;

// Makes the "Plots" dock with its plots widget on the case (may be null),
// adds it to the main window hidden; the View menu shows it with
// dock->toggleViewAction() or dock->show().
QDockWidget* CreatePlotsDock(QMainWindow* window, CPlumexDoc* doc, CPlotsWidget** widget = nullptr);
