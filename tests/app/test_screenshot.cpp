// Renders the main window after a few frames into a picture, for looking at by eye,
// and checks that the picture shows the LCD where the layout puts it.
#include "AppTestSupport.h"
#include "TLcdPanel.h"

#include <QImage>
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
