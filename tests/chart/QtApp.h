#pragma once

#include <QApplication>

// The one application object the widget tests need (offscreen platform). It is never
// destroyed: Qt's input devices must not be torn down by static destructors at exit.
inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "test_chart";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
