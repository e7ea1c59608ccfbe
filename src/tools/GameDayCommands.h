#pragma once
// Connects the main window's Scoreboard menu to the scoreboard windows.
#include <functional>

class TForm1;
class TScoreboard;
class TFormGenericScoreboard;
class TFormAustralianFootball;

struct ScoreboardWindows
{
    TScoreboard* baseball = nullptr;
    TFormGenericScoreboard* generic = nullptr;
    TFormAustralianFootball* australian = nullptr;
};

// `windows` is asked each time an item is chosen, so the windows may be built only then.
void WireScoreboardMenu(TForm1& form, std::function<ScoreboardWindows()> windows);
