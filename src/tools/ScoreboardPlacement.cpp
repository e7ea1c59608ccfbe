#include "tools/ScoreboardPlacement.h"

#include "board/MainForm.h"

#include <QDialog>

void ShowScoreboardBesideBoard(TForm1* form, QDialog& scoreboard)
{
    if (form != nullptr) {
        form->RestoreDesignWindow();
        form->move(231, 169);
    }
    scoreboard.move(301, 6);
    scoreboard.show();
    scoreboard.raise();
}

void GiveKeyboardBack(QWidget* control)
{
    if (control == nullptr) {
        return;
    }
    control->window()->activateWindow();
    control->setFocus(Qt::OtherFocusReason);
}
