#include "window/library_hot_key.h"
#include "window/library_settings.h"
#include "window/library_skin.h"

#include "support/temp_config_home.h"

#include <QFile>

#include <gtest/gtest.h>

#include <limits>

using namespace orbitdeck;

namespace {

template <typename E>
void expectEveryCaseRoundTrips() {
    for (const auto& entry : allCases<E>()) {
        EXPECT_EQ(enumFromRawValue<E>(rawValue(entry.value)), entry.value);
        EXPECT_EQ(rawValue(entry.value).toStdString(), entry.rawValue);
    }
}

} // namespace

TEST(LibrarySettings, EmptyStoreGivesEveryDefaultAndWritesNothing) {
    TempConfigHome home;
    auto store = DefaultsStore::openDomain("app");
    const LibrarySettings settings(*store);
    EXPECT_EQ(settings.get(settings::hiddenApps), QByteArray());
    EXPECT_EQ(settings.get(settings::hotKey), LibraryHotKey::optionSpace);
    EXPECT_TRUE(settings.get(settings::clickToClose));
    EXPECT_FALSE(settings.get(settings::onboarded));
    EXPECT_EQ(settings.get(settings::libraryLayout), QByteArray());
    EXPECT_EQ(settings.get(settings::skin), LibrarySkin::night);
    EXPECT_EQ(settings.get(settings::effects), LibraryEffects::fluid);
    EXPECT_EQ(settings.get(settings::density), LibraryDensity::comfortable);
    EXPECT_TRUE(settings.get(settings::labels));
    EXPECT_TRUE(settings.get(settings::wallpaper));
    EXPECT_EQ(settings.get(settings::wallpaperBlur), 12.0);
    EXPECT_TRUE(settings.get(settings::folderLabels));
    EXPECT_EQ(settings.get(settings::language), LibraryLanguage::system);
    EXPECT_EQ(settings.get(settings::startMode), LibraryStartup::fullscreen);
    EXPECT_FALSE(settings.get(settings::rememberPage));
    EXPECT_EQ(settings.get(settings::savedPage), 0);
    EXPECT_EQ(settings.get(settings::browsing), LibraryBrowsing::pages);
    EXPECT_EQ(settings.get(settings::sort), LibrarySort::manual);
    EXPECT_FALSE(settings.get(settings::systemUtilitiesSeeded));
    EXPECT_EQ(settings.get(settings::lastOpened), QByteArray());
    EXPECT_EQ(settings.get(settings::openCount), QByteArray());
    EXPECT_EQ(settings.get(settings::hotCorner), HotCorner::off);
    EXPECT_FALSE(settings.get(settings::pinchToOpen));
    EXPECT_TRUE(settings.get(settings::menuBarIcon));
    EXPECT_FALSE(settings.get(settings::f4Key));
    EXPECT_EQ(settings.get(settings::settingsTab), LibraryAppearanceTab::general);
    EXPECT_EQ(settings.get(settings::appIcon), AppIconStyle::midnight);
    EXPECT_FALSE(settings.get(settings::migrated));
    // Derived values of the empty store: 7 × 5 grid, comfortable icons, default blur.
    EXPECT_EQ(settings.columns(), 7);
    EXPECT_EQ(settings.rows(), 5);
    EXPECT_EQ(settings.iconSize(), 62);
    EXPECT_EQ(settings.wallpaperBlur(), 12.0);

    EXPECT_TRUE(store->keys().isEmpty());
    EXPECT_FALSE(QFile::exists(store->filePath()));
}

TEST(LibrarySettings, WrongTypesAndUnknownCaseNamesReadAsDefaults) {
    TempConfigHome home;
    auto store = DefaultsStore::openDomain("app");
    LibrarySettings settings(*store);
    store->setValue("ambergrid.skin", QString("Paper")); // letter case differs
    store->setValue("ambergrid.language", QString("klingon"));
    store->setValue("ambergrid.hotCorner", qint64{2}); // not a string
    store->setValue("ambergrid.appIcon", QString("neon"));
    store->setValue("ambergrid.settingsTab", QString(""));
    store->setValue("ambergrid.menuBarIcon", QString("false")); // only the Boolean false hides it
    store->setValue("ambergrid.f4Key", qint64{1});
    store->setValue("ambergrid.labels", QByteArray("1"));
    store->setValue("ambergrid.columns", 6.0); // a real is not an integer
    store->setValue("ambergrid.wallpaperBlur", QString("20"));
    store->setValue("ambergrid.hidden.v1", QString("[]"));
    EXPECT_EQ(settings.get(settings::skin), LibrarySkin::night);
    EXPECT_EQ(settings.get(settings::language), LibraryLanguage::system);
    EXPECT_EQ(settings.get(settings::hotCorner), HotCorner::off);
    EXPECT_EQ(settings.get(settings::appIcon), AppIconStyle::midnight);
    EXPECT_EQ(settings.get(settings::settingsTab), LibraryAppearanceTab::general);
    EXPECT_TRUE(settings.get(settings::menuBarIcon));
    EXPECT_FALSE(settings.get(settings::f4Key));
    EXPECT_TRUE(settings.get(settings::labels));
    EXPECT_EQ(settings.columns(), 7);
    EXPECT_EQ(settings.wallpaperBlur(), 12.0);
    EXPECT_EQ(settings.get(settings::hiddenApps), QByteArray());

    // Written by case name, read back as the case; an integer blur reads as a real.
    EXPECT_TRUE(settings.set(settings::skin, LibrarySkin::automatic));
    EXPECT_EQ(store->stringValue("ambergrid.skin"), "auto");
    EXPECT_EQ(settings.get(settings::skin), LibrarySkin::automatic);
    store->setValue("ambergrid.wallpaperBlur", qint64{20});
    EXPECT_EQ(settings.wallpaperBlur(), 20.0);
    store->setValue("ambergrid.menuBarIcon", false);
    EXPECT_FALSE(settings.get(settings::menuBarIcon));
}

TEST(LibrarySettings, EnumerationsKeepTheirCaseNamesAndOrder) {
    expectEveryCaseRoundTrips<LibrarySkin>();
    expectEveryCaseRoundTrips<LibraryEffects>();
    expectEveryCaseRoundTrips<LibraryDensity>();
    expectEveryCaseRoundTrips<LibraryHotKey>();
    expectEveryCaseRoundTrips<LibraryStartup>();
    expectEveryCaseRoundTrips<LibraryBrowsing>();
    expectEveryCaseRoundTrips<LibrarySort>();
    expectEveryCaseRoundTrips<LibraryLanguage>();
    expectEveryCaseRoundTrips<HotCorner>();
    expectEveryCaseRoundTrips<LibraryAppearanceTab>();
    expectEveryCaseRoundTrips<AppIconStyle>();
    EXPECT_EQ(rawValue(LibraryHotKey::commandOptionSpace), "commandOptionSpace");
    EXPECT_EQ(rawValue(LibrarySort::nameReverse), "nameReverse");
    EXPECT_EQ(rawValue(LibraryLanguage::simplifiedChinese), "simplifiedChinese");
    EXPECT_EQ(caseIndex(LibrarySort::frequency), 5);
    EXPECT_EQ(allCases<HotCorner>().size(), 5u);
    EXPECT_EQ(allCases<LibraryLanguage>().size(), 12u);
    EXPECT_EQ(enumFromRawValue<LibrarySkin>(u"automatic"), std::nullopt);
}

TEST(LibrarySettings, StoredNumbersAreBoundedWhereUsed) {
    EXPECT_EQ(standardIconSize(LibraryDensity::compact), 48);
    EXPECT_EQ(standardIconSize(LibraryDensity::large), 76);
    EXPECT_EQ(effectiveIconSize(0, LibraryDensity::large), 76);
    EXPECT_EQ(effectiveIconSize(-7, LibraryDensity::compact), 48);
    EXPECT_EQ(effectiveIconSize(1, LibraryDensity::compact), 1);
    EXPECT_EQ(effectiveIconSize(112, LibraryDensity::compact), 112);
    EXPECT_EQ(effectiveIconSize(std::numeric_limits<qint64>::max(), LibraryDensity::compact), 256);

    EXPECT_EQ(gridColumns(0), 7);
    EXPECT_EQ(gridColumns(3), 4);
    EXPECT_EQ(gridColumns(-1), 4);
    EXPECT_EQ(gridColumns(1'000'000'000'000), 12);
    EXPECT_EQ(gridRows(0), 5);
    EXPECT_EQ(gridRows(1), 2);
    EXPECT_EQ(gridRows(9), 8);

    EXPECT_EQ(wallpaperBlurRadius(-3), 0.0);
    EXPECT_EQ(wallpaperBlurRadius(1e300), 36.0);
    EXPECT_EQ(wallpaperBlurRadius(std::numeric_limits<double>::quiet_NaN()), 12.0);
    EXPECT_EQ(wallpaperBlurRadius(std::numeric_limits<double>::infinity()), 12.0);
    EXPECT_EQ(savedPageIndex(-4), 0);
    EXPECT_EQ(savedPageIndex(qint64{1} << 40), std::numeric_limits<int>::max());

    // A corrupt store reaches the same bounds through the accessor.
    TempConfigHome home;
    auto store = DefaultsStore::openDomain("app");
    store->setValue("ambergrid.iconSize", qint64{1} << 40);
    store->setValue("ambergrid.wallpaperBlur", std::numeric_limits<double>::quiet_NaN());
    const LibrarySettings settings(*store);
    EXPECT_EQ(settings.iconSize(), 256);
    EXPECT_EQ(settings.wallpaperBlur(), 12.0);
}

TEST(LibrarySkin, AutoFollowsTheDesktopAndNightWhenNobodyAnswers) {
    const FixedDesktopAppearance light(DesktopAppearance::light);
    const FixedDesktopAppearance dark(DesktopAppearance::dark);
    const FixedDesktopAppearance silent(std::nullopt);
    EXPECT_EQ(resolvedSkin(LibrarySkin::automatic, light), LibrarySkin::paper);
    EXPECT_EQ(resolvedSkin(LibrarySkin::automatic, dark), LibrarySkin::night);
    EXPECT_EQ(resolvedSkin(LibrarySkin::automatic, silent), LibrarySkin::night);
    EXPECT_EQ(resolvedSkin(LibrarySkin::dusk, light), LibrarySkin::dusk);
    EXPECT_EQ(resolvedSkin(LibrarySkin::night, light), LibrarySkin::night);

    EXPECT_EQ(skinAccent(LibrarySkin::automatic, light), QColor::fromRgbF(0.0f, 0.45f, 0.85f));
    EXPECT_EQ(skinAccent(LibrarySkin::automatic, silent), QColor::fromRgbF(0.49f, 0.89f, 0.81f));
    EXPECT_EQ(skinAccent(LibrarySkin::dusk, dark), QColor::fromRgbF(0.93f, 0.64f, 1.0f));

    EXPECT_EQ(hotKeyChord(LibraryHotKey::off), std::nullopt);
    EXPECT_EQ(hotKeyChord(LibraryHotKey::optionSpace),
              (KeyChord{.keysym = 0x20, .modifiers = KeyModifiers(KeyModifier::alt)}));
    EXPECT_EQ(hotKeyChord(LibraryHotKey::commandOptionSpace),
              (KeyChord{.keysym = 0x20, .modifiers = KeyModifier::super | KeyModifier::alt}));
    EXPECT_NE(hotKeyChord(LibraryHotKey::commandOptionSpace),
              hotKeyChord(LibraryHotKey::controlOptionSpace));
}
