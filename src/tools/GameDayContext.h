#pragma once
// What the game-day windows are given once the main window exists: the board they look hot keys
// up in, the playback state a found key is handed to, the lineups, and the main window itself.
class Board;
class Clock;
class Dialogs;
class TForm1;
struct LineupData;
struct PlaybackState;
struct Settings;

struct GameDayContext
{
    TForm1& form;
    Board& board;
    Settings& settings;
    PlaybackState& playback;
    LineupData& lineups;
    Dialogs& dialogs;
    Clock& clock;
};
