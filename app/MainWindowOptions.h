#pragma once

#include <QChar>
#include <QString>

#include <optional>

// What the main window is built with. velor uses the defaults; velor-demo and the tests
// point the bridge library elsewhere or fix the decimal separator.
struct MainWindowOptions {
    // File name of the HID-to-UART bridge library, looked up in the executable's folder.
    QString bridgeLibraryName = QStringLiteral("libslabhidtouart.so");
    // Replaces the system locale's decimal separator (tests); unset: QLocale::system().
    std::optional<QChar> decimalSeparator;
};
