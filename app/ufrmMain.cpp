#include "ufrmMain.h"

#include "LocaleSeparators.h"
#include "MeterDecoder.h"
#include "MeterStream.h"
#include "MsgDlg.h"
#include "TChartPane.h"
#include "TRecordPane.h"
#include "TUnit.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QTimer>

namespace {
const char* const modelName = "VELOR";
const char* const versionText = "1.00";
} // namespace

TfrmMain::TfrmMain(const MainWindowOptions& options, QWidget* parent)
    : QWidget(parent), m_options(options) {
    createComponents();
    createLinkComponents();
    connectPanes();
    FormCreate();
}

TfrmMain::~TfrmMain() {
    FormDestroy();
    // The panes outlive the decoder while QWidget deletes its children; nothing they
    // send from now on may reach the window's handlers.
    recordPane->disconnect(this);
    chartPane->disconnect(this);
    recordPane->setInformationHandler({});
    timerDisconectedUSB->stop();
}

void TfrmMain::FormCreate() {
    RefreshDeviceList();
    // The chart pane creates its paging controller (page size 100) with itself, and
    // the record pane its empty table; both exist by now.
    setWindowTitle(QStringLiteral("%1 v%2").arg(QString::fromLatin1(modelName),
                                                QString::fromLatin1(versionText)));
    // The unit texts are the meter core's fixed table (lcdUnitText).
    m_decimalSeparator =
        m_options.decimalSeparator.value_or(localeDecimalSeparator(QLocale::system()));
    chartPane->setDecimalSeparator(m_decimalSeparator);
    m_decoder =
        std::make_unique<MeterDecoder>(m_decimalSeparator, static_cast<DecoderHooks*>(this));
    m_decoder->setRepeat(recordPane->repeatChecked());
    m_stream = std::make_unique<MeterStream>(m_decoder.get());
    m_sampling = recordPane->samplingChecked();
}

void TfrmMain::connectPanes() {
    connect(recordPane, &TRecordPane::repeatChanged, this,
            [this](bool checked) { m_decoder->setRepeat(checked); });
    connect(recordPane, &TRecordPane::samplingChanged, this,
            [this](bool enabled) { m_sampling = enabled; });
    connect(recordPane, &TRecordPane::samplingTick, this, &TfrmMain::timerIntervalTimer);
    connect(recordPane, &TRecordPane::clearRequested, this, &TfrmMain::btnRecordNewClick);
    connect(chartPane, &TChartPane::clearRequested, this, &TfrmMain::btnRecordNewClick);
    recordPane->setInformationHandler(
        [](const QString& text) { ShowMsgDlg(text, mtInformation, {mbOK}, 0); });
    connect(timerDisconectedUSB, &QTimer::timeout, this, &TfrmMain::timerDisconectedUSBTimer);
}

// Clear, from either tool bar: after a Yes, the table and the chart start again.
void TfrmMain::btnRecordNewClick() {
    if (ShowMsgDlg(QStringLiteral("Are you sure that you want to delete this record?"),
                   mtConfirmation, {mbYes, mbNo}, 0) != mrYes) {
        return;
    }
    recordPane->clearRecords();
    chartPane->clearChart();
}

void TfrmMain::timerIntervalTimer() {
    m_stream->samplingTick();
}

void TfrmMain::FormCloseQuery(bool& CanClose) {
    CanClose = ShowMsgDlg(QStringLiteral("Are you sure that you want to quit this application?"),
                          mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_centred) {
        return;
    }
    m_centred = true;
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
}
