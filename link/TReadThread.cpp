#include "TReadThread.h"

#include "ManualResetEvent.h"
#include "ReaderHandOff.h"

#include <algorithm>
#include <chrono>
#include <vector>

std::thread TReadThread::launchThread(std::function<void()> body) {
    return std::thread(std::move(body));
}

TReadThread::TReadThread(const Context& context, const Launcher& launcher)
    : m_context(context), m_thread(launcher([this] { execute(); })) {}

TReadThread::~TReadThread() {
    join();
}

void TReadThread::join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void TReadThread::execute() {
    const Context& c = m_context;
    while (!m_terminated.load() && !c.stop->isSet()) {
        if (!c.paused->load() && c.ready->isSet()) {
            std::vector<std::uint8_t> buffer(bufferSize); // zeroed, one per read
            std::uint32_t count = 0;
            const int status = c.read(c.device, buffer.data(), bufferSize, &count);
            // A library that reports more than the buffer holds is not believed.
            count = std::min(count, bufferSize);
            if (c.ready->isSet() &&
                (status == HID_UART_SUCCESS || status == HID_UART_READ_TIMED_OUT) && count > 0) {
                c.ready->reset();
                c.handOff->send(std::move(buffer), count);
            }
        }
        // The pause ends early when the stop event is set, so Disconnect need not wait
        // out a whole pause.
        c.stop->waitFor(std::chrono::milliseconds(c.pollPauseMs->load()));
    }
    c.handOff->markFinished();
}
