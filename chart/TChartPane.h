#pragma once

#include <QChar>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class ChartView;
class QTimer;
class QToolBar;
class QToolButton;
class TCEdit;
class TChartControl;

// The chart pane (pnlChartParent): the chart tool bar ToolBar2 above the chart
// Chart1. It plots every decoded reading and pages through them.
class TChartPane : public QWidget {
    Q_OBJECT
public:
    // Asks for the file to save the chart picture to; an empty text means cancelled.
    using PictureFileChooser = std::function<QString(QWidget* parent)>;

    explicit TChartPane(QWidget* parent = nullptr);
    ~TChartPane() override;

    // Per decoded frame: plot the value, show the page, set the value axis ±fullScale.
    void plotValue(double displayValue, int fullScale);
    // Back to the first page with no readings; edtCurPage shows the page now shown.
    int clearChart();

    // The decimal separator the range box lets through (the locale's, by default).
    void setDecimalSeparator(QChar separator) { m_decimalSeparator = separator; }
    QChar decimalSeparator() const { return m_decimalSeparator; }
    // Replaces SavePictureDialog1 (tests choose the file without a modal dialog).
    void setPictureFileChooser(PictureFileChooser chooser);

    ChartView* chartView() const { return m_chartView; }
    TChartControl& chartPager() const { return *m_chartPager; }

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
    // Applies the page size one second after the last change of edtRange.
    QTimer* Timer_range = nullptr;

public slots:
    void btnFirstClick();
    void btnPreviousClick();
    void btnNextClick();
    void btnLastClick();
    // Saves the chart's picture as a bitmap; a file that cannot be created is reported
    // in the system's error box and nothing is written.
    void btnSaveClick();
    void edtRangeChange();
    void Timer_rangeTimer();

signals:
    // btnNew: the window asks for confirmation and clears records and chart.
    void clearRequested();
    void flyRequested();
    void zoomOutRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void showPage(int page);
    bool savePicture(const QString& fileName);

    ChartView* m_chartView = nullptr;
    std::unique_ptr<TChartControl> m_chartPager;
    QChar m_decimalSeparator;
    PictureFileChooser m_pictureFileChooser;
};
