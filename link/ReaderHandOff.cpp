#include "ReaderHandOff.h"

#include <utility>

#include <QCoreApplication>

namespace {

const QEvent::Type wakeUpType = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

ReaderHandOff::ReaderHandOff(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_wakeUp(new QEvent(wakeUpType)) {}

ReaderHandOff::~ReaderHandOff() {
    delete m_wakeUp; // one already posted is deleted with the object's posted events
}

bool ReaderHandOff::event(QEvent* e) {
    if (e->type() != wakeUpType) {
        return QObject::event(e);
    }
    {
        std::lock_guard lock(m_mutex);
        if (!m_wakeUp) {
            m_wakeUp = new QEvent(wakeUpType);
        }
    }
    completePending();
    return true;
}

void ReaderHandOff::begin() {
    std::lock_guard lock(m_mutex);
    m_pending.reset();
    m_inFlight = false;
    m_abandoned = false;
    m_finished = false;
}

void ReaderHandOff::send(std::vector<std::uint8_t> buffer, std::uint32_t count) {
    std::unique_lock lock(m_mutex);
    if (m_abandoned) {
        return;
    }
    m_pending = Batch{std::move(buffer), count};
    m_inFlight = true;
    QEvent* wakeUp = std::exchange(m_wakeUp, nullptr);
    lock.unlock();
    m_changed.notify_all();
    // Wakes the GUI thread's event loop; a batch already taken by a waiting
    // Disconnect makes the wake-up a no-op.
    if (wakeUp) {
        QCoreApplication::postEvent(this, wakeUp);
    }
    lock.lock();
    m_changed.wait(lock, [this] { return !m_inFlight || m_abandoned; });
}

void ReaderHandOff::markFinished() {
    {
        std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
}

bool ReaderHandOff::completePending() {
    std::optional<Batch> batch;
    {
        std::lock_guard lock(m_mutex);
        batch.swap(m_pending);
    }
    if (!batch) {
        return false;
    }
    // The reader is released even when the handler throws.
    struct Release {
        ReaderHandOff* self;
        ~Release() {
            self->m_handling = false;
            {
                std::lock_guard lock(self->m_mutex);
                self->m_inFlight = false;
            }
            self->m_changed.notify_all();
        }
    } release{this};
    m_handling = true;
    m_handler(batch->bytes.data(), batch->count);
    return true;
}

bool ReaderHandOff::waitForFinish(std::optional<std::chrono::milliseconds> timeout) {
    const auto deadline =
        std::chrono::steady_clock::now() + timeout.value_or(std::chrono::milliseconds(0));
    std::unique_lock lock(m_mutex);
    for (;;) {
        const auto ready = [this] { return m_finished || m_pending.has_value(); };
        if (timeout) {
            if (!m_changed.wait_until(lock, deadline, ready)) {
                return false;
            }
        } else {
            m_changed.wait(lock, ready);
        }
        if (m_pending) {
            lock.unlock();
            completePending();
            lock.lock();
            continue;
        }
        return true;
    }
}

void ReaderHandOff::abandon() {
    {
        std::lock_guard lock(m_mutex);
        m_abandoned = true;
    }
    m_changed.notify_all();
}
