#include "gif/GifOctree.h"

#include "gif/GifPalettes.h"

#include <algorithm>

TColorQuantizer::TColorQuantizer(int maxColors, int colorBits)
    : FMaxColors(std::max(maxColors, 1)), FColorBits(std::clamp(colorBits, 1, 8)),
      FWorkingLeaves(std::max(FMaxColors, WorkingLeaves))
{}

TColorQuantizer::~TColorQuantizer() = default;

void TColorQuantizer::AddColor(int red, int green, int blue)
{
    std::unique_ptr<TOctreeNode>* slot = &FRoot;
    for (int level = 0;; ++level) {
        if (!*slot) {
            *slot = std::make_unique<TOctreeNode>();
            TOctreeNode* created = slot->get();
            created->Leaf = level == FColorBits;
            if (created->Leaf) {
                ++FLeafCount;
            } else {
                created->NextReducible = FReducible[std::size_t(level)];
                FReducible[std::size_t(level)] = created;
            }
        }
        TOctreeNode* node = slot->get();
        if (node->Leaf) {
            ++node->PixelCount;
            node->Red += red;
            node->Green += green;
            node->Blue += blue;
            return;
        }
        ++node->Weight;
        const int shift = 7 - level;
        const int child = (((red >> shift) & 1) << 2) | (((green >> shift) & 1) << 1) | ((blue >> shift) & 1);
        slot = &node->Children[std::size_t(child)];
    }
}

void TColorQuantizer::Reduce()
{
    int level = FColorBits - 1;
    while (level > 0 && !FReducible[std::size_t(level)])
        --level;
    // Of the deepest reducible nodes, the one that holds the fewest pixels folds: merging rare
    // colours costs the least error.
    TOctreeNode** link = &FReducible[std::size_t(level)];
    if (!*link)
        return;
    TOctreeNode** lightest = link;
    for (TOctreeNode** at = link; *at; at = &(*at)->NextReducible)
        if ((*at)->Weight < (*lightest)->Weight)
            lightest = at;
    TOctreeNode* node = *lightest;
    *lightest = node->NextReducible;
    int children = 0;
    for (auto& child : node->Children) {
        if (!child)
            continue;
        node->PixelCount += child->PixelCount;
        node->Red += child->Red;
        node->Green += child->Green;
        node->Blue += child->Blue;
        child.reset();
        ++children;
    }
    node->Leaf = true;
    FLeafCount -= children - 1;
}

void TColorQuantizer::ProcessImage(const TDIBReader& reader)
{
    for (int y = 0; y < reader.Height(); ++y) {
        const std::uint8_t* line = reader.ScanLine(y);
        for (int x = 0; x < reader.Width(); ++x) {
            AddColor(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
            while (FLeafCount > FWorkingLeaves)
                Reduce();
        }
    }
    while (FLeafCount > FMaxColors)
        Reduce();
}

void TColorQuantizer::Collect(const TOctreeNode* node, QList<QRgb>& colors)
{
    if (!node)
        return;
    if (node->Leaf) {
        if (node->PixelCount == 0)
            colors.append(qRgb(0, 0, 0));
        else
            colors.append(qRgb(int(node->Red / node->PixelCount), int(node->Green / node->PixelCount),
                               int(node->Blue / node->PixelCount)));
        return;
    }
    for (const auto& child : node->Children)
        Collect(child.get(), colors);
}

QList<QRgb> TColorQuantizer::Colors() const
{
    QList<QRgb> colors;
    Collect(FRoot.get(), colors);
    return colors;
}

QList<QRgb> OctreePalette(const TBitmap& bitmap, int colors, int colorBits, bool withSystemColors)
{
    const int wanted = withSystemColors ? 236 : std::clamp(colors, 1, 256);
    TColorQuantizer quantizer(wanted, colorBits);
    quantizer.ProcessImage(TDIBReader(bitmap, pf24bit));
    QList<QRgb> palette = quantizer.Colors().mid(0, wanted);
    while (palette.size() < wanted)
        palette.append(qRgb(0, 0, 0));
    if (!withSystemColors)
        return palette;
    const QList<QRgb> system = SystemPalette20();
    return system.mid(0, 10) + palette + system.mid(10, 10);
}
