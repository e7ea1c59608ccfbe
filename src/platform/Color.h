#pragma once
// Colours in the class library's encoding: $00BBGGRR integers, system colours as
// $FF000000 + the system colour index, and the texts the options and set files hold.
#include <QColor>
#include <QString>
#include <cstdint>

using TColor = std::int32_t;

constexpr TColor RgbToColor(int r, int g, int b)
{
    return static_cast<TColor>((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours: the high byte $FF marks them, the low byte is the system colour index.
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor SystemColor(int index)
{
    return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index));
}
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

constexpr bool IsSystemColor(TColor color)
{
    return (static_cast<std::uint32_t>(color) & 0xFF000000u) == 0xFF000000u;
}

// Name of a colour when it has one ("clBtnFace"), else false.
bool ColorToIdent(TColor color, QString& ident);
// Colour of a name, case-insensitive; false for an unknown name.
bool IdentToColor(const QString& ident, TColor& color);
// "clRed" for named colours, else "$" and eight upper-case hex digits.
QString ColorToString(TColor color);
// Accepts a colour name, "$hex", "0xhex" or a decimal number; false (color untouched) otherwise.
bool StringToColor(const QString& text, TColor& color);
// The colour as drawn: system colours resolved through the application palette,
// clNone transparent, other values from their low three bytes.
QColor ToQColor(TColor color);
// The nearest $00BBGGRR value of a Qt colour.
TColor FromQColor(const QColor& color);
