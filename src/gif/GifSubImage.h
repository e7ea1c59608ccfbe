#pragma once

#include "gif/GifColorMap.h"
#include "gif/GifExtension.h"
#include "gif/GifItem.h"

#include "gif/GifBitmap.h"

#include <QImage>
#include <QList>
#include <QRect>

#include <memory>
#include <mutex>
#include <vector>

class QPainter;
class QPicture;

class TGIFSubImage;
class TGIFGraphicControlExtension;

class TGIFLocalColorMap : public TGIFColorMap
{
public:
    explicit TGIFLocalColorMap(TGIFSubImage* frame) : FSubImage(frame) {}
    TGIFLocalColorMap& operator=(const TGIFLocalColorMap&) = delete;

protected:
    void Warning(const QString& message) override;
    void BuildHistogram(THistogram& counts) const override;
    void MapImages(const TIndexMap& map) override;
    void Changed() override;

private:
    TGIFSubImage* FSubImage;
};

// One frame: its extensions, image descriptor, local colour table and one colour index per
// pixel, rows top to bottom.
class TGIFSubImage : public TGIFItem
{
public:
    explicit TGIFSubImage(TGIFImage* image);
    ~TGIFSubImage() override;

    TGIFVersion Version() const override;
    void SaveToStream(QIODevice& stream) override;
    void LoadFromStream(QIODevice& stream) override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    std::uint8_t Packed() const { return FPacked; }
    // Stores the frame's place; a size change gives new zeroed pixels, and a picture too small
    // for the frame grows with a warning.
    void SetBounds(int left, int top, int width, int height);
    bool Interlaced() const { return (FPacked & 0x40) != 0; }
    void SetInterlaced(bool value);
    bool Empty() const;
    void Clear();

    TGIFLocalColorMap& ColorMap() { return FColorMap; }
    const TGIFLocalColorMap& ColorMap() const { return FColorMap; }
    // The local table when it has entries, else the global one when it has entries, else the
    // (empty) local one.
    TGIFColorMap& ActiveColorMap();
    const TGIFColorMap& ActiveColorMap() const;

    const std::vector<std::unique_ptr<TGIFExtension>>& Extensions() const { return FExtensions; }
    TGIFExtension* AddExtension(std::unique_ptr<TGIFExtension> extension);
    void DeleteExtension(TGIFExtension* extension);
    std::unique_ptr<TGIFExtension> RemoveExtension(TGIFExtension* extension);

    std::vector<std::uint8_t>& Data() { return FData; }
    const std::vector<std::uint8_t>& Data() const { return FData; }
    std::uint8_t* ScanLine(int row);
    std::uint8_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint8_t index);

    bool Transparent() const { return FTransparent; }
    void SetTransparentFlag(bool value) { FTransparent = value; }
    // The colour index that is transparent, or -1 when the frame is not transparent.
    int TransparentColorIndex() const;
    TGIFGraphicControlExtension* GraphicControlExtension() const { return FGCE; }
    void SetGraphicControlExtension(TGIFGraphicControlExtension* gce) { FGCE = gce; }
    // The control block of the frame, made and added when it has none.
    TGIFGraphicControlExtension& EnsureGraphicControlExtension();
    int Delay() const;
    int Disposal() const;

    // What a frame draws: an 8-bit image rendered on demand from the pixels, with a mask
    // (Format_Mono, 1 = transparent) for a transparent frame. Rendering is serialised per frame,
    // so a painter thread and the GUI thread never render the same frame at once.
    QImage Bitmap();
    bool HasMask();
    QImage Mask();
    QList<QRgb> Palette();
    void SetPalette(const QList<QRgb>& palette);
    // Drops the rendered bitmap and mask, e.g. after the pixels changed.
    void FreeBitmap();
    // The colour table changed: the cached palette is stale.
    void PaletteChanged();
    // Moves every pixel and the transparent index through an index map (a re-sorted table).
    void MapColors(const TGIFColorMap::TIndexMap& map);

    // Drawing without smoothing (nearest neighbour). Draw places the frame in proportion to the
    // picture's size inside the rectangle; StretchDraw fills the rectangle with it.
    void Draw(QPainter& canvas, const QRect& rect, bool tile, bool transparent);
    void StretchDraw(QPainter& canvas, const QRect& rect, bool tile, bool transparent);
    // The tiles of the frame inside a target rectangle.
    QList<QRect> TileRects(const QRect& target) const;

    // Import: another frame, a bitmap (reduced by the picture's settings when it has more than
    // 8 bits), any image (its fully transparent pixels become transparent) or a drawing.
    void Assign(const TGIFSubImage& source);
    void AssignBitmap(const TBitmap& bitmap);
    void AssignImage(const QImage& image);
    void AssignPicture(const QPicture& picture);
    // Pixels whose mask bit is set take a new black entry that becomes the transparent colour.
    void TransparencyFromMask(const QImage& mask);

    // Shrinks a transparent frame to the rectangle of its opaque pixels (or clears it).
    void Crop();
    // Makes pixels transparent that show what the previous frame already shows there.
    void Merge(TGIFSubImage& previous);

private:
    void RenderPlain(QImage& bitmap, QImage& mask, bool& masked);
    void RenderDithered(QImage& bitmap, QImage& mask, bool& masked);
    void ImportPixels(const TBitmap& bitmap);
    int ChooseMergeTransparent();
    void LoadDescriptor(QIODevice& stream);
    void CoverIndicesPastTable();
    void LoadExtensions(QIODevice& stream);
    void ReserveData();

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    std::uint8_t FPacked = 0;
    TGIFLocalColorMap FColorMap;
    std::vector<std::unique_ptr<TGIFExtension>> FExtensions;
    std::vector<std::uint8_t> FData;
    bool FTransparent = false;
    TGIFGraphicControlExtension* FGCE = nullptr;
    QImage FBitmap;
    QImage FMask;
    bool FNeedMask = true;
    QList<QRgb> FPalette;
    std::recursive_mutex FRenderLock;
};
