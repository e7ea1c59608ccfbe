#pragma once
// The steps the three scoreboards share with the main window: where the two windows stand while
// a game is on, and how a click on a scoreboard gives the keyboard back to the board.
class QDialog;
class QWidget;
class TForm1;

// The main window at its design size in the normal state at left 231, top 169, then the
// scoreboard shown (not modal) at left 301, top 6. form may be null (a scoreboard on its own).
void ShowScoreboardBesideBoard(TForm1* form, QDialog& scoreboard);

// Activates the window that holds control and gives control the focus: a focus set inside a
// window that stays inactive behind the scoreboard would leave the board deaf to its keys.
void GiveKeyboardBack(QWidget* control);
