#include "LcdFonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace {

QString segmentFamily() {
    static const QString family = [] {
        const QStringList candidates = {
            QStringLiteral("/usr/share/fonts/truetype/dseg/DSEG7Classic-Bold.ttf"),
            QStringLiteral("/usr/share/fonts/truetype/dseg/DSEG7Classic-Regular.ttf"),
        };
        for (const QString& file : candidates) {
            const int id = QFontDatabase::addApplicationFont(file);
            if (id >= 0) {
                const QStringList families = QFontDatabase::applicationFontFamilies(id);
                if (!families.isEmpty()) {
                    return families.front();
                }
            }
        }
        return QString();
    }();
    return family;
}

} // namespace

bool lcdSegmentFontLoaded() {
    return !segmentFamily().isEmpty();
}

QFont lcdSegmentFont(int pixelSize, int boxHeight) {
    QFont font;
    const QString family = segmentFamily();
    if (family.isEmpty()) {
        font.setFamily(QStringLiteral("Monospace"));
        font.setStyleHint(QFont::Monospace);
    } else {
        font.setFamily(family);
    }
    font.setBold(true);
    // Room for the box's one-pixel inner margins above and below.
    const int room = boxHeight - 4;
    for (int size = pixelSize; size > 6; --size) {
        font.setPixelSize(size);
        const QFontMetrics fm(font);
        if (fm.height() <= room && fm.tightBoundingRect(QStringLiteral("8,8")).height() <= room) {
            break;
        }
    }
    return font;
}

QFont lcdLabelFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
