#pragma once

#include "MeterReading.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QTableView;
class QToolBar;
class QToolButton;
class TCEdit;

// The record pane: the record tool bar ToolBar4 above the grid DBGrid1 that shows
// the record table cds1.
class TRecordPane : public QWidget {
    Q_OBJECT
public:
    explicit TRecordPane(QWidget* parent = nullptr);

    // Appends one row built from the reading (called for every recorded frame).
    void appendRecord(const MeterReading& reading);
    // Empties the table and its log of insertions.
    void clearRecords();
    // "Repeat" and "Sampling Interval" as checked now.
    bool repeatChecked() const;
    bool samplingChecked() const;
    // Shows the pane's information messages ("Save table to specified file: …");
    // the window routes them to its message dialog.
    void setInformationHandler(std::function<void(const QString&)> handler);

    QToolBar* ToolBar4 = nullptr;
    QCheckBox* cbRepeat = nullptr;
    QCheckBox* cbInterval = nullptr;
    TCEdit* edtRecInterval = nullptr;
    QLabel* lblSeconds = nullptr;
    QToolButton* btnRecordNew = nullptr;
    QToolButton* btnRecordOpen = nullptr;
    QToolButton* btnRecordSave = nullptr;
    QToolButton* btnRecordPrint = nullptr;
    QToolButton* btnRecordFly = nullptr;
    QToolButton* btnGridZoomout = nullptr;
    QTableView* DBGrid1 = nullptr;

private:
    std::function<void(const QString&)> m_information;

signals:
    // "Repeat" changed: the decoder records every frame while it is checked.
    void repeatChanged(bool checked);
    // A tick of timerInterval: the window decodes the newest waiting frame.
    void samplingTick();
    // "Sampling Interval" switched on or off.
    void samplingChanged(bool enabled);
    // btnRecordNew: the window asks for confirmation and clears records and chart.
    void clearRequested();
    void printRequested();
    void flyRequested();
    void zoomOutRequested();
};
