#include <QGuiApplication>

#include <gtest/gtest.h>

// The key monitor works on real QWindows, so the tests run inside an offscreen application.
int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
