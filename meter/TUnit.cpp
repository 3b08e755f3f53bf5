#include "TUnit.h"

#include <array>

namespace {

constexpr std::array<const char*, tUnitCount> names = {
    "uNoneA", "uOhm", "uKOhm", "uMOhm", "uNoneB", "uuH",      "umH", "uH",
    "ukH",    "upF",  "unF",   "uuF",   "umF",    "uPercent", "udeg"};

bool known(int code) {
    return code >= 0 && code < tUnitCount;
}

} // namespace

QString tUnitName(int code) {
    return known(code) ? QString::fromLatin1(names[code]) : QString();
}

QString lcdUnitText(int code, bool secondaryDisplay) {
    static const std::array<QString, tUnitCount> texts = {QString(),
                                                          QStringLiteral("\u03A9"),
                                                          QStringLiteral("K\u03A9"),
                                                          QStringLiteral("M\u03A9"),
                                                          QString(),
                                                          QStringLiteral("uH"),
                                                          QStringLiteral("mH"),
                                                          QStringLiteral("H"),
                                                          QStringLiteral("kH"),
                                                          QStringLiteral("pF"),
                                                          QStringLiteral("nF"),
                                                          QStringLiteral("uF"),
                                                          QStringLiteral("mF"),
                                                          QStringLiteral("%"),
                                                          QStringLiteral("deg")};
    if (!known(code)) {
        return {};
    }
    if (secondaryDisplay && code == udeg) {
        return QStringLiteral("\u309C");
    }
    return texts[code];
}

QString recordUnitText(int code) {
    switch (code) {
    case uNoneA:
    case uNoneB:
        return {};
    case uOhm:
        return QStringLiteral("Ohm");
    case uKOhm:
        return QStringLiteral("KOhm");
    case uMOhm:
        return QStringLiteral("MOhm");
    case uPercent:
        return QStringLiteral("%");
    case udeg:
        return QStringLiteral("Deg");
    default:
        // The name without its leading "u".
        return known(code) ? tUnitName(code).mid(1) : QString();
    }
}
