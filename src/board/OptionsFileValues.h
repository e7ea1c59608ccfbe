#pragma once
// Conversions of single options-file values. Each Read... takes the key's default when
// the key is absent or its value does not convert.
#include "platform/Color.h"
#include <QString>

class IniFile;

namespace OptionsValues {

extern const QString kMain; // the one section, "Main"

QString ReadText(const IniFile& ini, const QString& key, const QString& defaultText);
// Upper-cased compare with "YES".
bool ReadYes(const IniFile& ini, const QString& key, const QString& defaultText);
// Exact compare with "YES".
bool ReadExactYes(const IniFile& ini, const QString& key, const QString& defaultText);
int ReadInt(const IniFile& ini, const QString& key, int defaultValue);
// As ReadInt, and a value outside [low, high] also gives the default.
int ReadIntInRange(const IniFile& ini, const QString& key, int defaultValue, int low, int high);
double ReadSeconds(const IniFile& ini, const QString& key, double defaultValue);
TColor ReadColor(const IniFile& ini, const QString& key, TColor defaultValue);

QString YesNo(bool on);

} // namespace OptionsValues
