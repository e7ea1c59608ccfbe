#include "board/OptionsFile.h"

#include "board/OptionsFileText.h"
#include "board/OptionsFileValues.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"
#include "platform/FloatText.h"
#include "platform/IniFile.h"

using namespace OptionsValues;

namespace {

QString PresetNameKey(int i)
{
    return QStringLiteral("MySettingsName ") + QString::number(i);
}

QString PresetValueKey(int i)
{
    return QStringLiteral("MySettingsValue ") + QString::number(i);
}

QString PresetValueList(const TMySetting& preset)
{
    QStringList fields;
    for (int band = 0; band < 10; ++band) {
        fields.append(QString::number(preset.Values[static_cast<size_t>(band)]));
    }
    return fields.join(QLatin1Char(','));
}

class KeyWriter
{
public:
    explicit KeyWriter(IniFile& ini) : ini_(ini) {}
    void Text(const QString& key, const QString& value) { ini_.WriteString(kMain, key, value); }
    void Int(const QString& key, int value) { Text(key, QString::number(value)); }
    void Yes(const QString& key, bool on) { Text(key, YesNo(on)); }
    void Seconds(const QString& key, double value) { Text(key, FloatToStr(value)); }
    void Color(const QString& key, TColor value) { Text(key, ColorToString(value)); }

private:
    IniFile& ini_;
};

void WriteFontsAndColors(KeyWriter& w, const Settings& s)
{
    w.Color(QStringLiteral("PageFontColor"), s.PageFontColor);
    w.Text(QStringLiteral("PageFontName"), s.PageFontName);
    w.Int(QStringLiteral("PageFontSize"), s.PageFontSize);
    w.Text(QStringLiteral("PageFontStyle"), FontStyleToString(s.PageFontStyle));
    w.Color(QStringLiteral("Sound1FontColor"), s.Sound1FontColor);
    w.Text(QStringLiteral("Sound1FontName"), s.Sound1FontName);
    w.Int(QStringLiteral("Sound1FontSize"), s.Sound1FontSize);
    w.Text(QStringLiteral("Sound1FontStyle"), FontStyleToString(s.Sound1FontStyle));
    for (int group = 1; group <= 10; ++group) {
        w.Color(QStringLiteral("Group") + QChar('A' + group - 1) + QStringLiteral("Color"),
                s.GroupColor[static_cast<size_t>(group)]);
    }
    w.Color(QStringLiteral("CueColor"), s.CueColor);
    w.Color(QStringLiteral("EditModeColor"), s.EditModeColor);
    w.Color(QStringLiteral("DragModeColor"), s.DragModeColor);
    w.Color(QStringLiteral("ButtonColor"), s.ButtonColor);
    w.Color(QStringLiteral("LastSoundButtonColor"), s.LastSoundButtonColor);
    w.Color(QStringLiteral("ActiveButtonColor"), s.ActiveButtonColor);
    w.Color(QStringLiteral("UserActiveButtonColor"), s.UserActiveButtonColor);
    w.Color(QStringLiteral("IndicatorColor"), s.IndicatorColor);
}

void WriteModes(KeyWriter& w, const Settings& s)
{
    w.Yes(QStringLiteral("Shuffle"), s.Shuffle);
    w.Yes(QStringLiteral("FadeIn"), s.FadeIn);
    w.Yes(QStringLiteral("FadeOut"), s.FadeOut);
    w.Yes(QStringLiteral("CrossFade"), s.CrossFade);
    w.Yes(QStringLiteral("ShiftKey"), s.ShiftKey);
    w.Yes(QStringLiteral("StopPlayList"), s.StopPlayList);
    w.Yes(QStringLiteral("PlayListPage"), s.PlayListPage);
    w.Yes(QStringLiteral("PlayListSkipRed"), s.PlayListSkipRed);
    w.Text(QStringLiteral("BufferSize"),
           s.SecurityCodeStored.trimmed().isEmpty() ? QStringLiteral("No Buffer") : s.SecurityCodeStored);
    w.Text(QStringLiteral("HotKey"), QStringLiteral("YES"));
    w.Text(QStringLiteral("HKSetByUser"), s.BroadcastKeys ? QStringLiteral("NO") : QStringLiteral("YES"));
    w.Yes(QStringLiteral("VoiceOverBlink"), s.VoiceOverBlink);
    w.Yes(QStringLiteral("HKOverTalk"), s.HKOverTalk);
    w.Yes(QStringLiteral("CueDelete"), s.CueDelete);
    w.Yes(QStringLiteral("MultiPlay"), s.MultiPlay);
    if (s.FindScope == QLatin1String("1") || s.FindScope == QLatin1String("2") ||
        s.FindScope == QLatin1String("3")) {
        w.Text(QStringLiteral("Find"), s.FindScope);
    }
    w.Int(QStringLiteral("Volume"), s.Volume);
    w.Int(QStringLiteral("IndividualVolume"), s.IndividualVolume);
    w.Yes(QStringLiteral("Tracer"), s.Tracer);
    w.Yes(QStringLiteral("MultiUser"), s.MultiUser);
    w.Yes(QStringLiteral("DaylightMode"), s.DaylightMode);
    w.Yes(QStringLiteral("FadeOnHot"), s.FadeOnHot);
    w.Yes(QStringLiteral("AutoFade"), s.AutoFade);
    w.Yes(QStringLiteral("ResetAll"), s.ResetAll);
    w.Yes(QStringLiteral("SpaceBarStop"), s.SpaceBarStop);
    w.Yes(QStringLiteral("EnterKeyMirrorSpaceBar"), s.EnterKeyMirrorSpaceBar);
    w.Yes(QStringLiteral("LogFile"), s.LogFile);
}

} // namespace

void OptionsFile::ReadPresets(const IniFile& ini)
{
    for (int i = 1; i <= MySettingsCount; ++i) {
        const QString name = ReadText(ini, PresetNameKey(i), QString());
        if (name.trimmed().isEmpty()) {
            break;
        }
        RestoreMySettings(QString::number(i), name, ReadText(ini, PresetValueKey(i), QString()));
    }
}

void OptionsFile::RestoreMySettings(const QString& indexText, const QString& name, const QString& valueList)
{
    tracer_.WriteTracer(QStringLiteral("Restore My Settings"));
    int index = 0;
    if (!IniFile::TryParseInteger(indexText, index) || index < 1 || index > MySettingsCount) {
        dialogs_.MessageDlg(QStringLiteral("Error in RestoreMySettings\r "), mtError, mbOK);
        return;
    }
    const auto slot = static_cast<size_t>(index);
    settings_.MySettingsNames[slot] = name;
    if (valueList.isEmpty()) {
        return;
    }
    const QStringList fields = valueList.split(QLatin1Char(','));
    for (int band = 0; band < 10; ++band) {
        int value = 0;
        if (band >= fields.size() || !IniFile::TryParseInteger(fields[band].trimmed(), value)) {
            dialogs_.MessageDlg(QStringLiteral("Error in RestoreMySettings\r "), mtError, mbOK);
            return;
        }
        settings_.MySettingsValues[slot].Values[static_cast<size_t>(band)] = value;
    }
}

void OptionsFile::WritePresets(IniFile& ini, const QStringList& presetListEntries) const
{
    const Settings& s = settings_;
    if (s.MySettingsLoaded) {
        for (int i = 1; i <= presetListEntries.size(); ++i) {
            const QString& entry = presetListEntries[i - 1];
            ini.WriteString(kMain, PresetNameKey(i), entry);
            for (int stored = 1; stored <= MySettingsCount; ++stored) {
                if (s.MySettingsNames[static_cast<size_t>(stored)] == entry) {
                    ini.WriteString(kMain, PresetValueKey(i),
                                    PresetValueList(s.MySettingsValues[static_cast<size_t>(stored)]));
                    break;
                }
            }
        }
        return;
    }
    for (int i = 1; i <= MySettingsCount; ++i) {
        const auto slot = static_cast<size_t>(i);
        if (s.MySettingsNames[slot].trimmed().isEmpty()) {
            break;
        }
        ini.WriteString(kMain, PresetNameKey(i), s.MySettingsNames[slot]);
        ini.WriteString(kMain, PresetValueKey(i), PresetValueList(s.MySettingsValues[slot]));
    }
}

void OptionsFile::WriteOptions(IniFile& ini, const QStringList& presetListEntries) const
{
    const Settings& s = settings_;
    ini.Clear();
    KeyWriter w(ini);
    w.Text(QStringLiteral("AutoOpen"), s.AutoOpen);
    w.Int(QStringLiteral("Group"), s.Group);
    w.Int(QStringLiteral("Page"), s.Page);
    w.Int(QStringLiteral("OutputDevice"), s.OutputDevice);
    w.Int(QStringLiteral("SampleRaten"), s.SampleRate);
    w.Yes(QStringLiteral("StereoMode"), s.StereoMode);
    w.Text(QStringLiteral("LibraryFolder"), s.LibraryFolder);
    w.Seconds(QStringLiteral("FadeInSec"), s.FadeInSec);
    w.Seconds(QStringLiteral("FadeOutSec"), s.FadeOutSec);
    w.Seconds(QStringLiteral("VoiceOverSec"), s.VoiceOverSec);
    w.Int(QStringLiteral("VoiceOverVolume"), s.VoiceOverVolume);
    w.Seconds(QStringLiteral("CrossFadeSec"), s.CrossFadeSec);
    w.Seconds(QStringLiteral("FadeOutStartSec"), s.FadeOutStartSec);
    w.Seconds(QStringLiteral("CrossFadeStartSec"), s.CrossFadeStartSec);
    w.Yes(QStringLiteral("PauseFadeIn"), s.PauseFadeIn);
    w.Yes(QStringLiteral("PauseFadeOut"), s.PauseFadeOut);
    w.Seconds(QStringLiteral("PauseFadeInSec"), s.PauseFadeInSec);
    w.Seconds(QStringLiteral("PauseFadeOutSec"), s.PauseFadeOutSec);
    WriteFontsAndColors(w, s);
    WriteModes(w, s);
    w.Yes(QStringLiteral("InstantPlay"), s.InstantPlay);
    w.Int(QStringLiteral("InstantPlayThreshold"), s.InstantPlayThreshold);
    w.Int(QStringLiteral("BufferLength"), s.BufferLength);
    w.Int(QStringLiteral("Delay"), s.Delay);
    w.Int(QStringLiteral("MeterRate"), s.MeterRate);
    w.Seconds(QStringLiteral("NoteTime"), s.NoteTime);
    w.Text(QStringLiteral("PlayStop"), s.PlayStop);
    w.Text(QStringLiteral("Meter"), s.MeterPanel ? QStringLiteral("Panel") : QStringLiteral("Bar"));
    w.Int(QStringLiteral("BarYellow"), s.BarYellow);
    w.Int(QStringLiteral("BarRed"), s.BarRed);
    w.Int(QStringLiteral("PanelRed"), s.PanelRed);
    WritePresets(ini, presetListEntries);
}

bool OptionsFile::UpdateINIFile()
{
    return UpdateINIFile(settings_.MySettingsList);
}

bool OptionsFile::UpdateINIFile(const QStringList& presetListEntries)
{
    tracer_.WriteTracer(QStringLiteral("update inf file"));
    IniFile ini;
    ini.Rename(optionsFileName_, false);
    WriteOptions(ini, presetListEntries);
    if (!ini.UpdateFile()) {
        dialogs_.MessageDlg(QStringLiteral("Error in UpdateINIFile\r "), mtError, mbOK);
        return false;
    }
    return true;
}
