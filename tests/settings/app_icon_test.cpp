#include "settings/app_icon.h"

#include "platform/defaults_store.h"
#include "window/window_settings.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

struct IconFixture {
    AppIconTarget target() {
        return {
            .image = [this](AppIconStyle style) -> std::optional<QIcon> {
                if (style == missing)
                    return std::nullopt;
                return appIconImage(style);
            },
            .setApplicationIcon = [this](const QIcon& icon) { shown.push_back(icon.cacheKey()); },
        };
    }

    QTemporaryDir home;
    DefaultsStore store{home.filePath("orbitdeck.plist")};
    WindowSettings settings{store};
    std::optional<AppIconStyle> missing;
    std::vector<qint64> shown;
};

TEST(AppIcon, EveryStyleHasItsImageInTheResources) {
    for (const auto& entry : allCases<AppIconStyle>()) {
        const std::optional<QIcon> image = appIconImage(entry.value);
        ASSERT_TRUE(image.has_value()) << appIconResourcePath(entry.value).toStdString();
        EXPECT_FALSE(image->pixmap(64, 64).isNull()) << "the image renders";
    }
}

TEST(AppIcon, StoredStyleFallsBackToMidnight) {
    IconFixture fixture;
    EXPECT_EQ(storedAppIconStyle(fixture.store), AppIconStyle::midnight);
    fixture.store.setValue("ambergrid.appIcon", QString("neon"));
    EXPECT_EQ(storedAppIconStyle(fixture.store), AppIconStyle::midnight);
    fixture.store.setValue("ambergrid.appIcon", qint64(3));
    EXPECT_EQ(storedAppIconStyle(fixture.store), AppIconStyle::midnight);
    fixture.store.setValue("ambergrid.appIcon", QString("sunset"));
    EXPECT_EQ(storedAppIconStyle(fixture.store), AppIconStyle::sunset);
}

TEST(AppIcon, ApplyingStoresAndShowsTheImageEvenWhenAlreadyChosen) {
    IconFixture fixture;
    AppIconChoice choice(fixture.settings, fixture.target());
    QSignalSpy selection(&choice, &AppIconChoice::selectionChanged);
    EXPECT_EQ(choice.selection(), AppIconStyle::midnight);

    choice.choose(AppIconStyle::mint);
    EXPECT_EQ(fixture.store.stringValue("ambergrid.appIcon"), QString("mint"));
    EXPECT_EQ(choice.selection(), AppIconStyle::mint);
    EXPECT_EQ(selection.count(), 1);
    ASSERT_EQ(fixture.shown.size(), 1u);

    choice.choose(AppIconStyle::mint);
    EXPECT_EQ(fixture.shown.size(), 2u) << "the current style is applied again";

    choice.choose(AppIconStyle::midnight);
    EXPECT_EQ(choice.selection(), AppIconStyle::midnight) << "back to the standard icon";
    EXPECT_EQ(fixture.shown.size(), 3u);

    choice.choose(static_cast<AppIconStyle>(6));
    EXPECT_EQ(choice.selection(), AppIconStyle::midnight)
        << "a value that is no style changes nothing";
    EXPECT_EQ(fixture.shown.size(), 3u);
}

TEST(AppIcon, MissingImageStoresTheChoiceButKeepsTheIcon) {
    IconFixture fixture;
    fixture.missing = AppIconStyle::classic;
    AppIconChoice choice(fixture.settings, fixture.target());

    choice.choose(AppIconStyle::classic);
    EXPECT_EQ(choice.selection(), AppIconStyle::classic);
    EXPECT_TRUE(fixture.shown.empty());

    const QVariantList entries = choice.choices();
    ASSERT_EQ(entries.size(), 6);
    EXPECT_EQ(entries[5].toMap().value("value"), static_cast<int>(AppIconStyle::classic));
    EXPECT_EQ(entries[5].toMap().value("name"), "classic") << "the cell's identifier";
    EXPECT_EQ(entries[5].toMap().value("image").toString(), "") << "the cell shows its name only";
    EXPECT_EQ(entries[0].toMap().value("title"), "Midnight");
    EXPECT_TRUE(entries[0].toMap().value("image").toString().startsWith("qrc:/icons/AltIcon-"));
}

TEST(AppIcon, TheApplicationTargetSetsTheWindowIcon) {
    IconFixture fixture;
    applyAppIcon(AppIconStyle::graphite, fixture.store, applicationIconTarget());
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());
    EXPECT_EQ(QGuiApplication::windowIcon().pixmap(32, 32).toImage(),
              appIconImage(AppIconStyle::graphite)->pixmap(32, 32).toImage());
}

} // namespace
} // namespace orbitdeck
