// The picture as a graphic: drawing and animating, copying, the clipboard.
#include "gif/GifError.h"
#include "gif/GifImage.h"
#include "gif/GifPainter.h"
#include "gif/PictureFormats.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPainter>

QRgb TGIFImage::DrawBackground() const
{
    if (BackgroundColor)
        return *BackgroundColor;
    if (FHeader.ColorMap.Count() > 0 && FHeader.BackgroundColorIndex < FHeader.ColorMap.Count()) {
        const TGIFColor c = FHeader.ColorMap.Colors()[FHeader.BackgroundColorIndex];
        return qRgb(c.Red, c.Green, c.Blue);
    }
    return qRgba(0, 0, 0, 0);
}

std::unique_ptr<TGIFPainter> TGIFImage::MakePainter(std::uint16_t options,
                                                    std::function<void(const QImage&)> target)
{
    if (Count() <= 1)
        options &= std::uint16_t(~(drAsync | drAnimate));
    auto painter = std::make_unique<TGIFPainter>(*this, options, std::move(target));
    painter->OnStartPaint = OnStartPaint;
    painter->OnLoopPaint = OnLoopPaint;
    painter->OnPaint = OnPaint;
    painter->OnAfterPaint = OnAfterPaint;
    painter->OnEndPaint = OnEndPaint;
    return painter;
}

std::exception_ptr TGIFImage::StopDrawing()
{
    std::exception_ptr error;
    if (FDrawPainter) {
        FDrawPainter->Stop();
        error = FDrawPainter->Join();
        FDrawPainter.reset();
    }
    FPictureBitmap = QImage();
    return error;
}

namespace {

void PaintInto(QPainter& canvas, const QRect& rect, const QImage& image, bool tile)
{
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (tile && !image.isNull()) {
        canvas.setClipRect(rect);
        for (int top = rect.top(); top <= rect.bottom(); top += image.height())
            for (int left = rect.left(); left <= rect.right(); left += image.width())
                canvas.drawImage(QPoint(left, top), image);
    } else {
        canvas.drawImage(rect, image);
    }
    canvas.restore();
}

} // namespace

void TGIFImage::DrawAnimated(QPainter& canvas, const QRect& rect)
{
    const bool tile = DrawOptions & drTile;
    if (FDrawPainter && !FDrawPainter->Finished() && FDrawPainter->Rect == rect && !FPictureBitmap.isNull()) {
        PaintInto(canvas, rect, FPictureBitmap, tile);
        return; // the running painter keeps going
    }
    if (std::exception_ptr error = StopDrawing())
        std::rethrow_exception(error);
    if (!(DrawOptions & drAsync)) {
        auto painter = MakePainter(DrawOptions,
                                   [&](const QImage& composed) { PaintInto(canvas, rect, composed, tile); });
        painter->Rect = rect;
        painter->Start();
        if (std::exception_ptr error = painter->Join())
            std::rethrow_exception(error);
        return;
    }
    FPictureBitmap = QImage(std::max(Width(), 1), std::max(Height(), 1), QImage::Format_ARGB32_Premultiplied);
    FPictureBitmap.fill(Qt::transparent);
    FDrawPainter = MakePainter(DrawOptions, [this](const QImage& composed) {
        FPictureBitmap = composed.copy();
        Changed();
    });
    FDrawPainter->Rect = rect;
    FDrawPainter->Start();
    // The first frame is painted before anything is shown; it needs no wait of its own.
    QElapsedTimer waited;
    waited.start();
    while (!FDrawPainter->Started() && !FDrawPainter->Finished() && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    PaintInto(canvas, rect, FPictureBitmap, tile);
}

void TGIFImage::Draw(QPainter& canvas, const QRect& rect)
{
    if (FDrawing || FImages.empty() || rect.isEmpty())
        return;
    FDrawing = true;
    struct TReset
    {
        bool& Flag;
        ~TReset() { Flag = false; }
    } reset{FDrawing};
    if (Count() == 1 || !(DrawOptions & drAnimate)) {
        FImages.front()->Draw(canvas, rect, DrawOptions & drTile, DrawOptions & drTransparent);
        return;
    }
    DrawAnimated(canvas, rect);
}

QImage TGIFImage::StaticBitmap()
{
    if (FImages.empty())
        return {};
    TGIFSubImage& first = *FImages.front();
    QImage image(std::max(Width(), 1), std::max(Height(), 1), QImage::Format_ARGB32_Premultiplied);
    image.fill(DrawBackground());
    QPainter painter(&image);
    first.Draw(painter, image.rect(), false, true);
    return image;
}

void TGIFImage::Assign(const TGIFImage& source)
{
    if (&source == this)
        return;
    Clear();
    FHeader.Assign(source.FHeader);
    DrawOptions = source.DrawOptions;
    ColorReduction = source.ColorReduction;
    DitherMode = source.DitherMode;
    ReductionBits = source.ReductionBits;
    BackgroundColor = source.BackgroundColor;
    AnimationSpeed = source.AnimationSpeed;
    Progress(psStarting, 0, QStringLiteral("Copying..."));
    for (int i = 0; i < source.Count(); ++i) {
        auto frame = std::make_unique<TGIFSubImage>(this);
        frame->Assign(*source.Image(i));
        FImages.push_back(std::move(frame));
        Progress(psRunning, GifPercent(i + 1, source.Count()), QStringLiteral("Copying..."));
    }
    Progress(psEnding, 100, QStringLiteral("Copying..."));
    Changed();
}

TGIFSubImage* TGIFImage::AddImage(const QImage& image)
{
    auto frame = std::make_unique<TGIFSubImage>(this);
    frame->AssignImage(image);
    StopDrawing();
    return Add(std::move(frame));
}

void TGIFImage::AssignImage(const QImage& image)
{
    Clear();
    if (!image.isNull())
        AddImage(image);
}

void TGIFImage::SaveToClipboard(QClipboard& clipboard)
{
    if (FImages.empty())
        return;
    const QByteArray bytes = SaveToBytes();
    auto* data = new QMimeData;
    data->setData(GIFClipboardFormat, bytes);
    data->setData(QStringLiteral("image/gif"), bytes);
    data->setImageData(StaticBitmap());
    clipboard.setMimeData(data);
    const QMimeData* stored = clipboard.mimeData();
    if (!stored || !stored->hasFormat(GIFClipboardFormat))
        RaiseGifError(QStringLiteral("Failed to store GIF on clipboard"));
}

void TGIFImage::LoadFromClipboard(const QMimeData* data)
{
    if (data && data->hasFormat(GIFClipboardFormat))
        LoadFromBytes(data->data(GIFClipboardFormat));
    else if (data && data->hasFormat(QStringLiteral("image/gif")))
        LoadFromBytes(data->data(QStringLiteral("image/gif")));
    else if (data && data->hasImage())
        AssignImage(qvariant_cast<QImage>(data->imageData()));
    else
        RaiseGifError(QStringLiteral("Unsupported clipboard format"));
}
