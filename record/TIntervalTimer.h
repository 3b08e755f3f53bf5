#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// A repeating timer whose period may be far longer than a QTimer can wait in one piece
// (the sampling interval goes up to 99,999,999 s, over three years): it chains waits of
// at most longestWait() and keeps each tick one period after the previous one on a
// monotonic clock, so the chaining adds no drift. GUI thread only.
class TIntervalTimer : public QObject {
    Q_OBJECT
public:
    explicit TIntervalTimer(QObject* parent = nullptr);

    qint64 interval() const { return m_interval; }
    // A period different from the current one restarts a running timer's period at once;
    // the same period leaves it alone.
    void setInterval(qint64 milliseconds);

    // Starting begins a fresh period.
    void start();
    void stop();
    bool isActive() const { return m_active; }

    int longestWait() const { return m_longestWait; }
    void setLongestWait(int milliseconds) { m_longestWait = milliseconds; }
    // Single waits started since construction (shows the chaining).
    qint64 waitsStarted() const { return m_waits; }

signals:
    void timeout();

private:
    void waitForDue();
    void onWaitEnded();

    QTimer m_wait;
    QElapsedTimer m_clock;
    qint64 m_interval = 1000;
    qint64 m_due = 0; // ms on m_clock
    bool m_active = false;
    int m_longestWait = 24 * 60 * 60 * 1000;
    qint64 m_waits = 0;
};
