#include "RecordCommand.h"

#include "LocaleSeparators.h"
#include "RecordSession.h"

#include <QFileInfo>
#include <QLocale>

#include <cstdint>
#include <cstdio>

namespace {

constexpr const char* realLibrary = "libslabhidtouart.so";
constexpr const char* simLibrary = "libslabhidtouart-sim.so";
constexpr std::int64_t maxSeconds = 2000000;

void printRecordHelp(std::FILE* out) {
    std::fputs("usage: velor-cli record [options]\n"
               "Connects to the first bridge found and prints one tab-separated line per\n"
               "recorded frame, as 'velor-cli decode' does, until a limit is reached, the\n"
               "program is interrupted (Ctrl-C) or the link is lost.\n"
               "  --library PATH           HID-to-UART library to load (default: the one\n"
               "                           next to velor-cli, libslabhidtouart.so)\n"
               "  --sim                    use the simulated bridge (libslabhidtouart-sim.so)\n"
               "  --frames N               stop after N decoded frames\n"
               "  --seconds S              stop after S seconds\n"
               "  --silence S              no data for S seconds means the link is lost\n"
               "                           (default 10)\n"
               "  --changes                record only frames whose value text changed\n"
               "  --output FILE            also write the rows as a record file: \".xml\" the\n"
               "                           XML data packet, \".txt\"/\".xls\" tab-separated\n"
               "                           text (other names get \".xls\" appended)\n"
               "  --decimal-separator C    separator of the value texts (default: locale's)\n"
               "  --help                   show this help\n"
               "Exit status: 0 when a limit or an interrupt ended the recording; 1 when no\n"
               "bridge was found, it could not be opened, or the link was lost.\n",
               out);
}

// A positive whole number, or -1.
std::int64_t positive(const QString& text) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    return ok && v > 0 ? v : -1;
}

} // namespace

int runRecordCommand(const QStringList& args) {
    RecordSession::Settings settings;
    settings.library = QString::fromLatin1(realLibrary);
    settings.decimalSeparator = localeDecimalSeparator(QLocale::system());
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == u"--help" || a == u"-h") {
            printRecordHelp(stdout);
            return 0;
        } else if (a == u"--changes") {
            settings.changesOnly = true;
        } else if (a == u"--sim") {
            settings.library = QString::fromLatin1(simLibrary);
        } else if (a == u"--output" && hasValue) {
            settings.output = args[++i];
        } else if (a == u"--library" && hasValue) {
            settings.library = QFileInfo(args[++i]).absoluteFilePath();
        } else if ((a == u"--frames" || a == u"--seconds" || a == u"--silence") && hasValue) {
            const std::int64_t v = positive(args[++i]);
            // Timers count milliseconds in an int: at most about 24 days.
            if (v < 0 || (a != u"--frames" && v > maxSeconds)) {
                std::fprintf(stderr, "velor-cli: %s needs a whole number from 1 to %lld\n",
                             qPrintable(a),
                             static_cast<long long>(a == u"--frames" ? INT64_MAX : maxSeconds));
                return 2;
            }
            if (a == u"--frames") {
                settings.frames = v;
            } else if (a == u"--seconds") {
                settings.seconds = v;
            } else {
                settings.silenceMs = static_cast<int>(v * 1000);
            }
        } else if (a == u"--decimal-separator" && hasValue && args[i + 1].size() == 1) {
            settings.decimalSeparator = args[++i].front();
        } else {
            std::fprintf(stderr, "velor-cli: bad option %s (see velor-cli record --help)\n",
                         qPrintable(a));
            return 2;
        }
    }
    RecordSession session(settings);
    return session.run();
}
