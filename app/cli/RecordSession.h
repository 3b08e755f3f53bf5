#pragma once

#include "CliRows.h"
#include "MeterDecoder.h"
#include "MeterStream.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>

class RecordTable;
class TCP2110;

// One live recording: a USB link on the Qt Core event loop, its chunks through the
// meter core into printed rows, ended by the limits, an interrupt, or the link lost.
// GUI (main) thread only.
class RecordSession : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString library; // file name next to the executable, or a path
        QChar decimalSeparator;
        bool changesOnly = false;
        std::int64_t frames = 0;  // 0: no limit
        std::int64_t seconds = 0; // 0: no limit
        int silenceMs = 10000;    // no data this long ends the link
        QString output;           // record file written at the end; empty: none
    };

    explicit RecordSession(Settings settings);
    ~RecordSession() override;

    // Runs until done; the process exit code.
    int run();

private:
    // Prints each recorded row and keeps it for the record file.
    class Rows : public CliRowPrinter {
    public:
        Rows(QChar timeSeparator, RecordTable* table);
        void appendRecord(const MeterReading& reading) override;

    private:
        std::optional<CliTableRecorder> m_recorder; // none: no file
    };

    bool saveOutput();
    void receive(const std::uint8_t* data, std::uint32_t count);
    void finish(int code, const QString& message = {});

    Settings m_settings;
    std::unique_ptr<RecordTable> m_table;
    Rows m_printer;
    MeterDecoder m_decoder;
    MeterStream m_stream;
    std::unique_ptr<TCP2110> m_link;
    QTimer m_watchdog;
    QTimer m_limit;
    QTimer m_interruptPoll;
    bool m_done = false;
    int m_exitCode = 0;
};
