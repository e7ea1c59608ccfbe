#include "tools/ScoreboardWindow.h"

#include "board/MainForm.h"
#include "controls/SlideBar.h"
#include "tools/ScoreboardPlacement.h"
#include "tools/TeamNameEditing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWindow>

ScoreboardWindow::ScoreboardWindow(QWidget* parent)
    : QDialog(parent), names_(new TeamNameEditing(this, [this](bool on) { keyPreview_ = on; }))
{
    setModal(false);
    qApp->installEventFilter(this);
}

ScoreboardWindow::~ScoreboardWindow()
{
    qApp->removeEventFilter(this);
}

void ScoreboardWindow::Attach(const GameDayContext& context)
{
    ctx_.emplace(context);
}

void ScoreboardWindow::ShowBesideBoard()
{
    ShowScoreboardBesideBoard(Attached() ? &Ctx().form : nullptr, *this);
}

bool ScoreboardWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The window system hands a key to the window once; taking it there is the window's preview
    // of every key, whichever control has the focus.
    if (event->type() != QEvent::KeyRelease || !watched->isWindowType() || watched != windowHandle()) {
        return false;
    }
    if (keyPreview_ && Attached()) {
        PreviewKeyUp(static_cast<QKeyEvent*>(event));
    }
    return false;
}

void ScoreboardWindow::hideEvent(QHideEvent* event)
{
    // Closed in the middle of typing a team name: its keys must work again next time.
    names_->EndEditing();
    QDialog::hideEvent(event);
}

void ScoreboardWindow::FocusMainDummy()
{
    if (Attached()) {
        GiveKeyboardBack(Ctx().form.DummyButton);
    }
}

void ScoreboardWindow::FocusMainVolumeBar()
{
    if (Attached()) {
        GiveKeyboardBack(Ctx().form.VolumeControl);
    }
}
