#pragma once

#include "MeterReading.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QTableView;
class QTimer;
class QToolBar;
class QToolButton;
class RecordTable;
class TCEdit;
class TIntervalTimer;
class TRecordModel;

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
    // Shows the pane's error messages ("Failed to Load File!"); by default the system
    // error box without owner window.
    void setErrorHandler(std::function<void(const QString&)> handler);
    // The file dialogs SaveDialog2 and OpenDialog1: return the chosen file name, or an
    // empty text when the user cancels. By default the real dialogs.
    void setSaveDialog(std::function<QString()> dialog);
    void setOpenDialog(std::function<QString()> dialog);
    // The separator between hours, minutes and seconds in aTime (the locale's by default).
    void setTimeSeparator(QChar separator) { m_timeSeparator = separator; }

    // The grid's column titles in their current display order (the text file's header).
    QStringList columnTitlesInDisplayOrder() const;

    // Writes cds1 to the file in the form its extension selects and reports the outcome.
    void DBToFiles(const QString& fileName);
    // Reads the file into cds1 (emptied first when emptyFirst), reporting a failure.
    void AnyToCds(const QString& fileName, bool emptyFirst);

    // Handlers of the tool bar and the timers.
    void cbRepeatClick();
    void cbIntervalClick();
    void edtRecIntervalChange();
    void timerInputDelayTimer();
    void timerIntervalTimer();
    void btnRecordSaveClick();
    void btnRecordOpenClick();

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
    RecordTable* cds1 = nullptr;
    TRecordModel* Data1 = nullptr;
    // The sampling period (1 s at start, then the validated interval); runs exactly while
    // "Sampling Interval" is checked.
    TIntervalTimer* timerInterval = nullptr;
    // Validates the interval text one second after its last change.
    QTimer* timerInputDelay = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpGrid();
    void showCurrentRow(int row);
    void inform(const QString& text);
    QString runSaveDialog();
    QString runOpenDialog();

    std::function<void(const QString&)> m_information;
    std::function<void(const QString&)> m_error;
    std::function<QString()> m_saveDialog;
    std::function<QString()> m_openDialog;
    QChar m_timeSeparator;

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
