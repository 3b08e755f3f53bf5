#include "SplitByDelimiter.h"

void SplitByDelimiter(const QString& text, const QString& delimiter, QStringList& list) {
    std::vector<QStringView> pieces;
    splitPieces(QStringView(text), QStringView(delimiter), &pieces);
    QStringList result;
    result.reserve(static_cast<qsizetype>(pieces.size()));
    for (const QStringView piece : pieces) {
        result << piece.toString();
    }
    list = std::move(result);
}
