#pragma once

#include "FrameBuilder.h"
#include "MsgDlg.h"
#include "TMessageForm.h"
#include "ufrmMain.h"

#include <QApplication>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

// One QApplication for the whole test program (offscreen platform).
inline QApplication& testApp() {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        QApplication::setApplicationName(QStringLiteral("VELOR"));
        return a;
    }();
    return *app;
}

// Answers every message dialog with the given result while it lives, and notes the
// dialogs' titles and texts.
class ScopedDialogAnswer {
public:
    explicit ScopedDialogAnswer(int answer) {
        setMsgDlgResponder([this, answer](TMessageForm& dialog) {
            titles.push_back(dialog.windowTitle());
            texts.push_back(dialog.copyText());
            return answer;
        });
    }
    ~ScopedDialogAnswer() { setMsgDlgResponder({}); }
    ScopedDialogAnswer(const ScopedDialogAnswer&) = delete;
    ScopedDialogAnswer& operator=(const ScopedDialogAnswer&) = delete;

    std::vector<QString> titles;
    std::vector<QString> texts;
};

// A main window with a full stop (or the given character) as decimal separator.
inline std::unique_ptr<TfrmMain> makeWindow(QChar separator = u'.') {
    testApp();
    MainWindowOptions options;
    options.decimalSeparator = separator;
    return std::make_unique<TfrmMain>(options);
}

// Feeds one frame through the USB receive path as one chunk.
inline void feedUsbFrame(TfrmMain& window, const FrameFields& fields) {
    const std::vector<std::uint8_t> bytes = frameBytes(makePayload(fields));
    window.CP21101ReceiveData(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

// Runs action on the modal dialog as soon as its modal loop shows it.
inline void onNextModalDialog(std::function<void(TMessageForm&)> action) {
    auto* poll = new QTimer(&testApp());
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action = std::move(action)] {
        auto* dialog = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        action(*dialog);
        // A dialog the action failed to close must not hang the test program.
        QTimer::singleShot(5000, dialog, [dialog] {
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog was still open";
                dialog->done(-1);
            }
        });
    });
    poll->start();
}
