#pragma once
// The Australian football scoreboard ("FormAustralianFootball"): goals and behinds per side, the
// total as goals x 6 + behinds, and four quarter lights. Its whole state is the text of its score
// panels; it takes no hot keys.
#include <QDialog>

#include "tools/GameDayContext.h"

#include <array>
#include <optional>

class QLineEdit;
class TColorPanel;
class TzLed;

class TFormAustralianFootball : public QDialog
{
    Q_OBJECT
public:
    explicit TFormAustralianFootball(QWidget* parent = nullptr);

    void Attach(const GameDayContext& context);
    // The main window's Australian Football command.
    void ShowBesideBoard();

    void FormCreate();
    void GoalsClick(bool home);   // HomeGoalsClick, VisitorGoalsClick
    void BehindsClick(bool home); // HomeBehindsClick, VisitorBehindsClick
    void GoalsUndoClick(bool home);
    void BehindsUndoClick(bool home);
    void GoalsResetClick(bool home);
    void BehindsResetClick(bool home);
    void TeamResetClick(bool home); // HomeResetButtonClick, VisitorResetButtonClick
    void QuarterClick(int light);   // zLed1Click .. zLed4Click

    TColorPanel* HomeGoals = nullptr;
    TColorPanel* HomeBehinds = nullptr;
    TColorPanel* HomeTotals = nullptr;
    TColorPanel* VisitorGoals = nullptr;
    TColorPanel* VisitorBehinds = nullptr;
    TColorPanel* VisitorTotals = nullptr;
    std::array<TzLed*, 5> zLed{}; // 1..4

private:
    QWidget* BuildSide(bool home);
    void Step(TColorPanel* panel, int delta, bool home);
    void ShowTotal(bool home);

    std::optional<GameDayContext> ctx_;
};
