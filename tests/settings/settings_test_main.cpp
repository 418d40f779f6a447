#include <QGuiApplication>

#include <gtest/gtest.h>

// Icons need a GUI application; the offscreen platform needs no display.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
