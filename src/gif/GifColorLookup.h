#pragma once

#include <QList>
#include <QRgb>

#include <array>
#include <cstdint>
#include <vector>

// Maps a colour to a palette index and hands back the palette's colour in the same components.
class TColorLookup
{
public:
    explicit TColorLookup(int colors) : FColors(colors) {}
    virtual ~TColorLookup() = default;
    virtual int Lookup(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) = 0;
    int Colors() const { return FColors; }

protected:
    int FColors;
};

// Any palette of up to 256 entries: the nearest entry by the sum of the three component
// differences (the lower index wins a tie). Per 5-5-5 colour cell the palette is searched once,
// for the entries that can be nearest anywhere in the cell; lookups then search only those.
class TFastColorLookup : public TColorLookup
{
public:
    explicit TFastColorLookup(const QList<QRgb>& palette);
    int Lookup(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) override;

private:
    static int Cell(int red, int green, int blue) { return (blue / 8) * 1024 + (green / 8) * 32 + red / 8; }
    const std::vector<std::uint8_t>& Candidates(int red, int green, int blue);
    std::vector<QRgb> FPalette;
    std::vector<std::vector<std::uint8_t>> FCells;
};

// The 216-colour cube.
class TNetscapeColorLookup : public TColorLookup
{
public:
    TNetscapeColorLookup() : TColorLookup(216) {}
    int Lookup(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) override;
};

class TGrayScaleLookup : public TColorLookup
{
public:
    TGrayScaleLookup() : TColorLookup(256) {}
    int Lookup(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) override;
};

class TMonochromeLookup : public TColorLookup
{
public:
    TMonochromeLookup() : TColorLookup(2) {}
    int Lookup(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) override;
};
