#include "PlayListFixture.h"

#include "board/VirtualKeys.h"

using namespace PlaybackTest;

class KeyboardKeys : public PlayListFixture
{
};

TEST(KeyboardLayout, FixedLayoutMapsFortyEightKeysAndLeavesPF10AndTheNumpadOut)
{
    EXPECT_EQ(Keyboard::BroadcastKeyButton('A'), 1);
    EXPECT_EQ(Keyboard::BroadcastKeyButton('O'), 15);
    EXPECT_EQ(Keyboard::BroadcastKeyButton('P'), 0);
    EXPECT_EQ(Keyboard::BroadcastKeyButton('Q'), 16);
    EXPECT_EQ(Keyboard::BroadcastKeyButton('Z'), 25);
    EXPECT_EQ(Keyboard::BroadcastKeyButton('0'), 26);
    EXPECT_EQ(Keyboard::BroadcastKeyButton('9'), 35);
    EXPECT_EQ(Keyboard::BroadcastKeyButton(VK_F1), 36);
    EXPECT_EQ(Keyboard::BroadcastKeyButton(VK_F1 + 8), 44);
    EXPECT_EQ(Keyboard::BroadcastKeyButton(VK_F10), 0);
    EXPECT_EQ(Keyboard::BroadcastKeyButton(VK_F1 + 10), 45);
    EXPECT_EQ(Keyboard::BroadcastKeyButton(VK_F12), 46);
    EXPECT_EQ(Keyboard::BroadcastKeyButton(VK_INSERT), 47);
    EXPECT_EQ(Keyboard::BroadcastKeyButton(VK_DELETE), 48);
    EXPECT_EQ(Keyboard::BroadcastKeyButton(VK_NUMPAD0), 0);
    EXPECT_EQ(Keyboard::BroadcastKeyButton(VK_NUMPAD9), 0);
    // Every button is reached by exactly one key.
    std::vector<int> hits(49, 0);
    for (int key = 0; key < 256; ++key) {
        ++hits[static_cast<std::size_t>(Keyboard::BroadcastKeyButton(key))];
    }
    for (int b = 1; b <= 48; ++b) {
        EXPECT_EQ(hits[static_cast<std::size_t>(b)], 1) << "button " << b;
    }
}

TEST_F(KeyboardKeys, FixedLayoutZeroPlaysButtonTwentySixAndPDoesNothing)
{
    settings_.BroadcastKeys = true;
    board_.PagePlay[1][1] = QStringLiteral("F");
    AddSoundOn(1, 1, 26);
    AddSoundOn(1, 1, 16);
    KeyUp('P');
    KeyUp(VK_NUMPAD0 + 6);
    EXPECT_FALSE(state_.Playing);
    KeyUp('0', ssCtrl);
    EXPECT_EQ(Playing(), 26);
}

TEST_F(KeyboardKeys, AssignedCtrlF5PlaysTheFirstMatchAndALockedMatchBlocksTheKey)
{
    AddSoundOn(2, 4, 7);
    AddSoundOn(3, 1, 1);
    board_.ButtonHotKey[2][4][7] = QStringLiteral("2F5");
    board_.ButtonHotKey[3][1][1] = QStringLiteral("2F5");
    KeyUp(VK_F1 + 4); // no modifier: "0F5" is nobody's key
    EXPECT_FALSE(state_.Playing);
    KeyUp(VK_F1 + 4, ssCtrl | ssShift);
    EXPECT_TRUE(state_.Playing);
    EXPECT_EQ(selection_.PlayingGroup, 2);
    EXPECT_EQ(selection_.PlayingPage, 4);
    EXPECT_EQ(selection_.PlayingButton, 7);
    EXPECT_TRUE(state_.lHKPlaying);

    play_->StopProcess(QStringLiteral("StopButton"));
    board_.ButtonState[2][4][7] = bstLocked;
    KeyUp(VK_F1 + 4, ssCtrl);
    EXPECT_FALSE(state_.Playing);
}

TEST_F(KeyboardKeys, HomeAndEndWrapAroundTheTenGroups)
{
    selection_.CurrentGroup = 10;
    KeyUp(VK_HOME);
    selection_.CurrentGroup = 1;
    KeyUp(VK_END);
    selection_.CurrentGroup = 4;
    KeyUp(VK_HOME);
    EXPECT_EQ(modes_.GroupsShown, (std::vector<int>{1, 10, 5}));
    KeyUp(VK_NEXT);
    KeyUp(VK_PRIOR);
    EXPECT_EQ(modes_.NextPages, 1);
    EXPECT_EQ(modes_.PrevPages, 1);
}

TEST_F(KeyboardKeys, ArrowsMoveTheCursorEscapeEndsItWithTheStateColourAndSpacePlaysIt)
{
    board_.PagePlay[1][1] = QStringLiteral("F");
    AddSoundOn(1, 1, 1);
    AddSoundOn(1, 1, 2);
    board_.ButtonState[1][1][2] = bstPlayed;
    window_.Panels[2] = clRed;
    KeyUp(VK_RIGHT);
    EXPECT_EQ(state_.ManualControlButton, 1);
    KeyUp(VK_RIGHT);
    EXPECT_EQ(state_.ManualControlButton, 2);
    EXPECT_EQ(window_.Panels[2], clInfoBk);
    KeyUp(VK_ESCAPE);
    EXPECT_FALSE(state_.ManualControlMode);
    EXPECT_EQ(window_.Panels[2], clRed);

    // A new cursor starts again at the first button that qualifies.
    KeyUp(VK_LEFT);
    ASSERT_TRUE(state_.ManualControlMode);
    EXPECT_EQ(state_.ManualControlButton, 1);
    KeyUp(VK_RETURN); // Enter plays the cursor even without mirroring the space bar
    EXPECT_EQ(Playing(), 1);
}

TEST_F(KeyboardKeys, SpaceAsStopKeyTakesPrecedenceOverRapidFireAndTheCursor)
{
    settings_.SpaceBarStop = true;
    board_.RapidFire[1][1] = QStringLiteral("T");
    AddSoundOn(1, 1, 1, 3.0);
    play_->ProcessSoundButton(1);
    state_.LoopMode = true;
    ASSERT_TRUE(state_.Playing);
    KeyUp(VK_SPACE);
    EXPECT_FALSE(state_.Playing);
    EXPECT_FALSE(state_.LoopMode);
    EXPECT_FALSE(window_.StopEnabled);
    const QString trace = TraceText();
    EXPECT_TRUE(trace.contains(QStringLiteral(" - Space Bar hit - Activate Stop\r\n")));
    EXPECT_FALSE(trace.contains(QStringLiteral("RapidFire Stop")));
}

TEST_F(KeyboardKeys, EnterMirrorsSpaceOnlyWhenAskedTo)
{
    settings_.SpaceBarStop = true;
    AddSoundOn(1, 1, 1);
    KeyUp(VK_RETURN);
    EXPECT_FALSE(state_.Playing);
    settings_.EnterKeyMirrorSpaceBar = true;
    KeyUp(VK_RETURN);
    EXPECT_EQ(Playing(), 1);
}

TEST_F(KeyboardKeys, SpaceFadesOutASecondPressStopsAtOnceAndTheFadeOptionIsKept)
{
    settings_.FadeOut = false;
    settings_.FadeOutSec = 4;
    AddSoundOn(1, 1, 1, 10.0);
    play_->ProcessSoundButton(1);
    int pressedAt = 0;
    onPump_ = [&](int n) {
        if (n == 50 && state_.lFadingOut) {
            pressedAt = n;
            KeyUp(VK_SPACE);
        }
    };
    KeyUp(VK_SPACE);
    EXPECT_EQ(pressedAt, 50);
    // Stopped half a second into the four-second fade, not after it.
    EXPECT_LT(pump_.Count, 100);
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_FALSE(settings_.FadeOut);
    EXPECT_TRUE(
        TraceText().contains(QStringLiteral(" - Space Bar hit a second time or already fading out\r\n")));
}

TEST_F(KeyboardKeys, SpaceDuringTheListsOwnFadeOutEndsTheListWithStopAndPauseOff)
{
    settings_.FadeOut = true;
    settings_.FadeOutSaved = true;
    settings_.FadeOutSec = 4;
    board_.PagePlay[1][1] = QStringLiteral("T");
    state_.PlayListMode = true;
    AddSoundOn(1, 1, 1, 10.0);
    play_->ProcessSoundButton(1);
    ASSERT_TRUE(state_.PlayListRunning);
    // The automatic fade-out starts as the progression tick starts it, with no key before it.
    play_->FadeOutExecute();
    KeyUp(VK_SPACE);
    EXPECT_FALSE(state_.Playing);
    EXPECT_FALSE(state_.PlayListRunning);
    EXPECT_FALSE(window_.StopEnabled);
    EXPECT_FALSE(window_.PauseEnabled);
    EXPECT_TRUE(settings_.FadeOut);
}

TEST_F(KeyboardKeys, BackslashFadesOverTheFadeTimeThenStopsAndRestoresTheFadeOption)
{
    settings_.FadeOut = false;
    settings_.FadeOutSec = 1;
    AddSoundOn(1, 1, 1, 5.0);
    play_->ProcessSoundButton(1);
    KeyUp(VK_OEM_5);
    EXPECT_FALSE(state_.Playing);
    EXPECT_FALSE(settings_.FadeOut);
    EXPECT_GE(pump_.Count, 90); // about 100 pumps of 10 ms for the one-second fade
    EXPECT_EQ(OccupiedSlots(), 0);
    const QString trace = TraceText();
    EXPECT_TRUE(trace.contains(QStringLiteral(" - Backslash Key hit - Activate Stop with Fade\r\n")));
    EXPECT_TRUE(trace.contains(QStringLiteral(" - Key hit is 220\r\n")));
}

TEST_F(KeyboardKeys, AHotKeyPressedDuringAFadeStopKeepsPlaying)
{
    settings_.FadeOutSec = 1;
    AddSoundOn(1, 1, 1, 5.0);
    AddSoundOn(1, 1, 2, 5.0);
    board_.ButtonHotKey[1][1][2] = QStringLiteral("0B");
    play_->ProcessSoundButton(1);
    onPump_ = [&](int n) {
        if (n == 20) {
            KeyUp('B');
        }
    };
    KeyUp(VK_OEM_5);
    EXPECT_TRUE(state_.Playing);
    EXPECT_EQ(selection_.PlayingButton, 2);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstPlaying);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_TRUE(window_.StopEnabled);
    EXPECT_TRUE(window_.PauseEnabled);
    EXPECT_NEAR(LevelAfter(kRate / 10), 0.25f, 0.01f);
}

TEST_F(KeyboardKeys, ShiftTalksOnlyWithTheShiftKeyOption)
{
    settings_.ShiftKey = false;
    KeyUp(VK_SHIFT);
    EXPECT_FALSE(state_.lVoiceOver);
    settings_.ShiftKey = true;
    KeyUp(VK_SHIFT);
    EXPECT_TRUE(state_.lVoiceOver);
}

TEST_F(KeyboardKeys, PlusAndMinusMoveTheMasterVolumeWithinZeroToHundred)
{
    modes_.VolumeBar = 99;
    keyboard_->VolumeChangeProcess(VK_ADD, 0);
    EXPECT_EQ(modes_.VolumeBar, 100);
    EXPECT_EQ(settings_.Volume, 100);
    EXPECT_EQ(window_.VolumeHint, QStringLiteral("Volume: 100%"));
    keyboard_->VolumeChangeProcess(VK_OEM_PLUS, 0);
    EXPECT_EQ(modes_.VolumeBar, 100);
    keyboard_->VolumeChangeProcess(VK_OEM_MINUS, 0);
    keyboard_->VolumeChangeProcess(VK_SUBTRACT, 0);
    EXPECT_EQ(modes_.VolumeBar, 98);
    EXPECT_EQ(state_.MasterVolume, 98);
    modes_.VolumeBar = 0;
    keyboard_->VolumeChangeProcess(VK_SUBTRACT, 0);
    EXPECT_EQ(modes_.VolumeBar, 0);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - Volume Change - Minus Key\r\n")));
}

TEST_F(KeyboardKeys, SpaceInManualControlWithNoButtonUnderTheCursorDoesNothing)
{
    // An empty shown page: Left turns the cursor on, but no button qualifies for it.
    board_.PagePlay[1][1] = QStringLiteral("F");
    KeyUp(VK_LEFT);
    ASSERT_TRUE(state_.ManualControlMode);
    ASSERT_EQ(state_.ManualControlButton, 0);
    KeyUp(VK_SPACE);
    KeyUp(VK_RETURN);
    EXPECT_EQ(Playing(), 0);
    EXPECT_FALSE(TraceText().contains(QStringLiteral("Process Sound Button")));
}
