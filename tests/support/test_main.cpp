// Test programs run with a QApplication so that windows can be tested
// offscreen; logic tests simply do not use it.
#include <QApplication>
#include <gtest/gtest.h>

#include "db/app_conventions.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    SetAppConventions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
