#pragma once

#include <QString>

class QToolBar;
class QToolButton;
class QWidget;

// A flat tool button with its name and hint, added at the end of the tool bar.
QToolButton* addToolBarButton(QToolBar* bar, const char* name, const QString& hint);

// Shows or hides a widget the tool bar holds. A tool bar lays its widgets out through
// their actions, so hiding the widget itself has no lasting effect.
void setToolBarWidgetVisible(QToolBar* bar, QWidget* widget, bool visible);
