#pragma once

#include <qcustomplot.h>

#include <algorithm>

// The automatic tick spacing of an axis, but never finer than a given step: the
// record numbers get whole-number labels, the value axis no step below 0.1.
class MinimumStepTicker : public QCPAxisTicker {
public:
    explicit MinimumStepTicker(double minimumStep) : m_minimumStep(minimumStep) {}

protected:
    double getTickStep(const QCPRange& range) override {
        return std::max(m_minimumStep, QCPAxisTicker::getTickStep(range));
    }

private:
    double m_minimumStep;
};
