// velor-demo: the program's main window with its USB link on the simulated bridge
// (libslabhidtouart-sim.so next to the executable), fed by a simulated meter.
// Click "Connection" and the meter's readings flow as from a real one.
#include "AppIcon.h"
#include "ufrmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELOR"));
    QApplication::setWindowIcon(appIcon());
    MainWindowOptions options;
    options.bridgeLibraryName = QStringLiteral("libslabhidtouart-sim.so");
    TfrmMain window(options);
    window.show();
    return QApplication::exec();
}
