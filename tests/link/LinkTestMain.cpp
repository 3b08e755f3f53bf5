// The link's tests run on a Qt Core event loop, as velor-cli hosts the link.
#include <QCoreApplication>

#include <gtest/gtest.h>

// Under ThreadSanitizer: the reader wakes the GUI thread through QCoreApplication::
// postEvent, whose queue Qt guards with its own futex-based mutex. Qt is not built with
// the sanitizer, so that lock is invisible to it and the queue's memory moves inside
// libQt6Core look like races. Only accesses made from inside Qt Core are left out; the
// link's own code stays checked. (Unused in other builds.)
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n";
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
