#include "workspace/Sprites.h"

#include <gtest/gtest.h>

#include <QColor>

using namespace zev::workspace;

TEST(Sprites, PointersAreKeyedPicturesOfTheDrawnSizeWithTheirNames) {
    const struct {
        PointerMode mode;
        const char* name;
    } sprites[] = {{PointerMode::Arrow, "MOUSEARROW"},
                   {PointerMode::Dropper, "DROPPER"},
                   {PointerMode::Wait, "MOUSEWAIT"}};
    QImage previous;
    for (const auto& s : sprites) {
        EXPECT_STREQ(PointerSpriteName(s.mode), s.name);
        const QImage image = PointerSprite(s.mode);
        ASSERT_EQ(image.size(), QSize(kPointerWidth, kPointerHeight)) << s.name;
        // A figure with transparent (black) pixels around it.
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += image.pixelColor(x, y) != QColor(Qt::black) ? 1 : 0;
        EXPECT_GT(drawn, 40) << s.name;
        EXPECT_LT(drawn, kPointerWidth * kPointerHeight - 40) << s.name;
        EXPECT_NE(image, previous) << s.name;
        previous = image;
    }
    // The arrow's hot spot is its top-left pixel.
    EXPECT_NE(PointerSprite(PointerMode::Arrow).pixelColor(0, 0), QColor(Qt::black));
}

TEST(Sprites, BackgroundPictureFillsTheRequestedSizeSkyAboveHills) {
    const QImage picture = BackgroundPicture(320, 200);
    ASSERT_EQ(picture.size(), QSize(320, 200));
    const QColor top = picture.pixelColor(160, 2);
    const QColor bottom = picture.pixelColor(160, 197);
    EXPECT_GT(top.blue(), top.red()); // sky
    EXPECT_LT(bottom.blue(), 120);    // hills
    EXPECT_EQ(BackgroundPicture(0, -3).size(), QSize(1, 1));
}
