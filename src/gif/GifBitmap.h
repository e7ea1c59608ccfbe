#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

#include <cstdint>

enum TPixelFormat
{
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit
};

// A bitmap with the pixel formats colour reduction works in, held in a QImage:
// 1 bit (most significant bit first), 4 bits (indices below 16, held as 8 bits), 8 bits with a
// 256-entry colour table, and 24 bits in blue-green-red byte order; 32 bits for everything else.
// A transparent bitmap carries a mask in which a set bit marks a transparent pixel.
class TBitmap
{
public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format);
    explicit TBitmap(const QImage& image);

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    bool Empty() const { return FImage.isNull() || Width() == 0 || Height() == 0; }
    TPixelFormat PixelFormat() const { return FFormat; }
    // Converts the pixels to the format; indexed formats keep or build a colour table.
    void SetPixelFormat(TPixelFormat format);
    // Raises "Scan line index out of range" outside 0..height-1.
    std::uint8_t* ScanLine(int row);
    const std::uint8_t* ScanLine(int row) const;
    QList<QRgb> Palette() const { return FImage.colorTable(); }
    void SetPalette(const QList<QRgb>& palette);

    const QImage& Image() const { return FImage; }
    // The pixels as 32-bit colours, for drawing and comparing.
    QImage ToImage() const;

    bool Transparent = false;
    QImage Mask; // Format_Mono, 1 = transparent

private:
    QImage FImage;
    TPixelFormat FFormat = pfDevice;
};

// Reads rows of a bitmap in one pixel format. It works on a converted copy: the caller's bitmap
// is never changed.
class TDIBReader
{
public:
    TDIBReader(const TBitmap& bitmap, TPixelFormat format);
    const std::uint8_t* ScanLine(int row) const { return FCopy.ScanLine(row); }
    int Width() const { return FCopy.Width(); }
    int Height() const { return FCopy.Height(); }

private:
    TBitmap FCopy;
};

// Builds the pixels of a bitmap row by row; Finish (or destruction) stores them into the target.
class TDIBWriter
{
public:
    // Raises "Unsupported PixelFormat" for formats other than 8 and 24 bits and "Invalid image
    // dimensions" for a width or height of 0.
    TDIBWriter(TBitmap& bitmap, const QList<QRgb>& palette, int height, int width, TPixelFormat format);
    ~TDIBWriter();
    TDIBWriter(const TDIBWriter&) = delete;
    TDIBWriter& operator=(const TDIBWriter&) = delete;
    std::uint8_t* ScanLine(int row);
    void Finish();

private:
    TBitmap& FTarget;
    QList<QRgb> FPalette;
    int FWidth;
    int FHeight;
    TPixelFormat FFormat;
    QImage FPixels;
    bool FFinished = false;
};
