// The main window's create step: options, command line, trace question, slot tables, the set
// file, the start group and the audio device, in the order the program has always used.
#include "board/MainForm.h"

#include "audio/Bass.h"
#include "board/Board.h"
#include "board/BassErrorText.h"
#include "board/MainFormButtons.h"
#include "board/OptionsFile.h"
#include "board/Selection.h"
#include "board/SetFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "board/UserProfile.h"
#include "board/WinVer.h"
#include "controls/ButtonWithColor.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "controls/GTSize32.h"
#include "controls/Zseg.h"
#include "controls/zPanel.h"
#include "controls/SlideBar.h"
#include "platform/Dialogs.h"
#include "platform/HintHidePause.h"
#include "platform/ProgramVersion.h"
#include "platform/Random.h"

#include <QGuiApplication>
#include <QMultiHash>
#include <QPushButton>
#include <QTimer>

#include <exception>

namespace {

// Thrown to leave the create step after a failure that has been reported.
struct CreateStepFailed
{
};

// The window's controls by object name, gathered in one walk: looking each of the four hundred
// slot controls up on its own walked the window's whole tree every time. A name that is not
// unique goes to Qt's own look-up, which then decides exactly as before.
class ControlsByName
{
public:
    explicit ControlsByName(QObject& window) : window_(window)
    {
        for (QObject* control : window.findChildren<QObject*>()) {
            if (!control->objectName().isEmpty()) {
                controls_.insert(control->objectName(), control);
            }
        }
    }

    template <typename T> T* Find(const QString& name) const
    {
        if (controls_.count(name) == 1) {
            return qobject_cast<T*>(controls_.value(name));
        }
        return window_.findChild<T*>(name);
    }

private:
    QObject& window_;
    QMultiHash<QString, QObject*> controls_;
};

} // namespace

void TForm1::FormCreate()
{
    Settings& s = ctx_.settings;
    // The x87 control word of the original build ($133F, every exception masked) is what x86-64
    // code runs with by default, so nothing is set here.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    bool cursorShown = true;
    try {
        VersionText = ProgramVersion::VersionText();
        BuildText = ProgramVersion::BuildText();
        ctx_.board.BoardChanged = false;
        Playing = false;
        TimeErrorShown = false;
        s.HKOverTalk = false;
        s.MultiPlay = false;
        s.HotKey = true;
        s.Delay = 0;
        for (int g = 1; g <= Groups; ++g) {
            ctx_.board.GroupLetters[static_cast<std::size_t>(g)] = QString(QChar(u'A' + g - 1));
        }

        OldOptionsFileName = ctx_.optionsFile.OldOptionsFileName();
        OptionsFileName = ctx_.optionsFile.OptionsFileName();
        ctx_.optionsFile.MoveOldOptionsFile();
        ReadOptionsAtStart();

        WinVersion winVersion;
        WindowsVersionText = GetWinVer(winVersion);
        AskTracerQuestion();
        VersionTexts versions{VersionText, BuildText, WindowsVersionText};
        RecordUserProfile(ctx_.tracer, s, ctx_.board, ctx_.selection, versions, ProfileWritten, ctx_.dialogs);
        SetMainCaption(true, true);

        FindSlotControls();
        PrepareSlots();
        WireSlotClicks();
        PaintButtonsAtStart();
        ApplyModesAtStart();
        WarnLowIndividualVolume();

        if (!s.MultiUser) {
            LoadSetFile();
        }
        ctx_.clipboards.Empty();
        ctx_.random.Randomize();
        ShowStartGroup();
        QGuiApplication::restoreOverrideCursor();
        cursorShown = false;

        if (!StartAudio()) {
            throw CreateStepFailed{};
        }
        if (s.ResetAll) {
            AutoResetAll();
        }
        RestoreDesignLayout();
        // Minimized, then maximized. Before the first show only the last state counts, and a
        // window minimized before it is first mapped is framed late by the window manager
        // (about 130 ms under openbox, the board's first paint unseen all that time).
        if (isVisible()) {
            setWindowState(Qt::WindowMinimized);
        }
        setWindowState(Qt::WindowMaximized);
        if (s.MultiUser) {
            StartBlankBoard();
        }
    } catch (const CreateStepFailed&) {
        // Reported where it happened; the program halts or runs with what was set up.
    } catch (const std::exception&) {
        ShowError(QStringLiteral("FormCreate"));
    }
    if (cursorShown) {
        QGuiApplication::restoreOverrideCursor();
    }
    created_ = true;
    ctx_.tracer.WriteTracer(QStringLiteral("end of form create"));
}

void TForm1::ReadOptionsAtStart()
{
    Settings& s = ctx_.settings;
    SetFace(EqualizerButton, s.ButtonColor);
    s.MySettingsLoaded = false;
    ctx_.optionsFile.ReadOptions();
    ctx_.board.SetFileName = s.AutoOpen;
    // One parameter names the set file; any other count is ignored.
    if (ctx_.Parameters.size() == 1) {
        ctx_.board.SetFileName = ctx_.Parameters.front();
    }
    ctx_.selection.CurrentGroup = s.Group;
    ctx_.selection.CurrentPage = s.Page;
    ProgressionTimer->setInterval(s.MeterRate);
    for (TzcPeakOmeter* meter : {LMeter, RMeter}) {
        meter->SetColor2Pos(s.BarYellow);
        meter->SetColor3Pos(s.BarRed);
    }
    LeftMeter->SetAlert(s.PanelRed);
    RightMeter->SetAlert(s.PanelRed);
    LeftMeter->setVisible(s.MeterPanel);
    RightMeter->setVisible(s.MeterPanel);
    BarMeterPanel->setVisible(!s.MeterPanel);
    LMeter->setVisible(!s.MeterPanel);
    RMeter->setVisible(!s.MeterPanel);
    LeftMeterLabel->setVisible(!s.MeterPanel);
    RightMeterLabel->setVisible(!s.MeterPanel);
    MonoDisplay->setVisible(!s.StereoMode);
    LoggingOnDisplay->setVisible(s.LogFile);
    ShowLockState();
    AsPushButton(PlayListButton)->setText(s.StopPlayList ? QStringLiteral("*Play List*") : QStringLiteral("Play List"));
    ApplyNoteTime();
}

void TForm1::ApplyNoteTime()
{
    // The hint-hide pause: how long a button's note, and every other tooltip, stays up.
    SetHintHidePause(static_cast<int>(1000 * ctx_.settings.NoteTime));
}

void TForm1::AskTracerQuestion()
{
    if (!ctx_.settings.Tracer) {
        return;
    }
    const QString question = QStringLiteral("RALLYBOX:\r \rThe Activate Tracer option in Rallybox is \"On\".\r \r"
                                            "Do you want to turn it \"Off\"?");
    if (ctx_.dialogs.MessageDlg(question, mtConfirmation, mbYesNo) == mrYes) {
        ctx_.settings.Tracer = false;
    }
}

void TForm1::SetMainCaption(bool withPersonalization, bool withLogging)
{
    QString caption = VersionText + QStringLiteral("     ");
    const QString& title = ctx_.settings.Personalization;
    caption += withPersonalization && !Board::IsBlank(title) ? title : ctx_.board.SetFileName;
    if (withLogging && ctx_.settings.LogFile) {
        caption += QStringLiteral("       (LOGGING ON)");
    }
    setWindowTitle(caption);
}

void TForm1::FindSlotControls()
{
    const ControlsByName controls(*this);
    for (int n = 1; n <= SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const QString number = QString::number(n);
        ButtonPanels[i] = controls.Find<TColorPanel>(QStringLiteral("Panel") + number);
        SoundButtons[i] = controls.Find<TBitBtnWithColor>(QStringLiteral("Button") + number);
        ButtonMemos[i] = controls.Find<TClickLabel>(QStringLiteral("Memo") + number);
        TimeLabels[i] = controls.Find<TClickLabel>(QStringLiteral("TimeLabel") + number);
        HotKeyLabels[i] = controls.Find<TClickLabel>(QStringLiteral("KL") + number);
        VolumeLabels[i] = controls.Find<TClickLabel>(QStringLiteral("VL") + number);
        LoopLabels[i] = controls.Find<TClickLabel>(QStringLiteral("LL") + number);
        CustomCueLabels[i] = controls.Find<TClickLabel>(QStringLiteral("cl") + number);
    }
    for (int n = 1; n <= PageButtonSlots; ++n) {
        PageButtons[static_cast<std::size_t>(n)] =
            controls.Find<TBitBtnWithColor>(QStringLiteral("PageButton") + QString::number(n));
    }
}

void TForm1::PrepareSlots()
{
    Board& board = ctx_.board;
    for (int g = 1; g <= Groups; ++g) {
        for (int p = 1; p <= PageButtonSlots; ++p) {
            for (int b = 1; b <= SlotCount; ++b) {
                board.ButtonState[g][p][b] = 1;
            }
        }
    }
    for (int page = 1; page <= PageButtonSlots; ++page) {
        ApplyPageButtonFont(page);
    }
    HotKeyLabelColor = ctx_.settings.BroadcastKeys ? clWhite : DefaultEditModeColor;
    for (int n = 1; n <= SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        ButtonPanels[i]->SetColor(clTeal);
        QPushButton* button = AsPushButton(SoundButtons[i]);
        button->setGeometry(button->x(), 5, button->width(), 20);
        ApplySoundFont(n);
        HotKeyLabels[i]->SetColor(HotKeyLabelColor);
    }
}

void TForm1::PaintButtonsAtStart()
{
    const TColor face = ctx_.settings.ButtonColor;
    for (int g = 1; g <= 5; ++g) {
        SetFace(GroupButtons[static_cast<std::size_t>(g)], face);
    }
    for (int page = 1; page <= PageButtonSlots; ++page) {
        SetFace(PageButtons[static_cast<std::size_t>(page)], face);
    }
    for (int n = 1; n <= SlotCount; ++n) {
        SetFace(SoundButtons[static_cast<std::size_t>(n)], face);
    }
    BarMeterPanel->SetColor(face);
    Panel51->SetColor(face);
    for (TBitBtnWithColor* button :
         {FindButton, ShuffleButton, EditButton, LoopOnButton, PauseButton, StopPlayButton, PlayListButton,
          FadeOutButton, FadeInButton, NextButton, CrossFadeButton, MultiPlayButton, ButtonDragButton, AutoFadeButton,
          NewButton, OpenButton, VoiceOverButton, ResetPageButton, SaveButton, ExitButton, CueButton}) {
        SetFace(button, face);
    }
    // A repaint of the volume bar that changes no volume.
    VolumeChanging = true;
    const int value = VolumeControl->Value();
    VolumeControl->SetValue(value < 100 ? value + 1 : value - 1);
    VolumeControl->SetValue(value);
    VolumeChanging = false;
    for (TzPanelMeter* meter : {LeftMeter, RightMeter}) {
        meter->SetHouseColor(face);
        meter->SetSteelLook(face == clBtnFace);
    }
}

void TForm1::ApplyModesAtStart()
{
    Settings& s = ctx_.settings;
    const TColor active = s.ActiveButtonColor;
    if (s.Shuffle) SetFace(ShuffleButton, active);
    if (s.FadeIn) SetFace(FadeInButton, active);
    if (s.FadeOut) SetFace(FadeOutButton, active);
    if (s.CrossFade) SetFace(CrossFadeButton, active);
    if (s.AutoFade) SetFace(AutoFadeButton, active);
    if (s.MultiPlay) {
        SetFace(MultiPlayButton, active);
        s.FadeOutSaved = s.FadeOut;
        s.CrossFade = false;
        s.AutoFade = false;
        PlayListMode = false;
        s.Shuffle = false;
        for (TBitBtnWithColor* button : {CrossFadeButton, AutoFadeButton, PlayListButton, ShuffleButton}) {
            SetFace(button, s.ButtonColor);
            AsPushButton(button)->setEnabled(false);
        }
        AsPushButton(NextButton)->setEnabled(false);
        SoundPlaying->hide();
    }
    LoopMode = false;
    SetFace(LoopOnButton, s.ButtonColor);
    AsPushButton(PauseButton)->setEnabled(false);
    PopupEdited = false;
}

void TForm1::WarnLowIndividualVolume()
{
    const int volume = ctx_.settings.IndividualVolume;
    if (volume >= 20) {
        return;
    }
    QString text;
    if (volume == 0) {
        text = QStringLiteral("Individual Default Volume Setting is: 0\rThis will result in no sound output\r \r"
                              "Correct Individual Default Volume setting in Setup/Options - Volume Tab\r"
                              "Recommended setting is:  75");
    } else {
        text = QStringLiteral("Individual Default Volume Setting is:  ") + QString::number(volume) +
               QStringLiteral("\rThis will result in low sound output\r \r"
                              "Correct Individual Default Volume setting in Setup/Options - Volume Tab\r"
                              "Recommended setting is:  75");
    }
    ctx_.dialogs.MessageDlg(text, mtWarning, mbOK);
}

void TForm1::ShowStartGroup()
{
    const int group = ctx_.selection.CurrentGroup;
    const TColor color = ctx_.settings.GroupColor[static_cast<std::size_t>(group)];
    PanelControls->SetColor(color);
    PanelPages->SetColor(color);
    ctx_.board.LastPageOfGroup[static_cast<std::size_t>(group)] = ctx_.selection.CurrentPage;
    ProcessGroupButton(group);
}
