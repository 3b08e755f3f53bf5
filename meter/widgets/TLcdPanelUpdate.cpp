// UpdateLcd: the virtual LCD brought up to date from one decoded frame.
#include "TLcdPanel.h"

#include "LcdTexts.h"
#include "TCEdit.h"
#include "TLcdBar.h"
#include "TUnit.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

#include <cmath>
#include <limits>

namespace {

constexpr int frequencyLabelWidth = 49;

void setAutoSizedText(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

// Nearest whole number, a half going to the even neighbour, kept within int.
int roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double r = std::nearbyint(value);
    if (r >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (r <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(r);
}

} // namespace

void TLcdPanel::UpdateLcd(const MeterReading& r, int fullScale, double displayValue) {
    updatePrimaryUnit(r.primaryUnit);
    updateAnnunciators(r);
    lcdAuto->setVisible(r.lcrMode || r.autoMode);
    updateBattery(r.battery);
    updateFrequency(r.frequency);
    updateSorting(r.tolerance);

    // Primary mode; DCR has no test frequency.
    lcdFREQ->setVisible(true);
    QString text;
    if (lcdPrimaryModeText(r.primaryMode, r.parallel, &text)) {
        lcdMMode->setText(text);
        if (r.primaryMode == 4) {
            lcdFREQ->setVisible(false);
        }
    }

    bool hide = false;
    if (lcdStatusText(r.primaryStatus, false, r.primaryText, &text, &hide)) {
        lcdMDisp->setText(text);
    }
    lcdBar->setPosition(roundHalfEven(displayValue));

    if (lcdSecondaryModeText(r.secondaryMode, r.parallel, &text)) {
        lcdSMod->setText(text);
    }
    updateSecondaryUnit(r.secondaryUnit);

    lcdSDisp->setVisible(true);
    if (lcdStatusText(r.secondaryStatus, true, r.secondaryText, &text, &hide)) {
        lcdSDisp->setText(text);
        if (hide) {
            lcdSDisp->setVisible(false);
        }
    }

    // The bar's length is its position against this frame's full scale.
    lcdBar->setMaximum(fullScale);
}

void TLcdPanel::updatePrimaryUnit(int code) {
    if (code == m_shown.primaryUnit) {
        return;
    }
    m_shown.primaryUnit = code;
    ++m_onChangeUpdates;
    setAutoSizedText(lcdMUnit, lcdUnitText(code, false));
}

void TLcdPanel::updateAnnunciators(const MeterReading& r) {
    const struct {
        bool now;
        bool* shown;
        QLabel* label;
    } steps[] = {{r.hold, &m_shown.hold, lcdHold},
                 {r.relative, &m_shown.relative, lcdRel},
                 {r.lcrMode, &m_shown.lcrMode, lcdLCR}};
    for (const auto& step : steps) {
        if (step.now != *step.shown) {
            *step.shown = step.now;
            ++m_onChangeUpdates;
            step.label->setVisible(step.now);
        }
    }
}

void TLcdPanel::updateBattery(int battery) {
    if (battery == m_shown.battery) {
        return;
    }
    m_shown.battery = battery;
    ++m_onChangeUpdates;
    lcdBat1->setVisible(battery >= 1);
    lcdBat2->setVisible(battery >= 2);
    lcdBat3->setVisible(battery >= 3);
}

void TLcdPanel::updateFrequency(int frequency) {
    if (frequency == m_shown.frequency) {
        return;
    }
    m_shown.frequency = frequency;
    ++m_onChangeUpdates;
    QString text;
    if (lcdFrequencyText(frequency, &text)) {
        lcdFREQ->setText(text);
        // 49 pixels wide, wider only where the font substituted for Arial would clip.
        lcdFREQ->resize(std::max(frequencyLabelWidth, lcdFREQ->sizeHint().width()),
                        lcdFREQ->height());
    }
}

void TLcdPanel::updateSorting(int tolerance) {
    if (tolerance == m_shown.tolerance) {
        return;
    }
    m_shown.tolerance = tolerance;
    ++m_onChangeUpdates;
    const bool sorting = tolerance != 0;
    pnlBar->setVisible(!sorting);
    for (QLabel* label : {lcdSorting, lcdTol, lcdJianhao, lcdJiahao, lcdSortp}) {
        label->setVisible(sorting);
    }
    QString band;
    if (lcdToleranceText(tolerance, &band)) {
        setAutoSizedText(lcdSortp, band);
        // The asymmetric band carries its own signs.
        if (tolerance == 10) {
            lcdJianhao->setVisible(false);
            lcdJiahao->setVisible(false);
        }
    }
}

void TLcdPanel::updateSecondaryUnit(int code) {
    if (code == m_shown.secondaryUnit) {
        return;
    }
    m_shown.secondaryUnit = code;
    ++m_onChangeUpdates;
    QString text = lcdUnitText(code, true);
    // The degree mark U+309C needs a font that has it; without one it would show as a
    // box, so the plain degree sign stands in.
    if (text == QStringLiteral("\u309C") && !QFontMetrics(lcdSUnit->font()).inFont(text.front())) {
        text = QStringLiteral("\u00B0");
    }
    setAutoSizedText(lcdSUnit, text);
}
