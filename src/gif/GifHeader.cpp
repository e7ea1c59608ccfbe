#include "gif/GifHeader.h"

#include "gif/GifError.h"
#include "gif/GifImage.h"
#include "gif/GifIo.h"

namespace {

bool IsSignature(const std::uint8_t* bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes), 3).toUpper() == "GIF";
}

} // namespace

// --- global colour map -------------------------------------------------------------------------

bool TGIFGlobalColorMap::Optimize()
{
    if (FImage->Empty())
        return false;
    return TGIFColorMap::Optimize();
}

void TGIFGlobalColorMap::Warning(const QString& message)
{
    FImage->Warning(GifWarningSeverity, message);
}

void TGIFGlobalColorMap::BuildHistogram(THistogram& counts) const
{
    counts.fill(0);
    for (const auto& frame : FImage->Images())
        if (&frame->ActiveColorMap() == this)
            for (std::uint8_t index : frame->Data())
                ++counts[index];
}

void TGIFGlobalColorMap::MapImages(const TIndexMap& map)
{
    for (const auto& frame : FImage->Images()) {
        if (&frame->ActiveColorMap() == this)
            frame->MapColors(map);
    }
}

void TGIFGlobalColorMap::Changed()
{
    FImage->PaletteChanged();
}

// --- header -----------------------------------------------------------------------------------

TGIFHeader::TGIFHeader(TGIFImage* image) : TGIFItem(image), ColorMap(image)
{}

TGIFItem::TGIFVersion TGIFHeader::Version() const
{
    return ColorMap.Optimized() || AspectRatio != 0 ? gv89a : gv87a;
}

void TGIFHeader::Clear()
{
    ColorMap.Clear();
    Width = Height = 0;
    Packed = BackgroundColorIndex = AspectRatio = 0;
}

void TGIFHeader::Assign(const TGIFHeader& source)
{
    ColorMap.Assign(source.ColorMap);
    Width = source.Width;
    Height = source.Height;
    Packed = source.Packed;
    BackgroundColorIndex = source.BackgroundColorIndex;
    AspectRatio = source.AspectRatio;
}

void TGIFHeader::Prepare()
{
    std::uint8_t packed = static_cast<std::uint8_t>((FImage->ColorResolution() & 0x07) << 4);
    if (ColorMap.Count() > 0) {
        packed |= 0x80;
        if (ColorMap.Optimized())
            packed |= 0x08;
        packed |= static_cast<std::uint8_t>((ColorMap.BitsPerPixel() - 1) & 0x07);
    } else {
        int largest = 0;
        for (const auto& frame : FImage->Images())
            largest = std::max(largest, frame->ColorMap().BitsPerPixel());
        packed |= static_cast<std::uint8_t>((largest - 1) & 0x07);
        if (largest == 0)
            packed &= 0xF8;
    }
    Packed = packed;
}

void TGIFHeader::SaveToStream(QIODevice& stream)
{
    const TGIFVersion version = FImage->Version();
    if (version == gvUnknown)
        RaiseGifError(QStringLiteral("Unsupported GIF version"));
    GifIo::Write(stream, version == gv87a ? "GIF87a" : "GIF89a", 6);
    Prepare();
    std::uint8_t d[7];
    GifIo::Put16(d, Width);
    GifIo::Put16(d + 2, Height);
    d[4] = Packed;
    d[5] = BackgroundColorIndex;
    d[6] = AspectRatio;
    GifIo::Write(stream, d, 7);
    if (Packed & 0x80)
        ColorMap.SaveToStream(stream);
}

void TGIFHeader::LoadFromStream(QIODevice& stream)
{
    const qint64 start = stream.pos();
    std::uint8_t signature[6];
    GifIo::ReadExact(stream, signature, 6);
    if (!IsSignature(signature)) {
        // Some files carry four bytes in front of the signature.
        stream.seek(start + 4);
        if (stream.read(reinterpret_cast<char*>(signature), 6) != 6 || !IsSignature(signature))
            RaiseGifError(QStringLiteral("Invalid GIF signature"));
    }
    std::uint8_t d[7];
    GifIo::ReadExact(stream, d, 7);
    Width = GifIo::Get16(d);
    Height = GifIo::Get16(d + 2);
    Packed = d[4];
    BackgroundColorIndex = d[5];
    AspectRatio = d[6];
    if (Packed & 0x80)
        ColorMap.LoadFromStream(stream, 2 << (Packed & 0x07));
    else
        ColorMap.Clear();
}

// --- trailer ----------------------------------------------------------------------------------

void TGIFTrailer::SaveToStream(QIODevice& stream)
{
    GifIo::WriteByte(stream, ';');
}

void TGIFTrailer::LoadFromStream(QIODevice& stream)
{
    std::uint8_t trailer = 0;
    if (GifIo::ReadByte(stream, trailer) && trailer != ';')
        Warning(QStringLiteral("Invalid Image trailer"));
}
