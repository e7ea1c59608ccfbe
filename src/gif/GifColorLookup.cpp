#include "gif/GifColorLookup.h"

#include <cstdlib>

TFastColorLookup::TFastColorLookup(const QList<QRgb>& palette)
    : TColorLookup(static_cast<int>(std::min<qsizetype>(palette.size(), 256)))
{
    FPalette.assign(palette.begin(), palette.begin() + FColors);
    FCells.resize(32768);
}

namespace {

int Distance(QRgb c, int red, int green, int blue)
{
    return std::abs(qRed(c) - red) + std::abs(qGreen(c) - green) + std::abs(qBlue(c) - blue);
}

// Nearest and farthest distance of a component to the 8 values of a cell's side.
int Near(int value, int low)
{
    return value < low ? low - value : value > low + 7 ? value - low - 7 : 0;
}

int Far(int value, int low)
{
    return std::max(std::abs(value - low), std::abs(value - low - 7));
}

} // namespace

const std::vector<std::uint8_t>& TFastColorLookup::Candidates(int red, int green, int blue)
{
    std::vector<std::uint8_t>& cell = FCells[std::size_t(Cell(red, green, blue))];
    if (!cell.empty() || FColors == 0)
        return cell;
    // Only entries that can be nearest for some colour of the cell are kept, so a lookup
    // searches a few entries and still finds the exact nearest one.
    const int r0 = red & ~7, g0 = green & ~7, b0 = blue & ~7;
    int bestFar = 1 << 30;
    for (QRgb c : FPalette)
        bestFar = std::min(bestFar, Far(qRed(c), r0) + Far(qGreen(c), g0) + Far(qBlue(c), b0));
    for (int i = 0; i < FColors; ++i) {
        const QRgb c = FPalette[std::size_t(i)];
        if (Near(qRed(c), r0) + Near(qGreen(c), g0) + Near(qBlue(c), b0) <= bestFar)
            cell.push_back(static_cast<std::uint8_t>(i));
    }
    return cell;
}

int TFastColorLookup::Lookup(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue)
{
    const std::vector<std::uint8_t>& candidates = Candidates(red, green, blue);
    int best = 0;
    int bestDistance = 1 << 30;
    for (std::uint8_t i : candidates) {
        const int distance = Distance(FPalette[i], red, green, blue);
        if (distance < bestDistance) { // candidates ascend, so the lower index wins a tie
            bestDistance = distance;
            best = i;
        }
    }
    const QRgb c = FPalette.empty() ? qRgb(0, 0, 0) : FPalette[std::size_t(best)];
    red = static_cast<std::uint8_t>(qRed(c));
    green = static_cast<std::uint8_t>(qGreen(c));
    blue = static_cast<std::uint8_t>(qBlue(c));
    return best;
}

int TNetscapeColorLookup::Lookup(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue)
{
    const int r = (red + 3) / 51;
    const int g = (green + 3) / 51;
    const int b = (blue + 3) / 51;
    red = static_cast<std::uint8_t>(r * 51);
    green = static_cast<std::uint8_t>(g * 51);
    blue = static_cast<std::uint8_t>(b * 51);
    return r * 36 + g * 6 + b;
}

int TGrayScaleLookup::Lookup(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue)
{
    const int grey = (blue * 29 + green * 150 + red * 77) >> 8;
    red = green = blue = static_cast<std::uint8_t>(grey);
    return grey;
}

int TMonochromeLookup::Lookup(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue)
{
    const int sum = blue * 29 + green * 150 + red * 77;
    const int index = sum < 32513 ? 0 : 1;
    red = green = blue = static_cast<std::uint8_t>(index ? 255 : 0);
    return index;
}
