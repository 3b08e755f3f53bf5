#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// An event that stays set until it is reset, as the reader's stop and ready events
// are. Thread-safe.
class ManualResetEvent {
public:
    explicit ManualResetEvent(bool initiallySet) : m_set(initiallySet) {}

    void set();
    void reset();
    bool isSet() const;
    // Waits until the event is set or the time has passed; true when it is set.
    bool waitFor(std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_set;
};
