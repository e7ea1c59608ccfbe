#include "tools/TFormGenericScoreboard.h"

#include "board/Settings.h"
#include "controls/ColorPanel.h"
#include "controls/zLed.h"
#include "tools/GameDayWidgets.h"
#include "tools/ScoreboardHotKeys.h"
#include "tools/TeamNameEditing.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr std::array<int, 4> kPoints{1, 2, 3, 6};
constexpr int kLightTop = 37;
constexpr int kLightSize = 20;
constexpr TColor clArrowMaroon = 0x000080;

struct SportRow
{
    const char* caption;
    const char* periodLabel;
    std::array<int, 6> lightLeft; // 1..5, 0 = not moved
    std::array<bool, 6> lightShown;
    std::array<bool, 4> plusShown;
    bool arrows;
    bool wins;
};

const SportRow& RowOf(Sport sport)
{
    static const std::array<SportRow, 7> rows{{
        {"Basketball Scoreboard",
         "QUARTER",
         {0, 9, 41, 82, 113, 0},
         {false, true, true, true, true, false},
         {true, true, true, false},
         true,
         false},
        {"Football Scoreboard",
         "QUARTER",
         {0, 9, 41, 82, 113, 0},
         {false, true, true, true, true, false},
         {true, true, true, true},
         false,
         false},
        {"Handball Scoreboard",
         "Halfs - Extra Halfs",
         {0, 9, 41, 82, 113, 0},
         {false, true, true, true, true, false},
         {true, false, false, false},
         true,
         false},
        {"Hockey Scoreboard",
         "  PERIOD",
         {0, 9, 35, 61, 87, 113},
         {false, true, false, true, false, true},
         {true, false, false, false},
         true,
         false},
        {"Lacrosse Scoreboard",
         "QUARTER",
         {0, 9, 41, 82, 113, 0},
         {false, true, true, true, true, false},
         {true, false, false, false},
         true,
         false},
        {"Soccer Scoreboard",
         "    HALF",
         {0, 9, 41, 82, 113, 0},
         {false, false, true, true, false, false},
         {true, false, false, false},
         false,
         false},
        {"Volleyball Scoreboard",
         "    GAME",
         {0, 9, 35, 61, 87, 113},
         {false, true, true, true, true, true},
         {true, false, false, false},
         true,
         true},
    }};
    return rows[static_cast<std::size_t>(sport)];
}

void SetLight(TzLed* led, bool lit, LedColorType color)
{
    led->SetLEDColor(color);
    led->SetEnabled(lit);
}

} // namespace

TFormGenericScoreboard::TFormGenericScoreboard(QWidget* parent) : ScoreboardWindow(parent)
{
    setObjectName(QStringLiteral("FormGenericScoreboard"));
    BuildControls();
    FormCreate();
}

QWidget* TFormGenericScoreboard::BuildSide(bool home)
{
    const QString side = home ? QStringLiteral("Home") : QStringLiteral("Visitors");
    TColorPanel* panel = GameDayPanel(this, side + QStringLiteral("Panel"), clTeal);
    (home ? HomePanel : VisitorsPanel) = panel;
    auto* grid = new QGridLayout(panel);
    QLineEdit* edit = TeamNameEdit(panel, home ? QStringLiteral("HomeEdit") : QStringLiteral("VisitorEdit"),
                                   home ? QStringLiteral("HOME") : QStringLiteral("VISITORS"));
    (home ? HomeEdit : VisitorEdit) = edit;
    NameEditing()->Watch(edit);
    TColorPanel* score = GameDayPanel(panel, side + QStringLiteral("Score"), clWhite);
    score->SetCaption(QStringLiteral("00"));
    score->setMinimumHeight(40);
    (home ? HomeScore : VisitorsScore) = score;
    grid->addWidget(edit, 0, 0, 1, 4);
    grid->addWidget(score, 1, 0, 1, 4);
    static const std::array<const char*, 4> names{"PlusOneButton", "PlusTwoButton", "PlusThreeButton",
                                                  "PlusSixButton"};
    auto& plus = home ? HomePlus : VisitorsPlus;
    for (std::size_t i = 0; i < plus.size(); ++i) {
        plus[i] = GameDayButton(panel, side + QLatin1String(names[i]), QStringLiteral("+%1").arg(kPoints[i]));
        grid->addWidget(plus[i], 2, static_cast<int>(i));
        const int points = kPoints[i];
        connect(plus[i], &QPushButton::clicked, this, [this, home, points] { PlusClick(home, points); });
    }
    auto* undo = GameDayButton(panel, side + QStringLiteral("UndoButton"), QStringLiteral("Undo"));
    auto* reset = GameDayButton(panel, side + QStringLiteral("ResetButton"), QStringLiteral("Reset"));
    QPushButton* wins =
        GameDayButton(panel, home ? QStringLiteral("ButtonHomeWins") : QStringLiteral("ButtonVisitorWins"),
                      QStringLiteral("Wins"));
    wins->hide();
    (home ? ButtonHomeWins : ButtonVisitorWins) = wins;
    grid->addWidget(undo, 3, 0);
    grid->addWidget(reset, 3, 1);
    grid->addWidget(wins, 3, 2);
    auto& lights = home ? zLedHome : zLedVisitor;
    auto* lightRow = new QHBoxLayout;
    for (int n = 1; n <= 3; ++n) {
        auto* led = new TzLed(panel);
        led->setObjectName((home ? QStringLiteral("zLedHome%1") : QStringLiteral("zLedVisitor%1")).arg(n));
        led->setFixedSize(14, 14);
        led->SetLEDColor(LedColorType::lctyellow);
        led->hide();
        lights[static_cast<std::size_t>(n)] = led;
        lightRow->addWidget(led);
    }
    grid->addLayout(lightRow, 3, 3);
    connect(undo, &QPushButton::clicked, this, [this, home] { UndoClick(home); });
    connect(reset, &QPushButton::clicked, this, [this, home] { ResetClick(home); });
    connect(wins, &QPushButton::clicked, this, [this, home] { WinsClick(home); });
    return panel;
}

void TFormGenericScoreboard::BuildControls()
{
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildSide(true));
    auto* centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("CentrePanel"));
    centre->setMinimumSize(140, 110);
    lblQuarter = GameDayLabel(centre, QStringLiteral("lblQuarter"), QStringLiteral("QUARTER"));
    lblQuarter->setStyleSheet(QStringLiteral("color: blue"));
    lblQuarter->setGeometry(9, 10, 124, 20);
    for (int n = 1; n <= 5; ++n) {
        auto* led = new TzLed(centre);
        led->setObjectName(QStringLiteral("zLed%1").arg(n));
        led->setGeometry(9 + (n - 1) * 26, kLightTop, kLightSize, kLightSize);
        led->OnClick = [this, n](QObject*) { QuarterClick(n); };
        zLed[static_cast<std::size_t>(n)] = led;
    }
    zLed[5]->hide();
    PosHome = GameDayPanel(centre, QStringLiteral("PosHome"), clBtnFace);
    PosHome->SetCaption(QStringLiteral("<<<<<"));
    PosHome->setGeometry(9, 70, 60, 20);
    PosVisitors = GameDayPanel(centre, QStringLiteral("PosVisitors"), clBtnFace);
    PosVisitors->SetCaption(QStringLiteral(">>>>>"));
    PosVisitors->setGeometry(73, 70, 60, 20);
    connect(PosHome, &TColorPanel::clicked, this, &TFormGenericScoreboard::PosHomeClick);
    connect(PosVisitors, &TColorPanel::clicked, this, &TFormGenericScoreboard::PosVisitorsClick);
    layout->addWidget(centre);
    layout->addWidget(BuildSide(false));
}

void TFormGenericScoreboard::showEvent(QShowEvent* event)
{
    ScoreboardWindow::showEvent(event);
    // A restore from the taskbar is the window system's show: the game goes on, nothing resets.
    if (!event->spontaneous()) {
        FormCreate();
    }
}

void TFormGenericScoreboard::FormCreate()
{
    GenericHomeScore = 0;
    GenericVisitorScore = 0;
    HomeScore->SetCaption(QStringLiteral("00"));
    VisitorsScore->SetCaption(QStringLiteral("00"));
    for (int n = 1; n <= 5; ++n) {
        SetLight(zLed[static_cast<std::size_t>(n)], false, LedColorType::lctRed);
    }
    HomeLastPoints = 1;
    VisitorLastPoints = 1;
    PosHome->SetFontColor(clArrowMaroon);
    PosVisitors->SetFontColor(clArrowMaroon);
}

void TFormGenericScoreboard::ConfigureSport(Sport sport)
{
    const SportRow& row = RowOf(sport);
    setWindowTitle(QString::fromLatin1(row.caption));
    lblQuarter->setText(QString::fromLatin1(row.periodLabel));
    for (int n = 1; n <= 5; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (row.lightLeft[i] != 0) {
            zLed[i]->move(row.lightLeft[i], kLightTop);
        }
        zLed[i]->setVisible(row.lightShown[i]);
    }
    for (std::size_t i = 1; i < kPoints.size(); ++i) {
        HomePlus[i]->setVisible(row.plusShown[i]);
        VisitorsPlus[i]->setVisible(row.plusShown[i]);
    }
    PosHome->setVisible(row.arrows);
    PosVisitors->setVisible(row.arrows);
    if (row.wins) {
        ButtonHomeWins->show();
        ButtonVisitorWins->show();
        HomeWins = 0;
        VisitorWins = 0;
        for (int n = 1; n <= 3; ++n) {
            zLedHome[static_cast<std::size_t>(n)]->show();
            zLedVisitor[static_cast<std::size_t>(n)]->show();
        }
        // The counts start again at 0, so no win may still show lit.
        LightWins(true);
        LightWins(false);
    }
}

void TFormGenericScoreboard::ShowSport(Sport sport)
{
    ConfigureSport(sport);
    ShowBesideBoard();
}

void TFormGenericScoreboard::ShowScore(bool home)
{
    const int score = home ? GenericHomeScore : GenericVisitorScore;
    (home ? HomeScore : VisitorsScore)
        ->SetCaption(score <= 0 ? QStringLiteral("00") : QString::number(score));
}

void TFormGenericScoreboard::PlusClick(bool home, int points)
{
    (home ? GenericHomeScore : GenericVisitorScore) += points;
    (home ? HomeLastPoints : VisitorLastPoints) = points;
    ShowScore(home);
    FocusMainDummy();
}

void TFormGenericScoreboard::UndoClick(bool home)
{
    int& score = home ? GenericHomeScore : GenericVisitorScore;
    int& last = home ? HomeLastPoints : VisitorLastPoints;
    score -= last;
    last = 1;
    if (score <= 0) {
        score = 0;
    }
    ShowScore(home);
    FocusMainDummy();
}

void TFormGenericScoreboard::ResetClick(bool home)
{
    (home ? GenericHomeScore : GenericVisitorScore) = 0;
    ShowScore(home);
    FocusMainDummy();
}

void TFormGenericScoreboard::QuarterClick(int light)
{
    for (int n = 1; n <= 5; ++n) {
        const bool current = n == light;
        SetLight(zLed[static_cast<std::size_t>(n)], n <= light,
                 current ? LedColorType::lctGreen : LedColorType::lctRed);
    }
    if (light != 5) {
        FocusMainDummy();
    }
}

void TFormGenericScoreboard::PosHomeClick()
{
    PosHome->SetFontColor(clRed);
    PosVisitors->SetFontColor(clArrowMaroon);
    if (windowTitle() != QLatin1String("Basketball Scoreboard")) {
        HomePanel->SetColor(clLime);
        VisitorsPanel->SetColor(clTeal);
    }
    FocusMainDummy();
}

void TFormGenericScoreboard::PosVisitorsClick()
{
    PosVisitors->SetFontColor(clRed);
    PosHome->SetFontColor(clArrowMaroon);
    if (windowTitle() != QLatin1String("Basketball Scoreboard")) {
        VisitorsPanel->SetColor(clLime);
        HomePanel->SetColor(clTeal);
    }
    FocusMainDummy();
}

void TFormGenericScoreboard::LightWins(bool home)
{
    const int wins = home ? HomeWins : VisitorWins;
    auto& lights = home ? zLedHome : zLedVisitor;
    for (int n = 1; n <= 3; ++n) {
        lights[static_cast<std::size_t>(n)]->SetEnabled(n <= wins);
    }
}

void TFormGenericScoreboard::WinsClick(bool home)
{
    int& wins = home ? HomeWins : VisitorWins;
    wins = wins >= 3 ? 0 : wins + 1;
    LightWins(home);
    FocusMainDummy();
}

void TFormGenericScoreboard::FormKeyUp(QKeyEvent* key)
{
    if (key->key() == Qt::Key_Left) {
        PosHome->SetFontColor(clLime);
        PosVisitors->SetFontColor(clArrowMaroon);
    } else if (key->key() == Qt::Key_Right) {
        PosVisitors->SetFontColor(clLime);
        PosHome->SetFontColor(clArrowMaroon);
    }
    if (!Attached()) {
        return;
    }
    if (!Ctx().settings.HotKey) {
        FocusMainDummy();
        return;
    }
    HandOnScoreboardHotKey(Ctx(), *key);
}
