#pragma once
// gif/: TGIFImage (this file, the picture) with its items TGIFHeader, TGIFSubImage, the
// extensions (GifExtension.h, GifAppExtension.h) and TGIFPainter; decoding TGIFLzwDecoder,
// encoding TGIFEncoder / TLZWEncoder / TRLEEncoder (GifEncoder.h), colour reduction
// TColorQuantizer (GifOctree.h) and the ditherers (GifDither.h); TJPEGImage and
// TPictureFormats (the registered picture formats).

#include "gif/GifDither.h"
#include "gif/GifHeader.h"
#include "gif/GifReduce.h"
#include "gif/GifSubImage.h"
#include "gif/Graphic.h"

#include <QRgb>
#include <optional>

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

enum TGIFCompression
{
    cmLZW = 0,
    cmRLE = 1
};
enum TProgressStage
{
    psStarting,
    psRunning,
    psEnding
};

// Draw options (bit values).
enum TGIFDrawOption : std::uint16_t
{
    drAsync = 1 << 0,
    drTransparent = 1 << 1,
    drAnimate = 1 << 2,
    drLoop = 1 << 3,
    drLoopForever = 1 << 4,
    drValidateCanvas = 1 << 5,
    drDirect = 1 << 6,
    drClearOnLoop = 1 << 7,
    drTile = 1 << 8,
    drDither = 1 << 9,
    drDitherOnPaletteDisplay = 1 << 10
};
// Priorities of a painter's thread, lowest first.
enum TGIFThreadPriority : int
{
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

constexpr std::uint16_t GIFDefaultDrawOptions =
    drAsync | drTransparent | drAnimate | drLoop | drDither | drDitherOnPaletteDisplay;

// Optimisation options (bit values), applied in the order colour tables, clean-up, merge, crop,
// clean-up again, colour reduction.
enum TGIFOptimizeOption : int
{
    ooCrop = 1,
    ooMerge = 2,
    ooCleanup = 4,
    ooColorMap = 8,
    ooReduceColors = 16
};

class QObject;

// A GIF picture: header, frames and trailer, with the settings that drive writing, colour
// reduction and drawing.
class TGIFPainter;
class QClipboard;
class QMimeData;

class TGIFImage : public TGraphic
{
public:
    using TWarningEvent = std::function<void(TGIFImage* sender, int severity, const QString& message)>;
    using TProgressEvent =
        std::function<void(TGIFImage* sender, TProgressStage stage, int percent, const QString& message)>;

    TGIFImage();
    virtual ~TGIFImage();
    TGIFImage(const TGIFImage&) = delete;
    TGIFImage& operator=(const TGIFImage&) = delete;

    // A failed load raises GIFException and leaves the stream where it was before the load.
    void LoadFromStream(QIODevice& stream) override;
    void SaveToStream(QIODevice& stream) override;
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName);
    void LoadFromBytes(const QByteArray& bytes);
    QByteArray SaveToBytes();

    virtual void Clear();
    bool Empty() const override { return FImages.empty(); }
    int Width() const override { return FHeader.Width; }
    int Height() const override { return FHeader.Height; }

    // One frame, or the first without drAnimate, is drawn at once; an animation starts a painter
    // (see TGIFPainter): a synchronous one paints into the canvas before Draw returns, an
    // asynchronous one paints the picture bitmap, which Draw then shows (with drDirect, Draw
    // does not wait for the first frame). Where the frames leave the picture clear, the canvas
    // shows as it was when the painter began.
    void Draw(QPainter& canvas, const QRect& rect) override;
    // The first frame in the picture's size (none for an empty picture).
    QImage StaticBitmap() override;
    // Stops the painter started by drawing and hands back its error, if any.
    std::exception_ptr StopDrawing();
    TGIFPainter* DrawPainter() const { return FDrawPainter.get(); }
    // The colour painters clear to: the set background colour, else the header's background
    // colour from the global table, else transparent.
    QRgb DrawBackground() const;

    void Assign(const TGIFImage& source);
    // Any other picture becomes one frame.
    void AssignImage(const QImage& image);
    TGIFSubImage* AddImage(const QImage& image);

    // The desktop clipboard: GIF bytes under "GIF Image" and image/gif, plus the picture as an
    // image. Loading takes GIF bytes, else an image; anything else is "Unsupported clipboard
    // format".
    void SaveToClipboard(QClipboard& clipboard);
    void LoadFromClipboard(const QMimeData* data);

    QObject* EventTarget() const { return FEventTarget.get(); }
    void SetWidth(int width);
    void SetHeight(int height);

    TGIFHeader& Header() { return FHeader; }
    const TGIFHeader& Header() const { return FHeader; }
    TGIFGlobalColorMap& GlobalColorMap() { return FHeader.ColorMap; }
    const std::vector<std::unique_ptr<TGIFSubImage>>& Images() const { return FImages; }
    int Count() const { return static_cast<int>(FImages.size()); }
    TGIFSubImage* Image(int index) const { return FImages.at(static_cast<std::size_t>(index)).get(); }
    TGIFSubImage* Add(std::unique_ptr<TGIFSubImage> frame);
    void Delete(int index);
    std::unique_ptr<TGIFSubImage> Remove(int index);

    // The format version the picture needs; gvUnknown for a picture without frames.
    TGIFItem::TGIFVersion Version() const;
    // The largest bits per pixel among the global table and every local table.
    int BitsPerPixel() const;
    // The largest colour resolution (bits per pixel - 1) among the tables.
    int ColorResolution() const;

    // Events raised off the thread that made the picture reach that thread through a queued call.
    void Warning(int severity, const QString& message);
    void Progress(TProgressStage stage, int percent, const QString& message);
    // Something about the picture changed: cached drawings are stale.
    virtual void Changed();
    // The global table changed: the cached palette is stale.
    virtual void PaletteChanged();

    TWarningEvent OnWarning;
    // The picture's look changed (e.g. an asynchronous painter painted a frame).
    std::function<void()> OnChange;
    // Handed to every painter this picture starts.
    std::function<void(TGIFPainter&)> OnStartPaint, OnLoopPaint, OnPaint, OnAfterPaint, OnEndPaint;
    int AnimationSpeed = 100; // percent
    // The priority an asynchronous painter's thread runs at.
    TGIFThreadPriority ThreadPriority = tpNormal;
    std::optional<QRgb> BackgroundColor;
    TProgressEvent OnProgress;

    TGIFCompression Compression = cmLZW;
    std::uint16_t DrawOptions = GIFDefaultDrawOptions;
    TColorReduction ColorReduction = rcCube216;
    int ReductionBits = 8;
    TDitherMode DitherMode = dtNearest;
    // Set when the screen shows at most 256 colours through a palette.
    bool PaletteDisplay = false;
    bool PaletteModified = false;
    bool DithersForDisplay() const;

    // The picture's palette; a query made while one is running fails with "No global or local
    // color table defined".
    QList<QRgb> Palette();
    void SetPalette(const QList<QRgb>& palette);

    // Crops, merges and cleans frames (TGIFOptimizeOption bits). Raises "Invalid reduction
    // method" for colour reduction to a custom palette without clean-up.
    void Optimize(int options, TColorReduction method, TDitherMode dither, int reductionBits);
    // Area caps that keep a hostile file from asking for unbounded memory; a frame or picture
    // above them is refused with "Invalid image dimensions".
    std::int64_t MaxFramePixels = std::int64_t(1) << 26;
    std::int64_t MaxTotalPixels = std::int64_t(1) << 28;
    // When set, each frame renders its bitmap as soon as it is read.
    bool RenderOnLoad = false;

    // Checks the area of a frame about to get pixels against both caps.
    void ReservePixels(std::int64_t pixels);

private:
    void LoadImages(QIODevice& stream);
    void SaveImages(QIODevice& stream);
    void FitEmptyScreenToFrames();

    void RunInOwnerThread(std::function<void()> call);
    std::unique_ptr<TGIFPainter> MakePainter(std::uint16_t options,
                                             std::function<void(const QImage&)> target);
    void DrawAnimated(QPainter& canvas, const QRect& rect);
    void ShowPictureBitmap(QPainter& canvas, const QRect& rect);
    void OptimizeCleanupFirst();
    void OptimizeMerge();
    void OptimizeCrop();
    void OptimizeCleanupSecond();

    TGIFHeader FHeader;
    std::vector<std::unique_ptr<TGIFSubImage>> FImages;
    std::int64_t FReservedPixels = 0;
    std::unique_ptr<QObject> FEventTarget;
    std::unique_ptr<TGIFPainter> FDrawPainter;
    // What the painter started by drawing last showed, in the rectangle's size; it holds a copy
    // of the canvas under it when the canvas could be read back.
    QImage FPictureBitmap;
    bool FPictureOverCanvas = false;
    bool FDrawing = false;
    QList<QRgb> FPalette;
    bool FInsidePalette = false;
};

// Percent of done out of total, safe for a total of 0 and for 64-bit sizes.
int GifPercent(std::int64_t done, std::int64_t total);
