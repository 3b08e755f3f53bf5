// Renders the main window after a few frames into a picture, for looking at by eye,
// and checks that the picture shows the LCD where the layout puts it.
#include "AppIcon.h"
#include "AppTestSupport.h"
#include "TLcdPanel.h"
#include "ToolBarIcons.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

TEST(Screenshot, WindowAfterFramesShowsTheLcd) {
    auto window = makeWindow();
    window->show();
    FrameFields f;
    f.p0 = 0x01 | 0x20; // HOLD and LCR (which also lights Auto)
    f.tolerance = 0;
    f.frequency = 2;
    feedUsbFrame(*window, f);
    f.primaryCount = 12346;
    feedUsbFrame(*window, f);
    QApplication::processEvents();

    const QPixmap shot = window->grab();
    const QString path = QStringLiteral("velor-window.png");
    ASSERT_TRUE(shot.save(path));
    const QImage image = shot.toImage();
    EXPECT_EQ(image.size(), QSize(940, 661));
    // Inside the primary value box the sky blue shows.
    const QPoint inBox = window->pnlLcd->mapTo(window.get(), QPoint(60, 45));
    EXPECT_EQ(image.pixelColor(inBox), QColor(166, 202, 240));
}

// Close-ups of the LCD in a few states, saved for looking at; each must differ from the
// others, so every state visibly changes the picture.
TEST(Screenshot, LcdStates) {
    auto window = makeWindow(u',');
    window->show();
    const struct {
        const char* file;
        FrameFields fields;
    } states[] = {
        {"lcd-value.png", FrameFields{}},
        {"lcd-sorting.png",
         [] {
             FrameFields f;
             f.p0 = 0x01 | 0x04 | 0x20 | 0x80;
             f.tolerance = 5;
             f.battery = 2;
             f.frequency = 4;
             f.primaryMode = 1;
             f.primaryUnit = 6;
             f.secondaryMode = 2;
             f.secondaryCount = 400;
             f.secondaryPoint = 1;
             return f;
         }()},
        {"lcd-overload.png",
         [] {
             FrameFields f;
             f.primaryStatus = 3;
             f.secondaryStatus = 3;
             f.primaryMode = 3;
             f.primaryUnit = 2;
             f.secondaryMode = 4;
             f.secondaryUnit = 14;
             f.battery = 1;
             return f;
         }()},
        {"lcd-short.png",
         [] {
             FrameFields f;
             f.primaryStatus = 10;
             f.secondaryStatus = 1;
             f.primaryMode = 4;
             f.tolerance = 10;
             f.battery = 0;
             return f;
         }()},
    };
    std::vector<QImage> seen;
    for (const auto& s : states) {
        feedUsbFrame(*window, s.fields);
        QApplication::processEvents();
        const QPixmap shot = window->pnlLcd->grab();
        ASSERT_TRUE(shot.scaled(shot.size() * 2).save(QString::fromLatin1(s.file)));
        const QImage image = shot.toImage();
        for (const QImage& other : seen) {
            EXPECT_NE(image, other) << s.file;
        }
        seen.push_back(image);
    }
}

// The tool-bar pictures side by side (enlarged) and the application icon, for looking at.
TEST(Screenshot, PicturesStrip) {
    testApp();
    const ToolBarPicture all[] = {
        ToolBarPicture::First,  ToolBarPicture::Previous,    ToolBarPicture::Next,
        ToolBarPicture::Last,   ToolBarPicture::Clear,       ToolBarPicture::Open,
        ToolBarPicture::Save,   ToolBarPicture::SavePicture, ToolBarPicture::Print,
        ToolBarPicture::Detach, ToolBarPicture::Dock,
    };
    QImage strip(16 * 4 * 11 + 64, 64, QImage::Format_ARGB32);
    strip.fill(Qt::white);
    QPainter p(&strip);
    std::vector<QImage> seen;
    int x = 0;
    for (const ToolBarPicture picture : all) {
        const QImage image = toolBarPixmap(picture).toImage();
        EXPECT_EQ(image.size(), QSize(16, 16));
        for (const QImage& other : seen) {
            EXPECT_NE(image, other) << "every picture is its own";
        }
        seen.push_back(image);
        p.drawImage(QRect(x, 0, 64, 64), image);
        x += 64;
    }
    p.drawPixmap(x, 0, appIcon().pixmap(64, 64));
    p.end();
    EXPECT_TRUE(strip.save(QStringLiteral("pictures.png")));
}

// The quit question and a long notice as the user sees them.
TEST(Screenshot, MessageDialogs) {
    testApp();
    const std::unique_ptr<TMessageForm> quit(
        BuildMsgDlg(QStringLiteral("Are you sure that you want to quit this application?"),
                    mtConfirmation, {mbYes, mbNo}));
    quit->show();
    QApplication::processEvents();
    EXPECT_TRUE(quit->grab().save(QStringLiteral("dialog-quit.png")));
    QString text = QStringLiteral("Save table to specified file: ");
    for (int i = 0; i < 12; ++i) {
        text += QStringLiteral("/home/user/records/folder%1").arg(i);
    }
    text += QStringLiteral(" with many words after the path so that it wraps onto lines");
    const std::unique_ptr<TMessageForm> notice(BuildMsgDlg(text, mtInformation, {mbOK}));
    notice->show();
    QApplication::processEvents();
    EXPECT_TRUE(notice->grab().save(QStringLiteral("dialog-long.png")));
}
