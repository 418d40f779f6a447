#include "window/qml/image_providers.h"

#include <QImage>
#include <QSet>

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

TEST(DrawingProvider, DrawsOurDrawingsInTheirOwnColoursAndNothingOutsideThem) {
    DrawingProvider provider;
    QSize size;
    const QImage brand =
        provider.requestImage(QStringLiteral("icons/orbitdeck"), &size, QSize(48, 48));
    EXPECT_EQ(size, QSize(48, 48));
    QSet<QRgb> colours;
    for (int y = 0; y < brand.height(); ++y) {
        for (int x = 0; x < brand.width(); ++x) {
            if (qAlpha(brand.pixel(x, y)) == 255)
                colours.insert(brand.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 2) << "drawn in one colour, or not at all";

    // Unknown drawings and paths out of the resources give a clear square, never a file.
    for (const QString& id : {QStringLiteral("icons/none"), QStringLiteral("../icons/orbitdeck"),
                              QStringLiteral("icons/../icons/orbitdeck")}) {
        const QImage image = provider.requestImage(id, &size, QSize(-1, -1));
        EXPECT_EQ(image.size(), QSize(64, 64)) << id.toStdString();
        EXPECT_EQ(qAlpha(image.pixel(32, 32)), 0) << id.toStdString();
    }
}

} // namespace
} // namespace orbitdeck
