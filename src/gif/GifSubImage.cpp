#include "gif/GifSubImage.h"

#include "gif/GifAppExtension.h"
#include "gif/GifEncoder.h"
#include "gif/GifError.h"
#include "gif/GifImage.h"
#include "gif/GifIo.h"
#include "gif/GifLzwDecoder.h"

#include <QFile>

#include <algorithm>

// --- local colour map -------------------------------------------------------------------------

void TGIFLocalColorMap::Warning(const QString& message)
{
    FSubImage->Warning(message);
}

void TGIFLocalColorMap::BuildHistogram(THistogram& counts) const
{
    counts.fill(0);
    for (std::uint8_t index : FSubImage->Data())
        ++counts[index];
}

void TGIFLocalColorMap::MapImages(const TIndexMap& map)
{
    FSubImage->MapColors(map);
}

void TGIFLocalColorMap::Changed()
{
    FSubImage->PaletteChanged();
}

// --- item file helpers ------------------------------------------------------------------------

void TGIFItem::Warning(const QString& message)
{
    if (FImage)
        FImage->Warning(GifWarningSeverity, message);
}

void TGIFItem::SaveToFile(const QString& fileName)
{
    QFile file(fileName);
    GifIo::OpenFile(file, true);
    SaveToStream(file);
}

void TGIFItem::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    GifIo::OpenFile(file, false);
    LoadFromStream(file);
}

// --- frame ------------------------------------------------------------------------------------

TGIFSubImage::TGIFSubImage(TGIFImage* image) : TGIFItem(image), FColorMap(this)
{}

TGIFSubImage::~TGIFSubImage()
{
    // Extensions point back at their frame; they go before the rest of the frame does.
    FExtensions.clear();
}

TGIFItem::TGIFVersion TGIFSubImage::Version() const
{
    if (!FExtensions.empty() || FColorMap.Optimized())
        return gv89a;
    return gv87a;
}

bool TGIFSubImage::Empty() const
{
    return FData.empty() || FWidth == 0 || FHeight == 0;
}

void TGIFSubImage::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    FWidth = FHeight = 0;
    FColorMap.Clear();
    FreeBitmap();
}

void TGIFSubImage::FreeBitmap()
{
    std::lock_guard lock(FRenderLock);
    FBitmap = QImage();
    FMask = QImage();
    FNeedMask = true;
}

void TGIFSubImage::MapColors(const TGIFColorMap::TIndexMap& map)
{
    for (std::uint8_t& index : FData)
        index = map[index];
    if (FGCE)
        FGCE->MapTransparentIndex(map[std::size_t(FGCE->TransparentColorIndex())]);
    FreeBitmap();
}

void TGIFSubImage::PaletteChanged()
{
    std::lock_guard lock(FRenderLock);
    FPalette.clear();
}

void TGIFSubImage::SetInterlaced(bool value)
{
    FPacked = static_cast<std::uint8_t>(value ? (FPacked | 0x40) : (FPacked & ~0x40));
}

TGIFColorMap& TGIFSubImage::ActiveColorMap()
{
    if (FColorMap.Count() > 0 || !FImage)
        return FColorMap;
    if (FImage->GlobalColorMap().Count() > 0)
        return FImage->GlobalColorMap();
    return FColorMap;
}

const TGIFColorMap& TGIFSubImage::ActiveColorMap() const
{
    return const_cast<TGIFSubImage*>(this)->ActiveColorMap();
}

TGIFExtension* TGIFSubImage::AddExtension(std::unique_ptr<TGIFExtension> extension)
{
    FExtensions.push_back(std::move(extension));
    return FExtensions.back().get();
}

std::unique_ptr<TGIFExtension> TGIFSubImage::RemoveExtension(TGIFExtension* extension)
{
    auto it = std::find_if(FExtensions.begin(), FExtensions.end(),
                           [&](const auto& e) { return e.get() == extension; });
    if (it == FExtensions.end())
        return nullptr;
    std::unique_ptr<TGIFExtension> taken = std::move(*it);
    FExtensions.erase(it);
    return taken;
}

void TGIFSubImage::DeleteExtension(TGIFExtension* extension)
{
    RemoveExtension(extension).reset();
}

int TGIFSubImage::TransparentColorIndex() const
{
    return FTransparent && FGCE ? FGCE->TransparentColorIndex() : -1;
}

TGIFGraphicControlExtension& TGIFSubImage::EnsureGraphicControlExtension()
{
    if (!FGCE) {
        auto gce = std::make_unique<TGIFGraphicControlExtension>(this);
        AddExtension(std::move(gce));
    }
    return *FGCE;
}

int TGIFSubImage::Delay() const
{
    return FGCE ? FGCE->Delay() : 0;
}

int TGIFSubImage::Disposal() const
{
    return FGCE ? FGCE->Disposal() : 0;
}

std::uint8_t* TGIFSubImage::ScanLine(int row)
{
    if (Empty())
        RaiseGifError(QStringLiteral("Image is empty"));
    if (row < 0 || row >= FHeight)
        RaiseGifError(QStringLiteral("Invalid pixel coordinates"));
    return FData.data() + std::int64_t(row) * FWidth;
}

std::uint8_t TGIFSubImage::Pixel(int x, int y) const
{
    if (Empty())
        RaiseGifError(QStringLiteral("Image is empty"));
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        RaiseGifError(QStringLiteral("Invalid pixel coordinates"));
    return FData[std::size_t(std::int64_t(y) * FWidth + x)];
}

void TGIFSubImage::SetPixel(int x, int y, std::uint8_t index)
{
    ScanLine(y);
    if (x < 0 || x >= FWidth)
        RaiseGifError(QStringLiteral("Invalid pixel coordinates"));
    FData[std::size_t(std::int64_t(y) * FWidth + x)] = index;
    FreeBitmap();
}

void TGIFSubImage::ReserveData()
{
    const std::int64_t area = std::int64_t(FWidth) * FHeight;
    if (FImage)
        FImage->ReservePixels(area);
    else if (area > (std::int64_t(1) << 26))
        RaiseGifError(QStringLiteral("Invalid image dimensions"));
    const int fill = FTransparent && FGCE ? FGCE->TransparentColorIndex() : 0;
    FData.assign(static_cast<std::size_t>(area), static_cast<std::uint8_t>(fill));
}

void TGIFSubImage::SetBounds(int left, int top, int width, int height)
{
    left = std::clamp(left, 0, 65535);
    top = std::clamp(top, 0, 65535);
    width = std::clamp(width, 0, 65535);
    height = std::clamp(height, 0, 65535);
    const bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (resized) {
        FreeBitmap();
        ReserveData();
    }
    if (!FImage)
        return;
    TGIFHeader& header = FImage->Header();
    if (left + width > header.Width) {
        if (header.Width != 0) {
            Warning(QStringLiteral("Image width too small for contained frames"));
            Warning(QStringLiteral("Image exceeds Logical Screen size"));
        }
        header.Width = static_cast<std::uint16_t>(std::min(65535, left + width));
    }
    if (top + height > header.Height) {
        if (header.Height != 0) {
            Warning(QStringLiteral("Image height too small for contained frames"));
            Warning(QStringLiteral("Image exceeds Logical Screen size"));
        }
        header.Height = static_cast<std::uint16_t>(std::min(65535, top + height));
    }
}

void TGIFSubImage::LoadExtensions(QIODevice& stream)
{
    std::uint8_t introducer = 0;
    if (!GifIo::ReadByte(stream, introducer))
        return;
    while (introducer != ',' && introducer != ';') {
        if (introducer != '!') {
            Warning(QStringLiteral("Invalid extension introducer"));
            break;
        }
        GifIo::StepBack(stream);
        const TGIFExtensionClass* cls = FindExtensionClass(stream);
        if (!cls || !cls->Create) {
            // A label this reader does not know is passed over, as the format asks.
            Warning(QStringLiteral("Unknown extension type"));
            std::uint8_t head[2];
            GifIo::ReadExact(stream, head, 2);
            GifIo::SkipSubBlocks(stream);
            if (!GifIo::ReadByte(stream, introducer))
                return;
            continue;
        }
        // Owned while it reads, so a failure frees it; added only once it is complete.
        std::unique_ptr<TGIFExtension> extension = cls->Create(this);
        extension->LoadFromStream(stream);
        // An application block that ends before naming its application carries nothing and
        // is not kept (written back, other readers would refuse it).
        const auto* application = dynamic_cast<const TGIFApplicationExtension*>(extension.get());
        if (!application || !application->FirstBlock().isEmpty())
            AddExtension(std::move(extension));
        if (!GifIo::ReadByte(stream, introducer))
            return;
    }
    GifIo::StepBack(stream);
}

void TGIFSubImage::LoadDescriptor(QIODevice& stream)
{
    std::uint8_t d[10];
    GifIo::ReadExact(stream, d, 10);
    FLeft = GifIo::Get16(d + 1);
    FTop = GifIo::Get16(d + 3);
    FWidth = GifIo::Get16(d + 5);
    FHeight = GifIo::Get16(d + 7);
    FPacked = d[9];
    if ((FWidth == 0 || FHeight == 0) && FImage) {
        FWidth = FImage->Width();
        FHeight = FImage->Height();
        Warning(QStringLiteral("Image exceeds Logical Screen size"));
    }
}

void TGIFSubImage::CoverIndicesPastTable()
{
    // Readers show an index past the table as the table's first colour; the table grows by
    // copies of it so the frame shows the same, and saves, with its indices as read.
    TGIFColorMap& map = ActiveColorMap();
    if (map.Count() == 0 || FData.empty())
        return;
    const int highest = *std::max_element(FData.begin(), FData.end());
    if (highest < map.Count())
        return;
    Warning(QStringLiteral("Invalid color index"));
    const TGIFColor first = map.Colors()[0];
    while (map.Count() <= highest)
        map.Add(first);
}

void TGIFSubImage::LoadFromStream(QIODevice& stream)
{
    LoadExtensions(stream);
    std::uint8_t next = 0;
    if (!GifIo::ReadByte(stream, next))
        return;
    GifIo::StepBack(stream);
    // Only an image separator starts an image; anything else leaves a frame of extensions.
    if (next != ',')
        return;
    LoadDescriptor(stream);
    if (FPacked & 0x80)
        FColorMap.LoadFromStream(stream, 2 << (FPacked & 0x07));
    ReserveData();
    TGIFLzwDecoder decoder(stream, [this](const QString& message) { Warning(message); });
    decoder.Decode(FData.data(), FWidth, FHeight, Interlaced());
    CoverIndicesPastTable();
    if (FImage && FImage->RenderOnLoad)
        Bitmap();
}

void TGIFSubImage::SaveToStream(QIODevice& stream)
{
    for (const auto& extension : FExtensions)
        extension->SaveToStream(stream);
    if (Empty())
        return;
    // The packed byte follows the local table as it stands; the interlace flag is kept, so
    // the encoder writes rows in the order the flag says.
    if (FColorMap.Count() > 0) {
        FPacked = static_cast<std::uint8_t>((FPacked & 0x58) | 0x80 | (FColorMap.Optimized() ? 0x20 : 0) |
                                            ((FColorMap.BitsPerPixel() - 1) & 0x07));
    } else {
        FPacked = static_cast<std::uint8_t>(FPacked & ~(0x80 | 0x20 | 0x07));
    }
    std::uint8_t d[10] = {','};
    GifIo::Put16(d + 1, static_cast<std::uint16_t>(FLeft));
    GifIo::Put16(d + 3, static_cast<std::uint16_t>(FTop));
    GifIo::Put16(d + 5, static_cast<std::uint16_t>(FWidth));
    GifIo::Put16(d + 7, static_cast<std::uint16_t>(FHeight));
    d[9] = FPacked;
    GifIo::Write(stream, d, 10);
    FColorMap.SaveToStream(stream);

    int bits = 0;
    int colors = 0;
    if (FColorMap.Count() > 0) {
        bits = FColorMap.BitsPerPixel();
        colors = FColorMap.Count();
    } else {
        // Without any colour table every index is allowed: the code size covers the highest,
        // whatever the other frames' tables hold.
        const int highest = *std::max_element(FData.begin(), FData.end());
        bits = 1;
        while ((1 << bits) <= highest)
            ++bits;
        colors = 1 << bits;
    }
    std::unique_ptr<TGIFEncoder> encoder;
    if (FImage && FImage->Compression == cmRLE)
        encoder = std::make_unique<TRLEEncoder>();
    else
        encoder = std::make_unique<TLZWEncoder>();
    encoder->Compress(stream, bits, colors, FData.data(), Interlaced(), FHeight, FWidth);
}
