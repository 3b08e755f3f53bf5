// velor-demo-shots: drives the demo's window on the simulated bridge as a user would
// (clicks "Connection", lets readings flow, pulls the bridge, silences the meter) and
// saves a picture of each state into the folder given (default: the current one).
// Run it under xvfb-run to see the window as on a screen.
#include "ManualDeviceWatcher.h"
#include "MsgDlg.h"
#include "SimControl.h"
#include "TMessageForm.h"
#include "ufrmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace {

void wait(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    SimControl sim;
    ManualDeviceWatcher* watcher = nullptr;
    MainWindowOptions options;
    options.bridgeLibraryName = QString::fromLatin1(SimControl::fileName);
    options.watchdogIntervalMs = 3000; // the real 10 s would only make the run longer
    options.deviceWatcher = [&watcher] {
        auto manual = std::make_unique<ManualDeviceWatcher>();
        watcher = manual.get();
        return manual;
    };
    TfrmMain window(options);
    window.show();
    wait(300);
    const auto save = [&](QWidget* w, const char* name) {
        const QString path = out.filePath(QString::fromLatin1(name));
        std::printf("%s %s\n", w->grab().save(path) ? "saved" : "FAILED", qPrintable(path));
    };
    setMsgDlgResponder([&](TMessageForm& dialog) {
        static int n = 0;
        dialog.show();
        wait(200);
        const QByteArray name = QStringLiteral("demo-message-%1.png").arg(++n).toLatin1();
        save(&dialog, name.constData());
        save(&window, QStringLiteral("demo-under-message-%1.png").arg(n).toLatin1().constData());
        return static_cast<int>(mrOk);
    });

    save(&window, "demo-1-start.png");
    QTest::mouseClick(window.btnConnect, Qt::LeftButton);
    wait(2500);
    save(&window, "demo-2-connected.png");
    wait(8000);
    save(&window, "demo-3-later.png");
    // Unplugging the connected bridge.
    const std::string path = [&] {
        char p[HID_UART_DEVICE_STRLEN] = {};
        sim.library.get<decltype(&VelorSim_DevicePath)>("VelorSim_DevicePath")("SIM0001", p);
        return std::string(p);
    }();
    sim.pullBridge("SIM0001");
    watcher->remove(QString::fromStdString(path));
    wait(300);
    save(&window, "demo-4-unplugged.png");
    // Plugged in again, connected, then the meter falls silent.
    sim.addBridge("SIM0001");
    char p2[HID_UART_DEVICE_STRLEN] = {};
    sim.library.get<decltype(&VelorSim_DevicePath)>("VelorSim_DevicePath")("SIM0001", p2);
    watcher->arrive(QString::fromLatin1(p2));
    QTest::mouseClick(window.btnConnect, Qt::LeftButton);
    wait(2000);
    sim.setSource("SIM0001", "none");
    wait(4000);
    save(&window, "demo-5-silent.png");
    setMsgDlgResponder({});
    return 0;
}
