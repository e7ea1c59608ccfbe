// The baseball, multi-sport and Australian football scoreboards: their counts, lights, arrows and
// texts after the click sequences an operator makes, and the hot keys they hand to the board.
#include "GameDayFixture.h"

#include "controls/ColorPanel.h"
#include "controls/SlideBar.h"
#include "controls/zLed.h"
#include "tools/ScoreboardHotKeys.h"
#include "tools/TFormAustralianFootball.h"
#include "tools/TFormGenericScoreboard.h"
#include "tools/TScoreboard.h"
#include "tools/TeamNameEditing.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Baseball = GameDayFixture;

TEST_F(Baseball, CountButtonsWrapAndRunsGrow)
{
    TScoreboard sb(form.get());
    sb.Attach(*ctx);
    QStringList balls;
    for (int i = 0; i < 5; ++i) {
        sb.BallsButton->click();
        balls << sb.BallsButton->text();
    }
    EXPECT_EQ(balls.join(u','), QStringLiteral("1,2,3,4,0"));
    for (int i = 0; i < 4; ++i) {
        sb.OutsButton->click();
    }
    EXPECT_EQ(sb.OutsButton->text(), QStringLiteral("0"));
    for (int i = 0; i < 12; ++i) {
        sb.HomeButton->click();
    }
    EXPECT_EQ(sb.HomeButton->text(), QStringLiteral("12"));
    sb.StrikesButton->click();
    sb.OutsButton->click();
    sb.OutsResetClick();
    EXPECT_EQ(sb.BaseballStrikes + sb.BaseballBalls + sb.BaseballOuts, 0);
}

TEST_F(Baseball, TheInningTurnsAtTheBottomAndColoursTheSideAtBat)
{
    TScoreboard sb(form.get());
    sb.Attach(*ctx);
    EXPECT_EQ(sb.VisitorsPanel->Color(), clLime);
    EXPECT_EQ(sb.HomePanel->Color(), clTeal);
    sb.InningButton->click();
    EXPECT_EQ(sb.HomePanel->Color(), clLime);
    EXPECT_FALSE(sb.lblTop->isEnabled());
    EXPECT_EQ(sb.InningButton->text(), QStringLiteral("1"));
    sb.InningButton->click();
    EXPECT_EQ(sb.InningButton->text(), QStringLiteral("2"));
    EXPECT_EQ(sb.VisitorsPanel->Color(), clLime);
    sb.InningResetClick();
    EXPECT_EQ(sb.InningButton->text(), QStringLiteral("1"));
}

TEST_F(Baseball, TheAtBatLineFollowsTheLineupsAndWrapsAfterNine)
{
    lineups.LineupsActive = true;
    lineups.PrecedeWithNumber = true;
    lineups.VisitorPlayers[3] = QStringLiteral("  12 Casey ");
    lineups.VisitorPositions[3] = QStringLiteral("Positions");
    lineups.VisitorPlayers[4] = QStringLiteral("7 Ruth");
    lineups.VisitorPositions[4] = QStringLiteral("10 - Designated Hitter");
    lineups.VisitorPlayers[5] = QStringLiteral("9 Blank");
    lineups.VisitorPositions[5] = QStringLiteral(" ");
    EXPECT_EQ(TScoreboard::AtBatText(lineups, false, 3), QStringLiteral("3.  #12 Casey"));
    EXPECT_EQ(TScoreboard::AtBatText(lineups, false, 4), QStringLiteral("4.  #7 Ruth - Designated Hitter"));
    EXPECT_EQ(TScoreboard::AtBatText(lineups, false, 5), QStringLiteral("5.  #9 Blank"));
    lineups.PrecedeWithNumber = false;
    lineups.HomePlayers[1] = QStringLiteral("Mays");
    lineups.HomePositions[1] = QStringLiteral("8 - Center Field");
    EXPECT_EQ(TScoreboard::AtBatText(lineups, true, 1), QStringLiteral("1.  Mays - Center Field"));

    TScoreboard sb(form.get());
    sb.Attach(*ctx);
    sb.PlayerAtBat();
    EXPECT_FALSE(sb.AtBatBox->isHidden());
    for (int i = 0; i < 9; ++i) {
        sb.NextPlayer();
    }
    EXPECT_EQ(lineups.VisitorBatter, 1);
    EXPECT_TRUE(sb.lblPlayer->text().startsWith(QStringLiteral("1.  ")));
    lineups.LineupsActive = false;
    sb.PlayerAtBat();
    EXPECT_TRUE(sb.AtBatBox->isHidden());
}

TEST_F(Baseball, HotKeysLookInGroupsAToDAndNeverHandOnALockedButton)
{
    board.ButtonHotKey[6][1][1] = QStringLiteral("0K");
    board.ButtonHotKey[2][7][30] = QStringLiteral("1F5");
    board.ButtonHotKey[3][1][2] = QStringLiteral("0L");
    board.ButtonState[3][1][2] = bstLocked;
    ScoreboardHotKeyMatch match;
    EXPECT_FALSE(FindScoreboardHotKey(board, QStringLiteral("0K"), match));
    EXPECT_FALSE(FindScoreboardHotKey(board, QStringLiteral("0L"), match));
    ASSERT_TRUE(FindScoreboardHotKey(board, QStringLiteral("1F5"), match));
    EXPECT_EQ(match.group, 2);
    EXPECT_EQ(match.page, 7);
    EXPECT_EQ(match.button, 30);

    TScoreboard sb(form.get());
    sb.Attach(*ctx);
    settings.HotKey = true;
    QKeyEvent altF5(QEvent::KeyRelease, Qt::Key_F5, Qt::AltModifier);
    sb.SBHotKey(&altF5);
    EXPECT_TRUE(playback.HotKeyPending);
    EXPECT_EQ(playback.HotKeyButton, 30);
    playback.HotKeyPending = false;
    settings.HotKey = false;
    sb.SBHotKey(&altF5);
    EXPECT_FALSE(playback.HotKeyPending);
}

TEST_F(Baseball, TypingATeamNameStopsHotKeysUntilTheEditIsLeftOrTheWindowCloses)
{
    TScoreboard sb(form.get());
    sb.Attach(*ctx);
    sb.show();
    QTest::mouseDClick(sb.HomeTeamEdit, Qt::LeftButton);
    EXPECT_FALSE(sb.KeyPreview());
    EXPECT_FALSE(sb.HomeTeamEdit->isReadOnly());
    sb.hide();
    EXPECT_TRUE(sb.KeyPreview());
    EXPECT_TRUE(sb.HomeTeamEdit->isReadOnly());
}

TEST_F(Baseball, ACountAndAPointHandTheKeyboardBackToTheBoard)
{
    form->show();
    TScoreboard baseball(form.get());
    TFormGenericScoreboard generic(form.get());
    baseball.Attach(*ctx);
    generic.Attach(*ctx);
    generic.ConfigureSport(Sport::Basketball);
    const auto clickOn = [this](QDialog& sb, QAbstractButton* button, QWidget* focused) {
        sb.show();
        sb.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sb));
        button->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form.get(); }, 2000));
        EXPECT_EQ(QApplication::focusWidget(), focused);
    };
    clickOn(baseball, baseball.BallsButton, form->VolumeControl);
    clickOn(generic, generic.HomePlus[1], form->DummyButton); // +2
}

using MultiSport = GameDayFixture;

TEST_F(MultiSport, PointsUndoOnceAndNeverGoBelowZero)
{
    TFormGenericScoreboard sb(form.get());
    sb.Attach(*ctx);
    sb.ConfigureSport(Sport::Basketball);
    sb.PlusClick(true, 3);
    sb.PlusClick(true, 2);
    sb.UndoClick(true);
    EXPECT_EQ(sb.HomeScore->Caption(), QStringLiteral("3"));
    sb.UndoClick(true);
    EXPECT_EQ(sb.HomeScore->Caption(), QStringLiteral("2"));
    sb.UndoClick(false);
    EXPECT_EQ(sb.VisitorsScore->Caption(), QStringLiteral("00"));
    EXPECT_FALSE(sb.HomePlus[3]->isVisibleTo(&sb));
    sb.ConfigureSport(Sport::Football);
    EXPECT_TRUE(sb.HomePlus[3]->isVisibleTo(&sb));
}

TEST_F(MultiSport, HockeyLightsThreePeriodsAndTheThirdIsLightFive)
{
    TFormGenericScoreboard sb(form.get());
    sb.ConfigureSport(Sport::Hockey);
    EXPECT_EQ(sb.lblQuarter->text(), QStringLiteral("  PERIOD"));
    EXPECT_EQ(sb.zLed[3]->x(), 61);
    EXPECT_FALSE(sb.zLed[2]->isVisibleTo(&sb));
    EXPECT_TRUE(sb.zLed[5]->isVisibleTo(&sb));
    sb.QuarterClick(5);
    EXPECT_TRUE(sb.zLed[1]->Enabled());
    EXPECT_EQ(sb.zLed[1]->LEDColor(), LedColorType::lctRed);
    EXPECT_TRUE(sb.zLed[3]->Enabled());
    EXPECT_EQ(sb.zLed[5]->LEDColor(), LedColorType::lctGreen);
    EXPECT_TRUE(sb.zLed[5]->Enabled());
    sb.QuarterClick(1);
    EXPECT_FALSE(sb.zLed[3]->Enabled());
}

TEST_F(MultiSport, VolleyballWinsStayVisibleAndStartDark)
{
    TFormGenericScoreboard sb(form.get());
    sb.ConfigureSport(Sport::Volleyball);
    sb.WinsClick(true);
    sb.WinsClick(true);
    EXPECT_TRUE(sb.zLedHome[2]->Enabled());
    EXPECT_FALSE(sb.zLedHome[3]->Enabled());
    sb.ConfigureSport(Sport::Volleyball);
    EXPECT_EQ(sb.HomeWins, 0);
    EXPECT_FALSE(sb.zLedHome[1]->Enabled());
    sb.ConfigureSport(Sport::Basketball);
    EXPECT_TRUE(sb.ButtonHomeWins->isVisibleTo(&sb));
    for (int i = 0; i < 4; ++i) {
        sb.WinsClick(false);
    }
    EXPECT_EQ(sb.VisitorWins, 0);
}

TEST_F(MultiSport, ArrowsMarkPossessionAndOnlyOutsideBasketballColourThePanels)
{
    TFormGenericScoreboard sb(form.get());
    sb.Attach(*ctx);
    sb.ConfigureSport(Sport::Basketball);
    sb.PosHomeClick();
    EXPECT_EQ(sb.PosHome->FontColor(), clRed);
    EXPECT_EQ(sb.HomePanel->Color(), clTeal);
    sb.ConfigureSport(Sport::Lacrosse);
    sb.PosVisitorsClick();
    EXPECT_EQ(sb.VisitorsPanel->Color(), clLime);
    EXPECT_EQ(sb.PosHome->FontColor(), 0x000080);
    settings.HotKey = false;
    QKeyEvent left(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
    sb.FormKeyUp(&left);
    EXPECT_EQ(sb.PosHome->FontColor(), clLime);
}

TEST_F(MultiSport, OpeningTheWindowStartsAFreshGame)
{
    TFormGenericScoreboard sb(form.get());
    sb.ConfigureSport(Sport::Soccer);
    sb.PlusClick(false, 1);
    sb.QuarterClick(2);
    sb.show();
    EXPECT_EQ(sb.VisitorsScore->Caption(), QStringLiteral("00"));
    EXPECT_FALSE(sb.zLed[2]->Enabled());
}

using Australian = GameDayFixture;

TEST_F(Australian, TotalsAreSixPerGoalPlusBehinds)
{
    TFormAustralianFootball sb(form.get());
    sb.Attach(*ctx);
    sb.GoalsClick(true);
    sb.GoalsClick(true);
    for (int i = 0; i < 3; ++i) {
        sb.BehindsClick(true);
    }
    EXPECT_EQ(sb.HomeTotals->Caption(), QStringLiteral("15"));
    sb.GoalsUndoClick(false);
    EXPECT_EQ(sb.VisitorGoals->Caption(), QStringLiteral("0"));
    sb.BehindsClick(false);
    EXPECT_EQ(sb.VisitorTotals->Caption(), QStringLiteral("1"));
    sb.TeamResetClick(true);
    EXPECT_EQ(sb.HomeGoals->Caption() + sb.HomeBehinds->Caption() + sb.HomeTotals->Caption(),
              QStringLiteral("000000"));
    sb.QuarterClick(3);
    EXPECT_TRUE(sb.zLed[2]->Enabled());
    EXPECT_EQ(sb.zLed[3]->LEDColor(), LedColorType::lctGreen);
    EXPECT_FALSE(sb.zLed[4]->Enabled());
}

TEST_F(Australian, AQuarterLightHandsTheKeyboardBackToTheBoard)
{
    form->show();
    TFormAustralianFootball sb(form.get());
    sb.Attach(*ctx);
    sb.show();
    sb.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sb));
    sb.QuarterClick(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form.get(); }, 2000));
    EXPECT_EQ(QApplication::focusWidget(), form->DummyButton);
    EXPECT_TRUE(sb.isVisible());
}

} // namespace
