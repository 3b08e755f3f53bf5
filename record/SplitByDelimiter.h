#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The pieces of text between the occurrences of delimiter: k delimiters give k + 1
// pieces, an empty text one empty piece, a trailing delimiter an empty last piece.
// At most maxPieces pieces: the last one then holds the rest unsplit (callers that only
// need to know "too many" need not split it all). Works on QStringView and QByteArrayView.
template <typename View>
void splitPieces(View text, View delimiter, std::vector<View>* pieces,
                 std::size_t maxPieces = static_cast<std::size_t>(-1)) {
    pieces->clear();
    for (;;) {
        const qsizetype at = delimiter.isEmpty() ? -1 : text.indexOf(delimiter);
        if (at < 0 || pieces->size() + 1 >= maxPieces) {
            pieces->push_back(text);
            return;
        }
        pieces->push_back(text.first(at));
        text = text.sliced(at + delimiter.size());
    }
}

// Replaces the content of list by the pieces of text between the delimiters.
void SplitByDelimiter(const QString& text, const QString& delimiter, QStringList& list);
