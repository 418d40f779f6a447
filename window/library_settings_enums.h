#pragma once

#include "library/library_sort.h"
#include "window/setting_enum.h"
#include "window/settings_enum_types.h"

namespace orbitdeck {

template <>
struct SettingEnumTraits<LibrarySkin> {
    using C = EnumCase<LibrarySkin>;
    static constexpr std::array cases{
        C{LibrarySkin::night, "night", textKey("Midnight")},
        C{LibrarySkin::dusk, "dusk", textKey("Plum")},
        C{LibrarySkin::paper, "paper", textKey("Paper")},
        C{LibrarySkin::automatic, "auto", textKey("Match macOS")},
    };
};

template <>
struct SettingEnumTraits<LibraryEffects> {
    using C = EnumCase<LibraryEffects>;
    static constexpr std::array cases{
        C{LibraryEffects::fluid, "fluid", textKey("Fluid")},
        C{LibraryEffects::reduced, "reduced", textKey("Reduced")},
        C{LibraryEffects::off, "off", textKey("Off")},
    };
};

template <>
struct SettingEnumTraits<LibraryDensity> {
    using C = EnumCase<LibraryDensity>;
    static constexpr std::array cases{
        C{LibraryDensity::compact, "compact", {}},
        C{LibraryDensity::comfortable, "comfortable", {}},
        C{LibraryDensity::large, "large", {}},
    };
};

// Titles name the keys as the tables show them for this platform (Super for Command).
template <>
struct SettingEnumTraits<LibraryHotKey> {
    using C = EnumCase<LibraryHotKey>;
    static constexpr std::array cases{
        C{LibraryHotKey::off, "off", textKey("Off")},
        C{LibraryHotKey::optionSpace, "optionSpace", textKey("⌥ Space")},
        C{LibraryHotKey::commandOptionSpace, "commandOptionSpace", textKey("⌘⌥ Space")},
        C{LibraryHotKey::controlOptionSpace, "controlOptionSpace", textKey("⌃⌥ Space")},
    };
};

template <>
struct SettingEnumTraits<LibraryStartup> {
    using C = EnumCase<LibraryStartup>;
    static constexpr std::array cases{
        C{LibraryStartup::fullscreen, "fullscreen", textKey("Full screen")},
        C{LibraryStartup::window, "window", textKey("Window")},
    };
};

template <>
struct SettingEnumTraits<LibraryBrowsing> {
    using C = EnumCase<LibraryBrowsing>;
    static constexpr std::array cases{
        C{LibraryBrowsing::pages, "pages", textKey("Horizontal pages")},
        C{LibraryBrowsing::scroll, "scroll", textKey("Vertical scrolling")},
    };
};

// SortOrder mirrors LibrarySort case for case, so either converts to the other by value.
static_assert(static_cast<int>(setting::SortOrder::manual) ==
              static_cast<int>(LibrarySort::manual));
static_assert(static_cast<int>(setting::SortOrder::name) == static_cast<int>(LibrarySort::name));
static_assert(static_cast<int>(setting::SortOrder::frequency) ==
              static_cast<int>(LibrarySort::frequency));
static_assert(static_cast<int>(setting::SortOrder::nameReverse) ==
              static_cast<int>(LibrarySort::nameReverse));
static_assert(static_cast<int>(setting::SortOrder::added) == static_cast<int>(LibrarySort::added));
static_assert(static_cast<int>(setting::SortOrder::recent) ==
              static_cast<int>(LibrarySort::recent));

template <>
struct SettingEnumTraits<LibrarySort> {
    using C = EnumCase<LibrarySort>;
    static constexpr std::array cases{
        C{LibrarySort::manual, "manual", textKey("Manual")},
        C{LibrarySort::name, "name", textKey("Name A–Z")},
        C{LibrarySort::nameReverse, "nameReverse", textKey("Name Z–A")},
        C{LibrarySort::added, "added", textKey("Date added")},
        C{LibrarySort::recent, "recent", textKey("Last opened")},
        C{LibrarySort::frequency, "frequency", textKey("Most used")},
    };
};

// Only `system` has a title key; the others show their native names (library_language.h).
template <>
struct SettingEnumTraits<LibraryLanguage> {
    using C = EnumCase<LibraryLanguage>;
    static constexpr std::array cases{
        C{LibraryLanguage::system, "system", textKey("Follow macOS")},
        C{LibraryLanguage::english, "english", {}},
        C{LibraryLanguage::simplifiedChinese, "simplifiedChinese", {}},
        C{LibraryLanguage::traditionalChinese, "traditionalChinese", {}},
        C{LibraryLanguage::japanese, "japanese", {}},
        C{LibraryLanguage::korean, "korean", {}},
        C{LibraryLanguage::german, "german", {}},
        C{LibraryLanguage::french, "french", {}},
        C{LibraryLanguage::spanish, "spanish", {}},
        C{LibraryLanguage::italian, "italian", {}},
        C{LibraryLanguage::portuguese, "portuguese", {}},
        C{LibraryLanguage::russian, "russian", {}},
    };
};

template <>
struct SettingEnumTraits<HotCorner> {
    using C = EnumCase<HotCorner>;
    static constexpr std::array cases{
        C{HotCorner::off, "off", textKey("Off")},
        C{HotCorner::topLeft, "topLeft", textKey("Top left")},
        C{HotCorner::topRight, "topRight", textKey("Top right")},
        C{HotCorner::bottomLeft, "bottomLeft", textKey("Bottom left")},
        C{HotCorner::bottomRight, "bottomRight", textKey("Bottom right")},
    };
};

template <>
struct SettingEnumTraits<LibraryAppearanceTab> {
    using C = EnumCase<LibraryAppearanceTab>;
    static constexpr std::array cases{
        C{LibraryAppearanceTab::general, "general", textKey("General")},
        C{LibraryAppearanceTab::shortcuts, "shortcuts", textKey("Shortcuts")},
        C{LibraryAppearanceTab::grid, "grid", textKey("Grid")},
        C{LibraryAppearanceTab::appearance, "appearance", textKey("Appearance")},
        C{LibraryAppearanceTab::organize, "organize", textKey("Organize")},
    };
};

template <>
struct SettingEnumTraits<AppIconStyle> {
    using C = EnumCase<AppIconStyle>;
    static constexpr std::array cases{
        C{AppIconStyle::midnight, "midnight", textKey("Midnight")},
        C{AppIconStyle::light, "light", textKey("Light")},
        C{AppIconStyle::mint, "mint", textKey("Mint")},
        C{AppIconStyle::sunset, "sunset", textKey("Sunset")},
        C{AppIconStyle::graphite, "graphite", textKey("Graphite")},
        C{AppIconStyle::classic, "classic", textKey("Classic")},
    };
};

} // namespace orbitdeck
