#pragma once

#include <QFont>

// The seven-segment font of the value boxes: DSEG7 from the system's font folder,
// loaded once at run time; a bold monospaced font showing the same texts when it is
// missing. The nominal character height is reduced until a digit with a decimal comma
// fits a box of boxHeight pixels: DSEG's digits fill the whole em, and the comma hangs
// below the baseline.
QFont lcdSegmentFont(int pixelSize, int boxHeight);
// Whether the seven-segment face was found.
bool lcdSegmentFontLoaded();

// Arial at the given character height, bold unless told otherwise.
QFont lcdLabelFont(int pixelSize, bool bold = true);
