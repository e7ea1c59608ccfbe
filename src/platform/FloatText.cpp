#include "platform/FloatText.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

QString FloatToStr(double value)
{
    if (!std::isfinite(value)) {
        return std::isnan(value) ? QStringLiteral("NAN")
                                 : (value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF"));
    }
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e < 0) {
        return text;
    }
    // "1e-05" becomes "1E-5" and "1e+15" becomes "1E15".
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    QString sign;
    if (exponent.startsWith(QLatin1Char('-')) || exponent.startsWith(QLatin1Char('+'))) {
        if (exponent.startsWith(QLatin1Char('-'))) {
            sign = QStringLiteral("-");
        }
        exponent.remove(0, 1);
    }
    while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0'))) {
        exponent.remove(0, 1);
    }
    return mantissa + QLatin1Char('E') + sign + exponent;
}

bool TryStrToFloat(const QString& text, double& value)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString t = text.trimmed();
    if (!pattern.match(t).hasMatch()) {
        return false;
    }
    bool ok = false;
    const double parsed = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}
