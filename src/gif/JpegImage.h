#pragma once

#include "gif/Graphic.h"

#include <cstdint>

// A JPEG picture through libjpeg-turbo: decoded to 24-bit colour on load, encoded at the set
// quality on save. Damaged data raises GIFException with the library's message.
class TJPEGImage : public TGraphic
{
public:
    void LoadFromStream(QIODevice& stream) override;
    void SaveToStream(QIODevice& stream) override;
    void Draw(QPainter& canvas, const QRect& rect) override;
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    bool Empty() const override { return FImage.isNull(); }
    QImage StaticBitmap() override { return FImage; }
    void Assign(const QImage& image);

    int CompressionQuality = 90;
    // Area cap, as a GIF frame's, that keeps a hostile file from asking for unbounded memory: a
    // picture whose header claims more is refused with "Invalid image dimensions" before any
    // of it is decoded.
    std::int64_t MaxPixels = std::int64_t(1) << 26;
    // The most a picture on the board needs (a 4K screen): a larger one is decoded scaled down.
    std::int64_t MaxShownPixels = std::int64_t(1) << 23;

private:
    QImage FImage;
};
