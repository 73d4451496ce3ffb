#pragma once
#include <QApplication>

namespace kvx::test {

// The one Qt application of a test program, made on first use.
inline QApplication& qtApplication() {
    static int argc = 1;
    static char name[] = "ui_qt_tests";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

}  // namespace kvx::test
