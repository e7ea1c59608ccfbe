#include "board/OptionsFileValues.h"

#include "platform/FloatText.h"
#include "platform/IniFile.h"

namespace OptionsValues {

const QString kMain = QStringLiteral("Main");

QString ReadText(const IniFile& ini, const QString& key, const QString& defaultText)
{
    return ini.ReadString(kMain, key, defaultText);
}

bool ReadYes(const IniFile& ini, const QString& key, const QString& defaultText)
{
    return ReadText(ini, key, defaultText).toUpper() == QLatin1String("YES");
}

bool ReadExactYes(const IniFile& ini, const QString& key, const QString& defaultText)
{
    return ReadText(ini, key, defaultText) == QLatin1String("YES");
}

int ReadInt(const IniFile& ini, const QString& key, int defaultValue)
{
    int value = 0;
    return IniFile::TryParseInteger(ReadText(ini, key, QString::number(defaultValue)).trimmed(), value)
               ? value
               : defaultValue;
}

int ReadIntInRange(const IniFile& ini, const QString& key, int defaultValue, int low, int high)
{
    const int value = ReadInt(ini, key, defaultValue);
    return (value < low || value > high) ? defaultValue : value;
}

double ReadSeconds(const IniFile& ini, const QString& key, double defaultValue)
{
    double value = 0;
    return TryStrToFloat(ReadText(ini, key, QString()), value) ? value : defaultValue;
}

TColor ReadColor(const IniFile& ini, const QString& key, TColor defaultValue)
{
    TColor value = 0;
    return StringToColor(ReadText(ini, key, QString()).trimmed(), value) ? value : defaultValue;
}

QString YesNo(bool on)
{
    return on ? QStringLiteral("YES") : QStringLiteral("NO");
}

} // namespace OptionsValues
