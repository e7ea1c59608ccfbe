// The keyboard, Next and the play-mode buttons driven through the real main window: key events on
// its focus button, clicks on its mode buttons, with the engine on the manual clock.
#include "RealWindowFixture.h"

#include "audio/EngineManual.h"
#include "board/MainFormButtons.h"
#include "controls/ColorPanel.h"
#include "controls/SlideBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace PlaybackTest;

class ModeButtonsRealWindow : public RealWindowFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString base = dir.path() + QStringLiteral("/");
        QByteArray set = "[Main]\r\nCreatedBy=Rallybox\r\n\r\n[Page1]\r\nPageName=Warmup\r\nPagePlay=T\r\n"
                         "RapidFire=F\r\nPageShuffle=F\r\nPageColor=clBlack\r\n";
        for (int b = 1; b <= 3; ++b) {
            const QString path = base + QStringLiteral("s%1.wav").arg(b);
            WriteWav(path, 2, kRate, [](int, int) { return 0.5; });
            set += QStringLiteral("c%1=Sound %1\r\ns%1=%2\r\nt%1=00:01\r\n").arg(b).arg(path).toUtf8();
        }
        set += "h2=2C\r\nh3=0C\r\n\r\n";
        BuildWindow(set);
        settings.SpaceBarStop = true;
        settings.ActiveButtonColor = clInfoBk;
    }

    QPushButton* Mode(TBitBtnWithColor* button) const { return AsPushButton(button); }
};

TEST_F(ModeButtonsRealWindow, SpaceOnTheFocusButtonStartsThePlayListAndStopsIt)
{
    ASSERT_TRUE(form->PlayListMode);
    QTest::keyClick(form->DummyButton, Qt::Key_Space);
    EXPECT_TRUE(form->Playing);
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlaying);
    EXPECT_EQ(form->ButtonPanels[1]->Color(), clLime);
    EXPECT_EQ(form->SoundPlaying->text(), QStringLiteral("[A/Warmup] - ") + board.ButtonFile[1][1][1]);

    QTest::keyClick(form->DummyButton, Qt::Key_Space);
    EXPECT_FALSE(form->Playing);
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlayed);
    EXPECT_FALSE(Mode(form->StopPlayButton)->isEnabled());
}

TEST_F(ModeButtonsRealWindow, AnAutoRepeatedReleaseDoesNothingAndAHotKeyPlaysItsButton)
{
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(form->DummyButton, &repeated);
    EXPECT_FALSE(form->Playing);

    QTest::keyClick(form->DummyButton, Qt::Key_C);
    EXPECT_TRUE(form->Playing);
    EXPECT_EQ(board.ButtonState[1][1][3], bstPlaying);
    EXPECT_EQ(FaceOf(form->SoundButtons[3]), clLime);
    // A hot key ends play-list mode on the window too.
    EXPECT_FALSE(form->PlayListMode);
}

TEST_F(ModeButtonsRealWindow, ACtrlHotKeyLetGoAfterCtrlPlaysItsOwnButtonAndAnUnseenReleaseNothing)
{
    // A release whose press went elsewhere fires nothing.
    QTest::keyRelease(form->DummyButton, Qt::Key_C);
    EXPECT_FALSE(form->Playing);

    // Ctrl let go first: C's release comes without Ctrl, and still means Ctrl+C.
    QTest::keyPress(form->DummyButton, Qt::Key_C, Qt::ControlModifier);
    QTest::keyRelease(form->DummyButton, Qt::Key_C);
    EXPECT_EQ(board.ButtonState[1][1][2], bstPlaying);
    EXPECT_NE(board.ButtonState[1][1][3], bstPlaying);
}

TEST_F(ModeButtonsRealWindow, NumpadPlusRaisesTheMasterVolumeBarAndItsHint)
{
    const int before = form->VolumeControl->Value();
    ASSERT_LT(before, 100);
    QTest::keyClick(form->DummyButton, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(form->VolumeControl->Value(), before + 1);
    EXPECT_EQ(settings.Volume, before + 1);
    EXPECT_EQ(form->VolumeControl->toolTip(), QStringLiteral("Volume: %1%").arg(before + 1));
    QTest::keyClick(form->DummyButton, Qt::Key_Minus);
    EXPECT_EQ(form->VolumeControl->Value(), before);
}

TEST_F(ModeButtonsRealWindow, PlayListAndShuffleButtonsShowTheirModeByColourAndCaption)
{
    ASSERT_EQ(FaceOf(form->PlayListButton), settings.ActiveButtonColor);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get(), 2000));
    Mode(form->ShuffleButton)->setFocus();
    QTest::mouseClick(Mode(form->ShuffleButton), Qt::LeftButton);
    EXPECT_TRUE(settings.Shuffle);
    // The click hands the keyboard focus back to the hidden focus button.
    EXPECT_EQ(QApplication::focusWidget(), form->DummyButton);
    EXPECT_EQ(FaceOf(form->ShuffleButton), settings.ActiveButtonColor);
    QTest::mouseClick(Mode(form->ShuffleButton), Qt::LeftButton);
    EXPECT_EQ(Mode(form->ShuffleButton)->text(), QStringLiteral("Shuffle All"));
    EXPECT_TRUE(state.ShuffleAll);

    QTest::mouseClick(Mode(form->PlayListButton), Qt::LeftButton);
    EXPECT_FALSE(form->PlayListMode);
    EXPECT_EQ(FaceOf(form->PlayListButton), settings.ButtonColor);
    EXPECT_EQ(board.PagePlay[1][1], QStringLiteral("F"));
    EXPECT_EQ(board.PageShuffle[1][1], QStringLiteral("F"));
    EXPECT_FALSE(Mode(form->ShuffleButton)->isEnabled());
    EXPECT_EQ(Mode(form->ShuffleButton)->text(), QStringLiteral("Shuffle"));
    EXPECT_TRUE(board.BoardChanged);

    QTest::mouseClick(Mode(form->MultiPlayButton), Qt::LeftButton);
    EXPECT_TRUE(settings.MultiPlay);
    EXPECT_FALSE(Mode(form->PlayListButton)->isEnabled());
    EXPECT_FALSE(Mode(form->NextButton)->isEnabled());
    EXPECT_EQ(FaceOf(form->MultiPlayButton), settings.ActiveButtonColor);
}

TEST_F(ModeButtonsRealWindow, NextButtonMovesThePlayListOnByHand)
{
    QTest::keyClick(form->DummyButton, Qt::Key_Space);
    ASSERT_EQ(board.ButtonState[1][1][1], bstPlaying);
    QTest::mouseClick(Mode(form->NextButton), Qt::LeftButton);
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(board.ButtonState[1][1][2], bstPlaying);
    EXPECT_EQ(selection.PlayingButton, 2);
    EXPECT_TRUE(form->PlayListRunning);
    EXPECT_TRUE(form->Playing);
}

TEST_F(ModeButtonsRealWindow, AProgressionTickInsideTheBoxOfMultiPlayOffKeepsThePlayListModeItSet)
{
    QTest::mouseClick(Mode(form->MultiPlayButton), Qt::LeftButton);
    ASSERT_FALSE(form->PlayListMode);
    // Turning MultiPlay off brings back the page's play-list mode and then shows the page, which in
    // edit mode opens the page editor; the progression timer keeps ticking while it is open.
    board.EditMode = true;
    int ticks = 0;
    windows.FormChangePageButton = [&] {
        QSignalSpy tick(form->ProgressionTimer, &QTimer::timeout);
        EXPECT_TRUE(tick.wait(2000));
        ticks = static_cast<int>(tick.count());
        return static_cast<int>(mrCancel);
    };
    QTest::mouseClick(Mode(form->MultiPlayButton), Qt::LeftButton);
    ASSERT_FALSE(settings.MultiPlay);
    ASSERT_GE(ticks, 1);
    EXPECT_TRUE(state.PlayListMode);
    EXPECT_TRUE(form->PlayListMode);
}
