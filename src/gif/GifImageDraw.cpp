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

// What the canvas shows under the rectangle, when its device can be read back (an image or a
// pixmap painted without scaling or rotation); null otherwise.
QImage CanvasCopy(const QPainter& canvas, const QRect& rect)
{
    const QTransform transform = canvas.deviceTransform();
    QPaintDevice* device = canvas.device();
    if (!device || transform.type() > QTransform::TxTranslate)
        return {};
    const QRect area = transform.mapRect(rect);
    if (device->devType() == QInternal::Image)
        return static_cast<const QImage*>(device)->copy(area).convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
    if (device->devType() == QInternal::Pixmap)
        return static_cast<const QPixmap*>(device)->copy(area).toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
    return {};
}

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

// The composed picture over what the canvas showed when the painter began (when known), so
// that what a frame leaves clear shows the canvas and never an earlier frame.
void PaintOver(QPainter& canvas, const QRect& rect, const QImage& under, const QImage& composed, bool tile)
{
    if (!under.isNull()) {
        canvas.save();
        canvas.setCompositionMode(QPainter::CompositionMode_Source);
        canvas.drawImage(rect.topLeft(), under);
        canvas.restore();
    }
    PaintInto(canvas, rect, composed, tile);
}

} // namespace

void TGIFImage::ShowPictureBitmap(QPainter& canvas, const QRect& rect)
{
    // The picture bitmap has the rectangle's size; holding the canvas copy, it replaces the area.
    canvas.save();
    if (FPictureOverCanvas)
        canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.drawImage(rect.topLeft(), FPictureBitmap);
    canvas.restore();
}

void TGIFImage::DrawAnimated(QPainter& canvas, const QRect& rect)
{
    const bool tile = DrawOptions & drTile;
    if (FDrawPainter && !FDrawPainter->Finished() && FDrawPainter->Rect == rect && !FPictureBitmap.isNull()) {
        ShowPictureBitmap(canvas, rect);
        return; // the running painter keeps going
    }
    if (std::exception_ptr error = StopDrawing())
        std::rethrow_exception(error);
    const QImage under = CanvasCopy(canvas, rect);
    if (!(DrawOptions & drAsync)) {
        auto painter = MakePainter(
            DrawOptions, [&](const QImage& composed) { PaintOver(canvas, rect, under, composed, tile); });
        painter->Rect = rect;
        painter->Start();
        if (std::exception_ptr error = painter->Join())
            std::rethrow_exception(error);
        return;
    }
    FPictureOverCanvas = !under.isNull();
    FPictureBitmap = FPictureOverCanvas ? under : QImage(rect.size(), QImage::Format_ARGB32_Premultiplied);
    if (!FPictureOverCanvas)
        FPictureBitmap.fill(Qt::transparent);
    FDrawPainter = MakePainter(DrawOptions, [this, under, size = rect.size(), tile](const QImage& composed) {
        QImage bitmap = under.isNull() ? QImage(size, QImage::Format_ARGB32_Premultiplied) : under.copy();
        if (under.isNull())
            bitmap.fill(Qt::transparent);
        {
            QPainter painter(&bitmap);
            PaintInto(painter, bitmap.rect(), composed, tile);
        }
        FPictureBitmap = bitmap;
        Changed();
    });
    FDrawPainter->Rect = rect;
    FDrawPainter->Start();
    // With drDirect the call does not wait: the frames reach the canvas as the change event
    // has it drawn again. Otherwise the first frame is painted before anything is shown.
    if (DrawOptions & drDirect)
        return;
    QElapsedTimer waited;
    waited.start();
    while (!FDrawPainter->Started() && !FDrawPainter->Finished() && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ShowPictureBitmap(canvas, rect);
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
    ThreadPriority = source.ThreadPriority;
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
