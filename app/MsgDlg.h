#pragma once

#include "MsgDlgTypes.h"

#include <QString>

#include <cstdint>
#include <functional>

class TMessageForm;

// The program's message dialog, built at run time for each message: an icon for the
// kind, the word-wrapped text and a row of buttons. Modal; GUI thread only.

// Builds the dialog, centred on the screen, not yet shown. The caller owns it.
TMessageForm* BuildMsgDlg(const QString& msg, TMsgDlgType dlgType, TMsgDlgButtons buttons);

// Shows the dialog modally and returns the modal result of the button pressed
// (mrCancel when it was closed from its title bar).
int ShowMsgDlg(const QString& msg, TMsgDlgType dlgType, TMsgDlgButtons buttons,
               std::int32_t helpCtx);

// The same with the dialog's left and top edges (each used when >= 0; centred when
// both are negative) and a help file name.
int ShowMsgDlgPos(const QString& msg, TMsgDlgType dlgType, TMsgDlgButtons buttons,
                  std::int32_t helpCtx, std::int32_t x, std::int32_t y,
                  const QString& helpFileName);

// Test seam: while set, ShowMsgDlgPos hands the built dialog to this function instead
// of running its modal loop, and returns what it returns. Pass {} to restore.
using MsgDlgResponder = std::function<int(TMessageForm& dialog)>;
void setMsgDlgResponder(MsgDlgResponder responder);
