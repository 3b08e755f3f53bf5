#include "LcdFonts.h"

#include <QFontDatabase>
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

QFont lcdSegmentFont(int pixelSize) {
    QFont font;
    const QString family = segmentFamily();
    if (family.isEmpty()) {
        font.setFamily(QStringLiteral("Monospace"));
        font.setStyleHint(QFont::Monospace);
    } else {
        font.setFamily(family);
    }
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

QFont lcdLabelFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
