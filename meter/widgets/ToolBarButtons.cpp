#include "ToolBarButtons.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

QToolButton* addToolBarButton(QToolBar* bar, const char* name, const QString& hint) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

void setToolBarWidgetVisible(QToolBar* bar, QWidget* widget, bool visible) {
    for (QAction* action : bar->actions()) {
        if (bar->widgetForAction(action) == widget) {
            action->setVisible(visible);
            return;
        }
    }
}
