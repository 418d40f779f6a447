#include "platform/desktop_appearance.h"

#include <gtest/gtest.h>

using orbitdeck::appearanceFromGnome;
using orbitdeck::appearanceFromKdeGlobals;
using orbitdeck::DesktopAppearance;

TEST(DesktopAppearance, ReadsGnomeColorScheme) {
    EXPECT_EQ(appearanceFromGnome("'prefer-dark'\n", "'Adwaita'"), DesktopAppearance::dark);
    EXPECT_EQ(appearanceFromGnome("'prefer-light'\n", "'Adwaita-dark'"), DesktopAppearance::light);
    EXPECT_EQ(appearanceFromGnome("'default'\n", "'Adwaita'\n"), DesktopAppearance::light);
    EXPECT_EQ(appearanceFromGnome("'default'\n", "'Yaru-Dark'\n"), DesktopAppearance::dark);
    EXPECT_EQ(appearanceFromGnome("'something-new'", ""), std::nullopt);
    EXPECT_EQ(appearanceFromGnome("", ""), std::nullopt);
}

TEST(DesktopAppearance, ReadsKdeWindowBackground) {
    EXPECT_EQ(appearanceFromKdeGlobals("[Colors:View]\nBackgroundNormal=255,255,255\n"
                                       "[Colors:Window]\nBackgroundNormal=32,35,38\n"),
              DesktopAppearance::dark);
    EXPECT_EQ(appearanceFromKdeGlobals("[Colors:Window]\nForegroundNormal=0,0,0\n"
                                       "BackgroundNormal=239,240,241\n"),
              DesktopAppearance::light);
    EXPECT_EQ(appearanceFromKdeGlobals("[Colors:Window]\nBackgroundNormal=bad\n"), std::nullopt);
    EXPECT_EQ(appearanceFromKdeGlobals("[Colors:Window]\nBackgroundNormal=1,2,999\n"),
              std::nullopt);
    EXPECT_EQ(appearanceFromKdeGlobals("[General]\nColorScheme=Breeze\n"), std::nullopt);
}
