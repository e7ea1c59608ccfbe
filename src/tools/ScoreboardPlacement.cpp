#include "tools/ScoreboardPlacement.h"

#include "board/MainForm.h"

#include <QDialog>
#include <QTimer>

namespace {

// Long enough for the window manager to answer the state change, short enough to pass unseen.
constexpr int kFrameSettleMs = 150;

constexpr int kFrameChecks = 4;

// The first move is reckoned with the frame of the maximized window (no border); once the
// window manager has given the normal frame, the window is put in place again. A busy window
// manager may answer the leave from maximized late and give back the size the window had before
// it was maximized, so the size is looked at too, a few times.
void PutBackInPlace(QWidget* form, QPoint place, QSize size, int checksLeft)
{
    QTimer::singleShot(kFrameSettleMs, form, [form, place, size, checksLeft] {
        if (form->isMaximized()) {
            return;
        }
        if (form->size() != size) {
            form->resize(size);
        }
        if (form->pos() != place) {
            form->move(place);
        }
        if (checksLeft > 1) {
            PutBackInPlace(form, place, size, checksLeft - 1);
        }
    });
}

} // namespace

void ShowScoreboardBesideBoard(TForm1* form, QDialog& scoreboard)
{
    if (form != nullptr) {
        const QPoint place(231, 169);
        form->RestoreDesignWindow();
        form->move(place);
        PutBackInPlace(form, place, form->size(), kFrameChecks);
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
