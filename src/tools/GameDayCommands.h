#pragma once
// Connects the main window's Scoreboard menu to the scoreboard windows.
class TForm1;
class TScoreboard;
class TFormGenericScoreboard;
class TFormAustralianFootball;

void WireScoreboardMenu(TForm1& form, TScoreboard& baseball, TFormGenericScoreboard& generic,
                        TFormAustralianFootball& australian);
