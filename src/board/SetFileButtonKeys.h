#pragma once
// The per-button keys of a page section as the set file writes them, shared by the set file and
// the page library (which differs only in always writing the colour).
#include <QString>

class IniFile;
struct TSoundButtonCell;

enum class ColorKeyRule
{
    WhenSet, // "co" only for a custom colour
    Always   // "co" for every button, "clBlack" where there is no custom colour
};

void WriteButtonKeys(IniFile& ini, const QString& section, int button, const TSoundButtonCell& cell,
                     ColorKeyRule colorRule);
