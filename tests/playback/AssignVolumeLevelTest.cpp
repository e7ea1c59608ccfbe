// Riding the level of a playing button: the live channel follows the bar, and Save, Remove,
// Cancel and Hide store, clear, restore or keep it.
#include "PlaybackFixture.h"

#include "playback/TFormAssignVolumeLevel.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

using namespace PlaybackTest;

namespace {

class AssignVolumeLevelTest : public PlaybackFixture
{
protected:
    void SetUp() override
    {
        PlaybackFixture::SetUp();
        form_ = std::make_unique<TFormAssignVolumeLevel>(
            AssignVolumeLevelContext{state_, board_, selection_, settings_, dialogs_});
    }

    void TearDown() override
    {
        form_.reset();
        PlaybackFixture::TearDown();
    }

    void OpenOn(int button)
    {
        selection_.PopupGroup = 1;
        selection_.PopupPage = 1;
        selection_.PopupButton = button;
        form_->Open();
    }

    int ChannelVolume(BassHandle h) const
    {
        int volume = -1;
        EXPECT_TRUE(BASS_ChannelGetAttributes(h, nullptr, &volume, nullptr));
        return volume;
    }

    std::unique_ptr<TFormAssignVolumeLevel> form_;
};

} // namespace

TEST_F(AssignVolumeLevelTest, TheBarMovesTheLiveChannelAndSaveStoresTheLevel)
{
    AddSound(3, 0.5);
    board_.ButtonVolume[1][1][3] = QStringLiteral("60");
    ASSERT_TRUE(play_->ProcessSoundButton(3));
    const BassHandle h = state_.ChannelArray[1];
    Render(kPumpFrames);
    const float before = LevelAfter(kPumpFrames);
    OpenOn(3);
    EXPECT_EQ(form_->VolumeLevelChannel, h);
    EXPECT_EQ(form_->AVLTrackBar->value(), 60);
    EXPECT_EQ(form_->AVLVolume->text(), QStringLiteral("60"));
    EXPECT_FALSE(board_.BoardChanged);

    form_->AVLTrackBar->setValue(30);
    EXPECT_EQ(ChannelVolume(h), 30);
    EXPECT_EQ(state_.ChannelVolume[1], 30);
    EXPECT_TRUE(board_.BoardChanged);
    Render(kRate / 10);
    EXPECT_NEAR(LevelAfter(kPumpFrames) / before, 0.5, 0.02);

    board_.BoardChanged = false;
    form_->AVLSaveButton->setFocus();
    form_->AVLSaveButton->click();
    EXPECT_EQ(form_->result(), 1);
    EXPECT_EQ(board_.ButtonVolume[1][1][3], QStringLiteral("30"));
    EXPECT_TRUE(board_.BoardChanged);
    EXPECT_EQ(ChannelVolume(h), 30);
    // Opened again, the keyboard is on the bar, not on the button that closed it.
    OpenOn(3);
    EXPECT_EQ(form_->focusWidget(), form_->AVLTrackBar);
}

TEST_F(AssignVolumeLevelTest, RemoveClearsTheCellAndCancelRestoresTheChannel)
{
    AddSound(4, 0.5);
    settings_.IndividualVolume = 70;
    board_.ButtonVolume[1][1][4] = QStringLiteral("40");
    ASSERT_TRUE(play_->ProcessSoundButton(4));
    const BassHandle h = state_.ChannelArray[1];
    OpenOn(4);
    form_->AVLTrackBar->setValue(90);
    // The button's caption fits it whole, and the button fits the window.
    EXPECT_GE(form_->AVLRemoveButton->width(), form_->AVLRemoveButton->sizeHint().width());
    EXPECT_LE(form_->AVLRemoveButton->geometry().right(), form_->width());
    form_->AVLRemoveButton->click();
    EXPECT_EQ(form_->result(), 1);
    EXPECT_TRUE(board_.ButtonVolume[1][1][4].isEmpty());
    EXPECT_EQ(ChannelVolume(h), 70);

    OpenOn(4);
    EXPECT_EQ(form_->AVLTrackBar->value(), 70);
    form_->AVLTrackBar->setValue(10);
    board_.BoardChanged = false;
    QTest::keyClick(form_.get(), Qt::Key_Escape);
    EXPECT_EQ(form_->result(), 2);
    EXPECT_EQ(ChannelVolume(h), 70);
    EXPECT_TRUE(board_.ButtonVolume[1][1][4].isEmpty());

    OpenOn(4);
    form_->AVLTrackBar->setValue(0);
    form_->AVLHideButton->click();
    EXPECT_EQ(form_->result(), 1);
    EXPECT_EQ(ChannelVolume(h), 0); // Hide keeps the live level and stores nothing
    EXPECT_TRUE(board_.ButtonVolume[1][1][4].isEmpty());
}

TEST_F(AssignVolumeLevelTest, AnEndedChannelBeforeTheTargetIsPassedOver)
{
    settings_.MultiPlay = true;
    AddSound(1, 0.5, 0.05);
    AddSound(2, 0.5);
    ASSERT_TRUE(play_->ProcessSoundButton(1));
    Render(kRate / 5); // slot 1 ends; nothing has freed it yet
    ASSERT_TRUE(play_->ProcessSoundButton(2));
    ASSERT_EQ(BASS_ChannelIsActive(state_.ChannelArray[1]), BassActiveStopped);
    ASSERT_EQ(state_.ChannelButton[2], 2);
    OpenOn(2);
    EXPECT_EQ(form_->FindChannel(), 2);
    EXPECT_EQ(form_->VolumeLevelChannel, state_.ChannelArray[2]);
}

TEST_F(AssignVolumeLevelTest, ASilentButtonStoresALevelAndANonButtonStoresNothing)
{
    AddSound(5, 0.5);
    settings_.IndividualVolume = 75;
    OpenOn(5);
    EXPECT_EQ(form_->VolumeLevelChannel, 0u);
    EXPECT_EQ(form_->AVLTrackBar->value(), 75);
    form_->AVLTrackBar->setValue(0);
    form_->AVLSaveButton->click();
    EXPECT_EQ(board_.ButtonVolume[1][1][5], QStringLiteral("0"));

    OpenOn(0);
    EXPECT_FALSE(form_->AVLSaveButton->isEnabled());
    EXPECT_FALSE(form_->AVLRemoveButton->isEnabled());
    EXPECT_TRUE(form_->VolumeLevelButton.isEmpty());
    form_->AVLCancelButton->click();
    EXPECT_EQ(form_->result(), 2);
}
