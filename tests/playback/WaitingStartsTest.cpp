// A sound whose file is still being opened when it is asked for (slow storage, a cold start)
// starts when the file is open, as the operator asked for it; a second click, STOP or a later
// sound take it back.
#include "PlaybackFixture.h"

#include "support/HeldOpens.h"

#include <QFile>

#include <chrono>
#include <memory>
#include <thread>

using namespace PlaybackTest;

namespace {
// Waits for the engine to finish the file's open in the background (it ends every open within
// its own bounds).
void WaitForOpen(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (BassFileOpening(name.constData()) && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(BassFileOpening(name.constData()));
}
} // namespace

class WaitingStarts : public PlaybackFixture
{
protected:
    void SetUp() override
    {
        PlaybackFixture::SetUp();
        // The window's wait is over before the held storage gives up any file.
        BASS_SetConfig(BassConfigFileOpenWait, 0);
    }
    void TearDown() override
    {
        BASS_SetConfig(BassConfigFileOpenWait, BassOpenWaitUntilDone);
        PlaybackFixture::TearDown();
    }
};

TEST_F(WaitingStarts, AClickWaitsForItsFileThenPlaysOnTheButtonItWasMadeOnAfterAPageChange)
{
    const QString path = AddSound(3, 0.5);
    HeldOpens storage;
    play_->ProcessSoundButton(3);
    // Nothing sounds yet and no box is shown, but the sound is named and STOP takes it back.
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_EQ(window_.NowPlaying, QStringLiteral("[A/Warm Up] - ") + path);
    EXPECT_TRUE(window_.StopEnabled);
    EXPECT_EQ(board_.ButtonState[1][1][3], bstUnplayed);

    // The operator moves to another page meanwhile: the sound still starts, on its own page.
    selection_.CurrentPage = 2;
    window_.Panels[3] = clBtnFace;
    storage.Release();
    WaitForOpen(path);
    play_->StartWaitingSounds();
    EXPECT_EQ(state_.ChannelButton[1], 3);
    EXPECT_EQ(state_.ChannelPage[1], 1);
    EXPECT_EQ(board_.ButtonState[1][1][3], bstPlaying);
    EXPECT_EQ(window_.Panels[3], clBtnFace) << "the shown page's slot 3 is another sound";
    EXPECT_TRUE(state_.Playing);
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_NEAR(LevelAfter(kRate / 10), 0.5f, 0.01f);
}

TEST_F(WaitingStarts, ASecondClickOrStopTakesAWaitingSoundBack)
{
    const QString path = AddSound(4, 0.5);
    const QString other = AddSound(5, 0.5, 3.0, QStringLiteral("other.wav"));
    HeldOpens storage;
    play_->ProcessSoundButton(4);
    play_->ProcessSoundButton(4);
    EXPECT_FALSE(window_.StopEnabled);
    EXPECT_TRUE(window_.NowPlaying.isEmpty());
    play_->ProcessSoundButton(5);
    play_->StopPlayButtonClick();
    storage.Release();
    WaitForOpen(path);
    WaitForOpen(other);
    play_->StartWaitingSounds();
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(LevelAfter(kRate / 10), 0.0f);
}

TEST_F(WaitingStarts, WaitingSoundsStartInTheOrderAskedAndALaterSoundReplacesOneStillWaiting)
{
    settings_.MultiPlay = true;
    const QString first = AddSound(1, 0.25);
    const QString second = AddSound(2, 0.5);
    auto storage = std::make_unique<HeldOpens>();
    play_->ProcessSoundButton(1);
    state_.HotKeyGroup = 1;
    state_.HotKeyPage = 1;
    state_.HotKeyButton = 2;
    play_->HotKeyPlaySound();
    storage->Release();
    WaitForOpen(first);
    WaitForOpen(second);
    play_->StartWaitingSounds();
    EXPECT_EQ(state_.ChannelButton[1], 1);
    EXPECT_EQ(state_.ChannelButton[2], 2);
    EXPECT_NEAR(LevelAfter(kRate / 10), 0.75f, 0.02f);
    play_->StopPlayButtonClick();

    // One sound at a time: the later ask is the one that plays.
    settings_.MultiPlay = false;
    const QString third = AddSound(3, 0.25);
    const QString fourth = AddSound(4, 0.5);
    storage.reset();
    storage = std::make_unique<HeldOpens>();
    play_->ProcessSoundButton(3);
    play_->ProcessSoundButton(4);
    storage->Release();
    WaitForOpen(third);
    WaitForOpen(fourth);
    play_->StartWaitingSounds();
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_EQ(state_.ChannelButton[1], 4);
    EXPECT_NEAR(LevelAfter(kRate / 10), 0.5f, 0.01f);
}
