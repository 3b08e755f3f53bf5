// The received-bytes path and the decoder's hooks: every chunk flips the communication
// indicator and goes through the frame assembly; each decoded frame reaches the LCD,
// the chart and the record table.
#include "ufrmMain.h"

#include "MeterStream.h"
#include "TChartPane.h"
#include "TLcdPanel.h"
#include "TRecordPane.h"

#include <QTimer>

void TfrmMain::CP21101ReceiveData(const std::uint8_t* bytes, std::uint32_t count) {
    pnlLcd->flipCommIndicator();
    restartWatchdog();
    // While sampling by interval only the ticks take frames out.
    m_stream->usbChunk(bytes, count, m_sampling);
}

void TfrmMain::CComm1ReceiveData(const std::uint8_t* buffer, std::uint32_t length) {
    pnlLcd->flipCommIndicator();
    m_stream->serialChunk(buffer, length);
}

// The no-data watchdog counts its period again from this chunk.
void TfrmMain::restartWatchdog() {
    timerDisconectedUSB->stop();
    timerDisconectedUSB->start();
}

void TfrmMain::updateLcd(const MeterReading& reading, int fullScale, double displayValue) {
    pnlLcd->UpdateLcd(reading, fullScale, displayValue);
}

void TfrmMain::plotValue(double displayValue, int fullScale) {
    chartPane->plotValue(displayValue, fullScale);
}

void TfrmMain::showPrimaryText(const QString& text) {
    pnlLcd->showPrimaryText(text);
}

void TfrmMain::appendRecord(const MeterReading& reading) {
    recordPane->appendRecord(reading);
}
