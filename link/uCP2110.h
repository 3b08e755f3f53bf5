#pragma once

#include "DeviceWatcher.h"
#include "HidUartLoader.h"
#include "LinkTypes.h"
#include "TDeviceList.h"
#include "TReadThread.h"

#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

class ManualResetEvent;
class ReaderHandOff;

// A failure the link raises to the caller ("Failed to Create Thread!").
class LinkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// TCP2110: the USB link to the meter through a CP2110 HID-to-UART bridge, driven by
// the HID-to-UART library loaded at run time from the executable's folder. Keeps the
// list of bridges present, opens the one whose serial string is DeviceName, reads it
// on a reader thread and raises the received bytes as OnReceiveData. Receive only.
//
// Threading: created, used and destroyed on the GUI thread; every property, Connect,
// Disconnect, the device notices and every event run there. While connected one
// reader thread (TReadThread) polls the bridge; it touches only HidUart_Read, its
// buffer, the stop and ready events, the poll pause, the pause flag and the hand-off.
// Each batch is handed to the GUI thread synchronously (ReaderHandOff); Disconnect
// completes a hand-off the reader is blocked in while it waits for the reader, so
// that late batch is still raised. Nothing else is shared between the threads.
class TCP2110 : public QObject {
    Q_OBJECT
public:
    static constexpr std::uint32_t connectErrorCode = 101;
    static constexpr std::uint32_t initialPollPauseMs = 70;

    struct Options {
        // File name of the library, looked for in the executable's folder.
        QString libraryFileName;
        // The device notices; nullptr takes the platform's (udev on Linux).
        std::unique_ptr<DeviceWatcher> watcher;
        // Shows the system message box ("DLL File is not Exists!"); empty: stderr.
        std::function<void(const QString&)> systemError;
        // Starts the reader thread; empty: a std::thread.
        TReadThread::Launcher threadLauncher;
        // Raised at the end of creation.
        TNotifyEvent onCreate;
    };

    // What Connect learnt about the open device; nothing else reads it.
    struct OpenedDevice {
        QString enumeratedPath;
        std::uint8_t partNumber = 0;
        std::uint8_t version = 0;
        std::array<std::uint8_t, 13> pinConfig{};
        QString vendorId, productId, serial, path, manufacturer, product;
    };

    TCP2110(QObject* owner, Options options);
    ~TCP2110() override;

    // Opens, configures and starts reading the device named DeviceName. Raises
    // OnError 101 and returns false when that fails; throws LinkError when the reader
    // cannot be started. Call only while not Connected.
    bool Connect();
    // Stops the reader and closes the device; true exactly when the close succeeded.
    bool Disconnect();

    bool Connected() const { return m_connected; }
    TBaudRate BaudRate() const { return m_baudRate; }
    void setBaudRate(TBaudRate value) { m_baudRate = value; }
    TByteSize ByteSize() const { return m_byteSize; }
    void setByteSize(TByteSize value) { m_byteSize = value; }
    TStopBits StopBits() const { return m_stopBits; }
    void setStopBits(TStopBits value) { m_stopBits = value; }
    TParity Parity() const { return m_parity; }
    void setParity(TParity value) { m_parity = value; }
    QString DeviceName() const { return m_deviceName; }
    void setDeviceName(const QString& value) { m_deviceName = value; }
    std::uint32_t ReadTimeOuts() const { return m_readTimeOuts; }
    void setReadTimeOuts(std::uint32_t ms) { m_readTimeOuts = ms; }
    std::uint32_t WriteTimeOuts() const { return m_writeTimeOuts; }
    void setWriteTimeOuts(std::uint32_t ms) { m_writeTimeOuts = ms; }
    // Assigning a value other than the one held sets it and the reader's poll pause.
    // The pause starts at 70 ms while the property reads 100.
    std::uint32_t ReadTimeInterval() const { return m_readTimeInterval; }
    void setReadTimeInterval(std::uint32_t ms);
    // While connected, true halts the reader between polls; ignored while not.
    bool ReadPause() const { return m_readPause; }
    void setReadPause(bool value);

    const TDeviceList& DeviceList() const { return m_deviceList; }
    std::uint32_t pollPauseMs() const { return m_pollPauseMs.load(); }
    bool libraryLoaded() const { return m_loader.loaded(); }
    QString libraryPath() const { return m_libraryPath; }
    const OpenedDevice& openedDevice() const { return m_opened; }
    DeviceWatcher* watcher() const { return m_watcher.get(); }

    TNotifyEvent OnRemoval;
    TNotifyEvent OnArrival;
    TNotifyEvent OnCreate;
    TNotifyEvent OnDisconnect; // raised with a null sender
    TNotifyEvent OnConnect;
    TNotifyEvent OnDeviceChange;
    TReceiveData OnReceiveData;
    TErrorEvent OnError;

private:
    void loadLibrary();
    void enumerateDevices();
    void deviceNotice(const DeviceNotice& notice);
    void arrival(const QString& path);
    void removal(const QString& path);
    bool openDevice();
    void readOpenedStrings();
    void startReader();
    void stopReader();
    void deliver(const std::uint8_t* data, std::uint32_t count);
    void raise(const TNotifyEvent& event, QObject* sender);
    void reportSystemError(const QString& text);

    // One string of a device by index (GetString) or of the open device.
    bool deviceString(std::uint32_t index, std::uint32_t type, QString* out);
    bool openedString(std::uint32_t type, QString* out);

    HidUartLoader m_loader;
    const HidUartEntryPoints* m_lib = nullptr; // null without library
    TDeviceList m_deviceList;
    std::unique_ptr<TReadThread> m_reader;
    std::uint32_t m_readTimeInterval = 100;
    bool m_registered = false;
    TBaudRate m_baudRate = TBaudRate::CBR_9600;
    bool m_connected = false;
    TByteSize m_byteSize = TByteSize::_8;
    TStopBits m_stopBits = TStopBits::_1;
    TParity m_parity = TParity::None;
    QString m_deviceName;
    std::uint32_t m_writeTimeOuts = 500;
    std::uint32_t m_readTimeOuts = 0;
    OpenedDevice m_opened;
    QString m_libraryPath;
    bool m_readPause = false;

    std::unique_ptr<DeviceWatcher> m_watcher;
    std::function<void(const QString&)> m_systemError;
    TReadThread::Launcher m_threadLauncher;
    ReaderHandOff* m_handOff = nullptr; // child object on the GUI thread
    std::unique_ptr<ManualResetEvent> m_stop;
    std::unique_ptr<ManualResetEvent> m_ready;
    HID_UART_DEVICE m_device = nullptr;
    std::atomic<std::uint32_t> m_pollPauseMs{initialPollPauseMs};
    std::atomic<bool> m_readerPaused{false};
};
