#pragma once

#include "gif/GifColorMap.h"
#include "gif/GifItem.h"

#include <cstdint>

class TGIFGlobalColorMap : public TGIFColorMap
{
public:
    explicit TGIFGlobalColorMap(TGIFImage* image) : FImage(image) {}
    bool Optimize() override;

protected:
    void Warning(const QString& message) override;
    void BuildHistogram(THistogram& counts) const override;
    void MapImages(const TIndexMap& map) override;
    void Changed() override;

private:
    TGIFImage* FImage;
};

// "GIF", the version, the logical screen descriptor and the global colour table.
class TGIFHeader : public TGIFItem
{
public:
    explicit TGIFHeader(TGIFImage* image);
    TGIFVersion Version() const override;
    void SaveToStream(QIODevice& stream) override;
    void LoadFromStream(QIODevice& stream) override;
    void Clear();
    // Rebuilds the packed byte from the tables as they stand, so that it matches what is written.
    void Prepare();
    void Assign(const TGIFHeader& source);

    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    std::uint8_t Packed = 0;
    std::uint8_t BackgroundColorIndex = 0;
    std::uint8_t AspectRatio = 0;
    TGIFGlobalColorMap ColorMap;
};

class TGIFTrailer : public TGIFItem
{
public:
    using TGIFItem::TGIFItem;
    void SaveToStream(QIODevice& stream) override;
    void LoadFromStream(QIODevice& stream) override;
};
