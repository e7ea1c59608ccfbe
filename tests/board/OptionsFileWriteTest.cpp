#include "OptionsFileFixture.h"

#include "support/FullFileSystem.h"

using OptionsFileWrite = OptionsFileFixture;

namespace {

QStringList KeysOf(const QByteArray& bytes)
{
    IniFile ini;
    ini.LoadFromBytes(bytes);
    return ini.ReadSection("Main");
}

} // namespace

TEST_F(OptionsFileWrite, DefaultsWriteACompleteFileInTheKeyOrder)
{
    options->ReadOptions();
    ASSERT_TRUE(options->UpdateINIFile());
    const QByteArray bytes = ReadBytes(PathOf("RBX.inf"));
    const QStringList expected{"AutoOpen",
                               "Group",
                               "Page",
                               "OutputDevice",
                               "SampleRaten",
                               "StereoMode",
                               "LibraryFolder",
                               "FadeInSec",
                               "FadeOutSec",
                               "VoiceOverSec",
                               "VoiceOverVolume",
                               "CrossFadeSec",
                               "FadeOutStartSec",
                               "CrossFadeStartSec",
                               "PauseFadeIn",
                               "PauseFadeOut",
                               "PauseFadeInSec",
                               "PauseFadeOutSec",
                               "PageFontColor",
                               "PageFontName",
                               "PageFontSize",
                               "PageFontStyle",
                               "Sound1FontColor",
                               "Sound1FontName",
                               "Sound1FontSize",
                               "Sound1FontStyle",
                               "GroupAColor",
                               "GroupBColor",
                               "GroupCColor",
                               "GroupDColor",
                               "GroupEColor",
                               "GroupFColor",
                               "GroupGColor",
                               "GroupHColor",
                               "GroupIColor",
                               "GroupJColor",
                               "CueColor",
                               "EditModeColor",
                               "DragModeColor",
                               "ButtonColor",
                               "LastSoundButtonColor",
                               "ActiveButtonColor",
                               "UserActiveButtonColor",
                               "IndicatorColor",
                               "Shuffle",
                               "FadeIn",
                               "FadeOut",
                               "CrossFade",
                               "ShiftKey",
                               "StopPlayList",
                               "PlayListPage",
                               "PlayListSkipRed",
                               "BufferSize",
                               "HotKey",
                               "HKSetByUser",
                               "VoiceOverBlink",
                               "HKOverTalk",
                               "CueDelete",
                               "MultiPlay",
                               "Find",
                               "Volume",
                               "IndividualVolume",
                               "Tracer",
                               "MultiUser",
                               "DaylightMode",
                               "FadeOnHot",
                               "AutoFade",
                               "ResetAll",
                               "SpaceBarStop",
                               "EnterKeyMirrorSpaceBar",
                               "LogFile",
                               "InstantPlay",
                               "InstantPlayThreshold",
                               "BufferLength",
                               "Delay",
                               "MeterRate",
                               "NoteTime",
                               "PlayStop",
                               "Meter",
                               "BarYellow",
                               "BarRed",
                               "PanelRed"};
    EXPECT_EQ(KeysOf(bytes), expected);
    EXPECT_TRUE(bytes.startsWith(
        "[Main]\r\nAutoOpen= \r\nGroup=1\r\nPage=1\r\nOutputDevice=1\r\nSampleRaten=48000\r\n"));
    for (const char* line :
         {"\r\nPauseFadeInSec=0.5\r\n", "\r\nNoteTime=2.5\r\n", "\r\nFadeOutStartSec=5\r\n",
          "\r\nActiveButtonColor=clInfoBk\r\n", "\r\nGroupJColor=clBtnFace\r\n",
          "\r\nLastSoundButtonColor=clBlack\r\n", "\r\nBufferSize=No Buffer\r\n", "\r\nHotKey=YES\r\n",
          "\r\nHKSetByUser=YES\r\n", "\r\nFind=3\r\n", "\r\nMeter=Panel\r\n", "\r\nPageFontStyle=\r\n",
          "\r\nStereoMode=YES\r\n", "\r\nShiftKey=YES\r\n"}) {
        EXPECT_TRUE(bytes.contains(line)) << line;
    }
    EXPECT_TRUE(TraceText().contains(" - update inf file"));
}

TEST_F(OptionsFileWrite, EverySettingSurvivesAWriteAndRead)
{
    Settings& s = settings;
    s.AutoOpen = "/shows/Final.set";
    s.Group = 4;
    s.Page = 18;
    s.OutputDevice = 3;
    s.SampleRate = 44100;
    s.StereoMode = false;
    s.LibraryFolder = "/libs";
    s.FadeInSec = 2.5;
    s.FadeOutSec = 0.25;
    s.VoiceOverSec = 1.5;
    s.CrossFadeSec = 3;
    s.FadeOutStartSec = 9;
    s.CrossFadeStartSec = 8;
    s.PauseFadeIn = true;
    s.PauseFadeOutSec = 0.75;
    s.PageFontColor = clNavy;
    s.PageFontStyle = fsBold | fsItalic;
    s.Sound1FontName = "DejaVu Sans";
    s.Sound1FontSize = 11;
    s.GroupColor[3] = 0x00ABCDEF;
    s.CueColor = static_cast<TColor>(0x02FF9B37);
    s.ActiveButtonColor = clLime;
    s.Shuffle = true;
    s.ShiftKey = false;
    s.StopPlayList = true;
    s.SecurityCodeStored = "06070809";
    s.BroadcastKeys = true;
    s.MultiPlay = true;
    s.FindScope = "1";
    s.Volume = 80;
    s.IndividualVolume = 15;
    s.SpaceBarStop = true;
    s.BufferLength = 250;
    s.Delay = 0;
    s.MeterRate = 20;
    s.NoteTime = 0.5;
    s.PlayStop = "STOP";
    s.MeterPanel = false;
    s.PanelRed = 99;
    s.MySettingsNames[1] = "Crowd";
    s.MySettingsValues[1].Values = {1, -2, 3, -4, 5, -6, 7, -8, 9, -10, 0, 0, 0};
    ASSERT_TRUE(options->UpdateINIFile());
    const QByteArray first = ReadBytes(PathOf("RBX.inf"));

    const Settings r = ReadBack();
    EXPECT_EQ(r.AutoOpen, s.AutoOpen);
    EXPECT_EQ(r.Group, 4);
    EXPECT_EQ(r.Page, 18);
    EXPECT_EQ(r.OutputDevice, 3);
    EXPECT_EQ(r.SampleRate, 44100);
    EXPECT_FALSE(r.StereoMode);
    EXPECT_EQ(r.LibraryFolder, "/libs");
    EXPECT_EQ(r.FadeInSec, 2.5);
    EXPECT_EQ(r.FadeOutSec, 0.25);
    EXPECT_EQ(r.VoiceOverMs, 1500);
    EXPECT_EQ(r.FadeOutStartSec, 9.0);
    EXPECT_TRUE(r.PauseFadeIn);
    EXPECT_EQ(r.PauseFadeOutSec, 0.75);
    EXPECT_EQ(r.PageFontColor, clNavy);
    EXPECT_EQ(r.PageFontStyle, fsBold | fsItalic);
    EXPECT_EQ(r.Sound1FontName, "DejaVu Sans");
    EXPECT_EQ(r.Sound1FontSize, 11);
    EXPECT_EQ(r.GroupColor[3], 0x00ABCDEF);
    EXPECT_EQ(r.CueColor, static_cast<TColor>(0x02FF9B37));
    EXPECT_EQ(r.ActiveButtonColor, clLime);
    EXPECT_TRUE(r.Shuffle);
    EXPECT_FALSE(r.ShiftKey);
    EXPECT_TRUE(r.StopPlayList);
    EXPECT_TRUE(r.SecurityLocked);
    EXPECT_EQ(r.SecurityCode, "10203040");
    EXPECT_TRUE(r.BroadcastKeys);
    EXPECT_TRUE(r.MultiPlay);
    EXPECT_EQ(r.FindScope, "1");
    EXPECT_EQ(r.Volume, 80);
    EXPECT_EQ(r.IndividualVolume, 15);
    EXPECT_TRUE(r.SpaceBarStop);
    EXPECT_EQ(r.BufferLength, 250);
    EXPECT_EQ(r.Delay, 0);
    EXPECT_EQ(r.MeterRate, 20);
    EXPECT_EQ(r.NoteTime, 0.5);
    EXPECT_EQ(r.PlayStop, "STOP");
    EXPECT_FALSE(r.MeterPanel);
    EXPECT_EQ(r.PanelRed, 99);
    EXPECT_EQ(r.MySettingsNames[1], "Crowd");
    for (int band = 0; band < 10; ++band) {
        EXPECT_EQ(r.MySettingsValues[1].Values[static_cast<size_t>(band)],
                  s.MySettingsValues[1].Values[static_cast<size_t>(band)]);
    }

    Settings again = r;
    OptionsFile writer(folder.path(), again, *tracer, dialogs);
    ASSERT_TRUE(writer.UpdateINIFile());
    EXPECT_EQ(ReadBytes(PathOf("RBX.inf")), first);
}

TEST_F(OptionsFileWrite, OutputDeviceZeroIsWrittenBackAsOne)
{
    WriteOptionsText("OutputDevice=0\nFind=7\nBufferSize=\n");
    options->ReadOptions();
    ASSERT_TRUE(options->UpdateINIFile());
    const QByteArray bytes = ReadBytes(PathOf("RBX.inf"));
    EXPECT_TRUE(bytes.contains("\r\nOutputDevice=1\r\n"));
    EXPECT_FALSE(bytes.contains("Find="));
    EXPECT_TRUE(bytes.contains("\r\nBufferSize=No Buffer\r\n"));
}

TEST_F(OptionsFileWrite, LoadedPresetListIsWrittenInListOrderWithMatchingValues)
{
    settings.MySettingsNames[1] = "Flat";
    settings.MySettingsValues[1].Values[0] = 1;
    settings.MySettingsNames[2] = "Bass";
    settings.MySettingsValues[2].Values[0] = 6;
    settings.MySettingsLoaded = true;
    ASSERT_TRUE(options->UpdateINIFile({"Bass", "New One", "Flat"}));
    IniFile ini(PathOf("RBX.inf"));
    EXPECT_EQ(ini.ReadString("Main", "MySettingsName 1", "-"), "Bass");
    EXPECT_EQ(ini.ReadString("Main", "MySettingsValue 1", "-"), "6,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(ini.ReadString("Main", "MySettingsName 2", "-"), "New One");
    EXPECT_FALSE(ini.ValueExists("Main", "MySettingsValue 2"));
    EXPECT_EQ(ini.ReadString("Main", "MySettingsValue 3", "-"), "1,0,0,0,0,0,0,0,0,0");
}

TEST_F(OptionsFileWrite, StoredPresetsStopAtTheFirstEmptyName)
{
    settings.MySettingsNames[1] = "One";
    settings.MySettingsNames[3] = "Three";
    ASSERT_TRUE(options->UpdateINIFile());
    IniFile ini(PathOf("RBX.inf"));
    EXPECT_TRUE(ini.ValueExists("Main", "MySettingsName 1"));
    EXPECT_FALSE(ini.ValueExists("Main", "MySettingsName 3"));
}

TEST_F(OptionsFileWrite, UnwritableFileIsReportedAndNotClaimedWritten)
{
    QFile blocker(PathOf("notAFolder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    OptionsFile broken(PathOf("notAFolder"), settings, *tracer, dialogs);
    EXPECT_FALSE(broken.UpdateINIFile());
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, "Error in UpdateINIFile\r ");
    EXPECT_EQ(dialogs.Calls()[0].type, mtError);
    EXPECT_EQ(dialogs.Calls()[0].buttons, static_cast<TMsgDlgButtons>(mbOK));
}

TEST_F(OptionsFileWrite, AFullDiskKeepsTheOptionsFileWholeAndSaysSo)
{
    FullFileSystem disk;
    RBX_SKIP_UNLESS_MOUNTED(disk);
    const QByteArray old("[Main]\r\nVolume=20\r\n\r\n");
    ASSERT_TRUE(disk.Put("RBX.inf", old));
    ASSERT_TRUE(disk.Fill());
    OptionsFile onFullDisk(disk.Folder(), settings, *tracer, dialogs);
    EXPECT_FALSE(onFullDisk.UpdateINIFile());
    EXPECT_EQ(dialogs.Texts(), QStringList{"Error in UpdateINIFile\r "});
    EXPECT_EQ(ReadBytes(disk.FilePath("RBX.inf")), old);
}

TEST_F(OptionsFileWrite, WriterReplacesWhatAnEarlierWriterLeft)
{
    WriteOptionsText("Personalization=Old Team\nStale=1\nVolume=20\n");
    options->ReadOptions();
    ASSERT_TRUE(options->UpdateINIFile());
    IniFile ini(PathOf("RBX.inf"));
    EXPECT_FALSE(ini.ValueExists("Main", "Stale"));
    EXPECT_FALSE(ini.ValueExists("Main", "Personalization"));
    EXPECT_EQ(ini.ReadString("Main", "Volume", ""), "20");
}
