#include "tools/TFormAustralianFootball.h"

#include "board/MainForm.h"
#include "controls/ColorPanel.h"
#include "controls/zLed.h"
#include "tools/GameDayContext.h"
#include "tools/GameDayWidgets.h"
#include "tools/ScoreboardPlacement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kZero = QStringLiteral("00");

} // namespace

TFormAustralianFootball::TFormAustralianFootball(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAustralianFootball"));
    setWindowTitle(QStringLiteral("Australian Football"));
    setModal(false);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildSide(true));
    auto* centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("CentrePanel"));
    centre->setMinimumSize(130, 80);
    GameDayLabel(centre, QStringLiteral("Label1"), QStringLiteral("QUARTER"))->setGeometry(30, 8, 80, 20);
    for (int n = 1; n <= 4; ++n) {
        auto* led = new TzLed(centre);
        led->setObjectName(QStringLiteral("zLed%1").arg(n));
        led->setGeometry(9 + (n - 1) * 30, 37, 20, 20);
        led->OnClick = [this, n](QObject*) { QuarterClick(n); };
        zLed[static_cast<std::size_t>(n)] = led;
    }
    layout->addWidget(centre);
    layout->addWidget(BuildSide(false));
    FormCreate();
}

QWidget* TFormAustralianFootball::BuildSide(bool home)
{
    const QString side = home ? QStringLiteral("Home") : QStringLiteral("Visitor");
    TColorPanel* panel =
        GameDayPanel(this, home ? QStringLiteral("HomePanel") : QStringLiteral("Panel5"), clTeal);
    auto* column = new QVBoxLayout(panel);
    QLineEdit* name = new QLineEdit(home ? QStringLiteral("HOME") : QStringLiteral("VISITORS"), panel);
    name->setObjectName(home ? QStringLiteral("HomeEdit") : QStringLiteral("VisitorEdit"));
    name->setStyleSheet(QStringLiteral("color: white; background: black;"));
    column->addWidget(name);
    auto part = [&](const QString& title, const QString& partName, bool goals) {
        auto* box = new QGroupBox(title, panel);
        auto* row = new QHBoxLayout(box);
        TColorPanel* value = GameDayPanel(box, side + partName, clWhite);
        value->setMinimumSize(40, 30);
        row->addWidget(value);
        auto* undo = GameDayButton(box, side + partName + QStringLiteral("UndoButton"), QStringLiteral("-1"));
        auto* reset =
            GameDayButton(box, side + partName + QStringLiteral("ResetButton"), QStringLiteral("Reset"));
        row->addWidget(undo);
        row->addWidget(reset);
        column->addWidget(box);
        connect(value, &TColorPanel::clicked, this,
                [this, home, goals] { goals ? GoalsClick(home) : BehindsClick(home); });
        connect(undo, &QPushButton::clicked, this,
                [this, home, goals] { goals ? GoalsUndoClick(home) : BehindsUndoClick(home); });
        connect(reset, &QPushButton::clicked, this,
                [this, home, goals] { goals ? GoalsResetClick(home) : BehindsResetClick(home); });
        return value;
    };
    (home ? HomeGoals : VisitorGoals) = part(QStringLiteral("    GOALS    "), QStringLiteral("Goals"), true);
    (home ? HomeBehinds : VisitorBehinds) =
        part(QStringLiteral("  BEHINDS  "), QStringLiteral("Behinds"), false);
    auto* totalBox = new QGroupBox(QStringLiteral(" TOTAL "), panel);
    auto* totalRow = new QHBoxLayout(totalBox);
    TColorPanel* total = GameDayPanel(totalBox, side + QStringLiteral("Totals"), clWhite);
    total->setMinimumSize(40, 30);
    totalRow->addWidget(total);
    column->addWidget(totalBox);
    (home ? HomeTotals : VisitorTotals) = total;
    auto* teamReset = GameDayButton(panel, side + QStringLiteral("ResetButton"), QStringLiteral("Reset"));
    column->addWidget(teamReset);
    connect(teamReset, &QPushButton::clicked, this, [this, home] { TeamResetClick(home); });
    return panel;
}

void TFormAustralianFootball::Attach(const GameDayContext& context)
{
    ctx_.emplace(context);
}

void TFormAustralianFootball::ShowBesideBoard()
{
    ShowScoreboardBesideBoard(ctx_ ? &ctx_->form : nullptr, *this);
}

void TFormAustralianFootball::FormCreate()
{
    for (TColorPanel* panel :
         {HomeGoals, HomeBehinds, HomeTotals, VisitorGoals, VisitorBehinds, VisitorTotals}) {
        panel->SetCaption(kZero);
    }
    for (int n = 1; n <= 4; ++n) {
        zLed[static_cast<std::size_t>(n)]->SetLEDColor(LedColorType::lctRed);
        zLed[static_cast<std::size_t>(n)]->SetEnabled(false);
    }
}

void TFormAustralianFootball::ShowTotal(bool home)
{
    TColorPanel* goals = home ? HomeGoals : VisitorGoals;
    TColorPanel* behinds = home ? HomeBehinds : VisitorBehinds;
    const int total = ScoreValue(goals->Caption()) * 6 + ScoreValue(behinds->Caption());
    (home ? HomeTotals : VisitorTotals)->SetCaption(QString::number(total));
}

void TFormAustralianFootball::Step(TColorPanel* panel, int delta, bool home)
{
    const int value = ScoreValue(panel->Caption()) + delta;
    panel->SetCaption(QString::number(value < 0 ? 0 : value));
    ShowTotal(home);
}

void TFormAustralianFootball::GoalsClick(bool home)
{
    Step(home ? HomeGoals : VisitorGoals, 1, home);
}

void TFormAustralianFootball::BehindsClick(bool home)
{
    Step(home ? HomeBehinds : VisitorBehinds, 1, home);
}

void TFormAustralianFootball::GoalsUndoClick(bool home)
{
    Step(home ? HomeGoals : VisitorGoals, -1, home);
}

void TFormAustralianFootball::BehindsUndoClick(bool home)
{
    Step(home ? HomeBehinds : VisitorBehinds, -1, home);
}

void TFormAustralianFootball::GoalsResetClick(bool home)
{
    (home ? HomeGoals : VisitorGoals)->SetCaption(kZero);
    ShowTotal(home);
}

void TFormAustralianFootball::BehindsResetClick(bool home)
{
    (home ? HomeBehinds : VisitorBehinds)->SetCaption(kZero);
    ShowTotal(home);
}

void TFormAustralianFootball::TeamResetClick(bool home)
{
    for (TColorPanel* panel :
         home ? std::array<TColorPanel*, 3>{HomeGoals, HomeBehinds, HomeTotals}
              : std::array<TColorPanel*, 3>{VisitorGoals, VisitorBehinds, VisitorTotals}) {
        panel->SetCaption(kZero);
    }
}

void TFormAustralianFootball::QuarterClick(int light)
{
    for (int n = 1; n <= 4; ++n) {
        TzLed* led = zLed[static_cast<std::size_t>(n)];
        led->SetLEDColor(n == light ? LedColorType::lctGreen : LedColorType::lctRed);
        led->SetEnabled(n <= light);
    }
    if (ctx_) {
        GiveKeyboardBack(ctx_->form.DummyButton);
    }
}
