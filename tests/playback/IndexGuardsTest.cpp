// Slot, page and group numbers that name nothing (the manual-control cursor before it found a
// button, numbers from a key, a timer or a list) reach the real window and do nothing.
#include "RealWindowFixture.h"

#include "board/MainFormButtons.h"
#include "board/VirtualKeys.h"
#include "controls/ColorPanel.h"
#include "playback/MainFormPlaybackWindow.h"

#include <QPushButton>
#include <QTest>

using namespace PlaybackTest;

class IndexGuards : public RealWindowFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString sound = dir.path() + QStringLiteral("/horn.wav");
        WriteWav(sound, 2, kRate, [](int, int) { return 0.5; });
        // Group A has one sound on page 1; group B has no page at all.
        BuildWindow("[Main]\r\nCreatedBy=Rallybox\r\n\r\n[Page1]\r\nPageName=Warmup\r\nPagePlay=F\r\n"
                    "RapidFire=F\r\nPageShuffle=F\r\nPageColor=clBlack\r\nc1=Horn\r\ns1=" +
                    sound.toUtf8() + "\r\nt1=00:01\r\n\r\n");
        windows.SoundButtonEditor = [this] {
            ++editorOpenings;
            return 2;
        };
    }

    void Key(Qt::Key key) { QTest::keyClick(form->DummyButton, key); }

    int editorOpenings = 0;
};

TEST_F(IndexGuards, HomeLeftSpaceOnAnEmptyGroupPlaysNothingWithEitherSpaceOption)
{
    for (const bool spaceStops : {false, true}) {
        settings.SpaceBarStop = spaceStops;
        Key(Qt::Key_Home);
        ASSERT_EQ(selection.CurrentGroup, 2) << spaceStops;
        Key(Qt::Key_Left);
        EXPECT_TRUE(state.ManualControlMode);
        EXPECT_EQ(state.ManualControlButton, 0) << "no button on the page to put the cursor on";
        Key(Qt::Key_Space);
        Key(Qt::Key_Return);
        EXPECT_FALSE(form->Playing) << spaceStops;
        EXPECT_EQ(selection.PlayingButton, 0);
        EXPECT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(QStringLiteral(" | ")).toStdString();
        Key(Qt::Key_Escape);
        EXPECT_FALSE(state.ManualControlMode);
        Key(Qt::Key_End);
        ASSERT_EQ(selection.CurrentGroup, 1);
    }
    // The guard takes nothing from the page with a sound: the cursor finds it and Space plays it.
    Key(Qt::Key_Right);
    EXPECT_EQ(state.ManualControlButton, 1);
    Key(Qt::Key_Space);
    EXPECT_TRUE(form->Playing);
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlaying);
}

TEST_F(IndexGuards, SlotNumbersOutsideOneToFortyEightAreIgnoredInPlayAndEditMode)
{
    for (const int slot : {0, -1, 49, 1000}) {
        form->ButtonClick(slot);
        form->ProcessSoundButton(slot);
    }
    EXPECT_FALSE(form->Playing);
    EXPECT_TRUE(dialogs.Texts().isEmpty());
    board.EditMode = true;
    for (const int slot : {0, 49}) {
        EXPECT_TRUE(form->EditModeSoundClick(slot));
        form->ButtonClick(slot);
    }
    EXPECT_EQ(editorOpenings, 0);
    EXPECT_TRUE(form->EditModeSoundClick(1));
    EXPECT_EQ(editorOpenings, 1);
    EXPECT_EQ(selection.PopupButton, 1);
}

TEST_F(IndexGuards, GroupAndPageNumbersOutsideTheButtonsChangeNothing)
{
    for (const int group : {0, -2, 11}) {
        form->ProcessGroupButton(group);
        EXPECT_EQ(selection.CurrentGroup, 1) << group;
    }
    for (const int page : {0, -1, 19, 40}) {
        EXPECT_FALSE(form->ProcessPageButton(page)) << page;
        EXPECT_EQ(selection.CurrentPage, 1) << page;
    }
    EXPECT_EQ(AsPushButton(form->SoundButtons[1])->text(), QStringLiteral("Horn"));
    EXPECT_TRUE(dialogs.Texts().isEmpty());
}

TEST_F(IndexGuards, ThePlayPathsViewOfTheWindowReadsNoSlotAsAnEmptyPlaceMarker)
{
    MainFormPlaybackWindow view(*form);
    EXPECT_EQ(view.PanelColor(0), clBlack);
    EXPECT_EQ(view.PanelColor(49), clBlack);
    EXPECT_TRUE(view.SoundButtonCaption(0).isEmpty());
    view.SetPanelColor(0, clLime);
    view.SetSoundButtonColor(49, clLime);
    view.SetTimeLabel(-1, QStringLiteral("00:01"));
    // Slot 1 is untouched by the writes above and still reads as itself.
    EXPECT_EQ(view.SoundButtonCaption(1), QStringLiteral("Horn"));
    EXPECT_NE(view.PanelColor(1), clLime);
}
