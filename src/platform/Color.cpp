#include "platform/Color.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <utility>

namespace {

struct ColorName
{
    TColor value;
    const char* name;
};

// The class library's colour name table, in its order: the first name of a value wins.
constexpr std::array<ColorName, 52> kColorNames{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
}};

// Parses decimal, "$hex" or "0xhex" into 32 bits; hex wraps into the negative range as
// the class library's conversion does.
bool ParseColorNumber(const QString& text, TColor& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        return false;
    }
    bool negative = false;
    int pos = 0;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        negative = t[0] == QLatin1Char('-');
        pos = 1;
    }
    int base = 10;
    if (pos < t.size() && t[pos] == QLatin1Char('$')) {
        base = 16;
        ++pos;
    } else if (pos + 1 < t.size() && t[pos] == QLatin1Char('0') &&
               (t[pos + 1] == QLatin1Char('x') || t[pos + 1] == QLatin1Char('X'))) {
        base = 16;
        pos += 2;
    }
    if (pos >= t.size()) {
        return false;
    }
    bool ok = false;
    const qulonglong magnitude = t.mid(pos).toULongLong(&ok, base);
    if (!ok) {
        return false;
    }
    const QString digits = t.mid(pos);
    for (QChar c : digits) {
        if (!(c.isDigit() || (base == 16 && QStringLiteral("abcdefABCDEF").contains(c)))) {
            return false;
        }
    }
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFull) {
            return false;
        }
        auto bits = static_cast<std::uint32_t>(magnitude);
        if (negative) {
            bits = 0u - bits;
        }
        value = static_cast<TColor>(bits);
        return true;
    }
    const long long signedValue =
        negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    if (magnitude > 0x80000000ull || signedValue > 0x7FFFFFFFll || signedValue < -0x80000000ll) {
        return false;
    }
    value = static_cast<TColor>(signedValue);
    return true;
}

QPalette::ColorRole PaletteRole(int index, QPalette::ColorGroup& group)
{
    group = QPalette::Active;
    switch (index) {
    case 0:
        return QPalette::Button; // scroll bar
    case 1:
        return QPalette::Window; // desktop
    case 2:
        return QPalette::Highlight; // active caption
    case 3:
        group = QPalette::Inactive;
        return QPalette::Highlight;
    case 4:
        return QPalette::Window; // menu
    case 5:
        return QPalette::Base; // window
    case 6:
        return QPalette::Shadow; // window frame
    case 7:
        return QPalette::WindowText; // menu text
    case 8:
        return QPalette::Text; // window text
    case 9:
        return QPalette::HighlightedText; // caption text
    case 10:
        return QPalette::Window; // active border
    case 11:
        return QPalette::Window; // inactive border
    case 12:
        return QPalette::Dark; // application workspace
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15:
        return QPalette::Button;
    case 16:
        return QPalette::Dark;
    case 17:
        group = QPalette::Disabled;
        return QPalette::Text;
    case 18:
        return QPalette::ButtonText;
    case 19:
        group = QPalette::Inactive;
        return QPalette::HighlightedText;
    case 20:
        return QPalette::Light;
    case 21:
        return QPalette::Shadow;
    case 22:
        return QPalette::Midlight;
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    case 26:
        return QPalette::Link;
    case 27:
        return QPalette::Highlight;
    case 28:
        group = QPalette::Inactive;
        return QPalette::Highlight;
    case 29:
        return QPalette::Highlight;
    case 30:
        return QPalette::Window;
    default:
        return QPalette::Window;
    }
}

} // namespace

bool ColorToIdent(TColor color, QString& ident)
{
    for (const ColorName& entry : kColorNames) {
        if (entry.value == color) {
            ident = QString::fromLatin1(entry.name);
            return true;
        }
    }
    return false;
}

bool IdentToColor(const QString& ident, TColor& color)
{
    for (const ColorName& entry : kColorNames) {
        if (ident.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            color = entry.value;
            return true;
        }
    }
    return false;
}

QString ColorToString(TColor color)
{
    QString ident;
    if (ColorToIdent(color, ident)) {
        return ident;
    }
    return QStringLiteral("$") +
           QStringLiteral("%1").arg(static_cast<std::uint32_t>(color), 8, 16, QLatin1Char('0')).toUpper();
}

bool StringToColor(const QString& text, TColor& color)
{
    if (IdentToColor(text, color)) {
        return true;
    }
    return ParseColorNumber(text, color);
}

QColor ToQColor(TColor color)
{
    if (color == clNone) {
        return QColor(Qt::transparent);
    }
    const QPalette palette = QGuiApplication::palette();
    if (color == clDefault) {
        return palette.color(QPalette::Active, QPalette::Window);
    }
    const auto bits = static_cast<std::uint32_t>(color);
    if (IsSystemColor(color)) {
        QPalette::ColorGroup group;
        const QPalette::ColorRole role = PaletteRole(static_cast<int>(bits & 0xFFu), group);
        return palette.color(group, role);
    }
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

TColor FromQColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return RgbToColor(rgb.red(), rgb.green(), rgb.blue());
}
