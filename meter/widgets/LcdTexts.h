#pragma once

#include <QString>

// The fixed texts of the virtual LCD, by the codes of the reading.

// What a value box shows for a display status: status 0 shows the value text. Returns
// false for the codes that leave the box as it is (11..31). *hide is set for the
// statuses that blank a box and, on the secondary display, hide it (1 and 5).
bool lcdStatusText(int status, bool secondaryDisplay, const QString& valueText, QString* text,
                   bool* hide);

// "100Hz" … "100KHz" for frequency codes 0..4; false for 5..7 (text left as it is).
bool lcdFrequencyText(int frequency, QString* text);

// The tolerance band for codes 3..10 ("0.25%" … "20.0%", "-20% +80%"); false for the
// codes that leave the band text (0..2, 11..15).
bool lcdToleranceText(int tolerance, QString* text);

// Primary mode label: "" for 0, "Ls"/"Lp", "Cs"/"Cp", "Rs"/"Rp", "DCR"; false for 5..7.
bool lcdPrimaryModeText(int primaryMode, bool parallel, QString* text);

// Secondary mode label: "", "D", "Q", "ESR" or "Rp", "θ"; false for 5..7.
bool lcdSecondaryModeText(int secondaryMode, bool parallel, QString* text);
