#pragma once

#include "MeterReading.h"

#include <QFrame>

#include <cstdint>

class QLabel;
class TCEdit;
class TLcdBar;

// The virtual LCD pnlLcd (453 × 245): the two value boxes, mode and unit labels,
// annunciators, battery gauge, bar graph, sorting indication, the USB annunciator and
// the communication indicator. It only shows; nothing on it takes input.
class TLcdPanel : public QFrame {
    Q_OBJECT
public:
    explicit TLcdPanel(QWidget* parent = nullptr);

    // Brings every element up to date from the reading, once per decoded frame. The
    // steps keyed on a code (units, annunciators, battery, frequency, sorting) touch
    // their elements only when the code differs from the one they last showed.
    void UpdateLcd(const MeterReading& reading, int fullScale, double displayValue);
    // Once per received chunk: CONok and CONokN swap their visibility.
    void flipCommIndicator();
    // The USB annunciator follows the link state.
    void setUsbShown(bool shown);
    // The primary box shows this text (the parallel-capacitance whole number).
    void showPrimaryText(const QString& text);

    // How many times an on-change step found a new code and touched its elements.
    std::uint64_t onChangeUpdates() const { return m_onChangeUpdates; }

    QLabel* CONokN = nullptr;
    QLabel* CONok = nullptr;
    QLabel* lcdHold = nullptr;
    QLabel* lcdAuto = nullptr;
    QLabel* lcdLCR = nullptr;
    QLabel* lcdRel = nullptr;
    QLabel* lcdMMode = nullptr;
    TCEdit* lcdMDisp = nullptr;
    QLabel* lcdMUnit = nullptr;
    QLabel* lcdSorting = nullptr;
    QLabel* lcdTol = nullptr;
    QLabel* lcdJianhao = nullptr;
    QLabel* lcdJiahao = nullptr;
    QLabel* lcdSortp = nullptr;
    QLabel* lcdSMod = nullptr;
    TCEdit* lcdSDisp = nullptr;
    QLabel* lcdSUnit = nullptr;
    QLabel* lcdBat3 = nullptr;
    QLabel* lcdBat2 = nullptr;
    QLabel* lcdBat1 = nullptr;
    QLabel* lcdRS232 = nullptr;
    QLabel* lcdBat0 = nullptr;
    QLabel* lcdFREQ = nullptr;
    QWidget* pnlBar = nullptr;
    TLcdBar* lcdBar = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createElements();
    void createBarGraph();
    void lcdMDispEnter();
    void lcdSDispEnter();
    void moveFocusOn(QWidget* box);
    // Steps of UpdateLcd that act only when their code changed.
    void updatePrimaryUnit(int code);
    void updateAnnunciators(const MeterReading& reading);
    void updateBattery(int battery);
    void updateFrequency(int frequency);
    void updateSorting(int tolerance);
    void updateSecondaryUnit(int code);

    // The code each on-change step last showed; all start at 0.
    struct Shown {
        int primaryUnit = 0;
        bool hold = false;
        bool relative = false;
        bool lcrMode = false;
        int battery = 0;
        int frequency = 0;
        int tolerance = 0;
        int secondaryUnit = 0;
    } m_shown;
    std::uint64_t m_onChangeUpdates = 0;
};
