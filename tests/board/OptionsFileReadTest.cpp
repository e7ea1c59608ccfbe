#include "OptionsFileFixture.h"

#include "board/OptionsFileText.h"

using OptionsFileRead = OptionsFileFixture;

TEST_F(OptionsFileRead, MissingFileYieldsEveryDefault)
{
    settings.Volume = 3; // must be overwritten by the default
    options->ReadOptions();
    const Settings& s = settings;
    EXPECT_EQ(s.AutoOpen, " ");
    EXPECT_EQ(s.Group, 1);
    EXPECT_EQ(s.Page, 1);
    EXPECT_EQ(s.OutputDevice, 1);
    EXPECT_EQ(s.OutputDeviceText, "1");
    EXPECT_EQ(s.SampleRate, 48000);
    EXPECT_TRUE(s.StereoMode);
    EXPECT_EQ(s.LibraryFolder, "");
    EXPECT_EQ(s.FadeInSec, 4.0);
    EXPECT_EQ(s.FadeOutSec, 4.0);
    EXPECT_EQ(s.VoiceOverSec, 1.0);
    EXPECT_EQ(s.VoiceOverMs, 1000);
    EXPECT_EQ(s.VoiceOverVolume, 10);
    EXPECT_EQ(s.CrossFadeSec, 4.0);
    EXPECT_EQ(s.FadeOutStartSec, 5.0);
    EXPECT_EQ(s.CrossFadeStartSec, 5.0);
    EXPECT_FALSE(s.PauseFadeIn);
    EXPECT_FALSE(s.PauseFadeOut);
    EXPECT_EQ(s.PauseFadeInSec, 0.5);
    EXPECT_EQ(s.PauseFadeOutSec, 0.5);
    EXPECT_EQ(s.PageFontColor, clBlack);
    EXPECT_EQ(s.PageFontName, "MS Sans Serif");
    EXPECT_EQ(s.PageFontSize, 8);
    EXPECT_EQ(s.PageFontStyle, 0u);
    EXPECT_EQ(s.Sound1FontColor, clBlack);
    EXPECT_EQ(s.Sound1FontName, "MS Sans Serif");
    EXPECT_EQ(s.Sound1FontSize, 8);
    EXPECT_EQ(s.Sound1FontStyle, 0u);
    for (int group = 1; group <= 10; ++group) {
        EXPECT_EQ(s.GroupColor[static_cast<size_t>(group)], clBtnFace) << group;
    }
    EXPECT_EQ(s.CueColor, clBtnFace);
    EXPECT_EQ(s.EditModeColor, clBtnFace);
    EXPECT_EQ(s.DragModeColor, clBtnFace);
    EXPECT_EQ(s.ButtonColor, clBtnFace);
    EXPECT_EQ(s.LastSoundButtonColor, 0);
    EXPECT_EQ(s.ActiveButtonColor, clInfoBk);
    EXPECT_EQ(s.UserActiveButtonColor, clInfoBk);
    EXPECT_EQ(s.IndicatorColor, clSilver);
    EXPECT_FALSE(s.Shuffle);
    EXPECT_FALSE(s.FadeIn);
    EXPECT_FALSE(s.FadeOut);
    EXPECT_FALSE(s.CrossFade);
    EXPECT_TRUE(s.ShiftKey);
    EXPECT_FALSE(s.StopPlayList);
    EXPECT_FALSE(s.PlayListPage);
    EXPECT_TRUE(s.PlayListSkipRed);
    EXPECT_EQ(s.SecurityCodeStored, "No Buffer");
    EXPECT_FALSE(s.SecurityLocked);
    EXPECT_TRUE(s.HotKey);
    EXPECT_FALSE(s.BroadcastKeys);
    EXPECT_FALSE(s.VoiceOverBlink);
    EXPECT_FALSE(s.HKOverTalk);
    EXPECT_FALSE(s.CueDelete);
    EXPECT_FALSE(s.MultiPlay);
    EXPECT_EQ(s.FindScope, "3");
    EXPECT_EQ(s.Volume, 50);
    EXPECT_EQ(s.IndividualVolume, 75);
    EXPECT_FALSE(s.Tracer);
    EXPECT_FALSE(s.MultiUser);
    EXPECT_FALSE(s.DaylightMode);
    EXPECT_FALSE(s.FadeOnHot);
    EXPECT_FALSE(s.AutoFade);
    EXPECT_FALSE(s.ResetAll);
    EXPECT_FALSE(s.SpaceBarStop);
    EXPECT_FALSE(s.EnterKeyMirrorSpaceBar);
    EXPECT_FALSE(s.LogFile);
    EXPECT_TRUE(s.InstantPlay);
    EXPECT_EQ(s.InstantPlayThreshold, 500);
    EXPECT_EQ(s.BufferLength, 1000);
    EXPECT_EQ(s.Delay, 25);
    EXPECT_EQ(s.MeterRate, 1);
    EXPECT_EQ(s.NoteTime, 2.5);
    EXPECT_EQ(s.PlayStop, "PLAY");
    EXPECT_TRUE(s.MeterPanel);
    EXPECT_EQ(s.BarYellow, 73);
    EXPECT_EQ(s.BarRed, 109);
    EXPECT_EQ(s.PanelRed, 110);
    EXPECT_EQ(s.MySettingsNames[1], "");
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(OptionsFileRead, LowerCaseYesTurnsShuffleOnButExactKeysNeedUpperCase)
{
    WriteOptionsText("Shuffle=yes\nFadeIn=Yes\nPauseFadeIn=yes\nPauseFadeOut=Yes\nShiftKey=yes\nMeter=panel\n"
                     "StereoMode=no\nHKSetByUser=no\n");
    options->ReadOptions();
    EXPECT_TRUE(settings.Shuffle);
    EXPECT_TRUE(settings.FadeIn);
    EXPECT_FALSE(settings.PauseFadeIn);
    EXPECT_FALSE(settings.PauseFadeOut);
    EXPECT_FALSE(settings.ShiftKey);
    EXPECT_FALSE(settings.MeterPanel);
    EXPECT_EQ(settings.MeterText, "panel");
    EXPECT_FALSE(settings.StereoMode);
    EXPECT_TRUE(settings.BroadcastKeys);
}

TEST_F(OptionsFileRead, FadeStartsAreRaisedToLeaveRoomForTheFade)
{
    WriteOptionsText(
        "FadeOutSec=6\nFadeOutStartSec=5\nCrossFadeSec=2.5\nCrossFadeStartSec=1\nVoiceOverSec=.25\n");
    options->ReadOptions();
    EXPECT_EQ(settings.FadeOutStartSec, 7.0);
    EXPECT_EQ(settings.CrossFadeStartSec, 3.5);
    EXPECT_EQ(settings.VoiceOverMs, 250);
}

TEST_F(OptionsFileRead, GroupAndPageOutsideTheBoardStartOnOne)
{
    const std::vector<std::pair<const char*, std::pair<int, int>>> cases{
        {"Group=0\nPage=0\n", {1, 1}},   {"Group=10\nPage=19\n", {10, 1}}, {"Group=11\nPage=18\n", {1, 18}},
        {"Group=-3\nPage=99\n", {1, 1}}, {"Group=x\nPage=2\n", {1, 2}},
    };
    for (const auto& [text, expected] : cases) {
        WriteOptionsText(text);
        options->ReadOptions();
        EXPECT_EQ(settings.Group, expected.first) << text;
        EXPECT_EQ(settings.Page, expected.second) << text;
    }
}

TEST_F(OptionsFileRead, BadValueTakesItsDefaultAndTheOthersAreStillRead)
{
    WriteOptionsText(
        "FadeInSec=0,5\nVolume=loud\nButtonColor=clPink\nIndividualVolume=250\nFadeOutSec=3\n"
        "CueColor=$00123456\nBarRed=100\nSampleRaten=0\nMeterRate=0\nPageFontStyle=fsBold fsUnderline \n"
        "Delay=100000\n");
    options->ReadOptions();
    EXPECT_EQ(settings.FadeInSec, 4.0);
    EXPECT_EQ(settings.Volume, 50);
    EXPECT_EQ(settings.ButtonColor, clBtnFace);
    EXPECT_EQ(settings.IndividualVolume, 75);
    EXPECT_EQ(settings.FadeOutSec, 3.0);
    EXPECT_EQ(settings.CueColor, 0x00123456);
    EXPECT_EQ(settings.BarRed, 100);
    EXPECT_EQ(settings.SampleRate, 48000);
    EXPECT_EQ(settings.MeterRate, 1);
    EXPECT_EQ(settings.Delay, 500); // the longest Setup offers
    EXPECT_EQ(settings.PageFontStyle, fsBold | fsUnderline);
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(OptionsFileRead, OutputDeviceZeroBecomesOneAndTheTextIsKept)
{
    WriteOptionsText("OutputDevice=0\n");
    options->ReadOptions();
    EXPECT_EQ(settings.OutputDevice, 1);
    EXPECT_EQ(settings.OutputDeviceText, "0");
    WriteOptionsText("OutputDevice=3\nAutoOpen=/shows/Game Day.set\n");
    options->ReadOptions();
    EXPECT_EQ(settings.OutputDevice, 3);
    EXPECT_EQ(settings.AutoOpen, "/shows/Game Day.set");
    EXPECT_EQ(settings.LastFolder, "/shows/");
}

TEST_F(OptionsFileRead, BoardLockIsRestoredFromItsStoredForm)
{
    WriteOptionsText("BufferSize=no BUFFER\n");
    options->ReadOptions();
    EXPECT_FALSE(settings.SecurityLocked);

    // The code 10203040 is stored as 06070809.
    EXPECT_EQ(SecurityCodeTransform("10203040"), "06070809");
    WriteOptionsText("BufferSize=06070809\n");
    options->ReadOptions();
    EXPECT_TRUE(settings.SecurityLocked);
    EXPECT_EQ(settings.SecurityCodeStored, "06070809");
    EXPECT_EQ(settings.SecurityCode, "10203040");

    WriteOptionsText("BufferSize=\n");
    options->ReadOptions();
    EXPECT_FALSE(settings.SecurityLocked);
    EXPECT_EQ(settings.SecurityCodeStored, "No Buffer");
}

TEST_F(OptionsFileRead, StoredLockTextThatNoCodeCouldOpenLeavesTheBoardUnlocked)
{
    WriteOptionsText("BufferSize=garbage!\n");
    options->ReadOptions();
    EXPECT_FALSE(settings.SecurityLocked);
    EXPECT_EQ(settings.SecurityCodeStored, "No Buffer");
}

TEST_F(OptionsFileRead, PresetsStopAtTheFirstEmptyName)
{
    WriteOptionsText("MySettingsName 1=Rock\nMySettingsValue 1=1,2,3,4,5,6,7,8,9,10\n"
                     "MySettingsName 2=Voice\nMySettingsValue 2=-3,-2,-1,0,0,0,1,2,3,-15\n"
                     "MySettingsName 3=\nMySettingsName 4=Hidden\nMySettingsValue 4=0,0,0,0,0,0,0,0,0,0\n");
    options->ReadOptions();
    EXPECT_EQ(settings.MySettingsNames[1], "Rock");
    EXPECT_EQ(settings.MySettingsNames[2], "Voice");
    EXPECT_EQ(settings.MySettingsNames[3], "");
    EXPECT_EQ(settings.MySettingsNames[4], "");
    EXPECT_EQ(settings.MySettingsValues[1].Values[9], 10);
    EXPECT_EQ(settings.MySettingsValues[2].Values[0], -3);
    EXPECT_EQ(settings.MySettingsValues[2].Values[9], -15);
    EXPECT_EQ(TraceText().count("Restore My Settings"), 2);
}

TEST_F(OptionsFileRead, PresetWithABadFieldKeepsItsNameAndTheValuesBeforeIt)
{
    options->RestoreMySettings("1", "Broken", "5,6,x,8,9,10,11,12,13,14");
    EXPECT_EQ(settings.MySettingsNames[1], "Broken");
    EXPECT_EQ(settings.MySettingsValues[1].Values[0], 5);
    EXPECT_EQ(settings.MySettingsValues[1].Values[1], 6);
    EXPECT_EQ(settings.MySettingsValues[1].Values[2], 0);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, "Error in RestoreMySettings\r ");
    EXPECT_EQ(dialogs.Calls()[0].type, mtError);
}

TEST_F(OptionsFileRead, TracesTheActiveColourAndBufferLength)
{
    WriteOptionsText("ActiveButtonColor=clLime\nBufferLength=500\n");
    options->ReadOptions();
    const QString trace = TraceText();
    EXPECT_TRUE(trace.contains(" - active before read is clInfoBk")) << trace.toStdString();
    EXPECT_TRUE(trace.contains(" - active after read is clLime"));
    EXPECT_TRUE(trace.contains(" - buffer length is 500"));
}

TEST_F(OptionsFileRead, OldOptionsFileIsMovedOnlyWhenTheNewOneIsMissing)
{
    QFile old(PathOf("RB.ini"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[Main]\r\nVolume=33\r\n");
    old.close();
    options->MoveOldOptionsFile();
    EXPECT_FALSE(QFile::exists(PathOf("RB.ini")));
    options->ReadOptions();
    EXPECT_EQ(settings.Volume, 33);

    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[Main]\r\nVolume=44\r\n");
    old.close();
    options->MoveOldOptionsFile();
    EXPECT_TRUE(QFile::exists(PathOf("RB.ini")));
    options->ReadOptions();
    EXPECT_EQ(settings.Volume, 33);
}

TEST(FontStyleText, WordsInOrderEachWithATrailingBlank)
{
    EXPECT_EQ(FontStyleToString(0), "");
    EXPECT_EQ(FontStyleToString(fsStrikeOut | fsBold), "fsBold fsStrikeOut ");
    EXPECT_EQ(FontStyleToString(fsBold | fsItalic | fsUnderline | fsStrikeOut),
              "fsBold fsItalic fsUnderline fsStrikeOut ");
    EXPECT_EQ(StringToFontStyle("fsItalic fsBold"), fsBold | fsItalic);
    EXPECT_EQ(StringToFontStyle(""), 0u);
    EXPECT_EQ(StringToFontStyle("xfsUnderlinex"), static_cast<TFontStyles>(fsUnderline));
    for (TFontStyles styles = 0; styles < 16; ++styles) {
        EXPECT_EQ(StringToFontStyle(FontStyleToString(styles)), styles);
    }
}

TEST(SecurityCode, TransformIsItsOwnInverse)
{
    EXPECT_EQ(SecurityCodeTransform("12345678"), "23456789");
    EXPECT_EQ(SecurityCodeTransform("00000000"), "00000000");
    EXPECT_EQ(SecurityCodeTransform(SecurityCodeTransform("90817263")), "90817263");
    EXPECT_TRUE(IsEightDigitCode("01234567"));
    EXPECT_FALSE(IsEightDigitCode("1234567"));
    EXPECT_FALSE(IsEightDigitCode("1234567a"));
}
