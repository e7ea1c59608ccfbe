#pragma once
// Font style set of the class library, as a bit mask.
#include <QFont>

enum TFontStyle : unsigned
{
    fsBold = 1u << 0,
    fsItalic = 1u << 1,
    fsUnderline = 1u << 2,
    fsStrikeOut = 1u << 3
};
using TFontStyles = unsigned;

inline void ApplyFontStyles(QFont& font, TFontStyles styles)
{
    font.setBold((styles & fsBold) != 0);
    font.setItalic((styles & fsItalic) != 0);
    font.setUnderline((styles & fsUnderline) != 0);
    font.setStrikeOut((styles & fsStrikeOut) != 0);
}

inline TFontStyles FontStylesOf(const QFont& font)
{
    TFontStyles styles = 0;
    styles |= font.bold() ? fsBold : 0u;
    styles |= font.italic() ? fsItalic : 0u;
    styles |= font.underline() ? fsUnderline : 0u;
    styles |= font.strikeOut() ? fsStrikeOut : 0u;
    return styles;
}
