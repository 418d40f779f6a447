#include "system/library_key_monitor.h"
#include "window/library_key.h"

#include <QGuiApplication>
#include <QWindow>

#include <gtest/gtest.h>

using namespace orbitdeck;

namespace {
std::optional<LibraryKey> decode(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return decodeLibraryKey({.key = key, .modifiers = modifiers});
}
} // namespace

TEST(LibraryKey, Table) {
    EXPECT_EQ(decode(Qt::Key_Return), LibraryKey::enter);
    EXPECT_EQ(decode(Qt::Key_Enter, Qt::KeypadModifier), LibraryKey::enter);
    EXPECT_EQ(decode(Qt::Key_Escape), LibraryKey::escape);
    EXPECT_EQ(decode(Qt::Key_Left), LibraryKey::left);
    EXPECT_EQ(decode(Qt::Key_Right), LibraryKey::right);
    EXPECT_EQ(decode(Qt::Key_Up), LibraryKey::up);
    EXPECT_EQ(decode(Qt::Key_Down, Qt::KeypadModifier), LibraryKey::down);
    EXPECT_EQ(decode(Qt::Key_Z, Qt::ControlModifier), LibraryKey::undo) << "Command is Control";
    EXPECT_EQ(decode(Qt::Key_Z, Qt::ControlModifier | Qt::GroupSwitchModifier), LibraryKey::undo);

    EXPECT_EQ(decode(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), std::nullopt);
    EXPECT_EQ(decode(Qt::Key_Z, Qt::AltModifier), std::nullopt);
    EXPECT_EQ(decode(Qt::Key_Z, Qt::MetaModifier), std::nullopt);
    EXPECT_EQ(decode(Qt::Key_Z), std::nullopt);
    EXPECT_EQ(decode(Qt::Key_Left, Qt::ShiftModifier), std::nullopt);
    EXPECT_EQ(decode(Qt::Key_Left, Qt::ControlModifier), LibraryKey::previousPage);
    EXPECT_EQ(decode(Qt::Key_Right, Qt::ControlModifier | Qt::KeypadModifier),
              LibraryKey::nextPage);
    EXPECT_EQ(decode(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier), std::nullopt);
    EXPECT_EQ(decode(Qt::Key_Return, Qt::ControlModifier), std::nullopt);
    EXPECT_EQ(decode(Qt::Key_A), std::nullopt);
    EXPECT_EQ(decode(Qt::Key_Tab), std::nullopt);
}

TEST(LibraryKeyMonitor, RoutesByWindowAndComposition) {
    QWindow library;
    QWindow sheet;
    sheet.setTransientParent(&library);
    QWindow popup;
    popup.setFlags(Qt::Popup);
    QWindow other;

    LibraryKeyMonitor monitor;
    monitor.setLibraryWindow(&library);
    std::vector<LibraryKey> handled;
    bool consume = true;
    monitor.setOnKey([&](LibraryKey key) {
        handled.push_back(key);
        return consume;
    });
    const KeyStroke escape{.key = Qt::Key_Escape};
    const KeyStroke left{.key = Qt::Key_Left};

    EXPECT_TRUE(monitor.handleKeyPress(&library, left));
    EXPECT_TRUE(monitor.handleKeyPress(&sheet, escape)) << "Escape in the settings sheet";
    EXPECT_FALSE(monitor.handleKeyPress(&sheet, left)) << "an arrow there stays in the sheet";
    EXPECT_TRUE(monitor.handleKeyPress(&popup, escape));
    EXPECT_FALSE(monitor.handleKeyPress(&other, escape)) << "another ordinary window";
    EXPECT_TRUE(monitor.handleKeyPress(nullptr, escape));
    EXPECT_FALSE(monitor.handleKeyPress(nullptr, left));
    EXPECT_FALSE(monitor.handleKeyPress(&library, {.key = Qt::Key_A}));
    consume = false;
    EXPECT_FALSE(monitor.handleKeyPress(&library, escape)) << "an unhandled key goes on";
    EXPECT_EQ(handled, (std::vector{LibraryKey::left, LibraryKey::escape, LibraryKey::escape,
                                    LibraryKey::escape, LibraryKey::escape}));

    consume = true;
    library.show();
    library.requestActivate();
    for (int i = 0; i < 50 && QGuiApplication::focusObject() != &library; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(QGuiApplication::focusObject(), &library);
    library.setProperty("inputMethodComposing", true);
    EXPECT_FALSE(monitor.handleKeyPress(&library, {.key = Qt::Key_Return}))
        << "Return goes to the input method while it composes";
    library.setProperty("inputMethodComposing", false);
    EXPECT_TRUE(monitor.handleKeyPress(&library, {.key = Qt::Key_Return}));
}
