// The USB link CP21101 and the connection control: creating the link, listing the
// bridges, connecting and disconnecting, the no-data watchdog.
#include "ufrmMain.h"

#include <QPushButton>
#include <QTimer>

// Creates the link components before FormCreate, so they load the bridge library
// (options().bridgeLibraryName, next to the executable) and list the bridges.
void TfrmMain::createLinkComponents() {
    // HOOK(link): create CP21101 and CComm1 and connect their events here;
    // their received data goes to CP21101ReceiveData and CComm1ReceiveData.
}

// Fills cbbDevices from the USB link's device list and chooses the first device.
void TfrmMain::RefreshDeviceList() {
    // HOOK(link): fill cbbDevices.
}

void TfrmMain::btnConnectClick() {
    // HOOK(link): connect to the chosen bridge or disconnect.
}

// The watchdog ran 10 s without a received chunk.
void TfrmMain::timerDisconectedUSBTimer() {
    timerDisconectedUSB->stop();
    // HOOK(link): report the lost connection.
}

// Runs once while the window is destroyed.
void TfrmMain::FormDestroy() {
    // HOOK(link): Disconnect CP21101 (stops its reader thread, closes the device).
}
