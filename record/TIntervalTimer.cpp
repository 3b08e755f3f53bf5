#include "TIntervalTimer.h"

#include <algorithm>

TIntervalTimer::TIntervalTimer(QObject* parent) : QObject(parent) {
    m_wait.setSingleShot(true);
    m_wait.setTimerType(Qt::PreciseTimer);
    connect(&m_wait, &QTimer::timeout, this, &TIntervalTimer::onWaitEnded);
    m_clock.start();
}

void TIntervalTimer::setInterval(qint64 milliseconds) {
    milliseconds = std::max<qint64>(milliseconds, 1);
    if (milliseconds == m_interval) {
        return;
    }
    m_interval = milliseconds;
    if (m_active) {
        start();
    }
}

void TIntervalTimer::start() {
    m_active = true;
    m_due = m_clock.elapsed() + m_interval;
    waitForDue();
}

void TIntervalTimer::stop() {
    m_active = false;
    m_wait.stop();
}

void TIntervalTimer::waitForDue() {
    const qint64 remaining = std::max<qint64>(m_due - m_clock.elapsed(), 0);
    ++m_waits;
    m_wait.start(static_cast<int>(std::min<qint64>(remaining, m_longestWait)));
}

void TIntervalTimer::onWaitEnded() {
    if (!m_active) {
        return;
    }
    const qint64 now = m_clock.elapsed();
    if (now < m_due) {
        waitForDue();
        return;
    }
    m_due += m_interval;
    if (m_due <= now) {
        // The GUI thread was held up past a whole period: the next tick is a period from now.
        m_due = now + m_interval;
    }
    waitForDue();
    emit timeout();
}
