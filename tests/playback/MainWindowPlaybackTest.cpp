// The play paths driven through the real main window: clicks on its slot widgets and buttons,
// with the engine on the manual clock and scripted dialogs.
#include "RealWindowFixture.h"

#include "audio/EngineManual.h"
#include "board/MainFormButtons.h"
#include "controls/ColorPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace PlaybackTest;

class MainWindowPlayback : public RealWindowFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString base = dir.path() + QStringLiteral("/");
        sound = base + QStringLiteral("horn.wav");
        WriteWav(sound, 2, kRate * 3, [](int, int) { return 0.5; });
        BuildWindow("[Main]\r\nCreatedBy=Rallybox\r\n\r\n[Page1]\r\nPageName=Warmup\r\nPagePlay=F\r\n"
                    "RapidFire=F\r\nPageShuffle=F\r\nPageColor=clBlack\r\nc1=Horn\r\ns1=" +
                    sound.toUtf8() + "\r\nt1=00:03\r\nc2=Gone\r\ns2=" + base.toUtf8() +
                    "gone.wav\r\nt2=00:05\r\n\r\n");
    }

    float Level(int frames)
    {
        std::vector<float> out(static_cast<std::size_t>(2 * frames));
        EngineRenderManual(out.data(), frames);
        return out[out.size() - 2];
    }

    QString sound;
};

TEST_F(MainWindowPlayback, PanelClickPlaysAndStopButtonEndsTheSound)
{
    ASSERT_EQ(selection.CurrentPage, 1);
    QTest::mouseClick(form->ButtonPanels[1], Qt::LeftButton);
    EXPECT_EQ(form->ButtonPanels[1]->Color(), clLime);
    EXPECT_EQ(FaceOf(form->SoundButtons[1]), clInfoBk);
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlaying);
    EXPECT_TRUE(form->Playing);
    EXPECT_EQ(form->SoundPlaying->text(), QStringLiteral("[A/Warmup] - ") + sound);
    EXPECT_TRUE(AsPushButton(form->StopPlayButton)->isEnabled());
    // The master volume stands at the settings' 50 %.
    EXPECT_EQ(settings.Volume, 50);
    EXPECT_NEAR(Level(kRate / 10), 0.25f, 0.01f);

    QTest::mouseClick(AsPushButton(form->StopPlayButton), Qt::LeftButton);
    EXPECT_EQ(form->ButtonPanels[1]->Color(), clRed);
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlayed);
    EXPECT_FALSE(form->Playing);
    EXPECT_FALSE(AsPushButton(form->StopPlayButton)->isEnabled());
    EXPECT_EQ(Level(kRate / 100), 0.0f);
}

// "Now Playing:" goes when the sound ends, while the line itself stays, so the edit mode notice
// (and drag mode's) still shows after anything has played.
TEST_F(MainWindowPlayback, TheEditModeNoticeShowsAfterASoundHasEnded)
{
    QTest::mouseClick(form->ButtonPanels[1], Qt::LeftButton);
    ASSERT_TRUE(form->Playing);
    EXPECT_FALSE(form->Label2->isHidden());
    QTest::mouseClick(AsPushButton(form->StopPlayButton), Qt::LeftButton);
    ASSERT_FALSE(form->Playing);
    EXPECT_TRUE(form->Label2->isHidden());
    EXPECT_TRUE(form->SoundPlaying->text().isEmpty());

    QTest::mouseClick(AsPushButton(form->EditButton), Qt::LeftButton);
    ASSERT_TRUE(board.EditMode);
    EXPECT_EQ(form->SoundPlaying->text(), QStringLiteral("****** NOTICE:  PROGRAM IN EDIT MODE!!! ******"));
    EXPECT_FALSE(form->SoundPlaying->isHidden());
}

TEST_F(MainWindowPlayback, MissingFileClickShowsTheWarningAndPaintsFuchsia)
{
    QTest::mouseClick(AsPushButton(form->SoundButtons[2]), Qt::LeftButton);
    ASSERT_FALSE(dialogs.Texts().isEmpty());
    EXPECT_EQ(dialogs.Texts().last(), QStringLiteral("Sound File Not Found"));
    EXPECT_EQ(form->ButtonPanels[2]->Color(), clFuchsia);
    EXPECT_EQ(board.ButtonState[1][1][2], bstFileMissing);
    EXPECT_FALSE(form->Playing);
}

TEST_F(MainWindowPlayback, PauseButtonPausesAndResumesTheChannel)
{
    QTest::mouseClick(form->ButtonPanels[1], Qt::LeftButton);
    QTest::mouseClick(AsPushButton(form->PauseButton), Qt::LeftButton);
    EXPECT_TRUE(state.Paused);
    EXPECT_EQ(FaceOf(form->PauseButton), settings.ActiveButtonColor);
    EXPECT_EQ(Level(kRate / 100), 0.0f);
    QTest::mouseClick(AsPushButton(form->PauseButton), Qt::LeftButton);
    EXPECT_FALSE(state.Paused);
    EXPECT_NEAR(Level(kRate / 100), 0.25f, 0.01f);
}

TEST_F(MainWindowPlayback, AMovedPlayingSoundKeepsItsChannelAndEndsPlayedAtItsNewPlace)
{
    QTest::mouseClick(form->ButtonPanels[1], Qt::LeftButton);
    ASSERT_EQ(board.ButtonState[1][1][1], bstPlaying);
    form->SoundToPage(1, 1, 1, QStringLiteral("4"));
    EXPECT_EQ(board.ButtonState[1][4][1], bstPlaying);
    EXPECT_EQ(state.ChannelPage[1], 4);
    EXPECT_EQ(state.ChannelButton[1], 1);
    EXPECT_EQ(selection.PlayingPage, 4);
    EXPECT_NEAR(Level(kRate / 100), 0.25f, 0.01f);

    QTest::mouseClick(AsPushButton(form->StopPlayButton), Qt::LeftButton);
    EXPECT_EQ(board.ButtonState[1][4][1], bstPlayed);
    // The old place stays empty.
    EXPECT_EQ(board.ButtonState[1][1][1], bstUnplayed);
    EXPECT_TRUE(board.ButtonCaption[1][1][1].isEmpty());
}

TEST_F(MainWindowPlayback, AStoppedCueEntryTurnsItsOriginPlayedAndLeavesTheCueWithCueDelete)
{
    settings.CueDelete = true;
    form->PopupComponentName = QStringLiteral("Panel1");
    form->PopupCueClick();
    ASSERT_EQ(board.ButtonState[1][1][1], bstCued);
    ASSERT_EQ(board.ButtonCaption[CueGroup][CuePage][1], QStringLiteral("Horn"));
    QTest::mouseClick(AsPushButton(form->CueButton), Qt::LeftButton);
    ASSERT_EQ(selection.CurrentPage, CuePage);
    QTest::mouseClick(form->ButtonPanels[1], Qt::LeftButton);
    ASSERT_EQ(form->ButtonPanels[1]->Color(), clLime);

    QTest::mouseClick(AsPushButton(form->StopPlayButton), Qt::LeftButton);
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlayed);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[CueGroup][CuePage][1]));
    EXPECT_EQ(form->ButtonPanels[1]->Color(), clTeal);
    EXPECT_EQ(board.CueOriginButton[1], 0);
}

TEST_F(MainWindowPlayback, ACueEntryRestartedByAClickPlaysAgainWithCueDelete)
{
    settings.CueDelete = true;
    ASSERT_EQ(settings.PlayStop, QStringLiteral("PLAY"));
    form->PopupComponentName = QStringLiteral("Panel1");
    form->PopupCueClick();
    QTest::mouseClick(AsPushButton(form->CueButton), Qt::LeftButton);
    ASSERT_EQ(selection.CurrentPage, CuePage);
    QTest::mouseClick(form->ButtonPanels[1], Qt::LeftButton);
    ASSERT_EQ(form->ButtonPanels[1]->Color(), clLime);

    QTest::mouseClick(form->ButtonPanels[1], Qt::LeftButton);
    EXPECT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(board.ButtonCaption[CueGroup][CuePage][1], QStringLiteral("Horn"));
    EXPECT_EQ(board.ButtonState[CueGroup][CuePage][1], bstPlaying);
    EXPECT_EQ(form->ButtonPanels[1]->Color(), clLime);
    EXPECT_NEAR(Level(100), 0.25f, 0.01f);
    // The entry leaves the cue when the replay ends, as any played entry does.
    QTest::mouseClick(AsPushButton(form->StopPlayButton), Qt::LeftButton);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[CueGroup][CuePage][1]));
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlayed);
}
