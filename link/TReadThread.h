#pragma once

#include "SLABHIDtoUART.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

class ManualResetEvent;
class ReaderHandOff;

// The USB link's reader: polls the open bridge, one read of up to 2048 bytes into a
// fresh buffer and then the poll pause, and hands each batch to the GUI thread.
//
// Threading: the thread touches only HidUart_Read, its buffer, the stop and ready
// events, the poll pause, the pause flag and the hand-off. It reads only while the
// ready event is set and clears it before a hand-off; the GUI thread sets it again
// after the data handler has returned, so at most one batch is in flight and bytes
// arrive in the order read. The pause flag is tested only at the top of a poll, never
// inside the library call, the allocation or the hand-off.
class TReadThread {
public:
    static constexpr std::uint32_t bufferSize = 2048;

    struct Context {
        HidUart_Read_t read = nullptr;
        HID_UART_DEVICE device = nullptr;
        ManualResetEvent* stop = nullptr;
        ManualResetEvent* ready = nullptr;
        ReaderHandOff* handOff = nullptr;
        const std::atomic<std::uint32_t>* pollPauseMs = nullptr;
        const std::atomic<bool>* paused = nullptr;
    };
    // Starts a thread running the function; throws std::system_error when it cannot.
    using Launcher = std::function<std::thread(std::function<void()>)>;
    static std::thread launchThread(std::function<void()> body);

    // Starts the thread; throws what the launcher throws, with nothing left running.
    TReadThread(const Context& context, const Launcher& launcher);
    // Joins the thread: stop it first.
    ~TReadThread();
    TReadThread(const TReadThread&) = delete;
    TReadThread& operator=(const TReadThread&) = delete;

    // Asks the loop to end at its next test, whatever the stop event says.
    void terminate() { m_terminated.store(true); }
    void join();

private:
    void execute();

    Context m_context;
    std::atomic<bool> m_terminated{false};
    std::thread m_thread;
};
