#include "fakes.h"
#include "system/global_hot_key.h"

#include <gtest/gtest.h>

using namespace orbitdeck;
using orbitdeck::testing::FakeGrabber;

TEST(GlobalHotKey, SettingsMapOntoChords) {
    const KeyModifiers alt = static_cast<KeyModifiers>(KeyModifier::alt);
    EXPECT_EQ(hotKeyChord(LibraryHotKey::off), std::nullopt);
    EXPECT_EQ(hotKeyChord(LibraryHotKey::optionSpace), (KeyChord{.keysym = ' ', .modifiers = alt}));
    EXPECT_EQ(hotKeyChord(LibraryHotKey::commandOptionSpace),
              (KeyChord{.keysym = ' ', .modifiers = KeyModifier::super | KeyModifier::alt}));
    EXPECT_EQ(hotKeyChord(LibraryHotKey::controlOptionSpace),
              (KeyChord{.keysym = ' ', .modifiers = KeyModifier::control | KeyModifier::alt}));
}

TEST(GlobalHotKey, RegistersOneChordAtATimeAndReportsRefusal) {
    FakeGrabber grabber;
    GlobalHotKey hotKey(grabber);
    std::vector<GlobalHotKey::Registration> seen;
    hotKey.setRegistrationObserver([&](GlobalHotKey::Registration r) { seen.push_back(r); });
    int toggles = 0;
    hotKey.setAction([&] { ++toggles; });

    {
        SCOPED_TRACE("switching shortcuts leaves exactly the new one");
        hotKey.registerHotKey(hotKeyChord(LibraryHotKey::optionSpace));
        hotKey.registerHotKey(hotKeyChord(LibraryHotKey::commandOptionSpace));
        ASSERT_EQ(grabber.grabbed.size(), 1u);
        EXPECT_EQ(grabber.grabbed[0], *hotKeyChord(LibraryHotKey::commandOptionSpace));
        hotKey.registerHotKey(hotKeyChord(LibraryHotKey::commandOptionSpace));
        EXPECT_EQ(grabber.grabbed.size(), 1u) << "registering twice keeps one grab";
    }
    {
        SCOPED_TRACE("off grabs nothing, and coming back grabs the chord again");
        hotKey.registerHotKey(hotKeyChord(LibraryHotKey::off));
        EXPECT_TRUE(grabber.grabbed.empty());
        EXPECT_EQ(hotKey.registration(), GlobalHotKey::Registration::none);
        hotKey.registerHotKey(hotKeyChord(LibraryHotKey::optionSpace));
        ASSERT_EQ(grabber.grabbed.size(), 1u);
        EXPECT_EQ(grabber.grabbed[0], *hotKeyChord(LibraryHotKey::optionSpace));
        EXPECT_EQ(hotKey.registration(), GlobalHotKey::Registration::registered);
    }
    {
        SCOPED_TRACE("every press runs the action once");
        grabber.pressed();
        grabber.pressed();
        EXPECT_EQ(toggles, 2);
    }
    {
        SCOPED_TRACE("a combination held by another client is reported, not fatal");
        grabber.taken.insert(static_cast<KeyModifiers>(KeyModifier::alt));
        hotKey.registerHotKey(hotKeyChord(LibraryHotKey::optionSpace));
        EXPECT_EQ(hotKey.registration(), GlobalHotKey::Registration::refused);
        EXPECT_TRUE(grabber.grabbed.empty());
        EXPECT_TRUE(hotKey.heldElsewhere(*hotKeyChord(LibraryHotKey::optionSpace)))
            << "the refused chord counts as held";
        hotKey.registerHotKey(hotKeyChord(LibraryHotKey::controlOptionSpace));
        EXPECT_EQ(hotKey.registration(), GlobalHotKey::Registration::registered);
        grabber.taken.insert(KeyModifier::control | KeyModifier::alt);
        EXPECT_FALSE(hotKey.heldElsewhere(*hotKeyChord(LibraryHotKey::controlOptionSpace)))
            << "our own registration is never held elsewhere";
    }
    using R = GlobalHotKey::Registration;
    EXPECT_EQ(seen,
              (std::vector{R::registered, R::none, R::registered, R::refused, R::registered}));
}

TEST(GlobalHotKey, PressWithoutActionDoesNothing) {
    FakeGrabber grabber;
    GlobalHotKey hotKey(grabber);
    hotKey.registerHotKey(hotKeyChord(LibraryHotKey::optionSpace));
    ASSERT_TRUE(grabber.pressed);
    grabber.pressed();
    int toggles = 0;
    hotKey.setAction([&] { ++toggles; });
    EXPECT_EQ(toggles, 0) << "a press before there is an action is not kept for later";
    EXPECT_EQ(hotKey.registration(), GlobalHotKey::Registration::registered);
    EXPECT_EQ(grabber.grabbed.size(), 1u) << "the grab stays";
    grabber.pressed();
    EXPECT_EQ(toggles, 1);
}
