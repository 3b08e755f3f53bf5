// The main window: caption, regions and their sizes, closing, the panes' commands.
#include "AppTestSupport.h"
#include "LocaleSeparators.h"
#include "MeterDecoder.h"
#include "TBevelPanel.h"
#include "TCEdit.h"
#include "TChartPane.h"
#include "TLcdPanel.h"
#include "TRecordPane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = makeWindow();
        window->show();
        QApplication::processEvents();
    }
    QWidget* named(const char* name) const {
        return window->findChild<QWidget*>(QString::fromLatin1(name));
    }
    std::unique_ptr<TfrmMain> window;
};

} // namespace

TEST_F(MainWindowTest, CaptionIconAndSize) {
    EXPECT_EQ(window->windowTitle(), "VELOR v1.00");
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->size(), QSize(940, 661));
}

struct RegionCase {
    const char* name;
    QRect geometry; // in the window's coordinates; width or height 0: not checked
    bool visible;
};

TEST_F(MainWindowTest, RegionsAtTheirStartSizes) {
    const RegionCase cases[] = {
        {"Panel3", QRect(0, 0, 940, 33), true},
        {"btnConnect", QRect(7, 3, 106, 24), true},
        {"cbbDevices", QRect(119, 5, 146, 0), false},
        {"Panel1", QRect(0, 33, 457, 628), true},
        {"Panel2", QRect(0, 33, 457, 249), true},
        {"pnlLcd", QRect(2, 35, 453, 245), true},
        {"Panel4", QRect(0, 282, 457, 379), true},
        {"ToolBar4", QRect(1, 283, 455, 26), true},
        {"DBGrid1", QRect(1, 309, 455, 351), true},
        {"Panel5", QRect(460, 33, 480, 628), true},
        {"pnlChartParent", QRect(462, 35, 476, 624), true},
        {"ToolBar2", QRect(462, 35, 476, 27), true},
        {"Chart1", QRect(462, 62, 476, 597), true},
    };
    for (const RegionCase& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* w = named(c.name);
        ASSERT_NE(w, nullptr);
        const QRect g(w->mapTo(window.get(), QPoint(0, 0)), w->size());
        EXPECT_EQ(g.topLeft(), c.geometry.topLeft());
        if (c.geometry.width() > 0) {
            EXPECT_EQ(g.width(), c.geometry.width());
        }
        if (c.geometry.height() > 0) {
            EXPECT_EQ(g.height(), c.geometry.height());
        }
        EXPECT_EQ(w->isVisibleTo(window.get()), c.visible);
    }
    EXPECT_TRUE(window->btnConnect->isCheckable());
    EXPECT_EQ(window->btnConnect->text(), "Connection");
}

// The zoom-out buttons belong to the floating panes and stay hidden in the window; the
// buttons that float a pane are there.
TEST_F(MainWindowTest, ZoomOutButtonsAreHiddenAndFlyButtonsShown) {
    EXPECT_FALSE(window->recordPane->btnGridZoomout->isVisibleTo(window.get()));
    EXPECT_FALSE(window->chartPane->btnChartZoomOut->isVisibleTo(window.get()));
    EXPECT_TRUE(window->recordPane->btnRecordFly->isVisibleTo(window.get()));
    EXPECT_TRUE(window->chartPane->btnFly->isVisibleTo(window.get()));
}

TEST_F(MainWindowTest, BevelsOfThePanels) {
    EXPECT_EQ(window->Panel3->bevelOuter(), TBevelPanel::bvRaised);
    EXPECT_EQ(window->Panel3->bevelInner(), TBevelPanel::bvLowered);
    EXPECT_EQ(window->Panel2->bevelWidth(), 2);
    EXPECT_EQ(window->Panel4->bevelOuter(), TBevelPanel::bvNone);
    EXPECT_EQ(window->Panel4->bevelInner(), TBevelPanel::bvLowered);
    EXPECT_EQ(window->Panel5->bevelWidth(), 2);
}

TEST_F(MainWindowTest, SplitterSharesTheWidthAndCollapsesBelowItsMinimum) {
    QSplitter* splitter = window->Splitter1;
    EXPECT_EQ(splitter->handleWidth(), 3);
    EXPECT_EQ(window->Panel1->minimumWidth(), 30);
    EXPECT_EQ(window->Panel5->minimumWidth(), 30);

    // A wider window widens the chart; the left column keeps its width.
    window->resize(1200, 700);
    QApplication::processEvents();
    EXPECT_EQ(window->Panel1->width(), 457);
    EXPECT_EQ(window->Panel5->width(), 1200 - 457 - 3);
    EXPECT_EQ(window->Panel2->height(), 249);
    window->resize(940, 661);
    QApplication::processEvents();

    QWidget* handle = splitter->handle(1);
    const auto drag = [&](int toX) {
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 100));
        QTest::mouseMove(handle, QPoint(toX - handle->x() + 1, 100));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(toX - handle->x() + 1, 100));
    };
    drag(300);
    EXPECT_EQ(splitter->sizes().at(0), 300);
    drag(40);
    EXPECT_EQ(splitter->sizes().at(0), 40);
    drag(10);
    EXPECT_EQ(splitter->sizes().at(0), 0) << "below 30 pixels the column collapses";
    drag(300);
    EXPECT_EQ(splitter->sizes().at(0), 300) << "and opens again";
    drag(940 - 3 - 20);
    EXPECT_EQ(splitter->sizes().at(1), 0) << "the chart side collapses too";
}

TEST_F(MainWindowTest, QuitAsksAndOnlyYesCloses) {
    const struct {
        int answer;
        bool closes;
    } cases[] = {{mrNo, false}, {mrCancel, false}, {mrYes, true}};
    feedUsbFrame(*window, FrameFields{});
    const QAbstractItemModel* rows = window->recordPane->DBGrid1->model();
    for (const auto& c : cases) {
        window->show();
        ScopedDialogAnswer answer(c.answer);
        EXPECT_EQ(window->close(), c.closes) << "answer " << c.answer;
        EXPECT_EQ(window->isVisible(), !c.closes);
        EXPECT_EQ(rows->rowCount(), 1) << "the records stay as they were";
        ASSERT_EQ(answer.titles.size(), 1u);
        EXPECT_EQ(answer.titles[0], "Confirm");
        EXPECT_TRUE(answer.texts[0].contains(
            QStringLiteral("Are you sure that you want to quit this application?")));
    }
}

TEST_F(MainWindowTest, ClearFromEitherToolBarAsksFirst) {
    QToolButton* buttons[] = {window->recordPane->btnRecordNew, window->chartPane->btnNew};
    const QAbstractItemModel* rows = window->recordPane->DBGrid1->model();
    for (QToolButton* button : buttons) {
        SCOPED_TRACE(button->objectName().toStdString());
        feedUsbFrame(*window, FrameFields{});
        feedUsbFrame(*window, FrameFields{});
        ASSERT_EQ(rows->rowCount(), 2);
        window->chartPane->edtCurPage->setText(QStringLiteral("7"));
        {
            ScopedDialogAnswer no(mrNo);
            button->click();
            ASSERT_EQ(no.texts.size(), 1u);
            EXPECT_TRUE(no.texts[0].contains(
                QStringLiteral("Are you sure that you want to delete this record?")));
            EXPECT_EQ(no.titles[0], "Confirm");
        }
        EXPECT_EQ(window->chartPane->edtCurPage->text(), "7");
        EXPECT_EQ(rows->rowCount(), 2) << "No keeps the records";
        {
            ScopedDialogAnswer yes(mrYes);
            button->click();
        }
        EXPECT_EQ(window->chartPane->edtCurPage->text(), "1");
        EXPECT_EQ(rows->rowCount(), 0);
    }
}

TEST_F(MainWindowTest, RecordPaneNoticesGoThroughTheMessageDialog) {
    feedUsbFrame(*window, FrameFields{});
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("records.txt"));
    ScopedDialogAnswer ok(mrOk);
    window->recordPane->DBToFiles(file);
    ASSERT_EQ(ok.titles.size(), 1u);
    EXPECT_EQ(ok.titles[0], "Information");
    EXPECT_TRUE(ok.texts[0].contains(QStringLiteral("Save table to specified file: ") + file +
                                     QStringLiteral(" Scuss!")));
    EXPECT_TRUE(ok.texts[0].contains(QStringLiteral("\r\nOK   \r\n")));
}

TEST_F(MainWindowTest, ChartRangeBoxTakesTheWindowsSeparator) {
    EXPECT_EQ(window->chartPane->decimalSeparator(), u'.');
    const auto commaWindow = makeWindow(u',');
    EXPECT_EQ(commaWindow->chartPane->decimalSeparator(), u',');
}

TEST_F(MainWindowTest, WatchdogRestartsOnUsbChunksOnly) {
    QTimer* watchdog = window->timerDisconectedUSB;
    EXPECT_EQ(watchdog->interval(), 10000);
    EXPECT_FALSE(watchdog->isActive());
    const std::uint8_t byte = 0x00;
    window->CComm1ReceiveData(&byte, 1);
    EXPECT_FALSE(watchdog->isActive()) << "the serial link leaves the watchdog alone";
    window->CP21101ReceiveData(&byte, 0);
    EXPECT_TRUE(watchdog->isActive()) << "an empty USB chunk counts as a chunk";
}

TEST_F(MainWindowTest, RepeatAndSamplingFollowTheRecordPane) {
    MeterDecoder& decoder = window->meterDecoder();
    EXPECT_TRUE(decoder.repeat());
    window->recordPane->cbRepeat->setChecked(false);
    EXPECT_FALSE(decoder.repeat());

    window->recordPane->cbInterval->setChecked(true);
    FrameFields f;
    feedUsbFrame(*window, f);
    feedUsbFrame(*window, f);
    EXPECT_EQ(decoder.framesDecoded(), 0u) << "while sampling only the ticks decode";
    emit window->recordPane->samplingTick();
    EXPECT_EQ(decoder.framesDecoded(), 1u);
    emit window->recordPane->samplingTick();
    EXPECT_EQ(decoder.framesDecoded(), 1u) << "older waiting frames are dropped";

    window->recordPane->cbInterval->setChecked(false);
    feedUsbFrame(*window, f);
    EXPECT_EQ(decoder.framesDecoded(), 2u);
}

TEST_F(MainWindowTest, DecimalSeparatorComesFromTheSystemLocaleUnlessGiven) {
    EXPECT_EQ(window->decimalSeparator(), u'.');
    testApp();
    const TfrmMain localeWindow;
    EXPECT_EQ(localeWindow.decimalSeparator(), localeDecimalSeparator(QLocale::system()));
}

TEST_F(MainWindowTest, ToolBarsCarryPicturesAndHints) {
    const struct {
        QToolButton* button;
        const char* hint;
    } cases[] = {
        {window->recordPane->btnRecordNew, "Clear"},
        {window->recordPane->btnRecordOpen, "Open"},
        {window->recordPane->btnRecordSave, "Save"},
        {window->recordPane->btnRecordPrint, "Print"},
        {window->recordPane->btnRecordFly, ""},
        {window->recordPane->btnGridZoomout, ""},
        {window->chartPane->btnFirst, "First"},
        {window->chartPane->btnPrevious, "Previous"},
        {window->chartPane->btnNext, "Next"},
        {window->chartPane->btnLast, "Last"},
        {window->chartPane->btnNew, "Clear"},
        {window->chartPane->btnSave, "Save"},
        {window->chartPane->btnFly, ""},
        {window->chartPane->btnChartZoomOut, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button->objectName().toStdString());
        const QIcon icon = c.button->icon();
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.pixmap(16, 16).size(), QSize(16, 16));
        EXPECT_EQ(c.button->toolTip(), QString::fromLatin1(c.hint));
    }
    // Two different commands never share a picture.
    EXPECT_NE(window->chartPane->btnFirst->icon().pixmap(16, 16).toImage(),
              window->chartPane->btnLast->icon().pixmap(16, 16).toImage());
    EXPECT_TRUE(window->recordPane->ToolBar4->isVisible());
}

TEST_F(MainWindowTest, ValueBoxesPassTheFocusOn) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (TCEdit* box : {window->pnlLcd->lcdMDisp, window->pnlLcd->lcdSDisp}) {
        SCOPED_TRACE(box->objectName().toStdString());
        QTest::mouseClick(box, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_FALSE(box->hasFocus());
        EXPECT_NE(QApplication::focusWidget(), nullptr);
    }
}

TEST_F(MainWindowTest, FramesKeepReachingTheLcdWhileTheQuitQuestionIsOpen) {
    onNextModalDialog([this](TMessageForm& dialog) {
        // A chunk delivered by the link while the modal loop runs.
        FrameFields f;
        f.primaryCount = 4321;
        feedUsbFrame(*window, f);
        EXPECT_EQ(window->pnlLcd->lcdMDisp->text(), "43.21");
        dialog.button(mbNo)->click();
    });
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pnlLcd->lcdMDisp->text(), "43.21");
}
