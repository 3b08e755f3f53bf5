#include "RecordSession.h"

#include "LocaleSeparators.h"
#include "RecordFileWriter.h"
#include "RecordTable.h"
#include "uCP2110.h"

#include <QCoreApplication>
#include <QLocale>

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) {
    interrupted.store(true);
}

void printError(const QString& text) {
    std::fprintf(stderr, "velor-cli: %s\n", qPrintable(text));
}

} // namespace

RecordSession::Rows::Rows(QChar timeSeparator, RecordTable* table)
    : CliRowPrinter(stdout, timeSeparator) {
    if (table) {
        m_recorder.emplace(table, timeSeparator);
    }
}

void RecordSession::Rows::appendRecord(const MeterReading& reading) {
    CliRowPrinter::appendRecord(reading);
    if (m_recorder) {
        m_recorder->appendRecord(reading);
    }
}

RecordSession::RecordSession(Settings settings)
    : m_settings(std::move(settings)),
      m_table(m_settings.output.isEmpty() ? nullptr : std::make_unique<RecordTable>()),
      m_printer(localeTimeSeparator(QLocale::system()), m_table.get()),
      m_decoder(m_settings.decimalSeparator, &m_printer), m_stream(&m_decoder) {
    m_decoder.setRepeat(!m_settings.changesOnly);
    m_watchdog.setSingleShot(true);
    m_watchdog.setInterval(m_settings.silenceMs);
    connect(&m_watchdog, &QTimer::timeout, this, [this] {
        finish(1, QStringLiteral("no data from the meter for %1 s; is the cable connected?")
                      .arg(m_settings.silenceMs / 1000));
    });
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] { finish(0); });
    m_interruptPoll.setInterval(100);
    connect(&m_interruptPoll, &QTimer::timeout, this, [this] {
        if (interrupted.load()) {
            finish(0);
        }
    });
}

RecordSession::~RecordSession() = default;

int RecordSession::run() {
    bool libraryFailed = false;
    TCP2110::Options options;
    options.libraryFileName = m_settings.library;
    options.systemError = [&libraryFailed](const QString& text) {
        libraryFailed = true;
        printError(text);
    };
    m_link = std::make_unique<TCP2110>(nullptr, std::move(options));
    if (libraryFailed || !m_link->libraryLoaded()) {
        printError(
            QStringLiteral("cannot use the HID-to-UART library %1").arg(m_link->libraryPath()));
        return 1;
    }
    if (m_link->DeviceList().isEmpty() || m_link->DeviceName().isEmpty()) {
        printError(QStringLiteral("no bridge found; is the meter's cable plugged in?"));
        return 1;
    }
    m_link->OnReceiveData = [this](QObject*, const std::uint8_t* data, std::uint32_t count) {
        receive(data, count);
    };
    m_link->OnRemoval = [this](QObject*) {
        finish(1, QStringLiteral("the bridge %1 was unplugged").arg(m_link->DeviceName()));
    };
    if (!m_link->Connect()) {
        printError(QStringLiteral("cannot open the bridge %1").arg(m_link->DeviceName()));
        return 1;
    }
    std::fprintf(stderr, "velor-cli: recording from %s\n", qPrintable(m_link->DeviceName()));
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    m_watchdog.start();
    m_interruptPoll.start();
    if (m_settings.seconds > 0) {
        m_limit.start(static_cast<int>(m_settings.seconds * 1000));
    }
    if (!m_done) {
        QCoreApplication::exec();
    }
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    m_link->OnReceiveData = nullptr;
    m_link->Disconnect();
    std::fflush(stdout);
    if (!saveOutput()) {
        return 1;
    }
    return m_exitCode;
}

// The rows recorded, also when the link was lost on the way.
bool RecordSession::saveOutput() {
    if (!m_table) {
        return true;
    }
    const RecordSaveResult saved = saveRecordFile(*m_table, m_settings.output);
    if (!saved.ok) {
        printError(QStringLiteral("cannot write %1: %2").arg(saved.fileName, saved.error));
        return false;
    }
    std::fprintf(stderr, "velor-cli: %d rows written to %s\n", m_table->rowCount(),
                 qPrintable(saved.fileName));
    return true;
}

void RecordSession::receive(const std::uint8_t* data, std::uint32_t count) {
    if (m_done) {
        return;
    }
    m_watchdog.start();
    // Unlike the window, every complete frame is taken out at once: a log keeps up.
    const auto limitReached = [this] {
        return m_settings.frames > 0 &&
               m_decoder.framesDecoded() >= static_cast<std::uint64_t>(m_settings.frames);
    };
    m_stream.usbChunk(data, count, false);
    while (!limitReached() && m_stream.extractFrame()) {
    }
    std::fflush(stdout);
    if (limitReached()) {
        finish(0);
    }
}

void RecordSession::finish(int code, const QString& message) {
    if (m_done) {
        return;
    }
    m_done = true;
    m_exitCode = code;
    if (!message.isEmpty()) {
        printError(message);
    }
    m_watchdog.stop();
    m_limit.stop();
    m_interruptPoll.stop();
    QCoreApplication::exit(code);
}
