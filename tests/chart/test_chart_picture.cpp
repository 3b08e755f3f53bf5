// Saving the chart's picture: a BMP of the chart's size, the default extension, and
// the error box when the file cannot be created.
#include "ChartView.h"
#include "QtApp.h"
#include "TChartPane.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Watches for the system error box, notes its text and closes it.
class ErrorBoxCatcher {
public:
    ErrorBoxCatcher() {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->objectName() == QLatin1String("SystemErrorBox")) {
                title = box->windowTitle();
                texts << box->text();
                box->accept();
            }
        });
        m_timer.start();
    }
    QString title;
    QStringList texts;

private:
    QTimer m_timer;
};

int bluePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.blue() > 200 && c.red() < 100 && c.green() < 100 ? 1 : 0;
        }
    }
    return count;
}

class ChartPicture : public testing::Test {
protected:
    ChartPicture() {
        pane.resize(500, 380);
        pane.show();
    }
    QString saveAs(const QString& fileName) {
        pane.setPictureFileChooser([fileName](QWidget*) { return fileName; });
        pane.btnSave->click();
        return fileName;
    }

    QApplication& app = qtApp();
    QTemporaryDir dir;
    TChartPane pane;
};

TEST_F(ChartPicture, NameWithoutExtensionGetsBmpOfTheChartsSize) {
    for (int i = 0; i < 300; ++i) {
        pane.plotValue(100 + (i % 40), 200);
    }
    saveAs(dir.filePath(QStringLiteral("name")));
    const QString saved = dir.filePath(QStringLiteral("name.bmp"));
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("name"))));

    QImageReader reader(saved);
    EXPECT_EQ(reader.format(), "bmp");
    const QImage picture = reader.read();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), pane.Chart1->size());
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, 4), QColor(Qt::white));
    EXPECT_GT(bluePixels(picture), 100) << "the line of page 3";

    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), "BM");
}

TEST_F(ChartPicture, BeforeTheFirstFrameThePictureHasEmptyAxes) {
    saveAs(dir.filePath(QStringLiteral("empty.bmp")));
    const QImage picture(dir.filePath(QStringLiteral("empty.bmp")), "BMP");
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(bluePixels(picture), 0);
}

TEST_F(ChartPicture, AnExistingFileIsReplaced) {
    const QString fileName = dir.filePath(QStringLiteral("old.bmp"));
    {
        QFile old(fileName);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("not a picture");
    }
    saveAs(fileName);
    EXPECT_FALSE(QImage(fileName, "BMP").isNull());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.bmp")});
}

TEST_F(ChartPicture, CancelledDialogDoesNothing) {
    ErrorBoxCatcher catcher;
    saveAs(QString());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(catcher.texts.isEmpty());
}

TEST_F(ChartPicture, FileThatCannotBeCreatedIsReportedAndNothingWritten) {
    ErrorBoxCatcher catcher;
    pane.plotValue(5, 20);
    const QString fileName = dir.filePath(QStringLiteral("missing/picture.bmp"));
    saveAs(fileName);
    ASSERT_EQ(catcher.texts.size(), 1);
    EXPECT_EQ(catcher.title, "Error");
    const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(fileName);
    EXPECT_TRUE(catcher.texts[0].startsWith(prefix)) << catcher.texts[0].toStdString();
    EXPECT_GT(catcher.texts[0].size(), prefix.size()) << "the system's reason follows";
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_EQ(pane.chartView()->pointCount(0), 2) << "the chart is unchanged";
}

} // namespace

namespace {

// On screen the line has a paint buffer of its own that new points redraw alone; the
// widget's own picture must show them like the saved one.
TEST(ChartOnScreen, NewPointsOnThePageAppearWithoutAFullRedraw) {
    QApplication& app = qtApp();
    TChartPane pane;
    pane.resize(500, 380);
    pane.show();
    pane.plotValue(0, 200);
    app.processEvents();
    const int flat = bluePixels(pane.Chart1->grab().toImage());
    for (int i = 0; i < 40; ++i) {
        pane.plotValue(i % 2 == 0 ? 180 : -180, 200);
    }
    app.processEvents();
    const QImage zigzag = pane.Chart1->grab().toImage();
    EXPECT_GT(bluePixels(zigzag), flat + 1000);
    EXPECT_EQ(bluePixels(zigzag), bluePixels(pane.chartView()->renderImage()));
}

} // namespace
