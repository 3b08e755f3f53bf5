#pragma once

#include "DecoderHooks.h"
#include "MainWindowOptions.h"

#include <QWidget>

#include <cstdint>
#include <memory>

class MeterDecoder;
class MeterStream;
class QComboBox;
class QPushButton;
class QSplitter;
class QTimer;
class TBevelPanel;
class TChartPane;
class TLcdPanel;
class TRecordPane;
class TCP2110;

// The main window: owns every component and all state between events. It is wiring:
// layout, connections and handlers that call into the components.
//   ufrmMain.cpp           construction, FormCreate, closing, record/chart commands
//   ufrmMainLayout.cpp     the regions and their widgets
//   ufrmMainData.cpp       received bytes, the decoder's hooks
//   ufrmMainConnection.cpp the USB link and the connection control
class TfrmMain : public QWidget, private DecoderHooks {
    Q_OBJECT
public:
    explicit TfrmMain(const MainWindowOptions& options = {}, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // One chunk from the USB link: flips the communication indicator, restarts the
    // no-data watchdog and feeds the bytes to the frame assembly.
    void CP21101ReceiveData(const std::uint8_t* bytes, std::uint32_t count);
    // One chunk from the serial link: flips the indicator and feeds the assembly.
    void CComm1ReceiveData(const std::uint8_t* buffer, std::uint32_t length);

    // Around a shown report (the print preview): the USB reader and the watchdog rest,
    // and the watchdog starts again afterwards, with a full period, only if it ran.
    void pauseLinkForReport();
    void resumeLinkAfterReport();

    QChar decimalSeparator() const { return m_decimalSeparator; }
    const MainWindowOptions& options() const { return m_options; }
    MeterDecoder& meterDecoder() { return *m_decoder; }

    // The layout's regions and components, named as in the window's design.
    TBevelPanel* Panel3 = nullptr;
    QPushButton* btnConnect = nullptr;
    QComboBox* cbbDevices = nullptr;
    QWidget* Panel1 = nullptr;
    TBevelPanel* Panel2 = nullptr;
    TLcdPanel* pnlLcd = nullptr;
    TBevelPanel* Panel4 = nullptr;
    TRecordPane* recordPane = nullptr;
    QSplitter* Splitter1 = nullptr;
    TBevelPanel* Panel5 = nullptr;
    TChartPane* chartPane = nullptr;
    QTimer* timerDisconectedUSB = nullptr;
    TCP2110* CP21101 = nullptr; // the USB link, a child of the window

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // ufrmMainLayout.cpp
    void createComponents();
    void applyToolBarPictures();
    // ufrmMain.cpp
    void FormCreate();
    void FormCloseQuery(bool& CanClose);
    void connectPanes();
    void btnRecordNewClick();
    void timerIntervalTimer();
    // ufrmMainData.cpp: DecoderHooks
    void updateLcd(const MeterReading& reading, int fullScale, double displayValue) override;
    void plotValue(double displayValue, int fullScale) override;
    void showPrimaryText(const QString& text) override;
    void appendRecord(const MeterReading& reading) override;
    void restartWatchdog();
    // ufrmMainConnection.cpp: the USB link and the connection control.
    void createLinkComponents();
    void RefreshDeviceList();
    void btnConnectClick();
    void timerDisconectedUSBTimer();
    void FormDestroy();
    void CP21101Connect();
    void CP21101Disconnect();
    void CP21101Removal();
    void CP21101Error(std::uint32_t ErrorCode);
    void CP21101DeviceChange();

    MainWindowOptions m_options;
    QChar m_decimalSeparator;
    std::unique_ptr<MeterDecoder> m_decoder;
    std::unique_ptr<MeterStream> m_stream;
    bool m_sampling = false;
    bool m_centred = false;

    // --- USB link and connection control (ufrmMainConnection.cpp) ---
    bool m_watchdogBeforeReport = false;
    bool m_reportShown = false;
};
