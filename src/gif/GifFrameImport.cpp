// Building a frame from another frame, a bitmap, any image or a drawing.
#include "gif/GifError.h"
#include "gif/GifImage.h"
#include "gif/GifReduce.h"
#include "gif/GifSubImage.h"

#include <QBuffer>
#include <QPainter>
#include <QPicture>

#include <array>

void TGIFSubImage::Assign(const TGIFSubImage& source)
{
    if (&source == this)
        return;
    FExtensions.clear();
    Clear();
    if (source.Empty())
        return;
    FLeft = source.FLeft;
    FTop = source.FTop;
    FWidth = source.FWidth;
    FHeight = source.FHeight;
    FPacked = source.FPacked;
    if (FImage)
        FImage->ReservePixels(std::int64_t(FWidth) * FHeight);
    FData = source.FData;
    FColorMap.Assign(source.FColorMap);
    // The extensions are copied through their stream form, which every kind can write and read.
    QByteArray bytes;
    {
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        for (const auto& extension : source.FExtensions)
            extension->SaveToStream(out);
        out.write(",", 1);
    }
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    LoadExtensions(in);
    FTransparent = source.FTransparent && FGCE && FGCE->Transparent();
    std::lock_guard lock(FRenderLock);
    FBitmap = source.FBitmap;
    FMask = source.FMask;
    FNeedMask = source.FNeedMask;
}

void TGIFSubImage::ImportPixels(const TBitmap& bitmap)
{
    const QImage& image = bitmap.Image();
    if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono) {
        const QImage indexed = image.convertToFormat(QImage::Format_Indexed8);
        FColorMap.ImportPalette(indexed.colorTable());
        for (int y = 0; y < FHeight; ++y) {
            std::copy_n(indexed.constScanLine(y), FWidth, ScanLine(y));
            if (y % 32 == 31 && FImage)
                FImage->Progress(psRunning, GifPercent(y, FHeight), QStringLiteral("Converting..."));
        }
        return;
    }
    // True colour: the colours are collected while the pixels are written, with the last eight
    // distinct colours in a ring so runs of few colours rarely search the table.
    const TDIBReader reader(bitmap, pf24bit);
    std::array<QRgb, 8> ring{};
    std::array<int, 8> ringIndex{};
    ringIndex.fill(-1);
    int last = 0;
    for (int y = 0; y < FHeight; ++y) {
        const std::uint8_t* source = reader.ScanLine(y);
        std::uint8_t* target = ScanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            const QRgb color = qRgb(source[3 * x + 2], source[3 * x + 1], source[3 * x]);
            int hit = -1;
            for (int k = 0; k < 8 && hit < 0; ++k) {
                const int slot = (last - k + 8) % 8;
                if (ringIndex[std::size_t(slot)] >= 0 && ring[std::size_t(slot)] == color)
                    hit = slot;
            }
            if (hit < 0) {
                const TGIFColor c{std::uint8_t(qRed(color)), std::uint8_t(qGreen(color)),
                                  std::uint8_t(qBlue(color))};
                const int index = FColorMap.AddUnique(c); // "Color table overflow" past 256 colours
                hit = (last + 1) % 8;
                ring[std::size_t(hit)] = color;
                ringIndex[std::size_t(hit)] = index;
            }
            last = hit;
            target[x] = static_cast<std::uint8_t>(ringIndex[std::size_t(hit)]);
        }
        if (y % 32 == 31 && FImage)
            FImage->Progress(psRunning, GifPercent(y, FHeight), QStringLiteral("Converting..."));
    }
}

void TGIFSubImage::AssignBitmap(const TBitmap& bitmap)
{
    FExtensions.clear();
    Clear();
    if (bitmap.Empty())
        return;
    TBitmap rendered;
    const TPixelFormat format = bitmap.PixelFormat();
    if (format == pf1bit || format == pf4bit || format == pf8bit) {
        rendered = bitmap;
    } else if (FImage) {
        rendered =
            ReduceBitmapColors(bitmap, FImage->ColorReduction, FImage->DitherMode, {}, FImage->ReductionBits);
    } else {
        rendered = ReduceBitmapColors(bitmap, rcCube216, dtNearest);
    }
    SetBounds(FLeft, FTop, bitmap.Width(), bitmap.Height());
    if (FImage)
        FImage->Progress(psStarting, 0, QStringLiteral("Converting..."));
    bool done = false;
    try {
        ImportPixels(rendered);
        if (bitmap.Transparent && !bitmap.Mask.isNull())
            TransparencyFromMask(bitmap.Mask);
        done = true;
    } catch (...) {
        if (FImage)
            FImage->Progress(psEnding, 0, QStringLiteral("Converting..."));
        Clear();
        throw;
    }
    if (FImage)
        FImage->Progress(psEnding, done ? 100 : 0, QStringLiteral("Converting..."));
}

void TGIFSubImage::AssignImage(const QImage& image)
{
    AssignBitmap(TBitmap(image));
}

void TGIFSubImage::AssignPicture(const QPicture& picture)
{
    const QRect bounds = picture.boundingRect();
    if (bounds.isEmpty()) {
        FExtensions.clear();
        Clear();
        return;
    }
    // Drawn on white and on black: where the two differ the drawing did not cover the pixel.
    QImage onWhite(bounds.size(), QImage::Format_RGB32);
    QImage onBlack(bounds.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    onBlack.fill(Qt::black);
    for (QImage* target : {&onWhite, &onBlack}) {
        QPainter painter(target);
        painter.translate(-bounds.topLeft());
        painter.drawPicture(0, 0, picture);
    }
    QImage mask(bounds.size(), QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    bool any = false;
    for (int y = 0; y < bounds.height(); ++y)
        for (int x = 0; x < bounds.width(); ++x)
            if ((onWhite.pixel(x, y) ^ onBlack.pixel(x, y)) & 0xFFFFFF) {
                mask.setPixel(x, y, 1);
                any = true;
            }
    TBitmap bitmap(onWhite.convertToFormat(QImage::Format_BGR888));
    bitmap.Transparent = any;
    bitmap.Mask = any ? mask : QImage();
    AssignBitmap(bitmap);
}

void TGIFSubImage::TransparencyFromMask(const QImage& mask)
{
    FColorMap.Optimize();
    if (FColorMap.Count() < 1 || FColorMap.Count() > 255)
        return; // a full or empty table has no room for a transparent colour
    const int index = FColorMap.Add({0, 0, 0});
    bool any = false;
    for (int y = 0; y < std::min(FHeight, mask.height()); ++y) {
        std::uint8_t* line = ScanLine(y);
        const std::uint8_t* bits = mask.constScanLine(y);
        for (int x = 0; x < std::min(FWidth, mask.width()); ++x)
            if (bits[x / 8] & (0x80 >> (x % 8))) {
                line[x] = static_cast<std::uint8_t>(index);
                any = true;
            }
    }
    if (!any) {
        FColorMap.Delete(index);
        return;
    }
    auto gce = std::make_unique<TGIFGraphicControlExtension>(this);
    TGIFGraphicControlExtension* added = gce.get();
    AddExtension(std::move(gce));
    added->SetTransparentColorIndex(index);
    added->SetTransparent(true);
    FreeBitmap();
}
