#pragma once

#include <QApplication>

// The one application object of a widget test (offscreen).
inline QApplication* paneTestApp() {
    static int argc = 1;
    static char name[] = "test_record_pane";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

// A first base of widget fixtures: the application exists before any member widget.
struct WithPaneTestApp {
    WithPaneTestApp() { paneTestApp(); }
};
