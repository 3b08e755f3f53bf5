// The connection control of the main window on the simulated bridge: connecting and
// failing to, disconnecting by hand, unplugging, silence caught by the watchdog, and
// bridges plugged in or pulled out while connected.
#include "AppTestSupport.h"
#include "ManualDeviceWatcher.h"
#include "MeterDecoder.h"
#include "SimControl.h"
#include "TLcdPanel.h"
#include "uCP2110.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <system_error>

namespace {

const QString noDevice =
    QStringLiteral("No device found.  Please ensure that you have proper USB connection.");
const QString cable =
    QStringLiteral("USB interface cable is not connected properly, please check and re-try.");

template <typename Pred> bool waitFor(Pred pred, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// What the window looked like while a message was up.
struct Shown {
    QString text;
    bool connected;
    bool watchdogActive;
    bool buttonDown;
};

class ConnectionTest : public ::testing::Test {
protected:
    ~ConnectionTest() override {
        window.reset();
        setMsgDlgResponder({});
    }

    // The window over the simulated bridges, watchdog period shortened to watchdogMs.
    void createWindow(int watchdogMs = 10000, TReadThread::Launcher launcher = {}) {
        testApp();
        MainWindowOptions options;
        options.readerThreadLauncher = std::move(launcher);
        options.decimalSeparator = u'.';
        options.bridgeLibraryName = QString::fromLatin1(SimControl::fileName);
        options.watchdogIntervalMs = watchdogMs;
        options.deviceWatcher = [this] {
            auto manual = std::make_unique<ManualDeviceWatcher>();
            watcher = manual.get();
            return manual;
        };
        window = std::make_unique<TfrmMain>(options);
        window->show();
        setMsgDlgResponder([this](TMessageForm& dialog) {
            shown.push_back({dialog.copyText(), window->CP21101->Connected(),
                             window->timerDisconectedUSB->isActive(),
                             window->btnConnect->isChecked()});
            return mrOk;
        });
    }

    void click() { QTest::mouseClick(window->btnConnect, Qt::LeftButton); }
    QStringList devices() const {
        QStringList items;
        for (int i = 0; i < window->cbbDevices->count(); ++i) {
            items << window->cbbDevices->itemText(i);
        }
        return items;
    }
    bool usbShown() const { return !window->pnlLcd->lcdRS232->isHidden(); }
    void expectDisconnectedState() {
        EXPECT_FALSE(window->CP21101->Connected());
        EXPECT_FALSE(window->btnConnect->isChecked());
        EXPECT_EQ(window->btnConnect->text(), "Connection");
        EXPECT_FALSE(usbShown());
        EXPECT_FALSE(window->timerDisconectedUSB->isActive());
    }
    void expectConnectedState() {
        EXPECT_TRUE(window->CP21101->Connected());
        EXPECT_TRUE(window->btnConnect->isChecked());
        EXPECT_EQ(window->btnConnect->text(), "Disconnection");
        EXPECT_TRUE(usbShown());
        EXPECT_TRUE(window->timerDisconectedUSB->isActive());
    }
    void unplug(const char* serial) {
        const std::string path = sim.devicePath(serial);
        ASSERT_EQ(sim.pullBridge(serial), 0);
        watcher->remove(QString::fromStdString(path));
    }
    void plugIn(const char* serial) {
        ASSERT_EQ(sim.addBridge(serial), 0);
        watcher->arrive(QString::fromStdString(sim.devicePath(serial)));
    }

    QApplication& app = testApp(); // before the library is looked for next to the program
    SimControl sim;
    ManualDeviceWatcher* watcher = nullptr;
    std::unique_ptr<TfrmMain> window;
    std::vector<Shown> shown;
};

} // namespace

TEST_F(ConnectionTest, StartUpListsTheBridgesSortedIgnoringCaseAndNamesTheFirst) {
    ASSERT_EQ(sim.pullBridge("SIM0001"), 0);
    ASSERT_EQ(sim.addBridge("b2"), 0);
    ASSERT_EQ(sim.addBridge("A1"), 0);
    createWindow();
    EXPECT_EQ(devices(), (QStringList{"A1", "b2"}));
    EXPECT_EQ(window->cbbDevices->currentIndex(), 0);
    EXPECT_EQ(window->CP21101->DeviceName(), "A1");
    EXPECT_TRUE(window->cbbDevices->isHidden());
    expectDisconnectedState();
    EXPECT_FALSE(window->pnlLcd->CONokN->isHidden());
    EXPECT_TRUE(window->pnlLcd->CONok->isHidden());
}

TEST_F(ConnectionTest, ConnectSucceedsAndReadingsFlowOntoTheLcd) {
    createWindow();
    click();
    EXPECT_TRUE(shown.empty());
    expectConnectedState();
    // Chunks flip the indicator and frames reach the decoder.
    ASSERT_TRUE(waitFor([this] { return window->meterDecoder().framesDecoded() >= 2; }));
    EXPECT_NE(window->pnlLcd->CONok->isHidden(), window->pnlLcd->CONokN->isHidden());
    // Clicking "Disconnection": up, "Connection", no "USB", no message.
    click();
    expectDisconnectedState();
    EXPECT_TRUE(shown.empty());
    // The indicator keeps its last phase after the disconnect.
    const bool lit = !window->pnlLcd->CONok->isHidden();
    QTest::qWait(200);
    EXPECT_EQ(!window->pnlLcd->CONok->isHidden(), lit);
}

TEST_F(ConnectionTest, TheIndicatorAlternatesWithEveryChunk) {
    createWindow();
    int flips = 0;
    bool last = !window->pnlLcd->CONok->isHidden();
    click();
    ASSERT_TRUE(waitFor([&] {
        const bool now = !window->pnlLcd->CONok->isHidden();
        if (now != last) {
            ++flips;
            last = now;
        }
        return flips >= 4;
    }));
    EXPECT_NE(window->pnlLcd->CONok->isHidden(), window->pnlLcd->CONokN->isHidden());
}

struct FailCase {
    const char* what;
    bool pullAll;
    int failStep;
};

class ConnectFails : public ConnectionTest, public ::testing::WithParamInterface<FailCase> {};

TEST_P(ConnectFails, ShowsTheNoDeviceMessageAndPutsTheButtonBackUp) {
    const FailCase& c = GetParam();
    if (c.pullAll) {
        ASSERT_EQ(sim.pullBridge("SIM0001"), 0);
    }
    if (c.failStep) {
        ASSERT_EQ(sim.failStep("SIM0001", c.failStep), 0);
    }
    createWindow();
    EXPECT_EQ(window->CP21101->DeviceName(), c.pullAll ? "" : "SIM0001");
    click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.contains(noDevice));
    EXPECT_TRUE(shown[0].buttonDown); // the click flipped it; it goes up after the OK
    expectDisconnectedState();
}

INSTANTIATE_TEST_SUITE_P(App, ConnectFails,
                         ::testing::Values(FailCase{"noBridge", true, 0},
                                           FailCase{"openRefused", false, VELOR_SIM_FAIL_OPEN},
                                           FailCase{"configReadsBackOther", false,
                                                    VELOR_SIM_FAIL_CONFIG_READBACK}),
                         [](const ::testing::TestParamInfo<FailCase>& p) { return p.param.what; });

TEST_F(ConnectionTest, AReaderThatCannotStartIsShownAsAnErrorAndTheButtonGoesUp) {
    createWindow(10000, [](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    });
    QString boxText;
    // The system error box is modal: answer it once it is up.
    QTimer::singleShot(0, window.get(), [&boxText] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                boxText = box->windowTitle() + u'|' + box->text();
                box->accept();
            }
        }
    });
    click();
    EXPECT_EQ(boxText, "Error|Failed to Create Thread!");
    EXPECT_TRUE(shown.empty()); // not the no-device message
    expectDisconnectedState();
}

TEST_F(ConnectionTest, UnplugWhileConnectedShowsTheMessageBeforeTheLinkCloses) {
    createWindow();
    click();
    ASSERT_TRUE(window->CP21101->Connected());
    unplug("SIM0001");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.contains(noDevice));
    EXPECT_TRUE(shown[0].connected);       // closed only after the OK
    EXPECT_FALSE(shown[0].watchdogActive); // already off while the message is up
    expectDisconnectedState();
    EXPECT_TRUE(devices().isEmpty());
    EXPECT_EQ(window->CP21101->DeviceName(), "");
    QTest::qWait(100);
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(ConnectionTest, DataKeepsTheWatchdogAwayAndTheFirstSilenceEndsTheConnection) {
    createWindow(2000); // the simulated meter sends a frame every half second
    click();
    QTest::qWait(4500);
    expectConnectedState();
    EXPECT_TRUE(shown.empty());
    ASSERT_EQ(sim.setSource("SIM0001", "none"), 0);
    ASSERT_TRUE(waitFor([this] { return !shown.empty(); }, 5000));
    EXPECT_TRUE(shown[0].text.contains(cable));
    EXPECT_FALSE(shown[0].connected); // disconnected before the message
    EXPECT_FALSE(shown[0].buttonDown);
    EXPECT_FALSE(shown[0].watchdogActive);
    expectDisconnectedState();
    QTest::qWait(2200);
    EXPECT_EQ(shown.size(), 1u); // the watchdog is off: no second message
}

TEST_F(ConnectionTest, ABridgePluggedInWhileConnectedChangesOnlyTheNextDevice) {
    createWindow();
    click();
    ASSERT_TRUE(window->CP21101->Connected());
    plugIn("A0SIM");
    EXPECT_EQ(devices(), (QStringList{"A0SIM", "SIM0001"}));
    EXPECT_EQ(window->CP21101->DeviceName(), "A0SIM");
    expectConnectedState();
    EXPECT_EQ(window->CP21101->openedDevice().serial, "SIM0001");
    // Pulling it again: no message, the connection stays, the list follows.
    unplug("A0SIM");
    EXPECT_TRUE(shown.empty());
    expectConnectedState();
    EXPECT_EQ(devices(), (QStringList{"SIM0001"}));
    // The next connect opens the device named last.
    plugIn("A0SIM");
    click();
    click();
    expectConnectedState();
    EXPECT_EQ(window->CP21101->openedDevice().serial, "A0SIM");
}

TEST_F(ConnectionTest, AReportWhileDisconnectedLeavesTheWatchdogOff) {
    createWindow(300);
    window->pauseLinkForReport();
    window->resumeLinkAfterReport();
    EXPECT_FALSE(window->timerDisconectedUSB->isActive());
    QTest::qWait(500);
    EXPECT_TRUE(shown.empty());
    expectDisconnectedState();
}

TEST_F(ConnectionTest, AReportWhileConnectedHoldsTheReadingAndResumesIt) {
    createWindow(1500);
    click();
    ASSERT_TRUE(waitFor([this] { return window->meterDecoder().framesDecoded() >= 1; }));
    window->pauseLinkForReport();
    EXPECT_FALSE(window->timerDisconectedUSB->isActive());
    QTest::qWait(100); // a poll under way when the report came ends normally
    const auto frames = window->meterDecoder().framesDecoded();
    QTest::qWait(2000); // longer than the watchdog: no data, no message, still connected
    EXPECT_EQ(window->meterDecoder().framesDecoded(), frames);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(window->CP21101->Connected());
    window->resumeLinkAfterReport();
    expectConnectedState();
    ASSERT_TRUE(waitFor([&] { return window->meterDecoder().framesDecoded() > frames; }));
    EXPECT_TRUE(shown.empty());
}

TEST_F(ConnectionTest, ABatchInFlightWhenTheReportBeginsDoesNotEndTheConnection) {
    createWindow(300);
    click();
    ASSERT_TRUE(window->CP21101->Connected());
    window->pauseLinkForReport();
    // The reader's last batch reaches the window after the pause, inside the report's
    // own event loop, and restarts the watchdog.
    const std::uint8_t bytes[3] = {0x00, 0x0D, 0x00};
    window->CP21101ReceiveData(bytes, 3);
    QTest::qWait(700);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(window->CP21101->Connected());
    window->resumeLinkAfterReport();
    expectConnectedState();
}

TEST_F(ConnectionTest, DestroyingAConnectedWindowDisconnectsPromptly) {
    createWindow();
    click();
    ASSERT_TRUE(window->CP21101->Connected());
    ASSERT_TRUE(waitFor([this] { return window->meterDecoder().framesDecoded() >= 1; }));
    QElapsedTimer timer;
    timer.start();
    window.reset();
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_TRUE(shown.empty());
}
