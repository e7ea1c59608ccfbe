#include "gif/GifImage.h"

#include "gif/GifError.h"
#include "gif/GifIo.h"
#include "gif/GifPainter.h"

#include "gif/GifPalettes.h"

#include <QBuffer>
#include <QFile>
#include <QMetaObject>
#include <QObject>
#include <QThread>

int GifPercent(std::int64_t done, std::int64_t total)
{
    if (total <= 0)
        return 100;
    return static_cast<int>(std::clamp<std::int64_t>(done * 100 / total, 0, 100));
}

TGIFImage::TGIFImage() : FHeader(this), FEventTarget(std::make_unique<QObject>())
{}

TGIFImage::~TGIFImage()
{
    // The painter reads the frames: it ends before they go. Its error has no one to go to.
    (void)StopDrawing();
    // Queued events still on their way die with the target object.
    FEventTarget.reset();
    FImages.clear();
}

void TGIFImage::RunInOwnerThread(std::function<void()> call)
{
    if (!FEventTarget || QThread::currentThread() == FEventTarget->thread()) {
        call();
        return;
    }
    QMetaObject::invokeMethod(FEventTarget.get(), std::move(call), Qt::QueuedConnection);
}

bool TGIFImage::DithersForDisplay() const
{
    if (!(DrawOptions & drDither))
        return false;
    if (DrawOptions & drDitherOnPaletteDisplay)
        return PaletteDisplay;
    return true;
}

QList<QRgb> TGIFImage::Palette()
{
    if (FInsidePalette)
        RaiseGifError(QStringLiteral("No global or local color table defined"));
    // Reset by scope, so a failed query does not fail every later one.
    struct TGuard
    {
        bool& Flag;
        explicit TGuard(bool& flag) : Flag(flag) { Flag = true; }
        ~TGuard() { Flag = false; }
    } guard(FInsidePalette);
    if (!FPalette.isEmpty())
        return FPalette;
    if (DithersForDisplay())
        return FPalette = CubePalette216();
    if (GlobalColorMap().Count() > 0)
        return FPalette = GlobalColorMap().ExportPalette();
    if (FImages.empty())
        return {};
    // A file without any colour table leaves the colours to the reader: the system's 16.
    if (FImages.front()->ColorMap().Count() == 0)
        return SystemPalette16();
    return FImages.front()->Palette();
}

void TGIFImage::SetPalette(const QList<QRgb>& palette)
{
    if (palette == FPalette)
        return;
    FPalette = palette;
    PaletteModified = true;
    Changed();
}

void TGIFImage::Clear()
{
    (void)StopDrawing();
    FImages.clear();
    FHeader.Clear();
    FReservedPixels = 0;
    FHeader.Prepare();
    PaletteChanged();
    Changed();
}

void TGIFImage::ReservePixels(std::int64_t pixels)
{
    if (pixels < 0 || pixels > MaxFramePixels || FReservedPixels + pixels > MaxTotalPixels)
        RaiseGifError(QStringLiteral("Invalid image dimensions"));
    FReservedPixels += pixels;
}

void TGIFImage::SetWidth(int width)
{
    for (const auto& frame : FImages)
        if (width < frame->Left() + frame->Width())
            RaiseGifError(QStringLiteral("Image width too small for contained frames"));
    width = std::clamp(width, 0, 65535);
    if (width != FHeader.Width) {
        FHeader.Width = static_cast<std::uint16_t>(width);
        Changed();
    }
}

void TGIFImage::SetHeight(int height)
{
    for (const auto& frame : FImages)
        if (height < frame->Top() + frame->Height())
            RaiseGifError(QStringLiteral("Image height too small for contained frames"));
    height = std::clamp(height, 0, 65535);
    if (height != FHeader.Height) {
        FHeader.Height = static_cast<std::uint16_t>(height);
        Changed();
    }
}

TGIFSubImage* TGIFImage::Add(std::unique_ptr<TGIFSubImage> frame)
{
    FImages.push_back(std::move(frame));
    Changed();
    return FImages.back().get();
}

void TGIFImage::Delete(int index)
{
    Remove(index).reset();
}

std::unique_ptr<TGIFSubImage> TGIFImage::Remove(int index)
{
    if (index < 0 || index >= Count())
        return nullptr;
    std::unique_ptr<TGIFSubImage> taken = std::move(FImages[std::size_t(index)]);
    FImages.erase(FImages.begin() + index);
    Changed();
    return taken;
}

TGIFItem::TGIFVersion TGIFImage::Version() const
{
    if (FImages.empty())
        return TGIFItem::gvUnknown;
    // The header's own needs (sorted table, aspect ratio) count too, so that what it holds is
    // written under a version that defines it.
    TGIFItem::TGIFVersion version = FHeader.Version();
    for (const auto& frame : FImages)
        version = std::max(version, frame->Version());
    return version;
}

int TGIFImage::BitsPerPixel() const
{
    int bits = FHeader.ColorMap.BitsPerPixel();
    for (const auto& frame : FImages)
        bits = std::max(bits, frame->ColorMap().BitsPerPixel());
    return bits;
}

int TGIFImage::ColorResolution() const
{
    return std::max(0, BitsPerPixel() - 1);
}

void TGIFImage::Warning(int severity, const QString& message)
{
    if (OnWarning)
        RunInOwnerThread([this, severity, message] {
            if (OnWarning)
                OnWarning(this, severity, message);
        });
}

void TGIFImage::Progress(TProgressStage stage, int percent, const QString& message)
{
    if (OnProgress)
        RunInOwnerThread([this, stage, percent, message] {
            if (OnProgress)
                OnProgress(this, stage, percent, message);
        });
}

void TGIFImage::Changed()
{
    if (OnChange)
        RunInOwnerThread([this] {
            if (OnChange)
                OnChange();
        });
}

void TGIFImage::PaletteChanged()
{
    FPalette.clear();
}

void TGIFImage::LoadImages(QIODevice& stream)
{
    const auto skipZeros = [&](std::uint8_t& b) {
        while (GifIo::ReadByte(stream, b))
            if (b != 0)
                return true;
        return false;
    };
    std::uint8_t next = 0;
    if (!skipZeros(next))
        return;
    while (next != ';') {
        if (next != '!' && next != ',') {
            Warning(GifWarningSeverity, QStringLiteral("Unknown GIF block type"));
            break;
        }
        GifIo::StepBack(stream);
        auto frame = std::make_unique<TGIFSubImage>(this);
        frame->LoadFromStream(stream);
        FImages.push_back(std::move(frame));
        Progress(psRunning, GifPercent(stream.pos(), stream.size()), QStringLiteral("Loading..."));
        if (!skipZeros(next))
            return;
    }
    GifIo::StepBack(stream);
}

void TGIFImage::FitEmptyScreenToFrames()
{
    // A screen of size 0 says nothing about the picture's size; the frames do.
    int right = 0;
    int bottom = 0;
    for (const auto& frame : FImages) {
        if (frame->Empty())
            continue;
        right = std::max(right, frame->Left() + frame->Width());
        bottom = std::max(bottom, frame->Top() + frame->Height());
    }
    if (FHeader.Width == 0)
        FHeader.Width = static_cast<std::uint16_t>(std::min(right, 65535));
    if (FHeader.Height == 0)
        FHeader.Height = static_cast<std::uint16_t>(std::min(bottom, 65535));
}

void TGIFImage::LoadFromStream(QIODevice& stream)
{
    Progress(psStarting, 0, QStringLiteral("Loading..."));
    Clear();
    const qint64 start = stream.pos();
    try {
        FHeader.LoadFromStream(stream);
        LoadImages(stream);
        TGIFTrailer(this).LoadFromStream(stream);
        FitEmptyScreenToFrames();
    } catch (...) {
        // A failed load leaves an empty picture and the stream where it was.
        stream.seek(start);
        Clear();
        Progress(psEnding, 0, QStringLiteral("Loading..."));
        throw;
    }
    PaletteChanged();
    Changed();
    Progress(psEnding, 100, QStringLiteral("Loading..."));
}

void TGIFImage::SaveToStream(QIODevice& stream)
{
    Progress(psStarting, 0, QStringLiteral("Saving..."));
    FHeader.SaveToStream(stream);
    for (std::size_t i = 0; i < FImages.size(); ++i) {
        FImages[i]->SaveToStream(stream);
        Progress(psRunning, GifPercent(std::int64_t(i + 1), std::int64_t(FImages.size())),
                 QStringLiteral("Saving..."));
    }
    TGIFTrailer(this).SaveToStream(stream);
    Progress(psEnding, 100, QStringLiteral("Saving..."));
}

void TGIFImage::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    GifIo::OpenFile(file, false);
    LoadFromStream(file);
}

void TGIFImage::SaveToFile(const QString& fileName)
{
    QFile file(fileName);
    GifIo::OpenFile(file, true);
    SaveToStream(file);
}

void TGIFImage::LoadFromBytes(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    LoadFromStream(buffer);
}

QByteArray TGIFImage::SaveToBytes()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(buffer);
    return bytes;
}
