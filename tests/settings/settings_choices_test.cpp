#include "settings/settings_choices.h"

#include <gtest/gtest.h>

#include <limits>

using namespace orbitdeck;

TEST(SettingsChoices, GridPickersOfferTheDefaultFirstThenTheNumbers) {
    const auto columns = columnEntries();
    ASSERT_EQ(columns.size(), 10);
    EXPECT_EQ(columns.front().value, 0); // "Default: 7" stores 0, not 7
    EXPECT_EQ(columns.front().title, "Default: 7");
    EXPECT_TRUE(columns.front().titleIsKey);
    EXPECT_EQ(columns[1].value, 4);
    EXPECT_EQ(columns.back().value, 12);
    EXPECT_EQ(columns.back().title, "12");
    EXPECT_FALSE(columns.back().titleIsKey);

    const auto rows = rowEntries();
    ASSERT_EQ(rows.size(), 8);
    EXPECT_EQ(rows.front().value, 0);
    EXPECT_EQ(rows.front().title, "Default: 5");
    EXPECT_EQ(rows[1].value, 2);
    EXPECT_EQ(rows.back().value, 8);
}

TEST(SettingsChoices, CustomIconSizeStartsFromTheDensityAndSliderValuesAreTruncated) {
    EXPECT_EQ(customIconSizeSeed(LibraryDensity::compact), 48);
    EXPECT_EQ(customIconSizeSeed(LibraryDensity::comfortable), 62);
    EXPECT_EQ(customIconSizeSeed(LibraryDensity::large), 76);

    EXPECT_EQ(iconSizeFromSlider(62.9), 62);
    EXPECT_EQ(iconSizeFromSlider(32.0), 32);
    EXPECT_EQ(iconSizeFromSlider(112.0), 112);
    // Out of the slider's range or not a number: never a size the grid cannot draw.
    EXPECT_EQ(iconSizeFromSlider(500.0), 112);
    EXPECT_EQ(iconSizeFromSlider(-3.0), 32);
    EXPECT_EQ(iconSizeFromSlider(std::numeric_limits<double>::quiet_NaN()), 32);
}

TEST(SettingsChoices, VersionLineShowsAQuestionMarkForEachMissingPart) {
    EXPECT_EQ(versionLine({.shortVersion = "1.4", .build = "210"}), "Orbitdeck 1.4 (210)");
    EXPECT_EQ(versionLine({}), "Orbitdeck ? (?)");
    EXPECT_EQ(versionLine({.shortVersion = "2.0", .build = std::nullopt}), "Orbitdeck 2.0 (?)");

    EXPECT_EQ(versionText("Orbitdeck 1.4 (210)"), "1.4 (210)");
    EXPECT_EQ(versionText(versionLine({})), "? (?)");

    const AppVersion built = currentAppVersion();
    EXPECT_TRUE(built.shortVersion.has_value());
    EXPECT_FALSE(versionLine(built).contains(QStringLiteral("()")));
}
