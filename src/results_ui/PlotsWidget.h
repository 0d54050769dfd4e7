#pragma once
#ifndef PLUMEX_LAYER_RESULTS_UI
#error "a header of plumex_results_ui, included by a library that does not link it"
#endif
// The "Plots" window: 2-D plots of the computed jets drawn with Qt Charts.
// A list picks the jets (the selected jet by default), a box the plot kind;
// every jet keeps its palette colour, the cut plane is marked where it
// crosses a jet, the chart zooms and pans with the mouse and shows the
// values under the cursor. Each plot exports as PNG, SVG and CSV. The
// values come from the core's plot series; this window only draws them.
#include <QWidget>
#include <set>

#include "plot/PlotData.h"

class CPlumexDoc;
class CPlotChartView;
class QChart;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

class CPlotsWidget : public QWidget {
    Q_OBJECT
public:
    explicit CPlotsWidget(QWidget* parent = nullptr);

    // The case to plot; not owned, may be null.
    void SetDocument(CPlumexDoc* doc);
    void SetKind(PlotKind kind);
    PlotKind Kind() const;
    // The plot as shown now.
    const PlotData& Plot() const { return m_Plot; }
    // Places in the case of the jets shown now.
    std::set<int> ShownJets() const;

    // Write the plot as shown (PNG or SVG picture) or its points (CSV); false
    // with a message in error when the file cannot be written.
    bool ExportPng(const QString& path, QString& error) const;
    bool ExportSvg(const QString& path, QString& error) const;
    bool ExportCsv(const QString& path, QString& error) const;

    QListWidget* JetList() const { return m_pList; }
    CPlotChartView* ChartView() const { return m_pView; }
    QLabel* CursorLabel() const { return m_pCursor; }

public slots:
    // Re-reads the jets, their results, the selection and the cut plane of
    // the case (after a run, a load, a new selection or a moved plane).
    void Refresh();

private slots:
    void OnItemChanged(QListWidgetItem* item);
    void OnCursor(double x, double y, bool inside);
    void ExportWithDialog(const QString& kind);

private:
    void FillList();
    void Rebuild();

    CPlumexDoc* m_pDoc = nullptr;
    QListWidget* m_pList = nullptr;
    QComboBox* m_pKind = nullptr;
    CPlotChartView* m_pView = nullptr;
    QChart* m_pChart = nullptr;
    QLabel* m_pCursor = nullptr;
    PlotData m_Plot;
    std::set<int> m_Chosen;     // jets the user ticked, by place in the case
    bool m_bUserChose = false;  // until then the selected jet is shown
    bool m_bFilling = false;
};
