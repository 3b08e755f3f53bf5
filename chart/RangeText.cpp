#include "RangeText.h"

std::int32_t pageSizeFromText(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value > 0 ? value : defaultPageSize;
}
