#pragma once
// Every setting of the program, one member per options-file key ("RBX.inf", section
// "Main"), named after the key or after the value the key holds. The member initialisers
// are the values a missing key gives. One instance lives for the whole run; tests build
// their own.
#include "platform/Color.h"
#include "platform/FontStyle.h"
#include <QString>
#include <QStringList>
#include <array>

// An equalizer preset: ten band gains in dB and three spare values nothing uses.
struct TMySetting
{
    std::array<int, 13> Values{};
    bool operator==(const TMySetting&) const = default;
};

constexpr int MySettingsCount = 10;

struct Settings
{
    // AutoOpen: the set file to open at start (start value of Board::SetFileName).
    QString AutoOpen = " ";
    // Folder of AutoOpen, where the set-file dialogs start.
    QString LastFolder;
    // Group and Page: the group and page shown at start (start values of the selection).
    int Group = 1;
    int Page = 1;
    int OutputDevice = 1;
    QString OutputDeviceText = "1";
    int SampleRate = 48000; // key "SampleRaten"
    bool StereoMode = true;
    QString LibraryFolder;

    double FadeInSec = 4;
    double FadeOutSec = 4;
    double VoiceOverSec = 1;
    int VoiceOverMs = 1000;
    int VoiceOverVolume = 10;
    double CrossFadeSec = 4;
    double FadeOutStartSec = 5;
    double CrossFadeStartSec = 5;
    bool PauseFadeIn = false;
    bool PauseFadeOut = false;
    double PauseFadeInSec = 0.5;
    double PauseFadeOutSec = 0.5;

    TColor PageFontColor = clBlack;
    QString PageFontName = "MS Sans Serif";
    int PageFontSize = 8;
    TFontStyles PageFontStyle = 0;
    QString PageFontStyleText;
    TColor Sound1FontColor = clBlack;
    QString Sound1FontName = "MS Sans Serif";
    int Sound1FontSize = 8;
    TFontStyles Sound1FontStyle = 0;
    QString Sound1FontStyleText;

    // GroupAColor .. GroupJColor at 1..10 (index 0 unused).
    std::array<TColor, 11> GroupColor{clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBtnFace,
                                      clBtnFace, clBtnFace, clBtnFace, clBtnFace, clBtnFace};
    TColor CueColor = clBtnFace;
    TColor EditModeColor = clBtnFace;
    TColor DragModeColor = clBtnFace;
    TColor ButtonColor = clBtnFace;
    TColor LastSoundButtonColor = 0;
    QString LastSoundButtonColorText;
    TColor ActiveButtonColor = clInfoBk;
    TColor UserActiveButtonColor = clInfoBk;
    TColor IndicatorColor = clSilver;

    bool Shuffle = false;
    bool FadeIn = false;
    bool FadeOut = false;
    bool FadeOutSaved = false;
    bool CrossFade = false;
    bool ShiftKey = true;
    bool StopPlayList = false;
    QString StopPlayListText = "NO";
    bool PlayListPage = false;
    QString PlayListPageText = "NO";
    bool PlayListSkipRed = true;
    QString PlayListSkipRedText = "YES";

    // Key "BufferSize": the board-lock code in its stored form, "No Buffer" while unlocked.
    QString SecurityCodeStored = "No Buffer";
    bool SecurityLocked = false;
    // The plain eight-digit code while locked; "No Buffer" otherwise.
    QString SecurityCode = "No Buffer";

    bool HotKey = true;
    // Key "HKSetByUser": "NO" while BroadcastKeys is on.
    bool BroadcastKeys = false;
    QString HKSetByUserText = "YES";
    bool VoiceOverBlink = false;
    bool HKOverTalk = false;
    bool CueDelete = false;
    bool MultiPlay = false;
    QString MultiPlayText = "NO";
    // Key "Find": "1", "2" or "3".
    QString FindScope = "3";
    int Volume = 50;
    int IndividualVolume = 75;
    bool Tracer = false;
    bool MultiUser = false;
    bool DaylightMode = false;
    bool FadeOnHot = false;
    QString FadeOnHotText = "NO";
    bool AutoFade = false;
    QString AutoFadeText = "NO";
    bool ResetAll = false;
    QString ResetAllText = "NO";
    bool SpaceBarStop = false;
    QString SpaceBarStopText = "NO";
    bool EnterKeyMirrorSpaceBar = false;
    bool LogFile = false;
    bool InstantPlay = true;
    int InstantPlayThreshold = 500;
    int BufferLength = 1000; // milliseconds
    QString BufferLengthText = "1000";
    int Delay = 25;
    int MeterRate = 1; // milliseconds, progression timer interval
    double NoteTime = 2.5;
    QString PlayStop = "PLAY";
    // Key "Meter": "Panel" gives needle meters, anything else bar meters.
    bool MeterPanel = true;
    QString MeterText = "Panel";
    int BarYellow = 73;
    int BarRed = 109;
    int PanelRed = 110;

    // Written by Setup's writer only; no reader takes it from the options file.
    QString Personalization;

    // Equalizer presets at 1..10 (index 0 unused); an empty name ends the list.
    std::array<QString, MySettingsCount + 1> MySettingsNames{};
    std::array<TMySetting, MySettingsCount + 1> MySettingsValues{};
    // The equalizer window has filled its preset list.
    bool MySettingsLoaded = false;
    // The entries of that list, in its order, once it is filled; the options file is written from
    // them, so a preset deleted or added in the window is stored as the window shows it.
    QStringList MySettingsList;
};
