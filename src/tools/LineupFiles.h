#pragma once
// The lineup (".lup") and roster (".ros") files: INI text, read whole, changed and written back
// whole, so keys this program does not know survive.
#include "tools/LineupData.h"

#include <QString>

#include <array>

struct RosterFileData
{
    QString TeamName;
    std::array<QString, RosterEntryCount + 1> Entries; // 1..32
};

// False when the file cannot be written.
bool WriteLineupFile(const QString& fileName, const LineupData& lineups, bool precedeWithNumber);
// Reads with the file's defaults; precedeWithNumber is true only for "Yes" exactly.
void ReadLineupFile(const QString& fileName, LineupData& lineups, bool& precedeWithNumber);

bool WriteRosterFile(const QString& fileName, const RosterFileData& roster);
RosterFileData ReadRosterFile(const QString& fileName);

// Completes short rows from a roster: a row of one or two characters that reads as a number n
// becomes the first roster entry whose first two characters read as n. Rows that are no number
// are left as they are.
void RetrieveFromRoster(std::array<QString, LineupRows + 1>& rows,
                        const std::array<QString, RosterEntryCount + 1>& roster);
