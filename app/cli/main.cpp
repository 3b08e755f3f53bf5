// velor-cli: the meter core on the command line, a headless companion of the window.
#include "DecodeCommand.h"
#include "RecordCommand.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void printHelp(std::FILE* out) {
    std::fputs("usage: velor-cli COMMAND [options]\n"
               "commands:\n"
               "  decode [FILE]   decode the meter's raw bytes into record rows\n"
               "  record          log the meter's readings live from its USB bridge\n"
               "run 'velor-cli COMMAND --help' for a command's options\n",
               out);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velor-cli"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        printHelp(stderr);
        return 2;
    }
    const QString command = args.takeFirst();
    if (command == u"--help" || command == u"-h" || command == u"help") {
        printHelp(stdout);
        return 0;
    }
    if (command == u"decode") {
        return runDecodeCommand(args);
    }
    if (command == u"record") {
        return runRecordCommand(args);
    }
    std::fprintf(stderr, "velor-cli: unknown command %s\n", qPrintable(command));
    printHelp(stderr);
    return 2;
}
