// Rendering a frame's indices into an 8-bit image with its mask, and drawing it.
#include "gif/GifColorLookup.h"
#include "gif/GifDither.h"
#include "gif/GifError.h"
#include "gif/GifImage.h"
#include "gif/GifPalettes.h"
#include "gif/GifSubImage.h"

#include <QPainter>

#include <cmath>

QList<QRgb> TGIFSubImage::Palette()
{
    std::lock_guard lock(FRenderLock);
    if (!FBitmap.isNull() && FBitmap.colorCount() > 0)
        return FBitmap.colorTable();
    if (!FPalette.isEmpty())
        return FPalette;
    if (FImage && FImage->DithersForDisplay())
        FPalette = CubePalette216();
    else if (FColorMap.Count() > 0)
        FPalette = FColorMap.ExportPalette();
    else if (FImage)
        return FImage->Palette();
    return FPalette;
}

void TGIFSubImage::SetPalette(const QList<QRgb>& palette)
{
    std::lock_guard lock(FRenderLock);
    if (palette == FPalette)
        return;
    FPalette = palette;
    if (!FBitmap.isNull() && FBitmap.colorTable() != palette) {
        FBitmap = QImage();
        FMask = QImage();
        FNeedMask = true;
        if (FImage) {
            FImage->PaletteModified = true;
            FImage->Changed();
        }
    }
}

void TGIFSubImage::RenderPlain(QImage& bitmap, QImage& mask, bool& masked)
{
    const int transparentIndex = TransparentColorIndex();
    for (int y = 0; y < FHeight; ++y) {
        const std::uint8_t* source = FData.data() + std::int64_t(y) * FWidth;
        std::copy_n(source, FWidth, bitmap.scanLine(y));
        if (transparentIndex >= 0 && FNeedMask) {
            std::uint8_t* maskLine = mask.scanLine(y);
            for (int x = 0; x < FWidth; ++x)
                if (source[x] == transparentIndex) {
                    maskLine[x / 8] |= std::uint8_t(0x80 >> (x % 8));
                    masked = true;
                }
        }
        if (y % 32 == 31 && FImage)
            FImage->Progress(psRunning, GifPercent(y, FHeight), QStringLiteral("Rendering..."));
    }
}

void TGIFSubImage::RenderDithered(QImage& bitmap, QImage& mask, bool& masked)
{
    TNetscapeColorLookup lookup;
    TFloydSteinbergDitherer ditherer(FWidth, lookup);
    const TGIFColorMap& map = ActiveColorMap();
    const int transparentIndex = TransparentColorIndex();
    const bool withMask = transparentIndex >= 0 && FNeedMask;
    int fill = 0;
    if (withMask && map.Count() > 0) {
        // Behind the mask the pixels take the cube's colour for the transparent colour.
        TGIFColor c = map.Color(transparentIndex);
        fill = lookup.Lookup(c.Red, c.Green, c.Blue);
    }
    for (int y = 0; y < FHeight; ++y) {
        const std::uint8_t* source = FData.data() + std::int64_t(y) * FWidth;
        std::uint8_t* target = bitmap.scanLine(y);
        if (withMask)
            std::fill_n(target, FWidth, std::uint8_t(fill));
        std::uint8_t* maskLine = withMask ? mask.scanLine(y) : nullptr;
        for (int i = 0; i < FWidth; ++i) {
            const int x = ditherer.Column();
            if (withMask && source[x] == transparentIndex) {
                maskLine[x / 8] |= std::uint8_t(0x80 >> (x % 8));
                masked = true;
                ditherer.Skip();
                continue;
            }
            TGIFColor c = map.Count() > 0 ? map.Color(source[x]) : TGIFColor{};
            target[x] = static_cast<std::uint8_t>(ditherer.Dither(c.Red, c.Green, c.Blue));
        }
        ditherer.NextLine();
        if (y % 32 == 31 && FImage)
            FImage->Progress(psRunning, GifPercent(y, FHeight), QStringLiteral("Rendering..."));
    }
}

QImage TGIFSubImage::Bitmap()
{
    std::lock_guard lock(FRenderLock);
    if (!FBitmap.isNull() || Empty())
        return FBitmap;
    if (FImage)
        FImage->Progress(psStarting, 0, QStringLiteral("Rendering..."));
    const bool dither = FImage && FImage->DithersForDisplay();
    QImage bitmap(FWidth, FHeight, QImage::Format_Indexed8);
    QImage mask(FWidth, FHeight, QImage::Format_Mono);
    if (bitmap.isNull() || mask.isNull())
        RaiseGifError(QStringLiteral("Failed to allocate memory for GIF DIB"));
    QList<QRgb> palette = dither ? CubePalette216() : Palette();
    while (palette.size() < 256)
        palette.append(qRgb(0, 0, 0));
    bitmap.setColorTable(palette.mid(0, 256));
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    bool masked = false;
    if (dither)
        RenderDithered(bitmap, mask, masked);
    else
        RenderPlain(bitmap, mask, masked);
    FBitmap = bitmap;
    FNeedMask = false;
    FMask = masked ? mask : QImage();
    if (FImage) {
        FImage->Progress(psEnding, 100, QStringLiteral("Rendering..."));
        if (FImage->PaletteModified)
            FImage->Changed();
    }
    return FBitmap;
}

bool TGIFSubImage::HasMask()
{
    std::lock_guard lock(FRenderLock);
    if (FNeedMask && FTransparent) {
        FBitmap = QImage();
        Bitmap();
    }
    return !FMask.isNull();
}

QImage TGIFSubImage::Mask()
{
    std::lock_guard lock(FRenderLock);
    HasMask();
    return FMask;
}

QList<QRect> TGIFSubImage::TileRects(const QRect& target) const
{
    QList<QRect> tiles;
    // A picture of size 0 steps by the frame's own size; a frame of size 0 has no tiles.
    const int stepX = FImage && FImage->Width() > 0 ? FImage->Width() : FWidth;
    const int stepY = FImage && FImage->Height() > 0 ? FImage->Height() : FHeight;
    if (stepX <= 0 || stepY <= 0 || FWidth <= 0 || FHeight <= 0)
        return tiles;
    for (int top = target.top() + FTop; top <= target.bottom(); top += stepY)
        for (int left = target.left() + FLeft; left <= target.right(); left += stepX)
            tiles.append(QRect(left, top, FWidth, FHeight));
    return tiles;
}

void TGIFSubImage::Draw(QPainter& canvas, const QRect& rect, bool tile, bool transparent)
{
    if (tile || !FImage || FImage->Width() <= 0 || FImage->Height() <= 0) {
        StretchDraw(canvas, tile ? rect : QRect(rect.topLeft(), QSize(FWidth, FHeight)), tile, transparent);
        return;
    }
    const double sx = double(rect.width()) / FImage->Width();
    const double sy = double(rect.height()) / FImage->Height();
    const int left = rect.left() + int(std::lround(FLeft * sx));
    const int top = rect.top() + int(std::lround(FTop * sy));
    const int right = rect.left() + int(std::lround((FLeft + FWidth) * sx));
    const int bottom = rect.top() + int(std::lround((FTop + FHeight) * sy));
    StretchDraw(canvas, QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), false, transparent);
}

void TGIFSubImage::StretchDraw(QPainter& canvas, const QRect& rect, bool tile, bool transparent)
{
    QImage image = Bitmap();
    if (image.isNull())
        return;
    if (transparent && FTransparent && HasMask()) {
        // The mask's set bits become fully see-through pixels.
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QImage mask = Mask();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            const std::uint8_t* bits = mask.constScanLine(y);
            for (int x = 0; x < image.width(); ++x)
                if (bits[x / 8] & (0x80 >> (x % 8)))
                    line[x] = 0;
        }
    }
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (tile) {
        canvas.setClipRect(rect);
        for (const QRect& t : TileRects(rect))
            canvas.drawImage(t, image);
    } else {
        canvas.drawImage(rect, image);
    }
    canvas.restore();
}
