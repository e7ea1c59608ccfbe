#include "gif/GifReduce.h"

#include "gif/GifError.h"
#include "gif/GifOctree.h"
#include "gif/GifPalettes.h"

#include <algorithm>

QList<QRgb> ReductionPalette(const TBitmap& bitmap, TColorReduction method, const QList<QRgb>& customPalette,
                             int reductionBits)
{
    switch (method) {
    case rcSystem20:
        return SystemPalette20();
    case rcHalftone256:
        return HalftonePalette256();
    case rcGray4:
        return GrayPalette(4);
    case rcMono:
        return GrayPalette(2);
    case rcGray256:
        return GrayPalette(256);
    case rcCube216:
        return CubePalette216();
    case rcOctree:
        return OctreePalette(bitmap, 1 << std::clamp(reductionBits, 1, 8), 8, false);
    case rcOctreeSystem:
        return OctreePalette(bitmap, 256, 8, true);
    case rcCustomPalette:
        return customPalette.mid(0, 256);
    case rcNone:
        break;
    }
    return {};
}

namespace {

std::unique_ptr<TColorLookup> CreateLookup(TColorReduction method, const QList<QRgb>& palette)
{
    switch (method) {
    case rcMono:
        return std::make_unique<TMonochromeLookup>();
    case rcGray256:
        return std::make_unique<TGrayScaleLookup>();
    case rcCube216:
        return std::make_unique<TNetscapeColorLookup>();
    default:
        return std::make_unique<TFastColorLookup>(palette);
    }
}

} // namespace

TBitmap ReduceBitmapColors(const TBitmap& bitmap, TColorReduction method, TDitherMode dither,
                           const QList<QRgb>& customPalette, int reductionBits)
{
    if (bitmap.Empty())
        RaiseGifError(QStringLiteral("Invalid image dimensions"));
    if (method == rcNone) {
        TBitmap copy = bitmap;
        copy.SetPixelFormat(pf24bit);
        return copy;
    }
    const TDIBReader reader(bitmap, pf24bit);
    const QList<QRgb> palette = ReductionPalette(bitmap, method, customPalette, reductionBits);
    std::unique_ptr<TColorLookup> lookup = CreateLookup(method, palette);
    std::unique_ptr<TDitherEngine> engine;
    if (!palette.isEmpty() && lookup->Colors() > 0)
        engine = CreateDitherEngine(dither, reader.Width(), *lookup);
    // Nothing to reduce to: an empty result would only be misread later, so it is refused here.
    if (!engine)
        RaiseGifError(QStringLiteral("Invalid image dimensions"));

    TBitmap result;
    TDIBWriter writer(result, palette, reader.Height(), reader.Width(), pf8bit);
    for (int y = 0; y < reader.Height(); ++y) {
        const std::uint8_t* source = reader.ScanLine(y);
        std::uint8_t* target = writer.ScanLine(y);
        for (int i = 0; i < reader.Width(); ++i) {
            const int x = engine->Column();
            std::uint8_t blue = source[3 * x], green = source[3 * x + 1], red = source[3 * x + 2];
            target[x] = static_cast<std::uint8_t>(engine->Dither(red, green, blue));
        }
        engine->NextLine();
    }
    writer.Finish();
    return result;
}
