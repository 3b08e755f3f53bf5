#include "DecodeCommand.h"

#include "CliRows.h"
#include "LocaleSeparators.h"
#include "MeterDecoder.h"
#include "MeterStream.h"
#include "RecordFileWriter.h"
#include "RecordTable.h"

#include <QFile>
#include <QLocale>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

void printDecodeHelp(std::FILE* out) {
    std::fputs("usage: velor-cli decode [options] [FILE]\n"
               "Reads the meter's raw bytes from FILE (or standard input) and prints one\n"
               "tab-separated line per recorded frame: NO Time MMode MValue MUnit SMode\n"
               "SValue SUnit Freq.\n"
               "  --changes                record only frames whose value text changed\n"
               "  --decimal-separator C    separator of the value texts (default: locale's)\n"
               "  --hex                    the input is hexadecimal text, not bytes\n"
               "  --output FILE            write the rows to the record file FILE instead\n"
               "                           (.xml: XML data packet; otherwise tab-separated\n"
               "                           text, .xls appended to other extensions)\n"
               "  --help                   show this help\n",
               out);
}

int hexNibble(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Turns hexadecimal text into bytes; blanks and line breaks between digits are
// ignored, a lone last digit waits for the next chunk.
class HexReader {
public:
    bool feed(const char* text, std::size_t n, std::vector<std::uint8_t>* bytes, char* bad) {
        for (std::size_t i = 0; i < n; ++i) {
            const char c = text[i];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',') {
                continue;
            }
            const int v = hexNibble(c);
            if (v < 0) {
                *bad = c;
                return false;
            }
            if (m_high < 0) {
                m_high = v;
            } else {
                bytes->push_back(static_cast<std::uint8_t>(m_high << 4 | v));
                m_high = -1;
            }
        }
        return true;
    }
    bool pending() const { return m_high >= 0; }

private:
    int m_high = -1;
};

} // namespace

int runDecodeCommand(const QStringList& args) {
    bool changes = false;
    bool hex = false;
    QChar separator = localeDecimalSeparator(QLocale::system());
    QString path;
    QString output;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--help" || a == u"-h") {
            printDecodeHelp(stdout);
            return 0;
        } else if (a == u"--changes") {
            changes = true;
        } else if (a == u"--hex") {
            hex = true;
        } else if (a == u"--output") {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
                std::fputs("velor-cli: --output needs a file name\n", stderr);
                return 2;
            }
            output = args[++i];
        } else if (a == u"--decimal-separator") {
            if (i + 1 >= args.size() || args[i + 1].size() != 1) {
                std::fputs("velor-cli: --decimal-separator needs one character\n", stderr);
                return 2;
            }
            separator = args[++i].front();
        } else if (a.startsWith(u"--")) {
            std::fprintf(stderr, "velor-cli: unknown option %s (see velor-cli decode --help)\n",
                         qPrintable(a));
            return 2;
        } else if (path.isEmpty()) {
            path = a;
        } else {
            std::fputs("velor-cli: decode takes at most one FILE\n", stderr);
            return 2;
        }
    }

    QFile input;
    bool opened = false;
    if (path.isEmpty() || path == u"-") {
        opened = input.open(stdin, QIODevice::ReadOnly);
    } else {
        input.setFileName(path);
        opened = input.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        std::fprintf(stderr, "velor-cli: cannot read %s: %s\n", qPrintable(path),
                     qPrintable(input.errorString()));
        return 1;
    }

    const QChar timeSeparator = localeTimeSeparator(QLocale::system());
    CliRowPrinter printer(stdout, timeSeparator);
    RecordTable table;
    CliTableRecorder recorder(&table, timeSeparator);
    MeterDecoder decoder(separator, output.isEmpty() ? static_cast<DecoderHooks*>(&printer)
                                                     : static_cast<DecoderHooks*>(&recorder));
    decoder.setRepeat(!changes);
    MeterStream stream(&decoder);
    HexReader hexReader;
    std::vector<char> chunk(4096);
    std::vector<std::uint8_t> bytes;
    for (;;) {
        const qint64 n = input.read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (n < 0) {
            std::fprintf(stderr, "velor-cli: read error: %s\n", qPrintable(input.errorString()));
            return 1;
        }
        if (n == 0) {
            break;
        }
        const std::uint8_t* data = reinterpret_cast<const std::uint8_t*>(chunk.data());
        std::size_t count = static_cast<std::size_t>(n);
        if (hex) {
            bytes.clear();
            char bad = 0;
            if (!hexReader.feed(chunk.data(), count, &bytes, &bad)) {
                std::fprintf(stderr, "velor-cli: not hexadecimal text: '%c'\n", bad);
                return 1;
            }
            data = bytes.data();
            count = bytes.size();
        }
        // A file is not paced like the meter: take out every frame the chunk completes.
        stream.serialChunk(data, static_cast<std::uint32_t>(count));
        while (stream.extractFrame()) {
        }
    }
    std::fflush(stdout);
    if (hex && hexReader.pending()) {
        std::fputs("velor-cli: odd number of hexadecimal digits; the last one is ignored\n",
                   stderr);
    }
    if (!output.isEmpty()) {
        const RecordSaveResult saved = saveRecordFile(table, output);
        if (!saved.ok) {
            std::fprintf(stderr, "velor-cli: could not save %s: %s\n", qPrintable(saved.fileName),
                         qPrintable(saved.error));
            return 1;
        }
        std::fprintf(stderr, "velor-cli: %d rows written to %s\n", table.rowCount(),
                     qPrintable(saved.fileName));
    }
    return 0;
}
