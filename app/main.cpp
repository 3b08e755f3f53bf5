#include "AppIcon.h"
#include "ufrmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELOR"));
    QApplication::setWindowIcon(appIcon());
    TfrmMain window;
    window.show();
    return QApplication::exec();
}
