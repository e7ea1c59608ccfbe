#pragma once

#include "gif/GifBitmap.h"

#include <array>
#include <cstdint>
#include <memory>

// Octree colour quantiser: colours are added down to the leaf level (colour bits deep); when
// there are more leaves than colours wanted, the deepest reducible node folds its children.
class TColorQuantizer
{
public:
    TColorQuantizer(int maxColors, int colorBits);
    ~TColorQuantizer();
    TColorQuantizer(const TColorQuantizer&) = delete;
    TColorQuantizer& operator=(const TColorQuantizer&) = delete;

    void AddColor(int red, int green, int blue);
    // Every pixel of a 24-bit (blue-green-red) reader.
    void ProcessImage(const TDIBReader& reader);
    int LeafCount() const { return FLeafCount; }
    // The leaves' mean colours, depth first, children in index order.
    QList<QRgb> Colors() const;

private:
    struct TOctreeNode
    {
        bool Leaf = false;
        std::int64_t PixelCount = 0;
        std::int64_t Weight = 0; // pixels that passed through an inner node
        std::int64_t Red = 0, Green = 0, Blue = 0;
        TOctreeNode* NextReducible = nullptr;
        std::array<std::unique_ptr<TOctreeNode>, 8> Children;
    };

    void Reduce();
    static void Collect(const TOctreeNode* node, QList<QRgb>& colors);

    std::unique_ptr<TOctreeNode> FRoot;
    int FLeafCount = 0;
    std::array<TOctreeNode*, 9> FReducible{};
    int FMaxColors;
    int FColorBits;
    // While the picture is read the tree may hold more leaves than wanted; folding them all at
    // the end, with every pixel counted, chooses the colours to merge far better than folding
    // in reading order.
    static constexpr int WorkingLeaves = 4096;
    int FWorkingLeaves;
};

// The octree palette of a bitmap: `colors` entries (black beyond the leaves), or with the system
// colours the 20 of them around 236 from the picture.
QList<QRgb> OctreePalette(const TBitmap& bitmap, int colors, int colorBits, bool withSystemColors);
