#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class QObject;

// Line parameters of the meter links. The ordinals are the codes the links pass on.
enum class TBaudRate : std::uint8_t {
    CBR_110,
    CBR_300,
    CBR_600,
    CBR_1200,
    CBR_2400,
    CBR_4800,
    CBR_9600,
    CBR_14400,
    CBR_19200,
    CBR_38400,
    CBR_56000,
    CBR_57600,
    CBR_115200,
    CBR_128000,
    CBR_256000
};
enum class TByteSize : std::uint8_t { _5, _6, _7, _8 };
enum class TStopBits : std::uint8_t { _1, _1_5, _2 };
enum class TParity : std::uint8_t { None, Odd, Even, Mark, Space };

// The name of a rate value ("CBR_9600").
QString baudRateName(TBaudRate rate);
// The rate a value stands for: the number after the first "_" of its name.
std::uint32_t baudRateValue(TBaudRate rate);

// Event types of the links. Every event is raised on the GUI thread.
using TNotifyEvent = std::function<void(QObject* sender)>;
// Data is valid only while the handler runs; a handler copies what it keeps.
using TReceiveData =
    std::function<void(QObject* sender, const std::uint8_t* Data, std::uint32_t Len)>;
using TErrorEvent =
    std::function<void(QObject* sender, std::uint32_t ErrorCode, const QString& ErrorMsg)>;
