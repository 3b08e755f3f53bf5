// The real message dialog: keys, title-bar close, copying, wrapping and sizes.
#include "AppTestSupport.h"
#include "MsgDlgLayout.h"

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString quitQuestion = QStringLiteral("Are you sure that you want to quit this application?");

// The key goes where the user's typing goes: the focused control of the dialog.
void typeKey(TMessageForm& dialog, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QWidget* target = dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
    QTest::keyClick(target, key, mods);
}

struct ModalCase {
    const char* name;
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    std::function<void(TMessageForm&)> answer;
    int expected;
};

class ModalDialog : public ::testing::TestWithParam<ModalCase> {
protected:
    void SetUp() override { testApp(); }
};

void PrintTo(const ModalCase& c, std::ostream* os) {
    *os << c.name;
}

} // namespace

TEST_P(ModalDialog, AnswersAsTheUserPressed) {
    const ModalCase& c = GetParam();
    onNextModalDialog(c.answer);
    EXPECT_EQ(ShowMsgDlg(quitQuestion, c.type, c.buttons, 0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ModalDialog,
    ::testing::Values(ModalCase{"OkEnter",
                                mtInformation,
                                {mbOK},
                                [](TMessageForm& d) { typeKey(d, Qt::Key_Return); },
                                mrOk},
                      ModalCase{"OkEsc",
                                mtInformation,
                                {mbOK},
                                [](TMessageForm& d) { typeKey(d, Qt::Key_Escape); },
                                mrOk},
                      ModalCase{"YesNoEnter",
                                mtConfirmation,
                                {mbYes, mbNo},
                                [](TMessageForm& d) { typeKey(d, Qt::Key_Enter); },
                                mrYes},
                      ModalCase{"YesNoEsc",
                                mtConfirmation,
                                {mbYes, mbNo},
                                [](TMessageForm& d) { typeKey(d, Qt::Key_Escape); },
                                mrNo},
                      ModalCase{"YesNoTitleBarClose",
                                mtConfirmation,
                                {mbYes, mbNo},
                                [](TMessageForm& d) { d.close(); },
                                mrCancel},
                      ModalCase{"EnterPressesTheFocusedButton",
                                mtConfirmation,
                                {mbYes, mbNo},
                                [](TMessageForm& d) {
                                    d.button(mbNo)->setFocus();
                                    typeKey(d, Qt::Key_Return);
                                },
                                mrNo},
                      ModalCase{"HelpDoesNotClose",
                                mtWarning,
                                {mbOK, mbHelp},
                                [](TMessageForm& d) {
                                    d.button(mbHelp)->click();
                                    EXPECT_TRUE(d.isVisible());
                                    d.button(mbOK)->click();
                                },
                                mrOk}));

TEST(MessageForm, DefaultAndCancelButtonsOfTheQuitQuestion) {
    testApp();
    const std::unique_ptr<TMessageForm> d(BuildMsgDlg(quitQuestion, mtConfirmation, {mbYes, mbNo}));
    EXPECT_EQ(d->windowTitle(), "Confirm");
    ASSERT_EQ(d->buttons().size(), 2);
    EXPECT_EQ(d->buttons()[0]->objectName(), "Yes");
    EXPECT_EQ(d->buttons()[0]->text(), "&Yes");
    EXPECT_EQ(d->buttons()[1]->objectName(), "No");
    EXPECT_EQ(d->defaultButton(), d->button(mbYes));
    EXPECT_TRUE(d->button(mbYes)->isDefault());
    EXPECT_EQ(d->cancelButton(), d->button(mbNo));
    ASSERT_NE(d->Image, nullptr);
    EXPECT_EQ(d->Image->objectName(), "Image");
    EXPECT_EQ(d->Image->size(), QSize(32, 32));
    EXPECT_FALSE(d->Image->pixmap().isNull());
    EXPECT_EQ(d->Message->text(), quitQuestion);
    EXPECT_EQ(d->minimumSize(), d->maximumSize()) << "fixed border";
}

TEST(MessageForm, TitlesAndIconsByKind) {
    testApp();
    const struct {
        TMsgDlgType type;
        QString title;
        bool icon;
    } cases[] = {{mtWarning, QStringLiteral("Warning"), true},
                 {mtError, QStringLiteral("Error"), true},
                 {mtInformation, QStringLiteral("Information"), true},
                 {mtConfirmation, QStringLiteral("Confirm"), true},
                 {mtCustom, QApplication::applicationDisplayName(), false}};
    for (const auto& c : cases) {
        const std::unique_ptr<TMessageForm> d(BuildMsgDlg(QStringLiteral("x"), c.type, {mbOK}));
        EXPECT_EQ(d->windowTitle(), c.title);
        EXPECT_EQ(d->Image != nullptr, c.icon) << c.title.toStdString();
    }
}

TEST(MessageForm, CtrlCCopiesTheDialogLineByLine) {
    testApp();
    QGuiApplication::clipboard()->clear();
    onNextModalDialog([](TMessageForm& d) {
        typeKey(d, Qt::Key_C, Qt::ControlModifier);
        EXPECT_TRUE(d.isVisible()) << "copying keeps the dialog open";
        // Ctrl+Shift+C is not the copy key.
        QGuiApplication::clipboard()->setText(QStringLiteral("copied"));
        typeKey(d, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "copied");
        typeKey(d, Qt::Key_C, Qt::ControlModifier);
        typeKey(d, Qt::Key_Escape);
    });
    EXPECT_EQ(ShowMsgDlg(quitQuestion, mtConfirmation, {mbYes, mbNo}, 0), mrNo);
    const QString rule(27, u'-');
    const QStringList expected = {rule, QStringLiteral("Confirm"),     rule, quitQuestion,
                                  rule, QStringLiteral("Yes   No   "), rule, QString()};
    EXPECT_EQ(QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n")), expected);
}

TEST(MessageForm, LongMessageWrapsAndTheDialogGrows) {
    testApp();
    const QString shortText = QStringLiteral("One line.");
    QString longText;
    for (int i = 0; i < 60; ++i) {
        longText += QStringLiteral("word%1 ").arg(i);
    }
    longText = longText.trimmed();
    const std::unique_ptr<TMessageForm> small(BuildMsgDlg(shortText, mtInformation, {mbOK}));
    const std::unique_ptr<TMessageForm> big(BuildMsgDlg(longText, mtInformation, {mbOK}));
    const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
    const int line = QFontMetrics(big->font()).height();
    EXPECT_LE(big->Message->width(), halfScreen);
    EXPECT_GE(big->Message->height(), 3 * line);
    EXPECT_EQ(big->height() - small->height(), big->Message->height() - std::max(line, 32));
    // The label shows every line it was measured for: its wrapped height fits its box.
    EXPECT_LE(big->Message->heightForWidth(big->Message->width()), big->Message->height());
    EXPECT_TRUE(big->Message->wordWrap());
    EXPECT_EQ(small->Message->height(), line);
}

TEST(MessageForm, NoButtonsKeepsTheButtonRowHeight) {
    testApp();
    const QString text = QStringLiteral("Nothing to press.");
    const std::unique_ptr<TMessageForm> none(BuildMsgDlg(text, mtInformation, {}));
    const std::unique_ptr<TMessageForm> ok(BuildMsgDlg(text, mtInformation, {mbOK}));
    EXPECT_TRUE(none->buttons().isEmpty());
    EXPECT_TRUE(none->findChildren<QPushButton*>().isEmpty());
    EXPECT_EQ(none->height(), ok->height());
    EXPECT_EQ(none->defaultButton(), nullptr);
}

TEST(MessageForm, CentredOnTheScreenOrAtTheGivenEdges) {
    testApp();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const std::unique_ptr<TMessageForm> d(BuildMsgDlg(quitQuestion, mtConfirmation, {mbYes, mbNo}));
    EXPECT_EQ(d->pos(),
              msgDlgCentredPosition(screen.width(), screen.height(), d->width(), d->height()));
    QPoint seen;
    setMsgDlgResponder([&](TMessageForm& dialog) {
        seen = dialog.pos();
        return mrOk;
    });
    ShowMsgDlgPos(quitQuestion, mtConfirmation, {mbYes, mbNo}, 0, 10, -1, QString());
    EXPECT_EQ(seen, QPoint(10, d->y()));
    setMsgDlgResponder({});
}
