#include "MsgDlgLayout.h"

#include <algorithm>

namespace {

struct ButtonInfo {
    const char* name;
    const char* caption;
    int result;
};

constexpr std::array<ButtonInfo, msgDlgBtnCount> buttonInfo = {{
    {"Yes", "&Yes", mrYes},
    {"No", "&No", mrNo},
    {"OK", "OK", mrOk},
    {"Cancel", "Cancel", mrCancel},
    {"Abort", "&Abort", mrAbort},
    {"Retry", "&Retry", mrRetry},
    {"Ignore", "&Ignore", mrIgnore},
    {"All", "&All", mrAll},
    {"NoToAll", "N&o to All", mrNoToAll},
    {"YesToAll", "Yes to &All", mrYesToAll},
    {"Help", "&Help", mrNone},
}};

// n·d / 4 (or / 8) rounded to the nearest integer, for non-negative n and d.
int scaleRounded(int units, int size, int divisor) {
    return (2 * units * size + divisor) / (2 * divisor);
}

constexpr int iconSize = 32;

} // namespace

QString msgDlgButtonName(TMsgDlgBtn button) {
    return QString::fromLatin1(buttonInfo[button].name);
}

QString msgDlgButtonCaption(TMsgDlgBtn button) {
    return QString::fromLatin1(buttonInfo[button].caption);
}

int msgDlgButtonResult(TMsgDlgBtn button) {
    return buttonInfo[button].result;
}

QString msgDlgTitle(TMsgDlgType dlgType) {
    switch (dlgType) {
    case mtWarning:
        return QStringLiteral("Warning");
    case mtError:
        return QStringLiteral("Error");
    case mtInformation:
        return QStringLiteral("Information");
    case mtConfirmation:
        return QStringLiteral("Confirm");
    case mtCustom:
        break;
    }
    return {};
}

bool msgDlgHasIcon(TMsgDlgType dlgType) {
    return dlgType != mtCustom;
}

std::optional<TMsgDlgBtn> msgDlgDefaultButton(TMsgDlgButtons buttons) {
    for (const TMsgDlgBtn b : {mbOK, mbYes, mbRetry}) {
        if (buttons.contains(b)) {
            return b;
        }
    }
    return std::nullopt;
}

std::optional<TMsgDlgBtn> msgDlgCancelButton(TMsgDlgButtons buttons) {
    for (const TMsgDlgBtn b : {mbCancel, mbNo, mbOK}) {
        if (buttons.contains(b)) {
            return b;
        }
    }
    return std::nullopt;
}

int dialogUnitsToPixelsX(int units, int cx) {
    return scaleRounded(units, cx, 4);
}

int dialogUnitsToPixelsY(int units, int cy) {
    return scaleRounded(units, cy, 8);
}

int msgDlgMinButtonWidth(int cx) {
    return dialogUnitsToPixelsX(50, cx);
}

int msgDlgButtonWidth(MsgDlgButtonWidths& table, TMsgDlgButtons buttons, int minWidth,
                      const std::function<int(TMsgDlgBtn)>& measureCaption) {
    int width = minWidth;
    for (int i = 0; i < msgDlgBtnCount; ++i) {
        const auto b = static_cast<TMsgDlgBtn>(i);
        if (!buttons.contains(b)) {
            continue;
        }
        if (table[i] == 0) {
            table[i] = measureCaption(b) + 8;
        }
        width = std::max(width, table[i]);
    }
    return width;
}

MsgDlgLayout layoutMsgDlg(const MsgDlgLayoutInput& in) {
    MsgDlgLayout l;
    l.horzMargin = dialogUnitsToPixelsX(8, in.cx);
    l.vertMargin = dialogUnitsToPixelsY(8, in.cy);
    l.horzSpacing = dialogUnitsToPixelsX(10, in.cx);
    l.vertSpacing = dialogUnitsToPixelsY(10, in.cy);
    l.buttonWidth = in.buttonWidth;
    l.buttonHeight = dialogUnitsToPixelsY(14, in.cy);
    l.buttonSpacing = dialogUnitsToPixelsX(4, in.cx);

    if (in.hasIcon) {
        l.iconTextWidth = in.textWidth + iconSize + l.horzSpacing;
        l.iconTextHeight = std::max(in.textHeight, iconSize);
        l.iconRect = QRect(l.horzMargin, l.vertMargin, iconSize, iconSize);
    } else {
        l.iconTextWidth = in.textWidth;
        l.iconTextHeight = in.textHeight;
    }
    const int n = in.buttons.count();
    l.buttonGroupWidth = n > 0 ? n * l.buttonWidth + (n - 1) * l.buttonSpacing : 0;
    l.clientWidth = std::max(l.iconTextWidth, l.buttonGroupWidth) + 2 * l.horzMargin;
    l.clientHeight = l.iconTextHeight + l.buttonHeight + l.vertSpacing + 2 * l.vertMargin;

    int left = l.iconTextWidth - in.textWidth + l.horzMargin;
    if (in.rightToLeft) {
        left = l.clientWidth - left - in.textWidth;
    }
    l.messageRect = QRect(left, l.vertMargin, in.textWidth, in.textHeight);

    int x = (l.clientWidth - l.buttonGroupWidth) / 2;
    const int y = l.iconTextHeight + l.vertMargin + l.vertSpacing;
    for (int i = 0; i < msgDlgBtnCount; ++i) {
        const auto b = static_cast<TMsgDlgBtn>(i);
        if (in.buttons.contains(b)) {
            l.buttonRects.emplace_back(b, QRect(x, y, l.buttonWidth, l.buttonHeight));
            x += l.buttonWidth + l.buttonSpacing;
        }
    }
    return l;
}

QPoint msgDlgCentredPosition(int screenWidth, int screenHeight, int outerWidth, int outerHeight) {
    return {screenWidth / 2 - outerWidth / 2, screenHeight / 2 - outerHeight / 2};
}

QString msgDlgCopyText(const QString& title, const QString& message,
                       const QStringList& buttonCaptions) {
    const QString rule = QString(27, u'-') + QStringLiteral("\r\n");
    QString buttons;
    for (const QString& caption : buttonCaptions) {
        buttons += QString(caption).remove(u'&') + QStringLiteral("   ");
    }
    return rule + title + QStringLiteral("\r\n") + rule + message + QStringLiteral("\r\n") + rule +
           buttons + QStringLiteral("\r\n") + rule;
}
