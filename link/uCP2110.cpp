// TCP2110: creation, destruction, properties and the device list.
#include "uCP2110.h"

#include "ManualResetEvent.h"
#include "ReaderHandOff.h"
#include "UdevDeviceWatcher.h"

#include <cstdio>
#include <cstring>

namespace {

// Every string the library fills is this long, zero-terminated.
constexpr std::size_t stringLength = HID_UART_DEVICE_STRLEN;

} // namespace

TCP2110::TCP2110(QObject* owner, Options options)
    : QObject(owner), m_watcher(std::move(options.watcher)),
      m_systemError(std::move(options.systemError)),
      m_threadLauncher(std::move(options.threadLauncher)) {
    OnCreate = std::move(options.onCreate);
    if (!m_threadLauncher) {
        m_threadLauncher = &TReadThread::launchThread;
    }
    if (!m_watcher) {
        m_watcher = std::make_unique<UdevDeviceWatcher>();
    }
    m_libraryPath = HidUartLoader::pathNextToExecutable(options.libraryFileName);
    m_handOff = new ReaderHandOff(
        [this](const std::uint8_t* data, std::uint32_t count) { deliver(data, count); }, this);

    loadLibrary();
    if (!m_lib) {
        return; // no registration, no enumeration, no OnCreate
    }
    DeviceInterfaceFilter filter;
    m_lib->GetHidGuid(filter.classGuid.data());
    m_registered = m_watcher->registerNotifications(
        filter, [this](const DeviceNotice& notice) { deviceNotice(notice); });
    enumerateDevices();
    raise(OnCreate, this);
}

TCP2110::~TCP2110() {
    if (m_device || m_reader) {
        Disconnect();
    }
    if (m_registered) {
        m_watcher->unregisterNotifications();
        m_registered = false;
    }
    m_deviceList.clear();
    m_lib = nullptr;
    m_loader.unload();
}

void TCP2110::loadLibrary() {
    switch (m_loader.load(m_libraryPath)) {
    case HidUartLoader::Result::Loaded:
        m_lib = &m_loader.entryPoints();
        return;
    case HidUartLoader::Result::FileMissing:
        reportSystemError(QStringLiteral("DLL File is not Exists!"));
        return;
    case HidUartLoader::Result::LoadFailed:
        reportSystemError(
            QStringLiteral("Cannot load %1: %2").arg(m_libraryPath, m_loader.errorText()));
        return;
    case HidUartLoader::Result::EntryPointMissing:
        reportSystemError(QStringLiteral("Cannot use %1: it has no entry point %2")
                              .arg(m_libraryPath, m_loader.errorText()));
        return;
    }
}

void TCP2110::reportSystemError(const QString& text) {
    if (m_systemError) {
        m_systemError(text);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
}

void TCP2110::raise(const TNotifyEvent& event, QObject* sender) {
    if (event) {
        event(sender);
    }
}

bool TCP2110::deviceString(std::uint32_t index, std::uint32_t type, QString* out) {
    char buffer[stringLength] = {};
    if (m_lib->GetString(index, 0, 0, buffer, type) != HID_UART_SUCCESS) {
        return false;
    }
    buffer[stringLength - 1] = '\0'; // a library that fills the whole buffer is cut
    *out = QString::fromLocal8Bit(buffer);
    return true;
}

bool TCP2110::openedString(std::uint32_t type, QString* out) {
    char buffer[stringLength] = {};
    if (m_lib->GetOpenedString(m_device, buffer, type) != HID_UART_SUCCESS) {
        return false;
    }
    buffer[stringLength - 1] = '\0';
    *out = QString::fromLocal8Bit(buffer);
    return true;
}

void TCP2110::enumerateDevices() {
    std::uint32_t count = 0;
    if (m_lib->GetNumDevices(&count, 0, 0) != HID_UART_SUCCESS) {
        return;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        QString serial;
        QString path;
        if (deviceString(i, HID_UART_GET_SERIAL_STR, &serial) &&
            deviceString(i, HID_UART_GET_PATH_STR, &path)) {
            m_deviceList.add(serial, path);
        }
    }
    if (m_deviceList.isEmpty()) {
        m_deviceName.clear();
        return;
    }
    m_deviceList.sort();
    m_deviceName = m_deviceList.firstUsableName();
}

void TCP2110::deviceNotice(const DeviceNotice& notice) {
    if (notice.kind == DeviceNotice::Kind::Arrival) {
        arrival(notice.path);
    } else if (notice.kind == DeviceNotice::Kind::Removal) {
        removal(notice.path);
    }
    raise(OnDeviceChange, this);
}

void TCP2110::arrival(const QString& path) {
    std::uint32_t count = 0;
    if (m_lib->GetNumDevices(&count, 0, 0) != HID_UART_SUCCESS) {
        return;
    }
    // Every device present is visited, so entries missing for any reason come back.
    for (std::uint32_t i = 0; i < count; ++i) {
        QString devicePath;
        if (!deviceString(i, HID_UART_GET_PATH_STR, &devicePath)) {
            continue;
        }
        if (devicePath.compare(path, Qt::CaseInsensitive) == 0) {
            raise(OnArrival, this);
        }
        QString serial;
        if (!deviceString(i, HID_UART_GET_SERIAL_STR, &serial) ||
            !deviceString(i, HID_UART_GET_PATH_STR, &devicePath)) {
            continue;
        }
        if (!m_deviceList.containsName(serial)) {
            m_deviceList.add(serial, devicePath);
        }
    }
    m_deviceList.sort();
}

void TCP2110::removal(const QString& path) {
    m_deviceList.removeFirstWithValue(path);
    // Asked with the current handle, which is null when nothing is open.
    QString openPath;
    if (openedString(HID_UART_GET_PATH_STR, &openPath) &&
        openPath.compare(path, Qt::CaseInsensitive) == 0) {
        raise(OnRemoval, this);
        Disconnect();
    }
}

void TCP2110::setReadTimeInterval(std::uint32_t ms) {
    if (ms == m_readTimeInterval) {
        return;
    }
    m_readTimeInterval = ms;
    m_pollPauseMs.store(ms);
}

void TCP2110::setReadPause(bool value) {
    if (!m_connected) {
        return;
    }
    m_readPause = value;
    m_readerPaused.store(value);
}

void TCP2110::deliver(const std::uint8_t* data, std::uint32_t count) {
    // Set again after the handler, also when it throws; a handler that disconnected
    // has released the event already.
    struct SetReady {
        TCP2110* self;
        ~SetReady() {
            if (self->m_ready) {
                self->m_ready->set();
            }
        }
    } setReady{this};
    if (OnReceiveData) {
        OnReceiveData(this, data, count);
    }
}
