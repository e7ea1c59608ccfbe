#pragma once
// The baseball scoreboard ("Scoreboard"): balls, strikes and outs, runs of both sides, the inning
// with its half, and the player at bat from the lineups. Shown beside the board, not modal; its
// hot keys start the board's sounds through the main window.
#include "tools/ScoreboardWindow.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TColorPanel;
struct LineupData;

class TScoreboard : public ScoreboardWindow
{
    Q_OBJECT
public:
    explicit TScoreboard(QWidget* parent = nullptr);

    void ScoreLoad();
    void PlayerAtBat();
    void SBHotKey(QKeyEvent* key);
    void PreviewKeyUp(QKeyEvent* key) override { SBHotKey(key); }
    void BallsButtonClick();
    void StrikesButtonClick();
    void BatterResetClick();
    void OutsButtonClick();
    void OutsResetClick();
    void VisitorsButtonClick();
    void HomeButtonClick();
    void VisitorsResetButtonClick();
    void HomeResetButtonClick();
    void InningButtonClick();
    void InningResetClick();
    void NextPlayer();
    // The at-bat line of a side for batter n (1..10).
    static QString AtBatText(const LineupData& lineups, bool home, int batter);

    int BaseballBalls = 0;
    int BaseballStrikes = 0;
    int BaseballOuts = 0;
    int BaseballHomeRuns = 0;
    int BaseballVisitorRuns = 0;
    int BaseballInning = 1;

    QPushButton* BallsButton = nullptr;
    QPushButton* StrikesButton = nullptr;
    QPushButton* OutsButton = nullptr;
    QPushButton* VisitorsButton = nullptr;
    QPushButton* HomeButton = nullptr;
    QPushButton* InningButton = nullptr;
    TColorPanel* VisitorsPanel = nullptr;
    TColorPanel* HomePanel = nullptr;
    QLineEdit* VisitorsTeamEdit = nullptr;
    QLineEdit* HomeTeamEdit = nullptr;
    QLabel* lblTop = nullptr;
    QLabel* lblBottom = nullptr;
    QGroupBox* AtBatBox = nullptr;
    QLabel* lblPlayer = nullptr;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ShowBattingSide(bool homeBats);
    bool TopHalf() const;
    void ShowAtBat();
};
