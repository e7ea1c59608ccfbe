// Save Settings: the controls go back into the settings step by step, the main window and the
// audio output take them, and the options file is written at once.
#include "tools/TFormSetup.h"

#include "audio/Bass.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/OptionsFile.h"
#include "board/PlayLog.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "board/UserProfile.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "controls/Zseg.h"
#include "controls/zPanel.h"
#include "platform/Dialogs.h"
#include "platform/FloatText.h"
#include "platform/IniFile.h"
#include "platform/Rounding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

void TFormSetup::SetupSaveButtonClick()
{
    Settings& s = ctx_.settings;
    s.Delay = VeskDelay->value();
    s.MeterRate = MeterRate->value();
    if (main_.ApplyMeterRate) {
        main_.ApplyMeterRate(s.MeterRate);
    } else {
        main_.ProgressionTimer->setInterval(s.MeterRate);
    }
    SaveMeters();
    s.PauseFadeIn = PauseFadeInCheckBox->isChecked();
    s.PauseFadeOut = PauseFadeOutCheckBox->isChecked();
    s.PauseFadeInSec = SecondsOf(PauseFadeInEdit, s.PauseFadeInSec);
    s.PauseFadeOutSec = SecondsOf(PauseFadeOutEdit, s.PauseFadeOutSec);
    s.InstantPlay = InstantPlayCheckBox->isChecked();
    s.InstantPlayThreshold = ThresholdLevel->value();
    s.IndividualVolume = DefaultVolumeSpin1->value();
    s.BufferLength = BufferSpin->value();
    if (IndicatorSilver->isChecked()) {
        s.IndicatorColor = static_cast<TColor>(0xC0C0C0);
    } else if (IndicatorGray->isChecked()) {
        s.IndicatorColor = static_cast<TColor>(0x808080);
    } else if (IndicatorBlack->isChecked()) {
        s.IndicatorColor = 0;
    }
    SaveModes();
    main_.SetMainCaption(true, false);
    SaveLogging();
    s.SpaceBarStop = SpaceBarStopCheckBox->isChecked();
    SaveSeconds();
    s.HKOverTalk = HotKeyOverRideTalkCheckBox->isChecked();
    s.CueDelete = CueDeleteCheckBox->isChecked();
    SaveMeterKind();
    SaveOutput();
    BASS_SetConfig(BASS_CONFIG_BUFFER, static_cast<std::uint32_t>(s.BufferLength));
    SaveKeysAndTrace();
    SetupWriteOptions();
    main_.PlaceSoundButtons();
    if (s.Tracer) {
        const VersionTexts versions{main_.VersionText, main_.BuildText, main_.WindowsVersionText};
        RecordUserProfile(ctx_.tracer, s, ctx_.board, ctx_.selection, versions, main_.ProfileWritten,
                          ctx_.dialogs, true);
    }
    done(mrOk);
}

void TFormSetup::SaveMeters()
{
    Settings& s = ctx_.settings;
    for (TzcPeakOmeter* meter : {main_.LMeter, main_.RMeter}) {
        meter->SetColor2Pos(YellowSpin->value());
        meter->SetColor3Pos(RedSpin->value());
    }
    main_.LeftMeter->SetAlert(PanelSpin->value());
    main_.RightMeter->SetAlert(PanelSpin->value());
    s.BarYellow = YellowSpin->value();
    s.BarRed = RedSpin->value();
    s.PanelRed = PanelSpin->value();
}

void TFormSetup::SaveModes()
{
    Settings& s = ctx_.settings;
    s.FadeOnHot = FadeOnHotCheckBox->isChecked();
    s.ResetAll = ResetALLCheckBox->isChecked();
    s.ShiftKey = ShiftKeyCheckBox->isChecked();
    s.StopPlayList = PlayListStopCheckBox->isChecked();
    AsPushButton(main_.PlayListButton)
        ->setText(s.StopPlayList ? QStringLiteral("*Play List*") : QStringLiteral("Play List"));
    s.PlayListPage = PlayListPageCheckBox->isChecked();
    s.PlayListSkipRed = SkipRedCheckBox->isChecked();
    s.EnterKeyMirrorSpaceBar = EnterKeyMirrorSpaceBarCheckBox->isChecked();
}

void TFormSetup::SaveLogging()
{
    ctx_.settings.LogFile = LogFileCheckBox->isChecked();
    main_.LoggingOnDisplay->setVisible(ctx_.settings.LogFile);
    CloseLogFile();
}

void TFormSetup::CloseLogFile()
{
    PlayLog& log = ctx_.playLog;
    if (log.PlayLogOpen() && !ctx_.settings.LogFile) {
        main_.LoggingOnDisplay->hide();
        log.EndLog();
    } else if (!log.PlayLogOpen() && ctx_.settings.LogFile) {
        // The log itself opens with the next logged sound.
        main_.LoggingOnDisplay->show();
    }
}

double TFormSetup::SecondsOf(const QLineEdit* edit, double current) const
{
    double value = 0;
    return TryStrToFloat(edit->text(), value) ? value : current;
}

void TFormSetup::SaveSeconds()
{
    Settings& s = ctx_.settings;
    s.FadeInSec = SecondsOf(FadeInEdit, s.FadeInSec);
    s.FadeOutSec = SecondsOf(FadeOutEdit, s.FadeOutSec);
    s.CrossFadeSec = SecondsOf(CrossFadeEdit, s.CrossFadeSec);
    s.VoiceOverSec = SecondsOf(VoiceOverEdit, s.VoiceOverSec);
    s.FadeOutStartSec = SecondsOf(FadeOutStartEdit, s.FadeOutStartSec);
    s.CrossFadeStartSec = SecondsOf(CrossFadeStartEdit, s.CrossFadeStartSec);
    if (s.FadeOutStartSec < s.FadeOutSec + 1) {
        s.FadeOutStartSec = s.FadeOutSec + 1;
    }
    if (s.CrossFadeStartSec < s.CrossFadeSec + 1) {
        s.CrossFadeStartSec = s.CrossFadeSec + 1;
    }
    s.VoiceOverVolume = VoiceOverSpinEdit->value();
    // Seconds hold at most one tenth, so the product is whole; rounding guards the float's last bit.
    s.VoiceOverMs = RoundHalfEven(1000 * s.VoiceOverSec);
}

void TFormSetup::SaveMeterKind()
{
    Settings& s = ctx_.settings;
    s.MeterPanel = PanelRadioButton->isChecked();
    main_.LeftMeter->setVisible(s.MeterPanel);
    main_.RightMeter->setVisible(s.MeterPanel);
    for (QWidget* bar : std::initializer_list<QWidget*>{main_.LMeter, main_.RMeter, main_.BarMeterPanel,
                                                        main_.LeftMeterLabel, main_.RightMeterLabel}) {
        bar->setVisible(!s.MeterPanel);
    }
}

void TFormSetup::SaveKeysAndTrace()
{
    Settings& s = ctx_.settings;
    s.BroadcastKeys = BroadcastCheckBox->isChecked();
    s.VoiceOverBlink = RadioVOYes->isChecked();
    main_.HotKeyLabelColor = s.BroadcastKeys ? clWhite : TForm1::DefaultEditModeColor;
    for (int n = 1; n <= TForm1::SlotCount; ++n) {
        main_.HotKeyLabels[static_cast<std::size_t>(n)]->SetColor(main_.HotKeyLabelColor);
    }
    s.Tracer = ActivateTracerCheckBox->isChecked();
    s.MultiUser = MultiUserCheckBox->isChecked();
    if (!s.Tracer && ctx_.tracer.TracerOpen()) {
        ctx_.tracer.Close();
    }
    s.NoteTime = SecondsOf(NoteTimeEdit, s.NoteTime);
    main_.ApplyNoteTime();
    if (RadioPlay->isChecked()) {
        s.PlayStop = QStringLiteral("PLAY");
    } else if (RadioStop->isChecked()) {
        s.PlayStop = QStringLiteral("STOP");
    }
}

bool TFormSetup::SaveOutput()
{
    Settings& s = ctx_.settings;
    int rate = s.SampleRate;
    if (HighSampleRadioButton->isChecked()) {
        rate = 48000;
    } else if (MediumSampleRadioButton->isChecked()) {
        rate = 44100;
    } else if (LowSampleRadioButton->isChecked()) {
        rate = 22050;
    }
    // No choice in the list (the stored device has gone) keeps the stored number.
    const int device = combobox2->currentIndex() >= 0 ? combobox2->currentIndex() : s.OutputDevice;
    const bool stereo = StereoRadioButton->isChecked();
    const bool deviceOrRate = rate != s.SampleRate || device != s.OutputDevice;
    const bool mode = stereo != s.StereoMode;
    if (!deviceOrRate && !mode) {
        return false;
    }
    // Re-opening the output ends every sound, so neither change is made while one plays; the other
    // settings of this save still apply.
    if (main_.Playing) {
        if (mode) {
            ctx_.dialogs.MessageDlg(QStringLiteral("Cannot change Stereo/Mono mode while sound is playing"),
                                    mtError, mbOK);
        }
        if (deviceOrRate) {
            ctx_.dialogs.MessageDlg(
                QStringLiteral("Cannot change Output Device or Sample Rate while sound is playing"), mtError,
                mbOK);
        }
        return false;
    }
    const int oldDevice = s.OutputDevice;
    const int oldRate = s.SampleRate;
    const bool oldStereo = s.StereoMode;
    s.SampleRate = rate;
    s.OutputDevice = device;
    s.StereoMode = stereo;
    main_.MonoDisplay->setVisible(!s.StereoMode);
    ReopenOutput(oldDevice, oldRate, oldStereo);
    return true;
}

bool TFormSetup::TryOutput(int device, int rate, bool stereo)
{
    BASS_Stop();
    BASS_Free();
    if (!ctx_.InitOutput(device, static_cast<std::uint32_t>(rate), stereo ? 0 : BASS_DEVICE_MONO)) {
        ctx_.tracer.WriteTracer(
            QStringLiteral("Bass Initialization Failed in Setup:  Device is %1, Sample Rate is %2")
                .arg(device)
                .arg(rate));
        return false;
    }
    BASS_Start();
    return true;
}

void TFormSetup::ReopenOutput(int oldDevice, int oldRate, bool oldStereo)
{
    Settings& s = ctx_.settings;
    if (TryOutput(s.OutputDevice, s.SampleRate, s.StereoMode)) {
        main_.SetVolume(s.Volume);
        return;
    }
    // The show goes on: the previous output, then the default device, then no sound at all, and
    // the operator is told which one plays now.
    QString text;
    if (TryOutput(oldDevice, oldRate, oldStereo)) {
        s.OutputDevice = oldDevice;
        s.SampleRate = oldRate;
        s.StereoMode = oldStereo;
        text = QStringLiteral(" BASS Initialization failed...The previous output settings are kept");
    } else if (TryOutput(1, oldRate, oldStereo)) {
        s.OutputDevice = 1;
        s.SampleRate = oldRate;
        s.StereoMode = oldStereo;
        text = QStringLiteral(" BASS Initialization failed...The default output device is used");
    } else {
        TryOutput(0, oldRate, oldStereo);
        s.SampleRate = oldRate;
        s.StereoMode = oldStereo;
        text = QStringLiteral(" BASS Initialization failed...No sound device could be opened");
    }
    main_.MonoDisplay->setVisible(!s.StereoMode);
    main_.SetVolume(s.Volume);
    ctx_.dialogs.MessageDlg(text, mtError, mbOK);
}

bool TFormSetup::SetupWriteOptions()
{
    const Settings& s = ctx_.settings;
    ctx_.tracer.WriteTracer(QStringLiteral("Update Ini in Setup"));
    ctx_.tracer.WriteTracer(QStringLiteral("save inf active is ") + ColorToString(s.ActiveButtonColor));
    IniFile ini;
    ini.Rename(ctx_.optionsFile.OptionsFileName(), false);
    // The same keys as the exit's writer, SpaceBarStop, MultiPlay and the equalizer presets
    // included, so that a Setup save followed by a crash loses nothing; plus the header text,
    // which only Setup writes.
    ctx_.optionsFile.WriteOptions(ini, s.MySettingsList);
    ini.WriteString(QStringLiteral("Main"), QStringLiteral("Personalization"), s.Personalization);
    if (!ini.UpdateFile()) {
        ctx_.dialogs.MessageDlg(QStringLiteral("Error in SetupWriteOptions\rNotify Program Author"), mtError,
                                mbOK);
        return false;
    }
    return true;
}
