#pragma once

#include <QEvent>
#include <QObject>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

// Carries one batch of received bytes from the reader thread to the GUI thread and
// keeps the reader blocked until the GUI thread has handled it: the synchronous
// hand-off of the USB link.
//
// Threading: the object lives on the GUI thread. send() and markFinished() are the
// reader thread's; everything else runs on the GUI thread. A batch is handled either
// by the queued call that send() posts, or from inside waitForFinish(), so a GUI
// thread that waits for the reader still completes the hand-off the reader is
// blocked in, and that late batch still reaches the handler.
class ReaderHandOff : public QObject {
    Q_OBJECT
public:
    // Runs on the GUI thread for each batch; the bytes live until it returns.
    using Handler = std::function<void(const std::uint8_t* data, std::uint32_t count)>;

    ReaderHandOff(Handler handler, QObject* parent);
    ~ReaderHandOff() override;

    // GUI thread: a new reader is about to start.
    void begin();

    // Reader thread: hands the batch over and blocks until the GUI thread has run the
    // handler for it, or has given up on it with abandon().
    void send(std::vector<std::uint8_t> buffer, std::uint32_t count);
    // Reader thread: its loop has ended; the last thing it does.
    void markFinished();

    // GUI thread: runs the handler for the batch waiting, if any; true when one ran.
    bool completePending();
    // GUI thread: waits until the reader has finished, handling its batches meanwhile.
    // No timeout waits without limit. True when the reader has finished.
    bool waitForFinish(std::optional<std::chrono::milliseconds> timeout);
    // GUI thread: releases a reader blocked on a batch that is being handled further
    // up this thread's stack (a handler that disconnects the link); the buffer stays
    // alive until that handler returns.
    void abandon();

    // GUI thread: true while the handler runs.
    bool handling() const { return m_handling; }

protected:
    bool event(QEvent* e) override;

private:
    struct Batch {
        std::vector<std::uint8_t> bytes;
        std::uint32_t count = 0;
    };

    Handler m_handler;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<Batch> m_pending; // sent, not yet taken by the GUI thread
    bool m_inFlight = false;        // the reader waits for this batch to be handled
    bool m_abandoned = false;
    bool m_finished = true;
    bool m_handling = false; // GUI thread only
    // The wake-up the reader posts: made on the GUI thread and, once posted, deleted
    // there by the event loop, so the reader allocates nothing the GUI thread frees.
    // Null while one is in the queue; that one then delivers the newest batch.
    QEvent* m_wakeUp = nullptr;
};
