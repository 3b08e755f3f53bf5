#include "SystemErrorBox.h"

#include <QMessageBox>

void showSystemError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("SystemErrorBox"));
    box.exec();
}
