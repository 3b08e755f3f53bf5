#pragma once

#include <QString>

#include <cstdint>

// The page size typed into the range box: a whole decimal number that fits 32 bits
// signed and is at least 1; anything else stands for the default of 100.
inline constexpr std::int32_t defaultPageSize = 100;
std::int32_t pageSizeFromText(const QString& text);
