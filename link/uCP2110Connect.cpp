// TCP2110: opening, reading and closing the device.
#include "uCP2110.h"

#include "ManualResetEvent.h"
#include "ReaderHandOff.h"

#include <chrono>
#include <system_error>

namespace {

// How long Disconnect lets the reader end by itself before it asks it to terminate.
constexpr std::chrono::milliseconds readerStopWait{1000};

std::uint8_t stopBitsCode(TStopBits bits) {
    return bits == TStopBits::_1 ? HID_UART_SHORT_STOP_BIT : HID_UART_LONG_STOP_BIT;
}

} // namespace

bool TCP2110::Connect() {
    if (!m_lib || !openDevice()) {
        if (OnError) {
            OnError(this, connectErrorCode, QString());
        }
        return false;
    }
    std::uint8_t pins[13] = {};
    std::int32_t useSuspendValues = 0;
    std::uint16_t suspendValue = 0;
    std::uint16_t suspendMode = 0;
    std::uint8_t rs485Level = 0;
    std::uint8_t clockDivider = 0;
    if (m_lib->GetPinConfig(m_device, pins, &useSuspendValues, &suspendValue, &suspendMode,
                            &rs485Level, &clockDivider) == HID_UART_SUCCESS) {
        std::copy(std::begin(pins), std::end(pins), m_opened.pinConfig.begin());
    }
    readOpenedStrings();
    startReader();
    m_connected = true;
    raise(OnConnect, this);
    return true;
}

bool TCP2110::openDevice() {
    // A handle still held from a connect that failed after the open is closed first,
    // so no device is ever opened over it.
    if (m_device) {
        m_lib->Close(m_device);
        m_device = nullptr;
    }
    int result = HID_UART_DEVICE_NOT_FOUND;
    std::uint32_t count = 0;
    if (m_lib->GetNumDevices(&count, 0, 0) != HID_UART_SUCCESS) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        QString serial;
        if (!deviceString(i, HID_UART_GET_SERIAL_STR, &serial) || serial != m_deviceName) {
            continue;
        }
        HID_UART_DEVICE device = nullptr;
        result = m_lib->Open(&device, i, 0, 0);
        if (result != HID_UART_SUCCESS) {
            continue;
        }
        m_device = device;
        QString path;
        if (deviceString(i, HID_UART_GET_PATH_STR, &path)) {
            m_opened.enumeratedPath = path;
            break;
        }
        // A bridge whose path cannot be read is not used; closing it keeps its handle
        // from leaking when the next index opens another one.
        m_lib->Close(m_device);
        m_device = nullptr;
        result = HID_UART_DEVICE_NOT_FOUND;
    }
    if (result == HID_UART_SUCCESS) {
        result = m_lib->GetPartNumber(m_device, &m_opened.partNumber, &m_opened.version);
    }
    const std::uint32_t baud = baudRateValue(m_baudRate);
    const auto dataBits = static_cast<std::uint8_t>(m_byteSize);
    const auto parity = static_cast<std::uint8_t>(m_parity);
    const std::uint8_t stopBits = stopBitsCode(m_stopBits);
    const std::uint8_t flow = HID_UART_NO_FLOW_CONTROL;
    if (result == HID_UART_SUCCESS) {
        result = m_lib->SetUartConfig(m_device, baud, dataBits, parity, stopBits, flow);
    }
    if (result == HID_UART_SUCCESS) {
        std::uint32_t baudRead = 0;
        std::uint8_t dataRead = 0, parityRead = 0, stopRead = 0, flowRead = 0;
        result =
            m_lib->GetUartConfig(m_device, &baudRead, &dataRead, &parityRead, &stopRead, &flowRead);
        if (result == HID_UART_SUCCESS &&
            (baudRead != baud || dataRead != dataBits || parityRead != parity ||
             stopRead != stopBits || flowRead != flow)) {
            result = HID_UART_INVALID_PARAMETER;
        }
    }
    if (result == HID_UART_SUCCESS) {
        result = m_lib->SetTimeouts(m_device, m_readTimeOuts, m_writeTimeOuts);
    }
    return result == HID_UART_SUCCESS;
}

void TCP2110::readOpenedStrings() {
    const struct {
        std::uint32_t type;
        QString* target;
    } strings[] = {
        {HID_UART_GET_VID_STR, &m_opened.vendorId},
        {HID_UART_GET_PID_STR, &m_opened.productId},
        {HID_UART_GET_SERIAL_STR, &m_opened.serial},
        {HID_UART_GET_PATH_STR, &m_opened.path},
        {HID_UART_GET_MANUFACTURER_STR, &m_opened.manufacturer},
        {HID_UART_GET_PRODUCT_STR, &m_opened.product},
    };
    for (const auto& s : strings) {
        QString text;
        if (openedString(s.type, &text)) {
            *s.target = text;
        }
    }
}

void TCP2110::startReader() {
    m_stop = std::make_unique<ManualResetEvent>(false);
    m_ready = std::make_unique<ManualResetEvent>(true);
    m_readPause = false; // a new connection's reader always reads
    m_readerPaused.store(false);
    TReadThread::Context context;
    context.read = m_lib->Read;
    context.device = m_device;
    context.stop = m_stop.get();
    context.ready = m_ready.get();
    context.handOff = m_handOff;
    context.pollPauseMs = &m_pollPauseMs;
    context.paused = &m_readerPaused;
    m_handOff->begin();
    try {
        m_reader = std::make_unique<TReadThread>(context, m_threadLauncher);
    } catch (const std::system_error&) {
        m_reader.reset();
        m_stop.reset();
        m_ready.reset();
        throw LinkError("Failed to Create Thread!");
    }
}

void TCP2110::stopReader() {
    m_stop->set();
    if (m_handOff->handling()) {
        // Disconnect runs inside the data handler: the batch in flight is the one on
        // this thread's stack, so the reader is let go instead of waited for.
        m_handOff->abandon();
    }
    if (!m_handOff->waitForFinish(readerStopWait)) {
        m_reader->terminate();
        m_handOff->waitForFinish(std::nullopt);
    }
    m_reader->join();
    m_reader.reset();
    m_stop.reset();
    m_ready.reset();
}

bool TCP2110::Disconnect() {
    if (m_reader) {
        stopReader();
    }
    bool closed = false;
    if (m_device) {
        closed = m_lib->Close(m_device) == HID_UART_SUCCESS;
        m_device = nullptr;
    }
    m_connected = false;
    raise(OnDisconnect, nullptr);
    return closed;
}
