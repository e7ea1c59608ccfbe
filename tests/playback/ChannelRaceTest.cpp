// The operator's click racing the end of a sound: the sound has ended (or its stream was freed)
// but the playing table still names it when Pause, Voice Over or a pause fade reaches it.
#include "PlaybackFixture.h"

using namespace PlaybackTest;

class ChannelRace : public PlaybackFixture
{
protected:
    // Slots 1 and 2 playing sounds of a quarter second and ten seconds; the short one has
    // ended in the engine, and no timer has taken it off the table yet.
    void StartOneEndedOneLong()
    {
        settings_.MultiPlay = true;
        settings_.Tracer = true;
        AddSound(1, 0.3, 0.25);
        AddSound(2, 0.3, 10.0);
        play_->ProcessSoundButton(1);
        play_->ProcessSoundButton(2);
        ASSERT_EQ(OccupiedSlots(), 2);
        Render(kRate / 2);
        ended_ = state_.ChannelArray[1];
        ASSERT_NE(ended_, 0u);
        ASSERT_EQ(BASS_ChannelIsActive(ended_), BassActiveStopped);
        ASSERT_EQ(BASS_ChannelIsActive(state_.ChannelArray[2]), BassActivePlaying);
    }

    BassHandle ended_ = 0;
};

TEST_F(ChannelRace, PauseAndResumeOverAnEndedSoundShowNoBoxAndPauseTheOther)
{
    StartOneEndedOneLong();
    play_->PauseButtonClick();
    EXPECT_TRUE(state_.Paused);
    EXPECT_EQ(BASS_ChannelIsActive(state_.ChannelArray[2]), BassActivePaused);
    play_->PauseButtonClick();
    EXPECT_FALSE(state_.Paused);
    EXPECT_EQ(BASS_ChannelIsActive(state_.ChannelArray[2]), BassActivePlaying);
    EXPECT_TRUE(dialogs_.Texts().isEmpty()) << dialogs_.Texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(TraceText().contains(QStringLiteral("not playing - FUNCTION/PROCEDURE: PauseButtonClickA")));
}

TEST_F(ChannelRace, PauseFadesAndVoiceOverOverAFreedStreamShowNoBox)
{
    StartOneEndedOneLong();
    // The stream goes away as a fade's end would free it, behind the table's back.
    ASSERT_TRUE(BASS_StreamFree(ended_));
    settings_.PauseFadeOut = true;
    settings_.PauseFadeIn = true;
    settings_.PauseFadeOutSec = 0.2;
    settings_.PauseFadeInSec = 0.2;
    play_->PauseButtonClick();
    play_->PauseButtonClick();
    play_->VoiceOver();
    play_->VoiceOver();
    EXPECT_TRUE(dialogs_.Texts().isEmpty()) << dialogs_.Texts().join(QStringLiteral(" | ")).toStdString();
    const QString trace = TraceText();
    EXPECT_TRUE(trace.contains(QStringLiteral("BASS Error (5) on a channel that had just ended")));
    EXPECT_TRUE(trace.contains(QStringLiteral("PauseFadeOutExecute")));
    EXPECT_TRUE(trace.contains(QStringLiteral("VoiceOver")));
    // The other sound went through all of it and plays at its level.
    EXPECT_EQ(BASS_ChannelIsActive(state_.ChannelArray[2]), BassActivePlaying);
    EXPECT_NEAR(LevelAfter(kRate / 2), 0.3f, 0.01f);
}

TEST_F(ChannelRace, APauseClickInsideAPauseFadeLeavesNoBoxForTheAlreadyPausedChannel)
{
    settings_.PauseFadeOut = true;
    settings_.PauseFadeOutSec = 0.3;
    AddSound(1, 0.3, 10.0);
    play_->ProcessSoundButton(1);
    onPump_ = [this](int n) {
        if (n == 5) {
            play_->PauseButtonClick();
        }
    };
    play_->PauseButtonClick();
    onPump_ = nullptr;
    EXPECT_TRUE(dialogs_.Texts().isEmpty()) << dialogs_.Texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(BASS_ChannelIsActive(state_.ChannelArray[1]), BassActivePaused);
}
