#pragma once
// The multi-sport scoreboard ("FormGenericScoreboard"): two scores with point buttons and a
// one-step undo, up to five period lights, possession arrows and, for volleyball, games won. Each
// sport command configures and shows it; its hot keys start the board's sounds.
#include "tools/ScoreboardWindow.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TColorPanel;
class TzLed;

enum class Sport
{
    Basketball,
    Football,
    Handball,
    Hockey,
    Lacrosse,
    Soccer,
    Volleyball
};

class TFormGenericScoreboard : public ScoreboardWindow
{
    Q_OBJECT
public:
    explicit TFormGenericScoreboard(QWidget* parent = nullptr);

    // The sport commands (Basketball1Click .. Volleyball2Click): configure, then show beside the
    // board.
    void ShowSport(Sport sport);
    void ConfigureSport(Sport sport);

    void FormCreate();
    void QuarterClick(int light); // Quarter1Click .. Quarter5Click
    void PlusClick(bool home, int points);
    void UndoClick(bool home);
    void ResetClick(bool home);
    void PosHomeClick();
    void PosVisitorsClick();
    void WinsClick(bool home);
    void FormKeyUp(QKeyEvent* key);
    void PreviewKeyUp(QKeyEvent* key) override { FormKeyUp(key); }

    int GenericHomeScore = 0;
    int GenericVisitorScore = 0;
    int HomeLastPoints = 1;
    int VisitorLastPoints = 1;
    int HomeWins = 0;
    int VisitorWins = 0;

    TColorPanel* HomePanel = nullptr;
    TColorPanel* VisitorsPanel = nullptr;
    QLineEdit* HomeEdit = nullptr;
    QLineEdit* VisitorEdit = nullptr;
    TColorPanel* HomeScore = nullptr;
    TColorPanel* VisitorsScore = nullptr;
    // +1, +2, +3, +6 at 0..3.
    std::array<QPushButton*, 4> HomePlus{};
    std::array<QPushButton*, 4> VisitorsPlus{};
    QPushButton* ButtonHomeWins = nullptr;
    QPushButton* ButtonVisitorWins = nullptr;
    std::array<TzLed*, 4> zLedHome{};    // 1..3
    std::array<TzLed*, 4> zLedVisitor{}; // 1..3
    QLabel* lblQuarter = nullptr;
    std::array<TzLed*, 6> zLed{}; // 1..5
    TColorPanel* PosHome = nullptr;
    TColorPanel* PosVisitors = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildSide(bool home);
    void ShowScore(bool home);
    void LightWins(bool home);
    bool restoring_ = false;
};
