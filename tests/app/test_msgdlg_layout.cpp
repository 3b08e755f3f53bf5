// The message dialog's layout arithmetic and texts, without a screen.
#include "MsgDlgLayout.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

MsgDlgLayoutInput input(int textWidth, int textHeight, bool icon, TMsgDlgButtons buttons,
                        int buttonWidth = 75) {
    MsgDlgLayoutInput in;
    in.cx = 6;
    in.cy = 13;
    in.textWidth = textWidth;
    in.textHeight = textHeight;
    in.hasIcon = icon;
    in.buttons = buttons;
    in.buttonWidth = buttonWidth;
    return in;
}

} // namespace

TEST(MsgDlgLayout, DialogUnitsOfASixByThirteenCharacter) {
    const MsgDlgLayout l = layoutMsgDlg(input(100, 13, true, {mbOK}));
    EXPECT_EQ(l.horzMargin, 12);
    EXPECT_EQ(l.vertMargin, 13);
    EXPECT_EQ(l.horzSpacing, 15);
    EXPECT_EQ(l.vertSpacing, 16);
    EXPECT_EQ(msgDlgMinButtonWidth(6), 75);
    EXPECT_EQ(l.buttonHeight, 23);
    EXPECT_EQ(l.buttonSpacing, 6);
}

TEST(MsgDlgLayout, UnitsRoundToNearest) {
    // 14 · 13 / 8 = 22.75 and 10 · 13 / 8 = 16.25; 8 · 7 / 4 = 14; 50 · 7 / 4 = 87.5.
    EXPECT_EQ(dialogUnitsToPixelsY(14, 13), 23);
    EXPECT_EQ(dialogUnitsToPixelsY(10, 13), 16);
    EXPECT_EQ(dialogUnitsToPixelsX(8, 7), 14);
    EXPECT_EQ(dialogUnitsToPixelsX(50, 7), 88);
    EXPECT_EQ(dialogUnitsToPixelsY(4, 15), 8); // 7.5 goes up
}

struct LayoutCase {
    const char* name;
    int textWidth;
    int textHeight;
    bool icon;
    TMsgDlgButtons buttons;
    int clientWidth;
    int clientHeight;
    QRect message;
    std::vector<QRect> buttonRects;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class MsgDlgLayoutCases : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MsgDlgLayoutCases, PlacesTextAndButtons) {
    const LayoutCase& c = GetParam();
    const MsgDlgLayout l = layoutMsgDlg(input(c.textWidth, c.textHeight, c.icon, c.buttons));
    EXPECT_EQ(l.clientWidth, c.clientWidth);
    EXPECT_EQ(l.clientHeight, c.clientHeight);
    EXPECT_EQ(l.messageRect, c.message);
    ASSERT_EQ(l.buttonRects.size(), c.buttonRects.size());
    for (std::size_t i = 0; i < c.buttonRects.size(); ++i) {
        EXPECT_EQ(l.buttonRects[i].second, c.buttonRects[i]) << "button " << i;
    }
}

// Icon: text starts at 32 + 15 + 12 = 59; icon-and-text height is at least 32.
// Height = iconText + 23 + 16 + 2·13; buttons at y = iconText + 13 + 16.
INSTANTIATE_TEST_SUITE_P(
    Cases, MsgDlgLayoutCases,
    ::testing::Values(
        // One OK button centred under a short text: width 100 + 47 = 147 → 171.
        LayoutCase{"InformationOk",
                   100,
                   13,
                   true,
                   {mbOK},
                   171,
                   97,
                   QRect(59, 13, 100, 13),
                   {QRect(48, 61, 75, 23)}},
        // Yes and No: group 75 + 6 + 75 = 156, wider than a 50-pixel text with its icon.
        LayoutCase{"ConfirmYesNoNarrowText",
                   50,
                   13,
                   true,
                   {mbYes, mbNo},
                   180,
                   97,
                   QRect(59, 13, 50, 13),
                   {QRect(12, 61, 75, 23), QRect(93, 61, 75, 23)}},
        // A tall wrapped text drives the height; requested order does not matter.
        LayoutCase{"TallTextButtonsInTableOrder",
                   400,
                   65,
                   true,
                   {mbNo, mbYes},
                   471,
                   130,
                   QRect(59, 13, 400, 65),
                   {QRect(157, 94, 75, 23), QRect(238, 94, 75, 23)}},
        // No icon: the text starts at the margin and sets the height alone.
        LayoutCase{"CustomWithoutIcon",
                   120,
                   13,
                   false,
                   {mbOK},
                   144,
                   78,
                   QRect(12, 13, 120, 13),
                   {QRect(34, 42, 75, 23)}},
        // No buttons: none placed, the row's height kept.
        LayoutCase{"NoButtons", 100, 13, true, {}, 171, 97, QRect(59, 13, 100, 13), {}}));

TEST(MsgDlgLayout, RightToLeftMirrorsTheText) {
    MsgDlgLayoutInput in = input(100, 13, true, {mbOK});
    in.rightToLeft = true;
    const MsgDlgLayout l = layoutMsgDlg(in);
    EXPECT_EQ(l.messageRect, QRect(171 - 59 - 100, 13, 100, 13));
}

TEST(MsgDlgLayout, ButtonWidthsAreMeasuredOnceAndKept) {
    MsgDlgButtonWidths table{};
    int measured = 0;
    const auto measure = [&](TMsgDlgBtn b) {
        ++measured;
        return b == mbNoToAll ? 90 : 30;
    };
    EXPECT_EQ(msgDlgButtonWidth(table, {mbYes, mbNo}, 75, measure), 75);
    EXPECT_EQ(measured, 2);
    EXPECT_EQ(table[mbYes], 38);
    EXPECT_EQ(table[mbOK], 0);
    // Known widths are not measured again; a long caption widens every button.
    EXPECT_EQ(msgDlgButtonWidth(table, {mbYes, mbNoToAll}, 75, measure), 98);
    EXPECT_EQ(measured, 3);
    EXPECT_EQ(msgDlgButtonWidth(table, {mbYes}, 75, measure), 75);
    EXPECT_EQ(measured, 3);
}

struct ButtonChoiceCase {
    TMsgDlgButtons buttons;
    std::optional<TMsgDlgBtn> defaultButton;
    std::optional<TMsgDlgBtn> cancelButton;
};

TEST(MsgDlgLayout, DefaultAndCancelButtons) {
    const ButtonChoiceCase cases[] = {
        {{mbOK}, mbOK, mbOK},
        {{mbYes, mbNo}, mbYes, mbNo},
        {{mbYes, mbNo, mbCancel}, mbYes, mbCancel},
        {{mbOK, mbCancel}, mbOK, mbCancel},
        {{mbAbort, mbRetry, mbIgnore}, mbRetry, std::nullopt},
        {{mbAbort, mbIgnore}, std::nullopt, std::nullopt},
        {{}, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(msgDlgDefaultButton(c.buttons), c.defaultButton);
        EXPECT_EQ(msgDlgCancelButton(c.buttons), c.cancelButton);
    }
}

TEST(MsgDlgLayout, ButtonTableAndTitles) {
    EXPECT_EQ(msgDlgButtonName(mbNoToAll), "NoToAll");
    EXPECT_EQ(msgDlgButtonCaption(mbNoToAll), "N&o to All");
    EXPECT_EQ(msgDlgButtonResult(mbYesToAll), mrYesToAll);
    EXPECT_EQ(msgDlgButtonResult(mbHelp), mrNone);
    EXPECT_EQ(msgDlgButtonCaption(mbOK), "OK");
    EXPECT_EQ(msgDlgTitle(mtConfirmation), "Confirm");
    EXPECT_EQ(msgDlgTitle(mtError), "Error");
    EXPECT_TRUE(msgDlgTitle(mtCustom).isEmpty());
    EXPECT_FALSE(msgDlgHasIcon(mtCustom));
    EXPECT_TRUE(msgDlgHasIcon(mtWarning));
}

TEST(MsgDlgLayout, CopyTextLineByLine) {
    const QString rule(27, u'-');
    const QString text =
        msgDlgCopyText(QStringLiteral("Confirm"),
                       QStringLiteral("Are you sure that you want to quit this application?"),
                       {QStringLiteral("&Yes"), QStringLiteral("&No")});
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    const QStringList expected = {
        rule, QStringLiteral("Confirm"),
        rule, QStringLiteral("Are you sure that you want to quit this application?"),
        rule, QStringLiteral("Yes   No   "),
        rule};
    EXPECT_EQ(lines, expected);
}

TEST(MsgDlgLayout, CentredPosition) {
    EXPECT_EQ(msgDlgCentredPosition(800, 600, 171, 97), QPoint(400 - 85, 300 - 48));
}
