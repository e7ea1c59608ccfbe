#include "tools/TScoreboard.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Settings.h"
#include "playback/PlaybackState.h"
#include "tools/GameDayWidgets.h"
#include "tools/LineupData.h"
#include "tools/ScoreboardHotKeys.h"
#include "tools/TeamNameEditing.h"

#include "controls/ColorPanel.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kBattingOrder = 9;

// Count buttons wrap: balls 0..4, strikes and outs 0..3.
int NextCount(int value, int last)
{
    return value >= last ? 0 : value + 1;
}

QString PositionText(const QString& position)
{
    return position.mid(4).trimmed();
}

} // namespace

TScoreboard::TScoreboard(QWidget* parent) : ScoreboardWindow(parent)
{
    setObjectName(QStringLiteral("Scoreboard"));
    setWindowTitle(QStringLiteral("Baseball Scoreboard"));
    BuildControls();
    ScoreLoad();
}

void TScoreboard::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* counts = new QHBoxLayout;
    auto* bs = GameDayPanel(this, QStringLiteral("BSPanel"), clBtnFace);
    auto* bsLayout = new QGridLayout(bs);
    bsLayout->addWidget(GameDayLabel(bs, QStringLiteral("Label1"), QStringLiteral("Balls")), 0, 0);
    bsLayout->addWidget(GameDayLabel(bs, QStringLiteral("Label2"), QStringLiteral("Strikes")), 0, 1);
    BallsButton = GameDayButton(bs, QStringLiteral("BallsButton"), QStringLiteral("0"));
    StrikesButton = GameDayButton(bs, QStringLiteral("StrikesButton"), QStringLiteral("0"));
    bsLayout->addWidget(BallsButton, 1, 0);
    bsLayout->addWidget(StrikesButton, 1, 1);
    auto* batterReset = GameDayButton(bs, QStringLiteral("BatterReset"), QStringLiteral("Reset"));
    bsLayout->addWidget(batterReset, 2, 0, 1, 2);
    auto* outs = GameDayPanel(this, QStringLiteral("OutsPanel"), clBtnFace);
    auto* outsLayout = new QVBoxLayout(outs);
    outsLayout->addWidget(GameDayLabel(outs, QStringLiteral("Label3"), QStringLiteral("Outs")));
    OutsButton = GameDayButton(outs, QStringLiteral("OutsButton"), QStringLiteral("0"));
    auto* outsReset = GameDayButton(outs, QStringLiteral("OutsReset"), QStringLiteral("Reset"));
    outsLayout->addWidget(OutsButton);
    outsLayout->addWidget(outsReset);
    counts->addWidget(bs);
    counts->addWidget(outs);
    layout->addLayout(counts);

    auto team = [this, layout](const QString& side, const QString& text, TColorPanel*& panel,
                               QLineEdit*& edit, QPushButton*& runs) {
        panel = GameDayPanel(this, side + QStringLiteral("Panel"), clTeal);
        auto* row = new QHBoxLayout(panel);
        edit = TeamNameEdit(panel, side + QStringLiteral("TeamEdit"), text);
        runs = GameDayButton(panel, side + QStringLiteral("Button"), QStringLiteral("0"));
        auto* reset = GameDayButton(panel, side + QStringLiteral("ResetButton"), QStringLiteral("Reset"));
        row->addWidget(edit, 1);
        row->addWidget(runs);
        row->addWidget(reset);
        layout->addWidget(panel);
        NameEditing()->Watch(edit);
        return reset;
    };
    auto* visitorsReset = team(QStringLiteral("Visitors"), QStringLiteral("        VISITORS           "),
                               VisitorsPanel, VisitorsTeamEdit, VisitorsButton);
    auto* homeReset =
        team(QStringLiteral("Home"), QStringLiteral("           HOME"), HomePanel, HomeTeamEdit, HomeButton);

    auto* inning = GameDayPanel(this, QStringLiteral("InningPanel"), clBtnFace);
    auto* inningLayout = new QHBoxLayout(inning);
    inningLayout->addWidget(GameDayLabel(inning, QStringLiteral("Label4"), QStringLiteral("Inning")));
    InningButton = GameDayButton(inning, QStringLiteral("InningButton"), QStringLiteral("1"));
    auto* inningReset = GameDayButton(inning, QStringLiteral("InningReset"), QStringLiteral("Reset"));
    lblTop = GameDayLabel(inning, QStringLiteral("lblTop"), QStringLiteral("Top"));
    lblBottom = GameDayLabel(inning, QStringLiteral("lblBottom"), QStringLiteral("Bottom"));
    for (QWidget* w : {static_cast<QWidget*>(InningButton), static_cast<QWidget*>(inningReset),
                       static_cast<QWidget*>(lblTop), static_cast<QWidget*>(lblBottom)}) {
        inningLayout->addWidget(w);
    }
    layout->addWidget(inning);

    AtBatBox = new QGroupBox(QStringLiteral("At Bat:"), this);
    AtBatBox->setObjectName(QStringLiteral("AtBatBox"));
    auto* atBat = new QVBoxLayout(AtBatBox);
    lblPlayer = GameDayLabel(AtBatBox, QStringLiteral("lblPlayer"), QStringLiteral("player at bat"));
    atBat->addWidget(lblPlayer);
    layout->addWidget(AtBatBox);
    AtBatBox->installEventFilter(this);
    lblPlayer->installEventFilter(this);

    connect(BallsButton, &QPushButton::clicked, this, &TScoreboard::BallsButtonClick);
    connect(StrikesButton, &QPushButton::clicked, this, &TScoreboard::StrikesButtonClick);
    connect(batterReset, &QPushButton::clicked, this, &TScoreboard::BatterResetClick);
    connect(OutsButton, &QPushButton::clicked, this, &TScoreboard::OutsButtonClick);
    connect(outsReset, &QPushButton::clicked, this, &TScoreboard::OutsResetClick);
    connect(VisitorsButton, &QPushButton::clicked, this, &TScoreboard::VisitorsButtonClick);
    connect(HomeButton, &QPushButton::clicked, this, &TScoreboard::HomeButtonClick);
    connect(visitorsReset, &QPushButton::clicked, this, &TScoreboard::VisitorsResetButtonClick);
    connect(homeReset, &QPushButton::clicked, this, &TScoreboard::HomeResetButtonClick);
    connect(InningButton, &QPushButton::clicked, this, &TScoreboard::InningButtonClick);
    connect(inningReset, &QPushButton::clicked, this, &TScoreboard::InningResetClick);
}

bool TScoreboard::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == AtBatBox || watched == lblPlayer) && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        NextPlayer();
        return true;
    }
    return ScoreboardWindow::eventFilter(watched, event);
}

void TScoreboard::changeEvent(QEvent* event)
{
    ScoreboardWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        PlayerAtBat();
    }
}

void TScoreboard::ScoreLoad()
{
    BaseballBalls = 0;
    BaseballStrikes = 0;
    BaseballOuts = 0;
    BaseballInning = 1;
    ShowBattingSide(false);
}

bool TScoreboard::TopHalf() const
{
    return lblTop->isEnabled();
}

// Lime marks the side at bat, teal the side in the field.
void TScoreboard::ShowBattingSide(bool homeBats)
{
    HomePanel->SetColor(homeBats ? clLime : clTeal);
    VisitorsPanel->SetColor(homeBats ? clTeal : clLime);
    lblTop->setEnabled(!homeBats);
    lblBottom->setEnabled(homeBats);
}

QString TScoreboard::AtBatText(const LineupData& lineups, bool home, int batter)
{
    if (batter < 1 || batter > LineupRows) {
        batter = 1;
    }
    const auto i = static_cast<std::size_t>(batter);
    const QString& player = home ? lineups.HomePlayers[i] : lineups.VisitorPlayers[i];
    const QString& position = home ? lineups.HomePositions[i] : lineups.VisitorPositions[i];
    QString text = QString::number(batter) + QStringLiteral(".  ");
    if (lineups.PrecedeWithNumber) {
        text += u'#';
    }
    text += player.trimmed();
    // No position chosen, or none read from a file: no dangling " - ".
    const QString name = PositionText(position);
    if (position != QLatin1String("Positions") && !name.isEmpty()) {
        text += QStringLiteral(" - ") + name;
    }
    return text;
}

void TScoreboard::ShowAtBat()
{
    if (!Attached()) {
        return;
    }
    const LineupData& l = Ctx().lineups;
    const bool home = !TopHalf();
    lblPlayer->setText(AtBatText(l, home, home ? l.HomeBatter : l.VisitorBatter));
}

void TScoreboard::PlayerAtBat()
{
    if (!Attached()) {
        return;
    }
    const LineupData& l = Ctx().lineups;
    if (!l.HomeTeamName.trimmed().isEmpty()) {
        HomeTeamEdit->setText(l.HomeTeamName);
    }
    if (!l.VisitorTeamName.trimmed().isEmpty()) {
        VisitorsTeamEdit->setText(l.VisitorTeamName);
    }
    AtBatBox->setVisible(l.LineupsActive);
    if (l.LineupsActive) {
        ShowAtBat();
    }
}

void TScoreboard::NextPlayer()
{
    FocusMainVolumeBar();
    if (!Attached()) {
        return;
    }
    LineupData& l = Ctx().lineups;
    int& batter = TopHalf() ? l.VisitorBatter : l.HomeBatter;
    batter = batter >= kBattingOrder ? 1 : batter + 1;
    ShowAtBat();
}

void TScoreboard::BallsButtonClick()
{
    BaseballBalls = NextCount(BaseballBalls, 4);
    BallsButton->setText(QString::number(BaseballBalls));
    FocusMainVolumeBar();
}

void TScoreboard::StrikesButtonClick()
{
    BaseballStrikes = NextCount(BaseballStrikes, 3);
    StrikesButton->setText(QString::number(BaseballStrikes));
    FocusMainVolumeBar();
}

void TScoreboard::BatterResetClick()
{
    BaseballBalls = 0;
    BaseballStrikes = 0;
    BallsButton->setText(QStringLiteral("0"));
    StrikesButton->setText(QStringLiteral("0"));
    FocusMainDummy();
}

void TScoreboard::OutsButtonClick()
{
    BaseballOuts = NextCount(BaseballOuts, 3);
    OutsButton->setText(QString::number(BaseballOuts));
    FocusMainVolumeBar();
}

void TScoreboard::OutsResetClick()
{
    BatterResetClick();
    BaseballOuts = 0;
    OutsButton->setText(QStringLiteral("0"));
}

void TScoreboard::VisitorsButtonClick()
{
    VisitorsButton->setText(QString::number(++BaseballVisitorRuns));
    FocusMainVolumeBar();
}

void TScoreboard::HomeButtonClick()
{
    HomeButton->setText(QString::number(++BaseballHomeRuns));
    FocusMainVolumeBar();
}

void TScoreboard::VisitorsResetButtonClick()
{
    BaseballVisitorRuns = 0;
    VisitorsButton->setText(QStringLiteral("0"));
    FocusMainDummy();
}

void TScoreboard::HomeResetButtonClick()
{
    BaseballHomeRuns = 0;
    HomeButton->setText(QStringLiteral("0"));
    FocusMainDummy();
}

void TScoreboard::InningButtonClick()
{
    const bool wasTop = TopHalf();
    ShowBattingSide(wasTop);
    if (!wasTop) {
        ++BaseballInning;
        InningButton->setText(QString::number(BaseballInning));
    }
    if (Attached() && Ctx().lineups.LineupsActive) {
        ShowAtBat();
    }
    FocusMainVolumeBar();
}

void TScoreboard::InningResetClick()
{
    BaseballInning = 1;
    InningButton->setText(QStringLiteral("1"));
    ShowBattingSide(false);
    FocusMainDummy();
}

void TScoreboard::SBHotKey(QKeyEvent* key)
{
    if (!Attached()) {
        return;
    }
    GameDayContext& ctx = Ctx();
    if (!ctx.settings.HotKey) {
        FocusMainVolumeBar();
        return;
    }
    if (HandOnScoreboardHotKey(ctx, *key)) {
        const int cursor = ctx.playback.ManualControlButton;
        if (cursor >= 1 && cursor <= ButtonCount && ctx.form.SoundButtons[static_cast<std::size_t>(cursor)]) {
            SetFace(ctx.form.SoundButtons[static_cast<std::size_t>(cursor)], ctx.settings.ButtonColor);
        }
    }
}
