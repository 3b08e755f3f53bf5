#include "LinkTypes.h"

#include <array>

namespace {

constexpr std::array<const char*, 15> rateNames{
    "CBR_110",   "CBR_300",   "CBR_600",    "CBR_1200",   "CBR_2400",
    "CBR_4800",  "CBR_9600",  "CBR_14400",  "CBR_19200",  "CBR_38400",
    "CBR_56000", "CBR_57600", "CBR_115200", "CBR_128000", "CBR_256000"};

} // namespace

QString baudRateName(TBaudRate rate) {
    return QString::fromLatin1(rateNames.at(static_cast<std::size_t>(rate)));
}

std::uint32_t baudRateValue(TBaudRate rate) {
    const QString name = baudRateName(rate);
    return name.mid(name.indexOf(u'_') + 1).toUInt();
}
