#pragma once

#include <QIODevice>
#include <QList>

#include <array>
#include <cstdint>
#include <vector>

struct TGIFColor
{
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    bool operator==(const TGIFColor&) const = default;
};

// A colour table of at most 256 RGB entries. The histogram and the remapping cover the pixels
// that use this table, which only the owner (picture or frame) knows, so they are virtual.
class TGIFColorMap
{
public:
    using THistogram = std::array<std::int64_t, 256>;
    using TIndexMap = std::array<std::uint8_t, 256>;

    virtual ~TGIFColorMap() = default;

    void Clear();
    int Add(TGIFColor color);
    int AddUnique(TGIFColor color);
    int IndexOf(TGIFColor color) const;
    void Delete(int index);
    TGIFColor Color(int index) const;
    void SetColor(int index, TGIFColor color);
    int Count() const { return static_cast<int>(FColors.size()); }
    int Capacity() const { return FCapacity; }
    bool Optimized() const { return FOptimized; }
    void SetOptimized(bool value) { FOptimized = value; }
    int BitsPerPixel() const;
    const std::vector<TGIFColor>& Colors() const { return FColors; }

    // Palette entries as 0xAARRGGBB values (the form pictures use); import keeps at most 256.
    void ImportPalette(const QList<unsigned int>& argb);
    // RGBQUAD order in: blue, green, red, reserved.
    void ImportColorTable(const std::uint8_t* rgbQuads, int count);
    QList<unsigned int> ExportPalette() const;

    void Assign(const TGIFColorMap& source);
    void LoadFromStream(QIODevice& stream, int count);
    void SaveToStream(QIODevice& stream) const;

    // Sorts the entries by use and drops unused ones; false for tables of 0 or 1 entries.
    virtual bool Optimize();

protected:
    virtual void Warning(const QString& message);
    virtual void BuildHistogram(THistogram& counts) const;
    virtual void MapImages(const TIndexMap& map);
    virtual void Changed();

private:
    void Grow();

    std::vector<TGIFColor> FColors;
    int FCapacity = 0;
    bool FOptimized = false;
};
