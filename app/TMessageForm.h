#pragma once

#include "MsgDlgTypes.h"

#include <QDialog>
#include <QList>

#include <cstdint>

class QLabel;
class QPushButton;

// The message dialog, created without a form resource by BuildMsgDlg: an optional icon
// "Image", the word-wrapped label Message and one push button per requested kind.
// Enter presses the default (or the focused) button, Esc the cancel button, the title
// bar's close gives mrCancel, Ctrl+C copies the dialog as text.
class TMessageForm : public QDialog {
    Q_OBJECT
public:
    explicit TMessageForm(QWidget* parent = nullptr);

    QLabel* Message = nullptr;
    QLabel* Image = nullptr; // null for mtCustom

    // The buttons in their order.
    const QList<QPushButton*>& buttons() const { return m_buttons; }
    QPushButton* button(TMsgDlgBtn kind) const;
    QPushButton* defaultButton() const { return m_default; }
    QPushButton* cancelButton() const { return m_cancel; }

    void setHelpContext(std::int32_t helpCtx) { m_helpContext = helpCtx; }
    std::int32_t helpContext() const { return m_helpContext; }
    void setHelpFile(const QString& file) { m_helpFile = file; }
    const QString& helpFile() const { return m_helpFile; }

    // Adds a button of the kind at the given bounds (BuildMsgDlg's step).
    QPushButton* addButton(TMsgDlgBtn kind, const QRect& bounds, bool isDefault, bool isCancel);
    // What Ctrl+C puts on the clipboard.
    QString copyText() const;

    // The modal result with which the dialog closed.
    int modalResult() const { return result(); }

public slots:
    // Title-bar close and reject() give mrCancel.
    void reject() override;

signals:
    // The Help button was pressed; it does not close the dialog.
    void helpRequested(std::int32_t helpCtx);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The dialog sees keys before its controls; true when the key was used.
    bool handleKey(QKeyEvent* event);
    void copyToClipboard();

    QList<QPushButton*> m_buttons;
    QPushButton* m_default = nullptr;
    QPushButton* m_cancel = nullptr;
    std::int32_t m_helpContext = 0;
    QString m_helpFile;
};
