#include "gif/GifDither.h"

#include <algorithm>

int TDitherEngine::Dither(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue)
{
    const int index = FLookup.Lookup(red, green, blue);
    FColumn += FDirection;
    return index;
}

void TDitherEngine::NextLine()
{
    FDirection = -FDirection;
    FColumn = FDirection > 0 ? 0 : FWidth - 1;
}

TErrorDiffusionDitherer::TErrorDiffusionDitherer(int width, TColorLookup& lookup, int rows, int divisor,
                                                 std::vector<TDitherTap> taps)
    : TDitherEngine(width, lookup), FRows(rows), FDivisor(divisor), FTaps(std::move(taps))
{
    for (const TDitherTap& tap : FTaps)
        FMargin = std::max(FMargin, std::abs(tap.Ahead));
    FStride = std::size_t(std::max(width, 0)) + 2 * std::size_t(FMargin);
    FErrors.assign(3 * std::size_t(FRows) * FStride, 0);
}

int TErrorDiffusionDitherer::Dither(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue)
{
    const std::size_t at = std::size_t(FColumn + FMargin);
    std::uint8_t* components[3] = {&red, &green, &blue};
    int offered[3];
    for (int c = 0; c < 3; ++c) {
        const int error = Cells(c, 0)[at];
        offered[c] = std::clamp(int(*components[c]) + (error + FDivisor / 2) / FDivisor, 0, 255);
        *components[c] = static_cast<std::uint8_t>(offered[c]);
    }
    const int index = FLookup.Lookup(red, green, blue);
    for (int c = 0; c < 3; ++c) {
        const int error = offered[c] - int(*components[c]);
        if (error == 0)
            continue;
        for (const TDitherTap& tap : FTaps)
            Cells(c, tap.Row)[std::ptrdiff_t(at) + tap.Ahead * FDirection] += error * tap.Weight;
    }
    FColumn += FDirection;
    return index;
}

void TErrorDiffusionDitherer::NextLine()
{
    // The current row is done: clear it and make it the last; the next row becomes current.
    for (int c = 0; c < 3; ++c)
        std::fill_n(Cells(c, 0), FStride, 0);
    FFirstRow = (FFirstRow + 1) % FRows;
    TDitherEngine::NextLine();
}

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 2, 16, {{0, 1, 7}, {1, -1, 3}, {1, 0, 5}, {1, 1, 1}})
{}

TStuckiDitherer::TStuckiDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 3, 42,
                              {{0, 1, 8},
                               {0, 2, 4},
                               {1, -2, 2},
                               {1, -1, 4},
                               {1, 0, 8},
                               {1, 1, 4},
                               {1, 2, 2},
                               {2, -2, 1},
                               {2, -1, 2},
                               {2, 0, 4},
                               {2, 1, 2},
                               {2, 2, 1}})
{}

TSierraDitherer::TSierraDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 3, 32,
                              {{0, 1, 5},
                               {0, 2, 3},
                               {1, -2, 2},
                               {1, -1, 4},
                               {1, 0, 5},
                               {1, 1, 4},
                               {1, 2, 2},
                               {2, -1, 2},
                               {2, 0, 3},
                               {2, 1, 2}})
{}

TJaJuNiDitherer::TJaJuNiDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 3, 48,
                              {{0, 1, 7},
                               {0, 2, 5},
                               {1, -2, 3},
                               {1, -1, 5},
                               {1, 0, 7},
                               {1, 1, 5},
                               {1, 2, 3},
                               {2, -2, 1},
                               {2, -1, 3},
                               {2, 0, 5},
                               {2, 1, 3},
                               {2, 2, 1}})
{}

TSteveArcheDitherer::TSteveArcheDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 4, 200,
                              {{0, 2, 32},
                               {1, -3, 12},
                               {1, -1, 26},
                               {1, 1, 30},
                               {1, 3, 16},
                               {2, -2, 12},
                               {2, 0, 26},
                               {2, 2, 12},
                               {3, -3, 5},
                               {3, -1, 12},
                               {3, 1, 12},
                               {3, 3, 5}})
{}

TBurkesDitherer::TBurkesDitherer(int width, TColorLookup& lookup)
    : TErrorDiffusionDitherer(width, lookup, 2, 32,
                              {{0, 1, 8}, {0, 2, 4}, {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2}})
{}

std::unique_ptr<TDitherEngine> CreateDitherEngine(TDitherMode mode, int width, TColorLookup& lookup)
{
    switch (mode) {
    case dtNearest:
        return std::make_unique<TDitherEngine>(width, lookup);
    case dtFloydSteinberg:
        return std::make_unique<TFloydSteinbergDitherer>(width, lookup);
    case dtStucki:
        return std::make_unique<TStuckiDitherer>(width, lookup);
    case dtSierra:
        return std::make_unique<TSierraDitherer>(width, lookup);
    case dtJaJuNi:
        return std::make_unique<TJaJuNiDitherer>(width, lookup);
    case dtSteveArche:
        return std::make_unique<TSteveArcheDitherer>(width, lookup);
    case dtBurkes:
        return std::make_unique<TBurkesDitherer>(width, lookup);
    }
    return nullptr;
}
