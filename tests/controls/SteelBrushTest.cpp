#include "controls/SteelBrush.h"

#include <QPainter>

#include <gtest/gtest.h>

TEST(SteelBrush, BitmapIsSilverWithWhiteDotsWhereColumnAndRowAreOdd)
{
    const QImage& bitmap = SteelBrush::Bitmap();
    ASSERT_EQ(bitmap.size(), QSize(8, 8));
    int white = 0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const QRgb expected = (x % 2 == 1 && y % 2 == 1) ? 0xFFFFFF : 0xC0C0C0;
            EXPECT_EQ(bitmap.pixel(x, y) & 0xFFFFFF, expected) << x << "," << y;
            white += (bitmap.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
        }
    }
    EXPECT_EQ(white, 16);
    EXPECT_EQ(&SteelBrush::Bitmap(), &bitmap);
}

TEST(SteelBrush, FillTilesFromTheOriginAndStaysInsideTheRectangle)
{
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter.setBrushOrigin(3, 3); // a caller's own origin is put back afterwards
        SteelBrush::Fill(painter, QRect(5, 5, 20, 20));
        EXPECT_EQ(painter.brushOrigin(), QPointF(3, 3));
    }
    EXPECT_EQ(image.pixel(9, 9) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(23, 17) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(8, 9) & 0xFFFFFF, 0xC0C0C0u);
    EXPECT_EQ(image.pixel(6, 5) & 0xFFFFFF, 0xC0C0C0u);
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(4, 5) & 0xFFFFFF, 0u);
    EXPECT_EQ(image.pixel(25, 25) & 0xFFFFFF, 0u);
}
