#pragma once

#include <QWidget>

class QToolBar;
class QToolButton;
class TCEdit;

// The chart pane (pnlChartParent): the chart tool bar ToolBar2 above the chart
// Chart1. It plots every decoded reading and pages through them.
class TChartPane : public QWidget {
    Q_OBJECT
public:
    explicit TChartPane(QWidget* parent = nullptr);

    // Per decoded frame: plot the value, show the page, set the value axis ±fullScale.
    void plotValue(double displayValue, int fullScale);
    // Back to the first page with no readings; edtCurPage shows the page now shown.
    int clearChart();

    QToolBar* ToolBar2 = nullptr;
    TCEdit* edtRange = nullptr;
    QToolButton* btnFirst = nullptr;
    QToolButton* btnPrevious = nullptr;
    TCEdit* edtCurPage = nullptr;
    QToolButton* btnNext = nullptr;
    QToolButton* btnLast = nullptr;
    QToolButton* btnNew = nullptr;
    QToolButton* btnSave = nullptr;
    QToolButton* btnFly = nullptr;
    QToolButton* btnChartZoomOut = nullptr;
    QWidget* Chart1 = nullptr;

signals:
    // btnNew: the window asks for confirmation and clears records and chart.
    void clearRequested();
    void flyRequested();
    void zoomOutRequested();
};
