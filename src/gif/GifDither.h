#pragma once

#include "gif/GifColorLookup.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

enum TDitherMode
{
    dtNearest,
    dtFloydSteinberg,
    dtStucki,
    dtSierra,
    dtJaJuNi,
    dtSteveArche,
    dtBurkes
};

// Walks the rows of a picture in serpentine order (left to right, then right to left) and maps
// each pixel through the lookup. The base engine spreads no error.
class TDitherEngine
{
public:
    TDitherEngine(int width, TColorLookup& lookup) : FLookup(lookup), FWidth(width) {}
    virtual ~TDitherEngine() = default;
    // The index for the pixel at the current column; the components become the palette colour.
    virtual int Dither(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);
    virtual void NextLine();
    int Column() const { return FColumn; }
    int Direction() const { return FDirection; }
    // Moves to the next column without a pixel (used for transparent pixels).
    void Skip() { FColumn += FDirection; }

protected:
    TColorLookup& FLookup;
    int FWidth;
    int FDirection = 1;
    int FColumn = 0;
};

// One share of the error: rows below the current one, columns ahead in the walking direction.
struct TDitherTap
{
    int Row;
    int Ahead;
    int Weight;
};

// Error diffusion with a kernel of taps over a few rows of 32-bit error cells per channel;
// spare cells at both ends take the shares that fall outside the picture.
class TErrorDiffusionDitherer : public TDitherEngine
{
public:
    TErrorDiffusionDitherer(int width, TColorLookup& lookup, int rows, int divisor,
                            std::vector<TDitherTap> taps);
    int Dither(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) override;
    void NextLine() override;

private:
    int* Cells(int channel, int row)
    {
        return FErrors.data() +
               (std::size_t(channel) * FRows + std::size_t((FFirstRow + row) % FRows)) * FStride;
    }

    int FRows;
    int FDivisor;
    std::vector<TDitherTap> FTaps;
    int FMargin = 0;
    std::size_t FStride = 0;
    int FFirstRow = 0;
    std::vector<int> FErrors;
};

class TFloydSteinbergDitherer : public TErrorDiffusionDitherer
{
public:
    TFloydSteinbergDitherer(int width, TColorLookup& lookup);
};
class TStuckiDitherer : public TErrorDiffusionDitherer
{
public:
    TStuckiDitherer(int width, TColorLookup& lookup);
};
class TSierraDitherer : public TErrorDiffusionDitherer
{
public:
    TSierraDitherer(int width, TColorLookup& lookup);
};
class TJaJuNiDitherer : public TErrorDiffusionDitherer
{
public:
    TJaJuNiDitherer(int width, TColorLookup& lookup);
};
class TSteveArcheDitherer : public TErrorDiffusionDitherer
{
public:
    TSteveArcheDitherer(int width, TColorLookup& lookup);
};
class TBurkesDitherer : public TErrorDiffusionDitherer
{
public:
    TBurkesDitherer(int width, TColorLookup& lookup);
};

// The engine for a mode; nullptr for an unknown mode.
std::unique_ptr<TDitherEngine> CreateDitherEngine(TDitherMode mode, int width, TColorLookup& lookup);
