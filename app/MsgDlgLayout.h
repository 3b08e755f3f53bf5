#pragma once

#include "MsgDlgTypes.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

// The message dialog's texts and layout arithmetic, free of widgets: the dialog measures
// its font and text, and these functions place everything from the measured numbers.

// Control name ("Yes"), caption with its accelerator mark ("&Yes") and modal result.
QString msgDlgButtonName(TMsgDlgBtn button);
QString msgDlgButtonCaption(TMsgDlgBtn button);
int msgDlgButtonResult(TMsgDlgBtn button);
// "Warning", "Error", "Information", "Confirm"; empty for mtCustom (the application's title).
QString msgDlgTitle(TMsgDlgType dlgType);
bool msgDlgHasIcon(TMsgDlgType dlgType);

// The button Enter presses and the one Esc presses; none when not requested.
std::optional<TMsgDlgBtn> msgDlgDefaultButton(TMsgDlgButtons buttons);
std::optional<TMsgDlgBtn> msgDlgCancelButton(TMsgDlgButtons buttons);

// Dialog units to pixels from the average character cx × cy, rounded to nearest.
int dialogUnitsToPixelsX(int units, int cx);
int dialogUnitsToPixelsY(int units, int cy);

// Measured caption widths, one per button kind, 0 until measured. A width once stored
// is kept; the dialog holds one table for the whole process.
using MsgDlgButtonWidths = std::array<int, msgDlgBtnCount>;
// Stores the widths of the requested kinds not measured yet (caption width + 8) and
// returns the button width: the largest of minWidth and the requested kinds' widths.
int msgDlgButtonWidth(MsgDlgButtonWidths& table, TMsgDlgButtons buttons, int minWidth,
                      const std::function<int(TMsgDlgBtn)>& measureCaption);

struct MsgDlgLayoutInput {
    int cx = 0;        // average character width of the dialog's font
    int cy = 0;        // its line height
    int textWidth = 0; // the message, word-wrapped within half the screen's width
    int textHeight = 0;
    bool hasIcon = false;
    TMsgDlgButtons buttons;
    int buttonWidth = 0; // from msgDlgButtonWidth
    bool rightToLeft = false;
};

struct MsgDlgLayout {
    int horzMargin = 0;
    int vertMargin = 0;
    int horzSpacing = 0;
    int vertSpacing = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
    int buttonSpacing = 0;
    int iconTextWidth = 0;
    int iconTextHeight = 0;
    int buttonGroupWidth = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    QRect iconRect; // empty without an icon
    QRect messageRect;
    // The requested buttons in table order with their bounds.
    std::vector<std::pair<TMsgDlgBtn, QRect>> buttonRects;
};

// The minimum button width of the layout, 50 horizontal dialog units.
int msgDlgMinButtonWidth(int cx);
MsgDlgLayout layoutMsgDlg(const MsgDlgLayoutInput& input);

// Top-left corner that centres an outer size on the screen.
QPoint msgDlgCentredPosition(int screenWidth, int screenHeight, int outerWidth, int outerHeight);

// The text Ctrl+C puts on the clipboard: lines of 27 hyphens around the title, the
// message and the captions (each followed by three spaces, "&" removed), CR LF endings.
QString msgDlgCopyText(const QString& title, const QString& message,
                       const QStringList& buttonCaptions);
