#include "platform/x11_hot_key_grabber.h"
#include "system/global_hot_key.h"
#include "x11_harness.h"

#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>

using namespace orbitdeck;
using orbitdeck::testing::waitUntil;
using orbitdeck::testing::xdotool;

namespace {
constexpr std::uint32_t keysymF12 = 0xffc9;

// A grab on F12 marks the end of a scenario: once its press arrives, every event sent before
// it has been seen too.
struct Scenario {
    X11HotKeyGrabber grabber;
    X11HotKeyGrabber marker;
    int presses = 0;
    int markers = 0;

    Scenario() {
        grabber.setPressedHandler([this] { ++presses; });
        marker.setPressedHandler([this] { ++markers; });
        EXPECT_EQ(marker.grab({.keysym = keysymF12}), HotKeyGrabber::GrabResult::grabbed);
    }
    // Presses the marker and waits for it; returns the presses counted until then.
    int settle() {
        const int expected = markers + 1;
        xdotool({"key", "F12"});
        EXPECT_TRUE(waitUntil([&] { return markers == expected; }));
        return presses;
    }
};
} // namespace

TEST(X11HotKeyGrabber, FiresOncePerPhysicalPress) {
    Scenario s;
    ASSERT_EQ(s.grabber.grab(*hotKeyChord(LibraryHotKey::optionSpace)),
              HotKeyGrabber::GrabResult::grabbed);
    xdotool({"key", "alt+space"});
    EXPECT_EQ(s.settle(), 1);

    {
        SCOPED_TRACE("with the lock keys on");
        xdotool({"key", "Caps_Lock"});
        xdotool({"key", "alt+space"});
        EXPECT_EQ(s.settle(), 2);
        xdotool({"key", "Num_Lock"});
        xdotool({"key", "alt+space"});
        EXPECT_EQ(s.settle(), 3) << "with Num Lock on as well";
        xdotool({"key", "Caps_Lock"});
        xdotool({"key", "alt+space"});
        EXPECT_EQ(s.settle(), 4) << "with Num Lock alone";
        xdotool({"key", "Num_Lock"});
    }
    {
        SCOPED_TRACE("held for 1.5 s");
        xdotool({"keydown", "alt+space", "sleep", "1.5", "keyup", "space", "keyup", "alt"});
        EXPECT_EQ(s.settle(), 5);
    }
    {
        SCOPED_TRACE("one of our own windows has the focus");
        QWindow own;
        own.resize(100, 100);
        own.show();
        ASSERT_TRUE(waitUntil([&] { return own.isExposed(); }));
        xdotool({"windowfocus", "--sync", QString::number(own.winId())});
        xdotool({"key", "alt+space"});
        xdotool({"key", "alt+space"});
        // Each release reaches the grab, so the second press is no repeat.
        EXPECT_EQ(s.settle(), 7);
    }
    {
        SCOPED_TRACE("other modifiers do not match, and releasing stops the presses");
        xdotool({"key", "ctrl+alt+space"});
        xdotool({"key", "space"});
        EXPECT_EQ(s.settle(), 7);
        s.grabber.release();
        xdotool({"key", "alt+space"});
        EXPECT_EQ(s.settle(), 7);
    }
}

TEST(X11HotKeyGrabber, SuperAltSpaceOnlyWhenChosen) {
    Scenario s;
    ASSERT_EQ(s.grabber.grab(*hotKeyChord(LibraryHotKey::commandOptionSpace)),
              HotKeyGrabber::GrabResult::grabbed);
    xdotool({"key", "alt+space"});
    EXPECT_EQ(s.settle(), 0);
    xdotool({"key", "super+alt+space"});
    EXPECT_EQ(s.settle(), 1);
}

TEST(X11HotKeyGrabber, CombinationHeldByAnotherClientIsRefused) {
    xcb_connection_t* rival = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(rival), 0);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(rival)).data->root;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(rival);
    xcb_keycode_t* space = xcb_key_symbols_get_keycode(symbols, ' ');
    ASSERT_NE(space, nullptr);
    const xcb_keycode_t keycode = space[0];
    std::free(space);
    xcb_key_symbols_free(symbols);
    ASSERT_EQ(
        xcb_request_check(rival, xcb_grab_key_checked(rival, 1, root, XCB_MOD_MASK_1, keycode,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)),
        nullptr);

    X11HotKeyGrabber grabber;
    GlobalHotKey hotKey(grabber);
    hotKey.registerHotKey(hotKeyChord(LibraryHotKey::optionSpace));
    EXPECT_EQ(hotKey.registration(), GlobalHotKey::Registration::refused);
    hotKey.registerHotKey(hotKeyChord(LibraryHotKey::controlOptionSpace));
    EXPECT_EQ(hotKey.registration(), GlobalHotKey::Registration::registered)
        << "other combinations still work";
    {
        SCOPED_TRACE("asking which chords are held keeps our grab and leaves no other");
        EXPECT_TRUE(hotKey.heldElsewhere(*hotKeyChord(LibraryHotKey::optionSpace)));
        EXPECT_FALSE(hotKey.heldElsewhere(*hotKeyChord(LibraryHotKey::commandOptionSpace)));
        EXPECT_FALSE(hotKey.heldElsewhere(*hotKeyChord(LibraryHotKey::controlOptionSpace)));
        const xcb_void_cookie_t superAlt =
            xcb_grab_key_checked(rival, 1, root, XCB_MOD_MASK_4 | XCB_MOD_MASK_1, keycode,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        EXPECT_EQ(xcb_request_check(rival, superAlt), nullptr) << "the probe let Super+Alt go";
        xcb_ungrab_key(rival, keycode, root, XCB_MOD_MASK_4 | XCB_MOD_MASK_1);
        int probed = 0;
        hotKey.setAction([&] { ++probed; });
        xdotool({"key", "ctrl+alt+space"});
        EXPECT_TRUE(waitUntil([&] { return probed == 1; }));
    }

    // A checked ungrab is done once it returns; a disconnect is processed some time later.
    EXPECT_EQ(
        xcb_request_check(rival, xcb_ungrab_key_checked(rival, keycode, root, XCB_MOD_MASK_1)),
        nullptr);
    xcb_disconnect(rival);
    int presses = 0;
    hotKey.setAction([&] { ++presses; });
    hotKey.registerHotKey(hotKeyChord(LibraryHotKey::optionSpace));
    EXPECT_EQ(hotKey.registration(), GlobalHotKey::Registration::registered)
        << "free again once the rival is gone";
    xdotool({"key", "alt+space"});
    EXPECT_TRUE(waitUntil([&] { return presses == 1; }));
}
