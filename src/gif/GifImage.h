#pragma once

#include "gif/GifHeader.h"
#include "gif/GifSubImage.h"

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

// A GIF picture: header, frames and trailer, with the settings that drive writing, colour
// reduction and drawing.
class TGIFImage
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
    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream);
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName);
    void LoadFromBytes(const QByteArray& bytes);
    QByteArray SaveToBytes();

    virtual void Clear();
    bool Empty() const { return FImages.empty(); }
    int Width() const { return FHeader.Width; }
    int Height() const { return FHeader.Height; }
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

    void Warning(int severity, const QString& message);
    void Progress(TProgressStage stage, int percent, const QString& message);
    // Something about the picture changed: cached drawings are stale.
    virtual void Changed();
    // The global table changed: the cached palette is stale.
    virtual void PaletteChanged();

    TWarningEvent OnWarning;
    TProgressEvent OnProgress;

    TGIFCompression Compression = cmLZW;
    // Area caps that keep a hostile file from asking for unbounded memory; a frame or picture
    // above them is refused with "Invalid image dimensions".
    std::int64_t MaxFramePixels = std::int64_t(1) << 26;
    std::int64_t MaxTotalPixels = std::int64_t(1) << 28;
    // When set, each frame renders its bitmap as soon as it is read.
    bool RenderOnLoad = false;
    std::function<void(TGIFSubImage&)> RenderFrame;

    // Checks the area of a frame about to get pixels against both caps.
    void ReservePixels(std::int64_t pixels);

private:
    void LoadImages(QIODevice& stream);
    void SaveImages(QIODevice& stream);

    TGIFHeader FHeader;
    std::vector<std::unique_ptr<TGIFSubImage>> FImages;
    std::int64_t FReservedPixels = 0;
};

// Percent of done out of total, safe for a total of 0 and for 64-bit sizes.
int GifPercent(std::int64_t done, std::int64_t total);
