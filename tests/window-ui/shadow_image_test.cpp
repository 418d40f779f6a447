#include "window/qml/image_providers.h"

#include <QImage>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

TEST(RoundedShadow, SolidInsideFadingOverTheBlurAndClearBeyond) {
    const QImage shadow = roundedShadow(QSize(80, 60), 8, 10);
    ASSERT_EQ(shadow.size(), QSize(80, 60));
    const auto alpha = [&](int x, int y) { return qAlpha(shadow.pixel(x, y)); };
    {
        // Black throughout; only the alpha carries the shape.
        EXPECT_EQ(qRed(shadow.pixel(40, 30)), 0);
        EXPECT_EQ(alpha(40, 30), 255);
    }
    {
        // Along the middle row the edge fades outwards, symmetrically.
        EXPECT_GT(alpha(10, 30), 60);
        EXPECT_LT(alpha(10, 30), 200);
        EXPECT_GT(alpha(12, 30), alpha(8, 30));
        EXPECT_EQ(alpha(5, 30), alpha(74, 30));
        EXPECT_LE(alpha(0, 30), 8);
    }
    {
        // The rounded corner is softer than the straight edge at the same inset.
        EXPECT_LT(alpha(12, 12), alpha(12, 30));
        EXPECT_EQ(alpha(0, 0), 0);
    }
    {
        // The provider reads corner and blur from its id and draws at the requested size.
        ShadowProvider provider;
        QSize size;
        const QImage drawn = provider.requestImage(QStringLiteral("8/10"), &size, QSize(80, 60));
        EXPECT_EQ(size, QSize(80, 60));
        EXPECT_EQ(drawn, shadow);
        EXPECT_FALSE(provider.requestImage(QStringLiteral("junk"), &size, QSize(-1, -1)).isNull());
    }
}

} // namespace
} // namespace orbitdeck
