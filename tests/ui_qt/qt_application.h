#pragma once
#include <QApplication>

namespace kvx::test {

// The one Qt application of a test program, made on first use. It is never
// destroyed: as a static it would die in the exit handlers after Qt's own
// globals, which crashes.
inline QApplication& qtApplication() {
    static int argc = 1;
    static char name[] = "ui_qt_tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

}  // namespace kvx::test
