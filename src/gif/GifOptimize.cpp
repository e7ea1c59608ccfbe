// Picture optimisation: colour tables, clean-up, merging and cropping of frames.
#include "gif/GifAppExtension.h"
#include "gif/GifError.h"
#include "gif/GifImage.h"

namespace {

bool Inside(const TGIFSubImage& inner, const TGIFSubImage& outer)
{
    const QRect a(inner.Left(), inner.Top(), inner.Width(), inner.Height());
    const QRect b(outer.Left(), outer.Top(), outer.Width(), outer.Height());
    return b.contains(a);
}

} // namespace

void TGIFImage::OptimizeCleanupFirst()
{
    for (const auto& frame : FImages) {
        const int transparent = frame->TransparentColorIndex();
        const auto& data = frame->Data();
        if (transparent >= 0 && std::find(data.begin(), data.end(), std::uint8_t(transparent)) == data.end())
            frame->GraphicControlExtension()->SetTransparent(false);
    }
    // A restoring disposal is dropped only when the next frame is opaque and covers this frame
    // entirely, so nothing of this frame can show through afterwards.
    for (std::size_t i = 0; i + 1 < FImages.size(); ++i) {
        TGIFSubImage& frame = *FImages[i];
        TGIFSubImage& next = *FImages[i + 1];
        if ((frame.Disposal() == 2 || frame.Disposal() == 3) && !next.Transparent() && !next.Empty() &&
            Inside(frame, next))
            frame.GraphicControlExtension()->SetDisposal(0);
    }
}

void TGIFImage::OptimizeMerge()
{
    for (int i = Count() - 1; i >= 1; --i) {
        int before = i - 1;
        while (before > 0 && Image(before)->Disposal() == 3)
            --before;
        Image(i)->Merge(*Image(before));
        Progress(psRunning, GifPercent(Count() * 2 + (Count() - i), Count() * 6),
                 QStringLiteral("Optimizing..."));
    }
}

void TGIFImage::OptimizeCrop()
{
    for (int i = Count() - 1; i >= 0; --i) {
        TGIFSubImage& frame = *Image(i);
        if (!frame.Transparent() || frame.Empty())
            continue;
        frame.Crop();
        if (!frame.Empty())
            continue;
        if (i > 0 && Image(i - 1)->Transparent()) {
            TGIFSubImage& previous = *Image(i - 1);
            // Delays are 16-bit on file; a sum beyond that is held at the largest.
            previous.EnsureGraphicControlExtension().SetDelay(
                std::min(65535, previous.Delay() + frame.Delay()));
        }
        Delete(i);
    }
}

void TGIFImage::OptimizeCleanupSecond()
{
    const bool single = Count() == 1;
    for (int i = Count() - 1; i >= 0; --i) {
        TGIFSubImage& frame = *Image(i);
        std::vector<TGIFExtension*> drop;
        for (const auto& e : frame.Extensions()) {
            TGIFExtension* extension = e.get();
            if (dynamic_cast<TGIFCommentExtension*>(extension) ||
                dynamic_cast<TGIFTextExtension*>(extension) ||
                dynamic_cast<TGIFUnknownAppExtension*>(extension))
                drop.push_back(extension);
            else if (dynamic_cast<TGIFAppExtNSLoop*>(extension) && (i != 0 || single))
                drop.push_back(extension);
            else if (auto* gce = dynamic_cast<TGIFGraphicControlExtension*>(extension);
                     gce && !gce->Transparent() && !gce->UserInput() &&
                     (single || (gce->Delay() == 0 && gce->Disposal() <= 1)))
                drop.push_back(extension);
        }
        for (TGIFExtension* extension : drop)
            frame.DeleteExtension(extension);
        if (frame.Empty() && frame.Extensions().empty())
            Delete(i);
    }
}

void TGIFImage::Optimize(int options, TColorReduction method, TDitherMode dither, int reductionBits)
{
    (void)dither;
    (void)reductionBits;
    if (Empty())
        return;
    if ((options & ooReduceColors) && !(options & ooCleanup) && method == rcCustomPalette)
        RaiseGifError(QStringLiteral("Invalid reduction method"));
    Progress(psStarting, 0, QStringLiteral("Optimizing..."));
    if (options & ooColorMap) {
        if (GlobalColorMap().Count() > 0)
            GlobalColorMap().Optimize();
        for (const auto& frame : FImages)
            if (frame->ColorMap().Count() > 0)
                frame->ColorMap().Optimize();
    }
    Progress(psRunning, GifPercent(Count(), Count() * 6), QStringLiteral("Optimizing..."));
    if (options & ooCleanup)
        OptimizeCleanupFirst();
    if (options & ooMerge)
        OptimizeMerge();
    if (options & ooCrop)
        OptimizeCrop();
    if (options & ooCleanup)
        OptimizeCleanupSecond();
    Progress(psEnding, 100, QStringLiteral("Optimizing..."));
    Changed();
}
