#pragma once
// The batting orders of both sides, published by the lineups window and read by the baseball
// scoreboard. One instance lives for the whole run.
#include <QString>

#include <array>

inline constexpr int LineupRows = 10;
inline constexpr int RosterEntryCount = 32;

struct LineupData
{
    bool LineupsActive = false;
    bool PrecedeWithNumber = false;
    QString HomeTeamName;
    QString VisitorTeamName;
    // Index 1..10; index 0 unused.
    std::array<QString, LineupRows + 1> HomePlayers;
    std::array<QString, LineupRows + 1> VisitorPlayers;
    // "Positions" (none chosen) or a position name such as "7 - Left Field".
    std::array<QString, LineupRows + 1> HomePositions;
    std::array<QString, LineupRows + 1> VisitorPositions;
    // The chosen list index as decimal text, "0" for "Positions".
    std::array<QString, LineupRows + 1> HomePositionIndex;
    std::array<QString, LineupRows + 1> VisitorPositionIndex;
    // Batting-order cursors 1..9.
    int HomeBatter = 1;
    int VisitorBatter = 1;
    // The rosters loaded into the lineups window for Retrieve, index 1..32.
    std::array<QString, RosterEntryCount + 1> HomeRoster;
    std::array<QString, RosterEntryCount + 1> VisitorRoster;
};
