#include "tools/LineupFiles.h"

#include "platform/IniFile.h"

namespace {

const QString kMain = QStringLiteral("Main");
const QString kHome = QStringLiteral("Home");
const QString kVisitor = QStringLiteral("Visitor");
const QString kRoster = QStringLiteral("Roster");
const QString kBlank = QStringLiteral(" ");

QString Key(const char* stem, int n)
{
    return QLatin1String(stem) + QString::number(n);
}

bool ReadNumber(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

} // namespace

bool WriteLineupFile(const QString& fileName, const LineupData& l, bool precedeWithNumber)
{
    IniFile ini(fileName);
    ini.WriteString(kMain, QStringLiteral("CreatedBy"), QStringLiteral("Rallybox"));
    ini.WriteString(kMain, QStringLiteral("CheckBox"),
                    precedeWithNumber ? QStringLiteral("Yes") : QStringLiteral("No"));
    ini.WriteString(kHome, QStringLiteral("TeamName"), l.HomeTeamName);
    ini.WriteString(kVisitor, QStringLiteral("TeamName"), l.VisitorTeamName);
    for (int n = 1; n <= LineupRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        ini.WriteString(kHome, Key("Player", n), l.HomePlayers[i]);
        ini.WriteString(kVisitor, Key("Player", n), l.VisitorPlayers[i]);
    }
    for (int n = 1; n <= LineupRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        ini.WriteString(kHome, Key("Position", n), l.HomePositions[i]);
        ini.WriteString(kVisitor, Key("Position", n), l.VisitorPositions[i]);
        ini.WriteString(kHome, Key("PositionNumber", n), l.HomePositionIndex[i]);
        ini.WriteString(kVisitor, Key("PositionNumber", n), l.VisitorPositionIndex[i]);
    }
    return ini.UpdateFile();
}

void ReadLineupFile(const QString& fileName, LineupData& l, bool& precedeWithNumber)
{
    const IniFile ini(fileName);
    precedeWithNumber =
        ini.ReadString(kMain, QStringLiteral("CheckBox"), QStringLiteral("Yes")) == QLatin1String("Yes");
    l.HomeTeamName = ini.ReadString(kHome, QStringLiteral("TeamName"), QStringLiteral("Home"));
    l.VisitorTeamName = ini.ReadString(kVisitor, QStringLiteral("TeamName"), QStringLiteral("Visitors"));
    for (int n = 1; n <= LineupRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        l.HomePlayers[i] = ini.ReadString(kHome, Key("Player", n), kBlank);
        l.VisitorPlayers[i] = ini.ReadString(kVisitor, Key("Player", n), kBlank);
        l.HomePositions[i] = ini.ReadString(kHome, Key("Position", n), kBlank);
        l.VisitorPositions[i] = ini.ReadString(kVisitor, Key("Position", n), kBlank);
        l.HomePositionIndex[i] = ini.ReadString(kHome, Key("PositionNumber", n), kBlank);
        l.VisitorPositionIndex[i] = ini.ReadString(kVisitor, Key("PositionNumber", n), kBlank);
    }
}

bool WriteRosterFile(const QString& fileName, const RosterFileData& roster)
{
    IniFile ini(fileName);
    ini.WriteString(kMain, QStringLiteral("CreatedBy"), QStringLiteral("Rallybox"));
    ini.WriteString(kRoster, QStringLiteral("TeamName"), roster.TeamName);
    for (int n = 1; n <= RosterEntryCount; ++n) {
        ini.WriteString(kRoster, Key("Roster", n), roster.Entries[static_cast<std::size_t>(n)]);
    }
    return ini.UpdateFile();
}

RosterFileData ReadRosterFile(const QString& fileName)
{
    const IniFile ini(fileName);
    RosterFileData roster;
    roster.TeamName = ini.ReadString(kRoster, QStringLiteral("TeamName"), QStringLiteral("Name Missing"));
    for (int n = 1; n <= RosterEntryCount; ++n) {
        roster.Entries[static_cast<std::size_t>(n)] = ini.ReadString(kRoster, Key("Roster", n), kBlank);
    }
    return roster;
}

void RetrieveFromRoster(std::array<QString, LineupRows + 1>& rows,
                        const std::array<QString, RosterEntryCount + 1>& roster)
{
    for (int r = 1; r <= LineupRows; ++r) {
        QString& row = rows[static_cast<std::size_t>(r)];
        const QString trimmed = row.trimmed();
        int number = 0;
        if (trimmed.isEmpty() || trimmed.size() >= 3 || !ReadNumber(trimmed, number)) {
            continue;
        }
        for (int e = 1; e <= RosterEntryCount; ++e) {
            const QString& entry = roster[static_cast<std::size_t>(e)];
            int entryNumber = 0;
            if (!entry.trimmed().isEmpty() && ReadNumber(entry.left(2), entryNumber) &&
                entryNumber == number) {
                row = entry;
                break;
            }
        }
    }
}
