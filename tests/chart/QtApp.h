#pragma once

#include <QApplication>

// The one application object the widget tests need (offscreen platform).
inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "test_chart";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}
