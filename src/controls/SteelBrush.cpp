#include "controls/SteelBrush.h"

#include <QPainter>

namespace {

QImage BuildSteelBitmap()
{
    QImage image(SteelBrush::Size, SteelBrush::Size, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    for (int y = 1; y < SteelBrush::Size; y += 2) {
        for (int x = 1; x < SteelBrush::Size; x += 2) {
            image.setPixel(x, y, qRgb(0xFF, 0xFF, 0xFF));
        }
    }
    return image;
}

} // namespace

const QImage& SteelBrush::Bitmap()
{
    static const QImage bitmap = BuildSteelBitmap();
    return bitmap;
}

QBrush SteelBrush::Brush()
{
    return QBrush(Bitmap());
}

void SteelBrush::Fill(QPainter& painter, const QRect& rect)
{
    if (rect.isEmpty()) {
        return;
    }
    const QPointF oldOrigin = painter.brushOrigin();
    painter.setBrushOrigin(0, 0);
    painter.fillRect(rect, Brush());
    painter.setBrushOrigin(oldOrigin);
}
