#pragma once
// The hot keys a scoreboard window takes while it has the focus: the key becomes a hot-key code,
// the code is looked up among the first four groups, and a found button is handed to the main
// window, whose activation plays it through the normal hot-key path.
#include <QString>

class Board;
class QKeyEvent;
struct GameDayContext;

struct ScoreboardHotKeyMatch
{
    int group = 0;
    int page = 0;
    int button = 0;
};

// The first button of groups A..D, pages 1..18 whose hot key is exactly the code; false when
// none has it. A locked button is never handed on.
bool FindScoreboardHotKey(const Board& board, const QString& code, ScoreboardHotKeyMatch& match);

// Turns the key release into a code, looks it up and, on a match, sets the pending hot key and
// brings the main window forward. True when a button was handed on.
bool HandOnScoreboardHotKey(GameDayContext& ctx, const QKeyEvent& key);
