// The custom cue editor offscreen on generated WAV files, with scripted dialogs and the audio
// engine on its manual clock.
#include "EditorFixture.h"

#include "board/SetFile.h"
#include "board/Tracer.h"
#include "controls/ButtonWithColor.h"
#include "controls/ClickLabel.h"
#include "controls/SlideBar.h"
#include "controls/zShapeBtn.h"
#include "editing/TfrmCustomPlay.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"

#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int TickFrames = 441; // the editor's 10 ms timer on the 44100 Hz engine clock

class CustomPlayTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        cue = std::make_unique<TfrmCustomPlay>(CustomPlayContext{board, selection, settings, dialogs, view});
    }

    void TearDown() override
    {
        cue.reset();
        EditorFixture::TearDown();
    }

    // Runs the engine in mono output from here on.
    void MonoOutput()
    {
        BASS_Free();
        ASSERT_TRUE(EngineInitManual(44100, BASS_DEVICE_MONO));
        settings.StereoMode = false;
    }

    void Button(const QString& file, int start, int end, const QString& on)
    {
        board.ButtonCaption[1][1][5] = QStringLiteral("Intro");
        board.ButtonFile[1][1][5] = file;
        board.ButtonTime[1][1][5] = QStringLiteral("00:02");
        board.ButtonCueStart[1][1][5] = start;
        board.ButtonCueEnd[1][1][5] = end;
        board.ButtonCustomCue[1][1][5] = on;
        Target(1, 1, 5);
    }

    QString SteadyWav(const QString& name, int frames)
    {
        const QString path = dir.path() + QStringLiteral("/") + name;
        EXPECT_TRUE(WriteSteadyWav(path, frames, 16000));
        return path;
    }

    // Renders tick by tick, running the editor's timer after each 10 ms, until the timer stops;
    // returns the frames of the output that were not silent.
    int RenderPreview(int maxTicks)
    {
        const int channels = EngineOutputChannels();
        std::vector<float> out(static_cast<std::size_t>(TickFrames * channels));
        int loud = 0;
        for (int tick = 0; tick < maxTicks && cue->CustomPlayTimer->isActive(); ++tick) {
            EngineRenderManual(out.data(), TickFrames);
            for (int f = 0; f < TickFrames; ++f) {
                loud += std::fabs(out[static_cast<std::size_t>(f * channels)]) > 0.01f;
            }
            cue->CustomPlayTimerTimer();
        }
        return loud;
    }

    ManualClock clock;
    std::unique_ptr<TfrmCustomPlay> cue;
};

} // namespace

TEST(FormatByteCount, GroupsFourToTwelveDigitsWithCommas)
{
    EXPECT_EQ(FormatByteCount(0), QStringLiteral("0"));
    EXPECT_EQ(FormatByteCount(999), QStringLiteral("999"));
    EXPECT_EQ(FormatByteCount(1000), QStringLiteral("1,000"));
    EXPECT_EQ(FormatByteCount(441000), QStringLiteral("441,000"));
    EXPECT_EQ(FormatByteCount(1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(FormatByteCount(123456789012), QStringLiteral("123,456,789,012"));
    EXPECT_EQ(FormatByteCount(1234567890123), QStringLiteral("1234567890123"));
}

TEST_F(CustomPlayTest, MonoOutputShowsHalfTheStoredCuesAndSavesThemBackDoubled)
{
    MonoOutput();
    Button(SteadyWav("intro.wav", 441000), 88200, 441000, QStringLiteral("Y"));
    cue->Open();
    EXPECT_EQ(cue->SetStart->text(), QStringLiteral("44,100"));
    EXPECT_EQ(cue->SetEnd->text(), QStringLiteral("220,500"));
    EXPECT_EQ(FaceOf(cue->SetStartButton), clRed);
    EXPECT_TRUE(cue->CustomPlayOn->isChecked());
    // Mono: the stream's bytes are frames x 2.
    EXPECT_EQ(cue->PanEnd->text(), QStringLiteral("882,000"));
    EXPECT_EQ(cue->CustomPlayTimeEnd->text(), QStringLiteral("00:02"));
    cue->CustomPlaySaveButton->click();
    EXPECT_EQ(cue->result(), 1);
    EXPECT_EQ(board.ButtonCueStart[1][1][5], 88200);
    EXPECT_EQ(board.ButtonCueEnd[1][1][5], 441000);
    EXPECT_EQ(board.ButtonCustomCue[1][1][5], QStringLiteral("Y"));
    EXPECT_TRUE(board.BoardChanged);
}

TEST_F(CustomPlayTest, SaveStoresTheFlagCaptionAndCuesAndTheSetFileKeysFollow)
{
    Button(SteadyWav("intro.wav", 44100), 0, 0, QStringLiteral("N"));
    cue->Open();
    EXPECT_EQ(FaceOf(cue->SetStartButton), clLime);
    cue->CustomPlayProgressBar->SetValue(25);
    EXPECT_EQ(cue->PanPosition->text(), QStringLiteral("44,100"));
    EXPECT_EQ(cue->SetStart->text(), QStringLiteral("44,100"));
    cue->SetStartButton->click();
    cue->CustomPlayProgressBar->SetValue(75);
    cue->SetEndButton->click();
    EXPECT_EQ(cue->SetStart->text(), QStringLiteral("44,100"));
    EXPECT_EQ(cue->SetEnd->text(), QStringLiteral("132,300"));
    cue->SoundName->setText(QStringLiteral("Intro Cut"));
    cue->CustomPlayOn->setChecked(true);
    cue->CustomPlaySaveButton->click();

    EXPECT_EQ(board.ButtonCaption[1][1][5], QStringLiteral("Intro Cut"));
    EXPECT_EQ(view.at(5).caption, QStringLiteral("Intro Cut"));
    EXPECT_EQ(board.ButtonCustomCue[1][1][5], QStringLiteral("Y"));

    Tracer tracer(dir.path(), settings, clock, dialogs);
    SetFile setFile(board, settings, dialogs, tracer, dir.path());
    board.SetFileName = dir.path() + QStringLiteral("/cue.set");
    board.PageName[1][1] = QStringLiteral("Warmup"); // only named pages are written
    ASSERT_TRUE(setFile.SaveSetFile());
    IniFile ini;
    ASSERT_TRUE(ini.LoadFromFile(board.SetFileName));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Page1"), QStringLiteral("ci5"), QString()), QStringLiteral("Y"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Page1"), QStringLiteral("cs5"), QString()),
              QStringLiteral("44100"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Page1"), QStringLiteral("ce5"), QString()),
              QStringLiteral("132300"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Page1"), QStringLiteral("c5"), QString()),
              QStringLiteral("Intro Cut"));
}

TEST_F(CustomPlayTest, OnWithBothCuesZeroStoresNoAndOffKeepsTheCues)
{
    Button(SteadyWav("intro.wav", 44100), 0, 0, QStringLiteral("N"));
    cue->Open();
    cue->CustomPlayOn->setChecked(true);
    cue->CustomPlaySaveButton->click();
    EXPECT_EQ(board.ButtonCustomCue[1][1][5], QStringLiteral("N"));

    Button(board.ButtonFile[1][1][5], 4000, 80000, QStringLiteral("Y"));
    cue->Open();
    cue->CustomPlayOff->setChecked(true);
    cue->CustomPlaySaveButton->click();
    EXPECT_EQ(board.ButtonCustomCue[1][1][5], QStringLiteral("N"));
    EXPECT_EQ(board.ButtonCueStart[1][1][5], 4000);
    EXPECT_EQ(board.ButtonCueEnd[1][1][5], 80000);
}

TEST_F(CustomPlayTest, FineTuneMessagesClampAndNeverEndTheDialog)
{
    Button(SteadyWav("intro.wav", 44100), 20000, 25000, QStringLiteral("Y"));
    cue->Open();
    cue->FineTune10000->click();
    EXPECT_EQ(cue->CustomPlayStep, 10000);
    cue->StartSpinUp->click();
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("Start Cue cannot be equal to or greater than End Point"));
    EXPECT_EQ(cue->CustomPlayStart, 24999);
    EXPECT_EQ(cue->SetStart->text(), QStringLiteral("24,999"));
    EXPECT_TRUE(cue->isVisible());

    cue->FineTune1000->click();
    cue->EndSpinDown->click();
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[1].text, QStringLiteral("End Point cannot be equal to or less than Start Cue"));
    EXPECT_EQ(cue->CustomPlayEnd, 25000);

    // Down from 5,000 by 10,000 stops at 0, the value that means "no end point".
    cue->ResetStartButton->click();
    cue->FineTune10000->click();
    cue->CustomPlayEnd = 5000;
    cue->EndSpinDown->click();
    EXPECT_EQ(cue->CustomPlayEnd, 0);
    EXPECT_EQ(cue->SetEnd->text(), QStringLiteral("0"));
    cue->StartSpinDown->click();
    EXPECT_EQ(cue->CustomPlayStart, 0);
    EXPECT_TRUE(cue->isVisible());
    EXPECT_NE(cue->CurrentChannel, 0u);
}

TEST_F(CustomPlayTest, SettingACueOnTheWrongSideIsRefusedAndUnset)
{
    Button(SteadyWav("intro.wav", 44100), 0, 40000, QStringLiteral("Y"));
    cue->Open();
    cue->CustomPlayProgressBar->SetValue(50); // 88,200, beyond the end point
    cue->SetStartButton->click();
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("Start Cue cannot be equal to or greater than End Point"));
    EXPECT_FALSE(cue->StartCueSet);
    EXPECT_EQ(cue->CustomPlayStart, 0);
    EXPECT_EQ(FaceOf(cue->SetStartButton), clLime);

    cue->ResetEndButton->click();
    cue->CustomPlayProgressBar->SetValue(10);
    cue->SetStartButton->click();
    cue->CustomPlayProgressBar->SetValue(5);
    cue->SetEndButton->click();
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[1].text, QStringLiteral("End Point cannot be less than or equal to Start Cue"));
    EXPECT_FALSE(cue->EndPointSet);
    EXPECT_TRUE(cue->StartCueSet);
    EXPECT_TRUE(cue->isVisible());
}

TEST_F(CustomPlayTest, EveryPlayableTypeOpensAndOthersAreRefused)
{
    // The engine reads the content; the name's last three letters decide the opener.
    const QString bwf = SteadyWav("take.bwf", 4410);
    Button(bwf, 0, 0, QStringLiteral("N"));
    cue->Open();
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_NE(cue->CurrentChannel, 0u);
    EXPECT_EQ(cue->LengthBytes, 4410 * 4);
    cue->CancelButton->click();

    Button(WriteText("notes.txt", "text"), 0, 0, QStringLiteral("N"));
    cue->Open();
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("CustomCueControl\rError - Rallybox does not play files of type TXT"));
    EXPECT_EQ(cue->CurrentChannel, 0u);
    cue->CustomPlayPlayButton->Click();
    EXPECT_FALSE(cue->CustomPlayPlaying);
    EXPECT_TRUE(cue->isVisible());
}

TEST_F(CustomPlayTest, PreviewPlaysFromTheStartCueAndStopsAtTheEndPoint)
{
    Button(SteadyWav("intro.wav", 88200), 44100, 88200, QStringLiteral("Y"));
    cue->Open();
    cue->CustomPlayVolume->SetValue(100);
    BASS_SetVolume(100);
    cue->CustomPlayPreviewButton->Click();
    EXPECT_TRUE(cue->CustomPlayPreviewing);
    EXPECT_EQ(BASS_ChannelGetPosition(cue->CurrentChannel), 44100);
    EXPECT_EQ(cue->CustomPlayTimer->interval(), 10);
    const int loud = RenderPreview(400);
    // 88,200 - 44,100 bytes = 11,025 frames between the points; the stop comes on the first tick
    // past the end point.
    EXPECT_GE(loud, 11025);
    EXPECT_LE(loud, 11025 + TickFrames);
    EXPECT_FALSE(cue->CustomPlayPreviewing);
    EXPECT_FALSE(cue->CustomPlayTimer->isActive());
    // The start's share, 12.5 %, rounded half to even.
    EXPECT_EQ(cue->CustomPlayPercent->text(), QStringLiteral("12%"));
    EXPECT_EQ(cue->PanPosition->text(), QStringLiteral("0"));
    std::vector<float> after(TickFrames * 2);
    EngineRenderManual(after.data(), TickFrames);
    EXPECT_EQ(*std::max_element(after.begin(), after.end()), 0.0f);
}

TEST_F(CustomPlayTest, PreviewWithoutAnEndPointPlaysToTheEndOfTheFile)
{
    Button(SteadyWav("intro.wav", 8820), 17640, 0, QStringLiteral("Y"));
    cue->Open();
    BASS_SetVolume(100);
    cue->CustomPlayPreviewButton->Click();
    const int loud = RenderPreview(400);
    EXPECT_EQ(loud, 8820 - 4410);
    EXPECT_FALSE(cue->CustomPlayTimer->isActive());
    EXPECT_EQ(cue->SetEnd->text(), QStringLiteral("0"));
}

TEST_F(CustomPlayTest, PauseBlinksTheButtonAndResumes)
{
    Button(SteadyWav("intro.wav", 44100), 0, 0, QStringLiteral("N"));
    cue->Open();
    cue->CustomPlayPlayButton->Click();
    ASSERT_TRUE(cue->CustomPlayPlaying);
    cue->CustomPlayPauseButton->Click();
    EXPECT_TRUE(cue->CustomPlayPaused);
    EXPECT_EQ(cue->CustomPlayTimer->interval(), 500);
    EXPECT_EQ(BASS_ChannelIsActive(cue->CurrentChannel), BassActivePaused);
    cue->CustomPlayTimerTimer();
    EXPECT_EQ(cue->CustomPlayPauseButton->Color(), clBtnFace);
    EXPECT_TRUE(cue->PauseLabel->isHidden());
    cue->CustomPlayTimerTimer();
    EXPECT_EQ(cue->CustomPlayPauseButton->Color(), clYellow);
    // Play is ignored while paused; a click on the label resumes.
    cue->CustomPlayPlayButton->Click();
    EXPECT_TRUE(cue->CustomPlayPaused);
    emit cue->PauseLabel->clicked();
    EXPECT_FALSE(cue->CustomPlayPaused);
    EXPECT_EQ(cue->CustomPlayTimer->interval(), 10);
    EXPECT_EQ(BASS_ChannelIsActive(cue->CurrentChannel), BassActivePlaying);
    cue->CustomPlayStopButton->Click();
    EXPECT_FALSE(cue->CustomPlayPlaying);
    EXPECT_FALSE(cue->CustomPlayTimer->isActive());
    EXPECT_EQ(cue->CustomPlayTime->text(), QStringLiteral("00:00"));
}

TEST_F(CustomPlayTest, ThePreviewLeavesAShowSoundAndTheMasterVolumeAloneAndIsFreedOnce)
{
    const QString path = SteadyWav("intro.wav", 44100);
    const BassHandle show = BASS_StreamCreateFile(false, QFile::encodeName(path).constData(), 0, 0, 0);
    ASSERT_NE(show, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(show, false));
    BASS_SetVolume(60);
    Button(path, 0, 0, QStringLiteral("N"));
    cue->Open();
    const BassHandle preview = cue->CurrentChannel;
    ASSERT_NE(preview, 0u);
    // The bar is the preview's output level: 30 of the master's 60 is half the preview's own volume.
    cue->CustomPlayVolume->SetValue(30);
    int volume = -1;
    ASSERT_TRUE(BASS_ChannelGetAttributes(preview, nullptr, &volume, nullptr));
    EXPECT_EQ(volume, 50);
    EXPECT_EQ(BASS_GetVolume(), 60);
    cue->CustomPlayVolume->SetValue(90);
    ASSERT_TRUE(BASS_ChannelGetAttributes(preview, nullptr, &volume, nullptr));
    EXPECT_EQ(volume, 100);

    QTest::keyClick(cue.get(), Qt::Key_Escape);
    EXPECT_EQ(cue->result(), 2);
    EXPECT_EQ(cue->CurrentChannel, 0u);
    EXPECT_FALSE(BASS_StreamFree(preview)); // already freed by the dialog
    EXPECT_EQ(BASS_ChannelIsActive(show), BassActivePlaying);
    EXPECT_EQ(board.ButtonCustomCue[1][1][5], QStringLiteral("N"));
    EXPECT_FALSE(board.BoardChanged);
    BASS_StreamFree(show);
}
