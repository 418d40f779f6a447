#include <QGuiApplication>

#include <gtest/gtest.h>

// Runs on the X server that xvfb-run started for this process.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
