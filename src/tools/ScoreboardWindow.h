#pragma once
// What the scoreboard windows share: they are shown beside the board, take their keys before
// their controls do (key preview) and are given the game-day context once the main window exists.
#include "tools/GameDayContext.h"

#include <QDialog>

#include <optional>

class QKeyEvent;
class TeamNameEditing;

class ScoreboardWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ScoreboardWindow(QWidget* parent);
    ~ScoreboardWindow() override;

    void Attach(const GameDayContext& context);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    // The key-up handler that key preview routes the window's key releases to.
    virtual void PreviewKeyUp(QKeyEvent* key) = 0;
    // Restores the main window's design layout and places it and this window as the sport
    // commands do, then shows this window (not modal).
    void ShowBesideBoard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    GameDayContext& Ctx() { return *ctx_; }
    bool Attached() const { return ctx_.has_value(); }
    TeamNameEditing* NameEditing() const { return names_; }
    void FocusMainDummy();
    void FocusMainVolumeBar();

private:
    std::optional<GameDayContext> ctx_;
    TeamNameEditing* names_ = nullptr;
    bool keyPreview_ = true;
};
