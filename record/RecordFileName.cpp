#include "RecordFileName.h"

#include <algorithm>

QString recordFileExtension(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
#ifdef Q_OS_WIN
    const qsizetype separator = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
#else
    const qsizetype separator = fileName.lastIndexOf(u'/');
#endif
    if (dot < 0 || dot < separator) {
        return {};
    }
    return fileName.mid(dot).toLower();
}

RecordFileFormat recordFileFormat(const QString& fileName) {
    return recordFileExtension(fileName) == u".xml" ? RecordFileFormat::Xml
                                                    : RecordFileFormat::Text;
}

QString recordSaveFileName(const QString& fileName) {
    const QString ext = recordFileExtension(fileName);
    if (ext == u".xml" || ext == u".xls" || ext == u".txt") {
        return fileName;
    }
    return fileName + QStringLiteral(".xls");
}
