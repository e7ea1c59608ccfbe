#include "tools/TFormSetup.h"

#include "audio/Bass.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Settings.h"
#include "platform/Dialogs.h"
#include "platform/FloatText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <QRegularExpression>

namespace {

const QString kSecondsKeyText =
    QStringLiteral("Invalid key pressed\rOnly keys 0-9, one decimal point, and one tenth allowed");
const QString kCodeKeyText = QStringLiteral("Invalid key pressed\rOnly numeric keys 0-9 allowed");

// Keys that reach a character filter: those that type a printable character. Navigation keys and
// control combinations (copy, paste, Enter, Tab) are not characters and pass.
bool TypesCharacter(const QKeyEvent* event)
{
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

TFormSetup::TFormSetup(TForm1* mainForm) : QDialog(mainForm), main_(*mainForm), ctx_(mainForm->Context())
{
    setObjectName(QStringLiteral("FormSetup"));
    setWindowTitle(QStringLiteral("Setup Options"));
    setModal(true);
    BuildLayout();
    WireSignals();
}

std::array<QLineEdit*, 9> TFormSetup::SecondsEdits() const
{
    return {FadeInEdit,      FadeOutEdit,      FadeOutStartEdit, CrossFadeEdit, CrossFadeStartEdit,
            PauseFadeInEdit, PauseFadeOutEdit, NoteTimeEdit,     VoiceOverEdit};
}

int TFormSetup::ShowModal()
{
    // Filled once per opening: the error boxes of the key filters re-activate the window, and must
    // not throw away what the operator has typed so far.
    active();
    return exec();
}

void TFormSetup::Open()
{
    active();
    open();
}

void TFormSetup::active()
{
    filling_ = true;
    FillDeviceList();
    FillColorButtons();
    const Settings& s = ctx_.settings;
    YellowSpin->setValue(s.BarYellow);
    RedSpin->setValue(s.BarRed);
    PanelSpin->setValue(s.PanelRed);
    PageControl1->setCurrentIndex(0);
    FillChecks();
    FillSeconds();
    FillSystem();
    ShowSecurityState();
    filling_ = false;
    // Each opening puts the keyboard on the tabs, whichever button closed the window last, so
    // Ctrl+Tab turns them at once.
    PageControl1->setFocus(Qt::OtherFocusReason);
}

void TFormSetup::FillDeviceList()
{
    combobox2->clear();
    for (int i = 0;; ++i) {
        const char* text = BASS_GetDeviceDescription(i);
        if (text == nullptr || *text == '\0') {
            break;
        }
        combobox2->addItem(QString::fromUtf8(text));
    }
    // A device that has gone since the options were written shows no choice; the save then keeps
    // the stored number, so the device is used again once it is back.
    const int device = ctx_.settings.OutputDevice;
    combobox2->setCurrentIndex(device >= 0 && device < combobox2->count() ? device : -1);
}

void TFormSetup::FillColorButtons()
{
    const Settings& s = ctx_.settings;
    for (int group = 1; group <= 10; ++group) {
        const auto i = static_cast<std::size_t>(group);
        SetFace(GroupColorButtons[i], s.GroupColor[i]);
    }
    SetFace(CueColor, s.CueColor);
    SetFace(EditModeColor, s.EditModeColor);
    SetFace(DragModeColor, s.DragModeColor);
    SetFace(ButtonColor, s.ButtonColor);
    SetFace(ActiveButtonColor, s.ActiveButtonColor);
}

void TFormSetup::FillChecks()
{
    const Settings& s = ctx_.settings;
    ActivateTracerCheckBox->setChecked(s.Tracer);
    BroadcastCheckBox->setChecked(s.BroadcastKeys);
    CueDeleteCheckBox->setChecked(s.CueDelete);
    EnterKeyMirrorSpaceBarCheckBox->setChecked(s.EnterKeyMirrorSpaceBar);
    LogFileCheckBox->setChecked(s.LogFile);
    MultiUserCheckBox->setChecked(s.MultiUser);
    ResetALLCheckBox->setChecked(s.ResetAll);
    SpaceBarStopCheckBox->setChecked(s.SpaceBarStop);
    PlayListPageCheckBox->setChecked(s.PlayListPage);
    PlayListStopCheckBox->setChecked(s.StopPlayList);
    SkipRedCheckBox->setChecked(s.PlayListSkipRed);
    InstantPlayCheckBox->setChecked(s.InstantPlay);
    ThresholdLevel->setValue(s.InstantPlayThreshold);
    // Both cleared first, so a PlayStop of neither text shows no choice.
    for (QRadioButton* radio : {RadioPlay, RadioStop}) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
    RadioPlay->setChecked(s.PlayStop == QLatin1String("PLAY"));
    RadioStop->setChecked(s.PlayStop == QLatin1String("STOP"));
    DaylightModeCheckBox->setChecked(s.DaylightMode);
    FadeOnHotCheckBox->setChecked(s.FadeOnHot);
    PauseFadeInCheckBox->setChecked(s.PauseFadeIn);
    PauseFadeOutCheckBox->setChecked(s.PauseFadeOut);
    PanelRadioButton->setChecked(s.MeterPanel);
    BarRadioButton->setChecked(!s.MeterPanel);
    RadioVOYes->setChecked(s.VoiceOverBlink);
    RadioVONo->setChecked(!s.VoiceOverBlink);
    ShiftKeyCheckBox->setChecked(s.ShiftKey);
    HotKeyOverRideTalkCheckBox->setChecked(s.HKOverTalk);
    VeskDelay->setValue(s.Delay);
    MeterRate->setValue(s.MeterRate);
    VoiceOverSpinEdit->setValue(s.VoiceOverVolume);
    DefaultVolumeSpin1->setValue(s.IndividualVolume);
}

void TFormSetup::FillSeconds()
{
    const Settings& s = ctx_.settings;
    const std::array<double, 9> values{s.FadeInSec,       s.FadeOutSec,        s.FadeOutStartSec,
                                       s.CrossFadeSec,    s.CrossFadeStartSec, s.PauseFadeInSec,
                                       s.PauseFadeOutSec, s.NoteTime,          s.VoiceOverSec};
    const auto edits = SecondsEdits();
    for (std::size_t i = 0; i < edits.size(); ++i) {
        secondsText_[i] = FloatToStr(values[i]);
        edits[i]->setText(secondsText_[i]);
    }
}

void TFormSetup::FillSystem()
{
    const Settings& s = ctx_.settings;
    for (QRadioButton* radio : {LowSampleRadioButton, MediumSampleRadioButton, HighSampleRadioButton,
                                IndicatorSilver, IndicatorGray, IndicatorBlack}) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
    LowSampleRadioButton->setChecked(s.SampleRate == 22050);
    MediumSampleRadioButton->setChecked(s.SampleRate == 44100);
    HighSampleRadioButton->setChecked(s.SampleRate == 48000);
    IndicatorSilver->setChecked(s.IndicatorColor == static_cast<TColor>(0xC0C0C0));
    IndicatorGray->setChecked(s.IndicatorColor == static_cast<TColor>(0x808080));
    IndicatorBlack->setChecked(s.IndicatorColor == 0);
    MonoRadioButton->setChecked(!s.StereoMode);
    StereoRadioButton->setChecked(s.StereoMode);
    BufferSpin->setValue(s.BufferLength);
}

bool TFormSetup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == SecurityCodeEdit) {
            return SecurityCodeEditKeyPress(key);
        }
        for (QLineEdit* edit : SecondsEdits()) {
            if (watched == edit) {
                return SecondsKeyPress(edit, key);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TFormSetup::SecondsKeyPress(QLineEdit* edit, QKeyEvent* event)
{
    if (event->key() == Qt::Key_Backspace || !TypesCharacter(event)) {
        return false;
    }
    const QString text = edit->text();
    const QChar key = event->text().at(0);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    bool accepted = false;
    if (point >= 0 && point != text.size() - 1) {
        accepted = false; // a tenth is typed already
    } else if (key.isDigit() && key.unicode() < 128) {
        accepted = true;
    } else if (key == QLatin1Char('.')) {
        accepted = point < 0;
    }
    if (!accepted) {
        ctx_.dialogs.MessageDlg(kSecondsKeyText, mtError, mbOK);
        return true;
    }
    return false;
}

void TFormSetup::EditChange(QLineEdit* edit)
{
    const auto edits = SecondsEdits();
    std::size_t index = 0;
    while (index < edits.size() && edits[index] != edit) {
        ++index;
    }
    if (index == edits.size()) {
        return;
    }
    if (edit->text().isEmpty()) {
        edit->setText(QStringLiteral("0"));
        return;
    }
    // Pasted text passes no key filter: anything but digits with at most one tenth goes back to
    // the last accepted text, so the save always converts.
    static const QRegularExpression seconds(QStringLiteral("^[0-9]*\\.?[0-9]?$"));
    if (!seconds.match(edit->text()).hasMatch() || edit->text() == QLatin1String(".")) {
        edit->setText(secondsText_[index]);
        return;
    }
    secondsText_[index] = edit->text();
}

bool TFormSetup::SecurityCodeEditKeyPress(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Backspace || !TypesCharacter(event)) {
        return false;
    }
    const QChar key = event->text().at(0);
    if (key >= QLatin1Char('0') && key <= QLatin1Char('9')) {
        return false;
    }
    ctx_.dialogs.MessageDlg(kCodeKeyText, mtError, mbOK);
    return true;
}

void TFormSetup::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        SetupCancelButtolClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormSetup::reject()
{
    SetupCancelButtolClick();
}

void TFormSetup::SetupCancelButtolClick()
{
    // Changes already applied (colours, Daylight Mode, the lock, the buffer length) stay.
    done(mrOk);
}
