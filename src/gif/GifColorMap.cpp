#include "gif/GifColorMap.h"

#include "gif/GifError.h"
#include "gif/GifIo.h"

#include <algorithm>
#include <numeric>

void TGIFColorMap::Clear()
{
    FColors.clear();
    FColors.shrink_to_fit();
    FCapacity = 0;
    FOptimized = false;
}

void TGIFColorMap::Grow()
{
    // To 16 entries first, then in steps of 32, never above 256.
    if (FCapacity < 16)
        FCapacity = 16;
    else
        FCapacity = std::min(256, (FCapacity / 32 + 1) * 32);
    FColors.reserve(static_cast<std::size_t>(FCapacity));
}

int TGIFColorMap::Add(TGIFColor color)
{
    if (Count() >= 256)
        RaiseGifError(QStringLiteral("Color table overflow"));
    if (Count() >= FCapacity)
        Grow();
    FColors.push_back(color);
    FOptimized = false;
    Changed();
    return Count() - 1;
}

int TGIFColorMap::AddUnique(TGIFColor color)
{
    const int index = IndexOf(color);
    return index >= 0 ? index : Add(color);
}

int TGIFColorMap::IndexOf(TGIFColor color) const
{
    // A sorted table has its most used colours first, so searching upwards finds them soonest.
    if (FOptimized) {
        for (int i = 0; i < Count(); ++i)
            if (FColors[static_cast<std::size_t>(i)] == color)
                return i;
        return -1;
    }
    for (int i = Count() - 1; i >= 0; --i)
        if (FColors[static_cast<std::size_t>(i)] == color)
            return i;
    return -1;
}

void TGIFColorMap::Delete(int index)
{
    if (index < 0 || index >= Count())
        RaiseGifError(QStringLiteral("Invalid color index"));
    FColors.erase(FColors.begin() + index);
    FOptimized = false;
    Changed();
}

TGIFColor TGIFColorMap::Color(int index) const
{
    if (FColors.empty())
        RaiseGifError(QStringLiteral("Color table is empty"));
    if (index < 0 || index >= Count()) {
        const_cast<TGIFColorMap*>(this)->Warning(QStringLiteral("Invalid color index"));
        return FColors[0];
    }
    return FColors[static_cast<std::size_t>(index)];
}

void TGIFColorMap::SetColor(int index, TGIFColor color)
{
    if (index < 0 || index >= Count())
        RaiseGifError(QStringLiteral("Invalid color index"));
    FColors[static_cast<std::size_t>(index)] = color;
    Changed();
}

int TGIFColorMap::BitsPerPixel() const
{
    if (FColors.empty())
        return 0;
    int bits = 1;
    while ((1 << bits) < Count())
        ++bits;
    return bits;
}

void TGIFColorMap::ImportPalette(const QList<unsigned int>& argb)
{
    Clear();
    for (qsizetype i = 0; i < std::min<qsizetype>(256, argb.size()); ++i) {
        const unsigned int c = argb[i];
        if (Count() >= FCapacity)
            Grow();
        FColors.push_back({static_cast<std::uint8_t>((c >> 16) & 0xFF),
                           static_cast<std::uint8_t>((c >> 8) & 0xFF), static_cast<std::uint8_t>(c & 0xFF)});
    }
    Changed();
}

void TGIFColorMap::ImportColorTable(const std::uint8_t* rgbQuads, int count)
{
    Clear();
    for (int i = 0; i < std::clamp(count, 0, 256); ++i) {
        const std::uint8_t* q = rgbQuads + 4 * i;
        if (Count() >= FCapacity)
            Grow();
        FColors.push_back({q[2], q[1], q[0]});
    }
    Changed();
}

QList<unsigned int> TGIFColorMap::ExportPalette() const
{
    QList<unsigned int> palette;
    palette.reserve(Count());
    for (const TGIFColor& c : FColors)
        palette.append(0xFF000000u | (unsigned(c.Red) << 16) | (unsigned(c.Green) << 8) | unsigned(c.Blue));
    return palette;
}

void TGIFColorMap::Assign(const TGIFColorMap& source)
{
    if (&source == this)
        return;
    FColors = source.FColors;
    FCapacity = source.FCapacity;
    FOptimized = source.FOptimized;
    Changed();
}

void TGIFColorMap::LoadFromStream(QIODevice& stream, int count)
{
    Clear();
    count = std::clamp(count, 0, 256);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * 3);
    GifIo::ReadExact(stream, bytes.data(), static_cast<qint64>(bytes.size()));
    while (FCapacity < count)
        Grow();
    for (int i = 0; i < count; ++i)
        FColors.push_back(
            {bytes[3 * std::size_t(i)], bytes[3 * std::size_t(i) + 1], bytes[3 * std::size_t(i) + 2]});
}

void TGIFColorMap::SaveToStream(QIODevice& stream) const
{
    if (FColors.empty())
        return;
    // The table on file always holds a power of two entries; the unused ones are black.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(3) << BitsPerPixel(), 0);
    for (std::size_t i = 0; i < FColors.size(); ++i) {
        bytes[3 * i] = FColors[i].Red;
        bytes[3 * i + 1] = FColors[i].Green;
        bytes[3 * i + 2] = FColors[i].Blue;
    }
    GifIo::Write(stream, bytes.data(), static_cast<qint64>(bytes.size()));
}

bool TGIFColorMap::Optimize()
{
    if (Count() <= 1)
        return false;
    THistogram counts{};
    BuildHistogram(counts);
    std::vector<int> order(FColors.size());
    std::iota(order.begin(), order.end(), 0);
    // Stable, so entries of equal use keep their relative order and a sorted table stays put.
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return counts[std::size_t(a)] > counts[std::size_t(b)]; });
    const bool unchanged = std::is_sorted(order.begin(), order.end());
    if (!unchanged) {
        TIndexMap map{};
        for (std::size_t i = 0; i < 256; ++i)
            map[i] = static_cast<std::uint8_t>(i);
        for (std::size_t newIndex = 0; newIndex < order.size(); ++newIndex)
            map[std::size_t(order[newIndex])] = static_cast<std::uint8_t>(newIndex);
        MapImages(map);
        std::vector<TGIFColor> sorted;
        sorted.reserve(order.size());
        for (int oldIndex : order) {
            if (counts[std::size_t(oldIndex)] == 0)
                break; // colours that no pixel uses are dropped
            sorted.push_back(FColors[std::size_t(oldIndex)]);
        }
        FColors = std::move(sorted);
        Changed();
    }
    FOptimized = true;
    return true;
}

void TGIFColorMap::Warning(const QString&)
{}

void TGIFColorMap::BuildHistogram(THistogram& counts) const
{
    counts.fill(0);
}

void TGIFColorMap::MapImages(const TIndexMap&)
{}

void TGIFColorMap::Changed()
{}
