// The USB link CP21101 and the connection control: creating the link, listing the
// bridges, connecting and disconnecting, the no-data watchdog, the "USB" annunciator.
// Everything here runs on the GUI thread; the link raises its events there.
#include "ufrmMain.h"

#include "MsgDlg.h"
#include "SystemErrorBox.h"
#include "TLcdPanel.h"
#include "uCP2110.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

const char* const noDeviceMessage =
    "No device found.  Please ensure that you have proper USB connection.";
const char* const cableMessage =
    "USB interface cable is not connected properly, please check and re-try.";

void inform(const char* text) {
    ShowMsgDlg(QString::fromLatin1(text), mtInformation, {mbOK}, 0);
}

} // namespace

// Creates the link components before FormCreate, so they load the bridge library
// (options().bridgeLibraryName, next to the executable) and list the bridges.
void TfrmMain::createLinkComponents() {
    TCP2110::Options link;
    link.libraryFileName = m_options.bridgeLibraryName;
    if (m_options.deviceWatcher) {
        link.watcher = m_options.deviceWatcher();
    }
    link.systemError = [this](const QString& text) { showSystemError(this, text); };
    link.threadLauncher = m_options.readerThreadLauncher;
    CP21101 = new TCP2110(this, std::move(link));
    CP21101->setObjectName(QStringLiteral("CP21101"));
    CP21101->OnConnect = [this](QObject*) { CP21101Connect(); };
    CP21101->OnDisconnect = [this](QObject*) { CP21101Disconnect(); };
    CP21101->OnRemoval = [this](QObject*) { CP21101Removal(); };
    CP21101->OnError = [this](QObject*, std::uint32_t code, const QString&) { CP21101Error(code); };
    CP21101->OnDeviceChange = [this](QObject*) { CP21101DeviceChange(); };
    CP21101->OnReceiveData = [this](QObject*, const std::uint8_t* bytes, std::uint32_t count) {
        CP21101ReceiveData(bytes, count);
    };
    timerDisconectedUSB->setInterval(m_options.watchdogIntervalMs);
    connect(btnConnect, &QPushButton::clicked, this, &TfrmMain::btnConnectClick);
}

// Fills cbbDevices from the USB link's device list and chooses the first device.
void TfrmMain::RefreshDeviceList() {
    QStringList names = CP21101->DeviceList().names();
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    cbbDevices->clear();
    cbbDevices->addItems(names);
    if (names.isEmpty()) {
        CP21101->setDeviceName(QString());
        return;
    }
    cbbDevices->setCurrentIndex(0);
    CP21101->setDeviceName(names.front());
}

// The button has flipped already when this runs.
void TfrmMain::btnConnectClick() {
    if (CP21101->Connected()) {
        CP21101->Disconnect(); // CP21101Disconnect sets the window's state
        return;
    }
    bool connected = false;
    try {
        connected = CP21101->Connect(); // CP21101Connect sets the window's state
    } catch (const LinkError& e) {
        showSystemError(this, QString::fromUtf8(e.what()));
    }
    if (!connected) {
        btnConnect->setChecked(false);
        btnConnect->setText(QStringLiteral("Connection"));
    }
}

void TfrmMain::CP21101Connect() {
    btnConnect->setChecked(CP21101->Connected());
    btnConnect->setText(QStringLiteral("Disconnection"));
    pnlLcd->setUsbShown(true);
    timerDisconectedUSB->start();
}

// The communication indicator keeps the phase it last had.
void TfrmMain::CP21101Disconnect() {
    btnConnect->setChecked(CP21101->Connected());
    btnConnect->setText(QStringLiteral("Connection"));
    pnlLcd->setUsbShown(false);
    timerDisconectedUSB->stop();
}

// The open bridge was unplugged; the link closes it once the message is dismissed.
void TfrmMain::CP21101Removal() {
    timerDisconectedUSB->stop();
    inform(noDeviceMessage);
}

void TfrmMain::CP21101Error(std::uint32_t ErrorCode) {
    if (ErrorCode == TCP2110::connectErrorCode) {
        inform(noDeviceMessage);
    }
}

// Any device plugged in or pulled out; an open connection is left as it is.
void TfrmMain::CP21101DeviceChange() {
    RefreshDeviceList();
}

// The watchdog ran its whole period without a received chunk.
void TfrmMain::timerDisconectedUSBTimer() {
    if (m_reportShown) {
        // A batch read just before the reader rested restarted the watchdog; the
        // silence while the report is shown is the pause's own, not the meter's.
        timerDisconectedUSB->stop();
        return;
    }
    CP21101->Disconnect();
    timerDisconectedUSB->stop();
    inform(cableMessage);
}

void TfrmMain::pauseLinkForReport() {
    m_watchdogBeforeReport = timerDisconectedUSB->isActive();
    m_reportShown = true;
    timerDisconectedUSB->stop();
    CP21101->setReadPause(true);
}

void TfrmMain::resumeLinkAfterReport() {
    m_reportShown = false;
    CP21101->setReadPause(false);
    if (m_watchdogBeforeReport && CP21101->Connected()) {
        timerDisconectedUSB->start();
    }
    m_watchdogBeforeReport = false;
}

// Runs once while the window is destroyed.
void TfrmMain::FormDestroy() {
    CP21101->Disconnect(); // stops the reader, closes the device, runs CP21101Disconnect
    // Nothing the link might still raise reaches a window being torn down.
    CP21101->OnConnect = nullptr;
    CP21101->OnDisconnect = nullptr;
    CP21101->OnRemoval = nullptr;
    CP21101->OnError = nullptr;
    CP21101->OnDeviceChange = nullptr;
    CP21101->OnReceiveData = nullptr;
}
