#include "board/OptionsFile.h"

#include "board/OptionsFileText.h"
#include "board/OptionsFileValues.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"
#include "platform/FloatText.h"
#include "platform/IniFile.h"
#include "platform/Rounding.h"
#include <QFile>
#include <algorithm>

using namespace OptionsValues;

namespace {

QString WithSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// Folder part of a path, separator included; set files made on Windows use "\".
QString FolderOf(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : path.left(cut + 1);
}

QString GroupColorKey(int group)
{
    return QStringLiteral("Group") + QChar('A' + group - 1) + QStringLiteral("Color");
}

} // namespace

OptionsFile::OptionsFile(const QString& programFolder, Settings& settings, Tracer& tracer, Dialogs& dialogs)
    : settings_(settings), tracer_(tracer), dialogs_(dialogs),
      oldOptionsFileName_(WithSlash(programFolder) + QStringLiteral("RB.ini")),
      optionsFileName_(WithSlash(programFolder) + QStringLiteral("RBX.inf"))
{}

void OptionsFile::MoveOldOptionsFile()
{
    if (!QFile::exists(optionsFileName_) && QFile::exists(oldOptionsFileName_)) {
        QFile::rename(oldOptionsFileName_, optionsFileName_);
    }
}

void OptionsFile::ReadOptions()
{
    const IniFile ini(optionsFileName_);
    ReadOptions(ini);
}

void OptionsFile::ReadOptions(const IniFile& ini)
{
    Settings& s = settings_;
    s.MySettingsLoaded = false;
    ReadLayout(ini);
    ReadFades(ini);
    ReadFonts(ini);
    ReadColors(ini);
    ReadModes(ini);
    ReadLock(ini);
    ReadEngine(ini);
    ReadPresets(ini);
    // The start points of the automatic fades must leave room for the fade itself.
    if (s.FadeOutStartSec < s.FadeOutSec + 1) {
        s.FadeOutStartSec = s.FadeOutSec + 1;
    }
    if (s.CrossFadeStartSec < s.CrossFadeSec + 1) {
        s.CrossFadeStartSec = s.CrossFadeSec + 1;
    }
    s.PageFontStyle = StringToFontStyle(s.PageFontStyleText);
    s.Sound1FontStyle = StringToFontStyle(s.Sound1FontStyleText);
}

void OptionsFile::ReadLayout(const IniFile& ini)
{
    Settings& s = settings_;
    s.AutoOpen = ReadText(ini, QStringLiteral("AutoOpen"), QStringLiteral(" "));
    s.LastFolder = FolderOf(s.AutoOpen);
    s.LibraryFolder = ReadText(ini, QStringLiteral("LibraryFolder"), QString());
    // The board has no group 0 or page 0, and page 19 is the cue, never a start page.
    s.Group = ReadIntInRange(ini, QStringLiteral("Group"), 1, 1, 10);
    s.Page = ReadIntInRange(ini, QStringLiteral("Page"), 1, 1, 18);
}

void OptionsFile::ReadFades(const IniFile& ini)
{
    Settings& s = settings_;
    s.FadeInSec = ReadSeconds(ini, QStringLiteral("FadeInSec"), 4);
    s.FadeOutSec = ReadSeconds(ini, QStringLiteral("FadeOutSec"), 4);
    s.VoiceOverSec = ReadSeconds(ini, QStringLiteral("VoiceOverSec"), 1);
    s.VoiceOverMs = RoundHalfEven(1000 * s.VoiceOverSec);
    s.VoiceOverVolume = ReadIntInRange(ini, QStringLiteral("VoiceOverVolume"), 10, 0, 100);
    s.FadeOutStartSec = ReadSeconds(ini, QStringLiteral("FadeOutStartSec"), 5);
    s.CrossFadeStartSec = ReadSeconds(ini, QStringLiteral("CrossFadeStartSec"), 5);
    s.CrossFadeSec = ReadSeconds(ini, QStringLiteral("CrossFadeSec"), 4);
    s.PauseFadeIn = ReadExactYes(ini, QStringLiteral("PauseFadeIn"), QStringLiteral("NO"));
    s.PauseFadeOut = ReadExactYes(ini, QStringLiteral("PauseFadeOut"), QStringLiteral("NO"));
    s.PauseFadeInSec = ReadSeconds(ini, QStringLiteral("PauseFadeInSec"), 0.5);
    s.PauseFadeOutSec = ReadSeconds(ini, QStringLiteral("PauseFadeOutSec"), 0.5);
}

void OptionsFile::ReadFonts(const IniFile& ini)
{
    Settings& s = settings_;
    s.PageFontColor = ReadColor(ini, QStringLiteral("PageFontColor"), clBlack);
    s.PageFontName = ReadText(ini, QStringLiteral("PageFontName"), QStringLiteral("MS Sans Serif"));
    s.PageFontSize = ReadInt(ini, QStringLiteral("PageFontSize"), 8);
    s.PageFontStyleText = ReadText(ini, QStringLiteral("PageFontStyle"), QString());
    s.Sound1FontColor = ReadColor(ini, QStringLiteral("Sound1FontColor"), clBlack);
    s.Sound1FontName = ReadText(ini, QStringLiteral("Sound1FontName"), QStringLiteral("MS Sans Serif"));
    s.Sound1FontSize = ReadInt(ini, QStringLiteral("Sound1FontSize"), 8);
    s.Sound1FontStyleText = ReadText(ini, QStringLiteral("Sound1FontStyle"), QString());
}

void OptionsFile::ReadColors(const IniFile& ini)
{
    Settings& s = settings_;
    s.LastSoundButtonColorText = ReadText(ini, QStringLiteral("LastSoundButtonColor"), QString());
    s.LastSoundButtonColor = 0;
    if (!s.LastSoundButtonColorText.trimmed().isEmpty()) {
        s.LastSoundButtonColor = ReadColor(ini, QStringLiteral("LastSoundButtonColor"), 0);
    }
    tracer_.WriteTracer(QStringLiteral("active before read is ") + ColorToString(s.ActiveButtonColor));
    s.ActiveButtonColor = ReadColor(ini, QStringLiteral("ActiveButtonColor"), clInfoBk);
    tracer_.WriteTracer(QStringLiteral("active after read is ") + ColorToString(s.ActiveButtonColor));
    for (int group = 1; group <= 10; ++group) {
        s.GroupColor[static_cast<size_t>(group)] = ReadColor(ini, GroupColorKey(group), clBtnFace);
    }
    s.CueColor = ReadColor(ini, QStringLiteral("CueColor"), clBtnFace);
    s.EditModeColor = ReadColor(ini, QStringLiteral("EditModeColor"), clBtnFace);
    s.DragModeColor = ReadColor(ini, QStringLiteral("DragModeColor"), clBtnFace);
    s.ButtonColor = ReadColor(ini, QStringLiteral("ButtonColor"), clBtnFace);
    s.UserActiveButtonColor = ReadColor(ini, QStringLiteral("UserActiveButtonColor"), clInfoBk);
    s.IndicatorColor = ReadColor(ini, QStringLiteral("IndicatorColor"), clSilver);
}

void OptionsFile::ReadModes(const IniFile& ini)
{
    Settings& s = settings_;
    s.DaylightMode = ReadYes(ini, QStringLiteral("DaylightMode"), QStringLiteral("NO"));
    s.ShiftKey = ReadExactYes(ini, QStringLiteral("ShiftKey"), QStringLiteral("YES"));
    s.FindScope = ReadText(ini, QStringLiteral("Find"), QStringLiteral("3"));
    s.Tracer = ReadYes(ini, QStringLiteral("Tracer"), QStringLiteral("NO"));
    s.MultiUser = ReadYes(ini, QStringLiteral("MultiUser"), QStringLiteral("NO"));
    s.StereoMode = ReadYes(ini, QStringLiteral("StereoMode"), QStringLiteral("YES"));
    s.HKSetByUserText = ReadText(ini, QStringLiteral("HKSetByUser"), QStringLiteral("YES"));
    s.BroadcastKeys = s.HKSetByUserText.toUpper() != QLatin1String("YES");
    s.StopPlayListText = ReadText(ini, QStringLiteral("StopPlayList"), QStringLiteral("NO"));
    s.StopPlayList = s.StopPlayListText.toUpper() == QLatin1String("YES");
    s.PlayListPageText = ReadText(ini, QStringLiteral("PlayListPage"), QStringLiteral("NO"));
    s.PlayListPage = s.PlayListPageText.toUpper() == QLatin1String("YES");
    s.PlayListSkipRedText = ReadText(ini, QStringLiteral("PlayListSkipRed"), QStringLiteral("YES"));
    s.PlayListSkipRed = s.PlayListSkipRedText.toUpper() == QLatin1String("YES");
    s.ResetAllText = ReadText(ini, QStringLiteral("ResetAll"), QStringLiteral("NO"));
    s.ResetAll = s.ResetAllText.toUpper() == QLatin1String("YES");
    s.SpaceBarStopText = ReadText(ini, QStringLiteral("SpaceBarStop"), QStringLiteral("NO"));
    s.SpaceBarStop = s.SpaceBarStopText.toUpper() == QLatin1String("YES");
    s.MultiPlayText = ReadText(ini, QStringLiteral("MultiPlay"), QStringLiteral("NO"));
    s.MultiPlay = s.MultiPlayText.toUpper() == QLatin1String("YES");
    s.FadeOnHotText = ReadText(ini, QStringLiteral("FadeOnHot"), QStringLiteral("NO"));
    s.FadeOnHot = s.FadeOnHotText.toUpper() == QLatin1String("YES");
    s.AutoFadeText = ReadText(ini, QStringLiteral("AutoFade"), QStringLiteral("NO"));
    s.AutoFade = s.AutoFadeText.toUpper() == QLatin1String("YES");
    s.Shuffle = ReadYes(ini, QStringLiteral("Shuffle"), QStringLiteral("NO"));
    s.FadeIn = ReadYes(ini, QStringLiteral("FadeIn"), QStringLiteral("NO"));
    s.FadeOut = ReadYes(ini, QStringLiteral("FadeOut"), QStringLiteral("NO"));
    s.FadeOutSaved = s.FadeOut;
    s.CrossFade = ReadYes(ini, QStringLiteral("CrossFade"), QStringLiteral("NO"));
    s.HotKey = ReadYes(ini, QStringLiteral("HotKey"), QStringLiteral("YES"));
    s.VoiceOverBlink = ReadYes(ini, QStringLiteral("VoiceOverBlink"), QStringLiteral("NO"));
    s.HKOverTalk = ReadYes(ini, QStringLiteral("HKOverTalk"), QStringLiteral("NO"));
    s.CueDelete = ReadYes(ini, QStringLiteral("CueDelete"), QStringLiteral("NO"));
    s.EnterKeyMirrorSpaceBar = ReadYes(ini, QStringLiteral("EnterKeyMirrorSpaceBar"), QStringLiteral("NO"));
    s.LogFile = ReadYes(ini, QStringLiteral("LogFile"), QStringLiteral("NO"));
    s.InstantPlay = ReadYes(ini, QStringLiteral("InstantPlay"), QStringLiteral("YES"));
}

void OptionsFile::ReadLock(const IniFile& ini)
{
    Settings& s = settings_;
    QString stored = ReadText(ini, QStringLiteral("BufferSize"), QStringLiteral("No Buffer"));
    // Only eight digits can ever be validated again; any other stored text would lock the
    // board for good, so it counts as unlocked.
    if (stored.trimmed().isEmpty() ||
        (stored.toUpper() != QLatin1String("NO BUFFER") && !IsEightDigitCode(stored))) {
        if (!stored.trimmed().isEmpty()) {
            tracer_.WriteTracer(QStringLiteral("Board lock value is not eight digits - starting unlocked"));
        }
        stored = QStringLiteral("No Buffer");
    }
    s.SecurityCodeStored = stored;
    s.SecurityLocked = stored.toUpper() != QLatin1String("NO BUFFER");
    s.SecurityCode = s.SecurityLocked ? SecurityCodeTransform(stored.left(8)) : QStringLiteral("No Buffer");
}

void OptionsFile::ReadEngine(const IniFile& ini)
{
    Settings& s = settings_;
    s.BufferLengthText = ReadText(ini, QStringLiteral("BufferLength"), QStringLiteral("1000"));
    s.BufferLength = ReadIntInRange(ini, QStringLiteral("BufferLength"), 1000, 1, 0x7FFFFFFF);
    tracer_.WriteTracer(QStringLiteral("buffer length is ") + QString::number(s.BufferLength));
    s.OutputDeviceText = ReadText(ini, QStringLiteral("OutputDevice"), QStringLiteral("1"));
    s.OutputDevice = ReadIntInRange(ini, QStringLiteral("OutputDevice"), 1, 0, 0x7FFFFFFF);
    if (s.OutputDevice == 0) {
        s.OutputDevice = 1;
    }
    s.SampleRate = ReadIntInRange(ini, QStringLiteral("SampleRaten"), 48000, 1, 0x7FFFFFFF);
    // Clamped to what Setup offers: a larger pause would leave every click and key ignored for
    // that long after each stop.
    s.Delay = std::clamp(ReadInt(ini, QStringLiteral("Delay"), 25), 0, MaxDelayMs);
    s.MeterRate = ReadIntInRange(ini, QStringLiteral("MeterRate"), 1, 1, 0x7FFFFFFF);
    s.NoteTime = ReadSeconds(ini, QStringLiteral("NoteTime"), 2.5);
    s.PlayStop = ReadText(ini, QStringLiteral("PlayStop"), QStringLiteral("PLAY"));
    s.MeterText = ReadText(ini, QStringLiteral("Meter"), QStringLiteral("Panel"));
    s.MeterPanel = s.MeterText == QLatin1String("Panel");
    s.BarYellow = ReadInt(ini, QStringLiteral("BarYellow"), 73);
    s.BarRed = ReadInt(ini, QStringLiteral("BarRed"), 109);
    s.PanelRed = ReadInt(ini, QStringLiteral("PanelRed"), 110);
    s.InstantPlayThreshold = ReadInt(ini, QStringLiteral("InstantPlayThreshold"), 500);
    s.Volume = ReadIntInRange(ini, QStringLiteral("Volume"), 50, 0, 100);
    s.IndividualVolume = ReadIntInRange(ini, QStringLiteral("IndividualVolume"), 75, 0, 100);
}
