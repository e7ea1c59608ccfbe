#include "gif/GifBitmap.h"

#include "gif/GifError.h"
#include "gif/GifPalettes.h"

namespace {

QImage::Format QtFormat(TPixelFormat format)
{
    switch (format) {
    case pf1bit:
        return QImage::Format_Mono;
    case pf4bit:
    case pf8bit:
        return QImage::Format_Indexed8;
    case pf24bit:
        return QImage::Format_BGR888;
    default:
        return QImage::Format_RGB32;
    }
}

TPixelFormat FormatOf(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return pf1bit;
    case QImage::Format_Indexed8:
        return image.colorCount() <= 16 ? pf4bit : pf8bit;
    case QImage::Format_BGR888:
    case QImage::Format_RGB888:
        return pf24bit;
    default:
        return pf32bit;
    }
}

QList<QRgb> Padded(QList<QRgb> table, int entries)
{
    while (table.size() < entries)
        table.append(qRgb(0, 0, 0));
    return table;
}

} // namespace

TBitmap::TBitmap(int width, int height, TPixelFormat format)
    : FImage(std::max(width, 0), std::max(height, 0), QtFormat(format)), FFormat(format)
{
    if (FImage.format() == QImage::Format_Indexed8)
        FImage.setColorTable(Padded({}, format == pf4bit ? 16 : 256));
    if (FImage.format() == QImage::Format_Mono)
        FImage.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    FImage.fill(0);
}

TBitmap::TBitmap(const QImage& image) : FFormat(FormatOf(image))
{
    FImage = FFormat == pf1bit    ? image.convertToFormat(QImage::Format_Mono)
             : FFormat == pf24bit ? image.convertToFormat(QImage::Format_BGR888)
                                  : image;
    if (image.hasAlphaChannel()) {
        // Fully see-through pixels become the mask, as an icon's mask would.
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        Mask = QImage(argb.size(), QImage::Format_Mono);
        Mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        Mask.fill(0);
        for (int y = 0; y < argb.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                if (qAlpha(line[x]) == 0) {
                    Mask.setPixel(x, y, 1);
                    Transparent = true;
                }
        }
        if (!Transparent)
            Mask = QImage();
    }
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == FFormat)
        return;
    if (format == pf4bit || format == pf8bit) {
        const int entries = format == pf4bit ? 16 : 256;
        QImage converted = FImage.format() == QImage::Format_Indexed8 && FImage.colorCount() <= entries
                               ? FImage
                               : FImage.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        if (converted.colorCount() > entries)
            converted =
                FImage.convertToFormat(QImage::Format_Indexed8, SystemPalette16(), Qt::ThresholdDither);
        if (format == pf8bit)
            converted.setColorTable(Padded(converted.colorTable(), 256));
        FImage = converted;
    } else {
        FImage = FImage.convertToFormat(QtFormat(format));
    }
    FFormat = format;
}

std::uint8_t* TBitmap::ScanLine(int row)
{
    if (row < 0 || row >= Height())
        RaiseGifError(QStringLiteral("Scan line index out of range"));
    return FImage.scanLine(row);
}

const std::uint8_t* TBitmap::ScanLine(int row) const
{
    if (row < 0 || row >= Height())
        RaiseGifError(QStringLiteral("Scan line index out of range"));
    return FImage.constScanLine(row);
}

void TBitmap::SetPalette(const QList<QRgb>& palette)
{
    if (FImage.format() == QImage::Format_Indexed8 || FImage.format() == QImage::Format_Mono)
        FImage.setColorTable(FFormat == pf8bit ? Padded(palette, 256) : palette);
}

QImage TBitmap::ToImage() const
{
    return FImage.convertToFormat(QImage::Format_RGB32);
}

TDIBReader::TDIBReader(const TBitmap& bitmap, TPixelFormat format) : FCopy(bitmap)
{
    FCopy.SetPixelFormat(format);
}

TDIBWriter::TDIBWriter(TBitmap& bitmap, const QList<QRgb>& palette, int height, int width,
                       TPixelFormat format)
    : FTarget(bitmap), FPalette(palette), FWidth(width), FHeight(height), FFormat(format)
{
    if (format != pf8bit && format != pf24bit)
        RaiseGifError(QStringLiteral("Unsupported PixelFormat"));
    if (width <= 0 || height <= 0)
        RaiseGifError(QStringLiteral("Invalid image dimensions"));
}

TDIBWriter::~TDIBWriter()
{
    Finish();
}

std::uint8_t* TDIBWriter::ScanLine(int row)
{
    if (FFinished)
        RaiseGifError(QStringLiteral("Image has no DIB"));
    if (FPixels.isNull()) {
        // Built at the first row access, as the pixels are only needed once rows are written.
        FPixels = QImage(FWidth, FHeight, QtFormat(FFormat));
        if (FPixels.isNull())
            RaiseGifError(QStringLiteral("Failed to allocate memory for GIF DIB"));
        FPixels.fill(0);
        if (FFormat == pf8bit)
            FPixels.setColorTable(Padded(FPalette.mid(0, 256), 256));
    }
    if (row < 0 || row >= FHeight)
        RaiseGifError(QStringLiteral("Scan line index out of range"));
    return FPixels.scanLine(row);
}

void TDIBWriter::Finish()
{
    if (FFinished)
        return;
    FFinished = true;
    if (!FPixels.isNull())
        FTarget = TBitmap(FPixels);
    if (FFormat == pf8bit && !FTarget.Empty())
        FTarget.SetPixelFormat(pf8bit);
}
