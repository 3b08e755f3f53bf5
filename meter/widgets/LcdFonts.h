#pragma once

#include <QFont>

// The seven-segment font of the value boxes at the given pixel height: DSEG7 from the
// system's font folder, loaded once at run time; a bold monospaced font showing the
// same texts when it is missing.
QFont lcdSegmentFont(int pixelSize);
// Whether the seven-segment face was found.
bool lcdSegmentFontLoaded();

// Arial at the given character height, bold unless told otherwise.
QFont lcdLabelFont(int pixelSize, bool bold = true);
