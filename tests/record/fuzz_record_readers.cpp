// libFuzzer target: arbitrary bytes as a text record file and as an XML record file.
// Checks the stored-text rules, that the fast reader of the program's own XML form
// agrees with the general XML reader, and that a table read from text comes back
// unchanged through the XML form.
#include "RecordFileReader.h"
#include "RecordFileWriter.h"
#include "RecordTable.h"
#include "RecordXmlFastPath.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr auto utf8 = QStringConverter::Utf8;

bool sameRows(const RecordTable& a, const RecordTable& b) {
    if (a.rowCount() != b.rowCount()) {
        return false;
    }
    for (int r = 0; r < a.rowCount(); ++r) {
        for (int f = 0; f < recordFieldCount; ++f) {
            if (a.text(r, static_cast<RecordField>(f)) != b.text(r, static_cast<RecordField>(f))) {
                return false;
            }
        }
    }
    return true;
}

// Texts the XML form cannot carry as they are (written byte for byte, read back as
// invalid characters).
bool xmlSafe(const RecordTable& table) {
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int f = aTime; f < recordFieldCount; ++f) {
            const auto t = table.text(r, static_cast<RecordField>(f));
            if (!t) {
                continue;
            }
            if (t->size() > recordTextWidth * 2 || t->endsWith(u' ')) {
                std::abort(); // the store rules were broken
            }
            for (const QChar c : *t) {
                if (c.unicode() < 0x20 || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) {
                    return false;
                }
            }
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    RecordTable text(utf8);
    readRecordText(bytes, &text, utf8);
    if (xmlSafe(text)) {
        QBuffer packet;
        packet.open(QIODevice::WriteOnly);
        writeRecordXml(text, &packet, utf8);
        RecordTable back(utf8);
        if (!readRecordXml(packet.data(), &back, utf8) || !sameRows(text, back)) {
            std::abort();
        }
    }

    RecordTable fast(utf8);
    fast.beginAppendBatch();
    const bool own = readOwnRecordXml(bytes, &fast);
    fast.endAppendBatch();
    RecordTable general(utf8);
    const bool generalOk = readRecordXmlGeneral(bytes, &general, utf8);
    if (own && (!generalOk || !sameRows(fast, general))) {
        std::abort();
    }
    return 0;
}
