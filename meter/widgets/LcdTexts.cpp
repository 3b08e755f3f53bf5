#include "LcdTexts.h"

#include <array>

namespace {

// Status 0..10 on the primary and on the secondary display. On the secondary
// display the overload reads with the digit zero.
struct StatusTexts {
    const char* primary;
    const char* secondary;
};
constexpr std::array<StatusTexts, 11> statusTexts = {{
    {"", ""},
    {"", ""},
    {"- - - -", "- - - -"},
    {" OL  ", "  0L  "},
    {"OFF   ", "OFF  "},
    {"", ""},
    {"ERR   ", "ERR  "},
    {"PASS  ", "PASS  "},
    {"FAIL  ", "FAIL  "},
    {"OPEN  ", "OPEN  "},
    {"SHORT ", "SHORT "},
}};

template <std::size_t N>
bool pick(const std::array<const char*, N>& texts, int code, QString* text) {
    if (code < 0 || code >= static_cast<int>(N)) {
        return false;
    }
    *text = QString::fromUtf8(texts[static_cast<std::size_t>(code)]);
    return true;
}

} // namespace

bool lcdStatusText(int status, bool secondaryDisplay, const QString& valueText, QString* text,
                   bool* hide) {
    if (status < 0 || status >= static_cast<int>(statusTexts.size())) {
        return false;
    }
    *hide = status == 1 || status == 5;
    if (status == 0) {
        *text = valueText;
    } else {
        const StatusTexts& t = statusTexts[static_cast<std::size_t>(status)];
        *text = QString::fromLatin1(secondaryDisplay ? t.secondary : t.primary);
    }
    return true;
}

bool lcdFrequencyText(int frequency, QString* text) {
    static constexpr std::array<const char*, 5> texts = {"100Hz", "120Hz", "1KHz", "10KHz",
                                                         "100KHz"};
    return pick(texts, frequency, text);
}

bool lcdToleranceText(int tolerance, QString* text) {
    static constexpr std::array<const char*, 8> texts = {"0.25%", "0.5%",  "1.0%",  "2.0%",
                                                         "5.0%",  "10.0%", "20.0%", "-20% +80%"};
    return pick(texts, tolerance - 3, text);
}

bool lcdPrimaryModeText(int primaryMode, bool parallel, QString* text) {
    static constexpr std::array<const char*, 5> series = {"", "Ls", "Cs", "Rs", "DCR"};
    static constexpr std::array<const char*, 5> parallelTexts = {"", "Lp", "Cp", "Rp", "DCR"};
    return pick(parallel ? parallelTexts : series, primaryMode, text);
}

bool lcdSecondaryModeText(int secondaryMode, bool parallel, QString* text) {
    static constexpr std::array<const char*, 5> series = {"", "D", "Q", "ESR", "\u03B8"};
    static constexpr std::array<const char*, 5> parallelTexts = {"", "D", "Q", "Rp", "\u03B8"};
    return pick(parallel ? parallelTexts : series, secondaryMode, text);
}
