#pragma once

#include <QPixmap>

// The LCD's small pictures, painted by the program itself.

// 25 × 24: a computer and the meter joined by a cable; the screens lit (data flowing)
// or dark.
QPixmap lcdConnectionPicture(bool lit);

// 17 × 17: the outline of a battery, the frame around the gauge bars.
QPixmap lcdBatteryOutline();
