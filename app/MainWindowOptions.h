#pragma once

#include "DeviceWatcher.h"
#include "TReadThread.h"

#include <QChar>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// What the main window is built with. velor uses the defaults; velor-demo and the tests
// point the bridge library elsewhere or fix the decimal separator.
struct MainWindowOptions {
    // File name of the HID-to-UART bridge library, looked up in the executable's folder.
    QString bridgeLibraryName = QStringLiteral("libslabhidtouart.so");
    // Replaces the system locale's decimal separator (tests); unset: QLocale::system().
    std::optional<QChar> decimalSeparator;
    // Makes the USB link's device watcher (tests drive a manual one); empty: udev.
    std::function<std::unique_ptr<DeviceWatcher>()> deviceWatcher;
    // Starts the USB link's reader thread (tests make it fail); empty: a std::thread.
    TReadThread::Launcher readerThreadLauncher;
    // Period of the no-data watchdog timerDisconectedUSB; shortened only by tests.
    int watchdogIntervalMs = 10000;
};
