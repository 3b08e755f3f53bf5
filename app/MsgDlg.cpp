#include "MsgDlg.h"

#include "MsgDlgLayout.h"
#include "TMessageForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include <memory>

namespace {

// The measured caption widths survive from dialog to dialog.
MsgDlgButtonWidths buttonWidths{};
MsgDlgResponder responder;

QStyle::StandardPixmap iconFor(TMsgDlgType dlgType) {
    switch (dlgType) {
    case mtWarning:
        return QStyle::SP_MessageBoxWarning;
    case mtError:
        return QStyle::SP_MessageBoxCritical;
    case mtInformation:
        return QStyle::SP_MessageBoxInformation;
    default:
        return QStyle::SP_MessageBoxQuestion;
    }
}

QRect screenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 800, 600);
}

} // namespace

void setMsgDlgResponder(MsgDlgResponder r) {
    responder = std::move(r);
}

TMessageForm* BuildMsgDlg(const QString& msg, TMsgDlgType dlgType, TMsgDlgButtons buttons) {
    auto* dlg = new TMessageForm(nullptr);
    // The system's message font; the default font where the style names none.
    dlg->setFont(QApplication::font("QMessageBox"));
    dlg->setLayoutDirection(QGuiApplication::layoutDirection());
    const QFontMetrics fm(dlg->font());

    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    MsgDlgLayoutInput in;
    in.cx = fm.horizontalAdvance(letters) / 52;
    in.cy = fm.height();
    in.buttonWidth =
        msgDlgButtonWidth(buttonWidths, buttons, msgDlgMinButtonWidth(in.cx), [&](TMsgDlgBtn b) {
            return fm.horizontalAdvance(msgDlgButtonCaption(b).remove(u'&'));
        });
    const QRect screen = screenRect();
    const QRect text = fm.boundingRect(QRect(0, 0, screen.width() / 2, 0),
                                       Qt::TextWordWrap | Qt::TextExpandTabs, msg);
    in.textWidth = text.width();
    in.textHeight = text.height();
    in.hasIcon = msgDlgHasIcon(dlgType);
    in.buttons = buttons;
    in.rightToLeft = dlg->layoutDirection() == Qt::RightToLeft;
    const MsgDlgLayout l = layoutMsgDlg(in);

    dlg->setFixedSize(l.clientWidth, l.clientHeight);
    const QSize frame = dlg->frameGeometry().size() - dlg->geometry().size();
    dlg->move(msgDlgCentredPosition(screen.width(), screen.height(), l.clientWidth + frame.width(),
                                    l.clientHeight + frame.height()));
    dlg->setWindowTitle(dlgType == mtCustom ? QGuiApplication::applicationDisplayName()
                                            : msgDlgTitle(dlgType));
    if (in.hasIcon) {
        dlg->Image = new QLabel(dlg);
        dlg->Image->setObjectName(QStringLiteral("Image"));
        dlg->Image->setGeometry(l.iconRect);
        dlg->Image->setPixmap(dlg->style()->standardIcon(iconFor(dlgType)).pixmap(32, 32));
    }
    dlg->Message = new QLabel(dlg);
    dlg->Message->setObjectName(QStringLiteral("Message"));
    dlg->Message->setWordWrap(true);
    dlg->Message->setTextFormat(Qt::PlainText);
    dlg->Message->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    dlg->Message->setText(msg);
    dlg->Message->setGeometry(l.messageRect);

    const auto defaultKind = msgDlgDefaultButton(buttons);
    const auto cancelKind = msgDlgCancelButton(buttons);
    for (const auto& [kind, bounds] : l.buttonRects) {
        dlg->addButton(kind, bounds, defaultKind == kind, cancelKind == kind);
    }
    return dlg;
}

int ShowMsgDlg(const QString& msg, TMsgDlgType dlgType, TMsgDlgButtons buttons,
               std::int32_t helpCtx) {
    return ShowMsgDlgPos(msg, dlgType, buttons, helpCtx, -1, -1, QString());
}

int ShowMsgDlgPos(const QString& msg, TMsgDlgType dlgType, TMsgDlgButtons buttons,
                  std::int32_t helpCtx, std::int32_t x, std::int32_t y,
                  const QString& helpFileName) {
    // Destroyed when shown, also when showing it throws.
    const std::unique_ptr<TMessageForm> dlg(BuildMsgDlg(msg, dlgType, buttons));
    dlg->setHelpContext(helpCtx);
    dlg->setHelpFile(helpFileName);
    if (x >= 0 || y >= 0) {
        dlg->move(x >= 0 ? x : dlg->x(), y >= 0 ? y : dlg->y());
    }
    if (responder) {
        return responder(*dlg);
    }
    // Owned by the application, but kept above the window it was asked from.
    if (const QWidget* active = QApplication::activeWindow()) {
        dlg->winId();
        if (dlg->windowHandle() != nullptr && active->windowHandle() != nullptr) {
            dlg->windowHandle()->setTransientParent(active->windowHandle());
        }
    }
    return dlg->exec();
}
