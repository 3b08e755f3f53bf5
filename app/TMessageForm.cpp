#include "TMessageForm.h"

#include "MsgDlgLayout.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TMessageForm::TMessageForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("MessageForm"));
    setModal(true);
}

QPushButton* TMessageForm::button(TMsgDlgBtn kind) const {
    const QString name = msgDlgButtonName(kind);
    for (QPushButton* b : m_buttons) {
        if (b->objectName() == name) {
            return b;
        }
    }
    return nullptr;
}

QPushButton* TMessageForm::addButton(TMsgDlgBtn kind, const QRect& bounds, bool isDefault,
                                     bool isCancel) {
    auto* b = new QPushButton(msgDlgButtonCaption(kind), this);
    b->setObjectName(msgDlgButtonName(kind));
    b->setGeometry(bounds);
    // Enter presses the focused button; the default one when focus is elsewhere.
    b->setAutoDefault(true);
    b->setDefault(isDefault);
    b->installEventFilter(this);
    m_buttons.append(b);
    if (isDefault) {
        m_default = b;
    }
    if (isCancel) {
        m_cancel = b;
    }
    const int result = msgDlgButtonResult(kind);
    if (kind == mbHelp) {
        connect(b, &QPushButton::clicked, this, [this] { emit helpRequested(m_helpContext); });
    } else {
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
    }
    return b;
}

QString TMessageForm::copyText() const {
    QStringList captions;
    for (const QPushButton* b : m_buttons) {
        captions << b->text();
    }
    return msgDlgCopyText(windowTitle(), Message != nullptr ? Message->text() : QString(),
                          captions);
}

void TMessageForm::reject() {
    done(mrCancel);
}

bool TMessageForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event)) {
        QDialog::keyPressEvent(event);
    }
}

void TMessageForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_default != nullptr) {
        m_default->setFocus();
    }
}

bool TMessageForm::handleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event->key() == Qt::Key_C && mods == Qt::ControlModifier) {
        copyToClipboard();
        return true;
    }
    if (event->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        // Esc presses the cancel button; without one it does nothing.
        if (m_cancel != nullptr) {
            m_cancel->click();
        }
        return true;
    }
    return false;
}

void TMessageForm::copyToClipboard() {
    QApplication::beep();
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(copyText());
    }
}
