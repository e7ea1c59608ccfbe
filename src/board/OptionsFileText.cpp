#include "board/OptionsFileText.h"

QString FontStyleToString(TFontStyles styles)
{
    QString text;
    if (styles & fsBold) {
        text += QStringLiteral("fsBold ");
    }
    if (styles & fsItalic) {
        text += QStringLiteral("fsItalic ");
    }
    if (styles & fsUnderline) {
        text += QStringLiteral("fsUnderline ");
    }
    if (styles & fsStrikeOut) {
        text += QStringLiteral("fsStrikeOut ");
    }
    return text;
}

TFontStyles StringToFontStyle(const QString& text)
{
    TFontStyles styles = 0;
    if (text.contains(QLatin1String("fsBold"))) {
        styles |= fsBold;
    }
    if (text.contains(QLatin1String("fsItalic"))) {
        styles |= fsItalic;
    }
    if (text.contains(QLatin1String("fsUnderline"))) {
        styles |= fsUnderline;
    }
    if (text.contains(QLatin1String("fsStrikeOut"))) {
        styles |= fsStrikeOut;
    }
    return styles;
}

QString SecurityCodeTransform(const QString& code)
{
    QString result;
    result.reserve(code.size());
    for (qsizetype i = code.size() - 1; i >= 0; --i) {
        const QChar c = code[i];
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9')) {
            result.append(QChar('0' + (10 - (c.unicode() - '0'))));
        } else {
            result.append(c);
        }
    }
    return result;
}

bool IsEightDigitCode(const QString& code)
{
    if (code.size() != 8) {
        return false;
    }
    for (const QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}
