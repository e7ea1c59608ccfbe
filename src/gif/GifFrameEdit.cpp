// Cropping a transparent frame and merging a frame with the one before it.
#include "gif/GifError.h"
#include "gif/GifImage.h"
#include "gif/GifSubImage.h"

void TGIFSubImage::Crop()
{
    if (!FTransparent || Empty())
        return;
    const int transparent = TransparentColorIndex();
    int left = FWidth, right = -1, top = FHeight, bottom = -1;
    for (int y = 0; y < FHeight; ++y) {
        const std::uint8_t* line = FData.data() + std::int64_t(y) * FWidth;
        for (int x = 0; x < FWidth; ++x)
            if (line[x] != transparent) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right < 0) {
        Clear();
        return;
    }
    const int width = right - left + 1;
    const int height = bottom - top + 1;
    std::vector<std::uint8_t> cropped(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        std::copy_n(FData.data() + std::int64_t(top + y) * FWidth + left, width,
                    cropped.data() + std::int64_t(y) * width);
    FData = std::move(cropped);
    FLeft += left;
    FTop += top;
    FWidth = width;
    FHeight = height;
    FreeBitmap();
}

namespace {

bool SameColor(const TGIFSubImage& a, int indexA, const TGIFSubImage& b, int indexB)
{
    const TGIFColorMap& mapA = a.ActiveColorMap();
    const TGIFColorMap& mapB = b.ActiveColorMap();
    if (&mapA == &mapB && indexA == indexB)
        return true;
    if (indexA >= mapA.Count() || indexB >= mapB.Count())
        return false;
    return mapA.Colors()[std::size_t(indexA)] == mapB.Colors()[std::size_t(indexB)];
}

} // namespace

void TGIFSubImage::Merge(TGIFSubImage& previous)
{
    if (Empty() || previous.Empty() || previous.Disposal() == 2 || previous.Disposal() == 3)
        return;
    const QRect mine(FLeft, FTop, FWidth, FHeight);
    const QRect theirs(previous.Left(), previous.Top(), previous.Width(), previous.Height());
    const QRect overlap = mine.intersected(theirs);
    if (overlap.isEmpty())
        return;
    TGIFColorMap& map = ActiveColorMap();
    if (!FTransparent && (map.Count() < 1 || map.Count() >= 256))
        return;
    int transparent = TransparentColorIndex();
    const int previousTransparent = previous.TransparentColorIndex();
    bool changed = false;
    for (int y = overlap.top(); y <= overlap.bottom(); ++y) {
        std::uint8_t* line = ScanLine(y - FTop);
        for (int x = overlap.left(); x <= overlap.right(); ++x) {
            std::uint8_t& pixel = line[x - FLeft];
            const int under = previous.Pixel(x - previous.Left(), y - previous.Top());
            if (pixel == transparent || under == previousTransparent ||
                !SameColor(*this, pixel, previous, under))
                continue;
            if (transparent < 0) {
                transparent = ChooseMergeTransparent();
                if (transparent < 0)
                    return;
            }
            pixel = static_cast<std::uint8_t>(transparent);
            changed = true;
        }
    }
    if (changed && !FTransparent) {
        TGIFGraphicControlExtension& gce = EnsureGraphicControlExtension();
        gce.MapTransparentIndex(static_cast<std::uint8_t>(transparent));
        gce.SetTransparent(true);
    }
    FreeBitmap();
}

int TGIFSubImage::ChooseMergeTransparent()
{
    // A frame on the global table may share another frame's transparent index, but only an
    // index that none of its own pixels draws.
    if (FColorMap.Count() == 0 && FImage) {
        for (const auto& other : FImage->Images()) {
            const int candidate =
                other.get() != this && other->ColorMap().Count() == 0 ? other->TransparentColorIndex() : -1;
            if (candidate >= 0 &&
                std::find(FData.begin(), FData.end(), std::uint8_t(candidate)) == FData.end())
                return candidate;
        }
    }
    TGIFColorMap& map = ActiveColorMap();
    if (map.Count() >= 256)
        return -1;
    return map.Add({0, 0, 0});
}
