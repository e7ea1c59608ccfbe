// The play-mode buttons: each toggles its mode, shows it by colour and parks the focus.
#include "playback/ModeButtons.h"

#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"
#include "playback/ModeButtonsWindow.h"
#include "playback/PlaybackWindow.h"

#include <exception>

ModeButtons::ModeButtons(Playback& playback, const PlaybackContext& context, ModeButtonsWindow& modes)
    : play_(playback), s_(context.state), board_(context.board), sel_(context.selection),
      set_(context.settings), tracer_(context.tracer), dialogs_(context.dialogs), win_(context.window),
      modes_(modes)
{}

void ModeButtons::ShowError(const QString& routine)
{
    dialogs_.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\r "), mtError, mbOK);
}

bool ModeButtons::Guarded(const QString& routine, const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (const std::exception&) {
        ShowError(routine);
        return false;
    }
}

void ModeButtons::ShuffleOff()
{
    set_.Shuffle = false;
    s_.ShuffleAll = false;
    tracer_.WriteTracer(QStringLiteral("Shuffle is OFF"));
    tracer_.WriteTracer(QStringLiteral("ShuffleAll is OFF"));
    modes_.SetModeColor(PlayModeButton::Shuffle, set_.ButtonColor);
    modes_.SetModeCaption(PlayModeButton::Shuffle, QStringLiteral("Shuffle"));
    board_.PageShuffle[sel_.CurrentGroup][sel_.CurrentPage] = QStringLiteral("F");
}

void ModeButtons::ShuffleButtonClick()
{
    Guarded(QStringLiteral("ShuffleButtonClick"), [&] {
        board_.BoardChanged = true;
        const bool cueShown = modes_.ModeColor(PlayModeButton::Cue) == set_.ActiveButtonColor;
        if (set_.Shuffle && (s_.ShuffleAll || cueShown)) {
            // Shuffle All, or Shuffle on the cue (which has no Shuffle All): back to off.
            ShuffleOff();
        } else if (set_.Shuffle) {
            s_.ShuffleAll = true;
            modes_.SetModeCaption(PlayModeButton::Shuffle, QStringLiteral("Shuffle All"));
            tracer_.WriteTracer(QStringLiteral("Shuffle is OFF"));
            tracer_.WriteTracer(QStringLiteral("ShuffleAll is ON"));
        } else {
            set_.Shuffle = true;
            play_.ReseedRandom();
            modes_.SetModeColor(PlayModeButton::Shuffle, set_.ActiveButtonColor);
            s_.ShuffleAll = false;
            tracer_.WriteTracer(QStringLiteral("Shuffle is ON"));
            tracer_.WriteTracer(QStringLiteral("ShuffleAll is OFF"));
            modes_.SetModeCaption(PlayModeButton::Shuffle, QStringLiteral("Shuffle"));
            modes_.SetModeEnabled(PlayModeButton::Next, true);
            board_.PageShuffle[sel_.CurrentGroup][sel_.CurrentPage] = QStringLiteral("T");
        }
    });
    win_.FocusDummy();
}

void ModeButtons::PlayListButtonClick()
{
    Guarded(QStringLiteral("PlayListButtonClick"), [&] {
        board_.BoardChanged = true;
        const int g = sel_.CurrentGroup;
        const int p = sel_.CurrentPage;
        if (s_.PlayListMode) {
            s_.PlayListMode = false;
            tracer_.WriteTracer(QStringLiteral("PlayList is OFF"));
            modes_.SetModeColor(PlayModeButton::PlayList, set_.ButtonColor);
            board_.PagePlay[g][p] = QStringLiteral("F");
            // Shuffle All goes with Shuffle, so the button does not keep showing it.
            set_.Shuffle = false;
            s_.ShuffleAll = false;
            modes_.SetModeCaption(PlayModeButton::Shuffle, QStringLiteral("Shuffle"));
            modes_.SetModeEnabled(PlayModeButton::Shuffle, false);
            modes_.SetModeEnabled(PlayModeButton::RapidFire, false);
            modes_.SetModeColor(PlayModeButton::Shuffle, set_.ButtonColor);
            modes_.SetModeColor(PlayModeButton::RapidFire, set_.ButtonColor);
            board_.RapidFire[g][p] = QStringLiteral("F");
            board_.PageShuffle[g][p] = QStringLiteral("F");
            return;
        }
        const bool rapidFire = board_.RapidFire[g][p] == QStringLiteral("T");
        if (rapidFire &&
            dialogs_.MessageDlg(
                QStringLiteral("Rapid Fire is Active, this will change the behavior of Play List Mode.  "
                               "Do you wish to continue?"),
                mtConfirmation, mbYesNo) != mrYes) {
            return;
        }
        if (s_.Playing) {
            s_.PlayListRunning = true;
        }
        s_.PlayListMode = true;
        tracer_.WriteTracer(QStringLiteral("PlayList is ON"));
        modes_.SetModeColor(PlayModeButton::PlayList, set_.ActiveButtonColor);
        board_.PagePlay[g][p] = QStringLiteral("T");
        modes_.SetModeEnabled(PlayModeButton::Shuffle, true);
        modes_.SetModeEnabled(PlayModeButton::RapidFire, true);
        if (rapidFire) {
            modes_.SetModeColor(PlayModeButton::RapidFire, set_.ActiveButtonColor);
        }
    });
    win_.FocusDummy();
}

void ModeButtons::RapidFireButtonClick()
{
    Guarded(QStringLiteral("RapidFireButtonClick"), [&] {
        if (!s_.PlayListMode) {
            return;
        }
        QString& flag = board_.RapidFire[sel_.CurrentGroup][sel_.CurrentPage];
        if (flag != QStringLiteral("T")) {
            if (dialogs_.MessageDlg(
                    QStringLiteral("Play List Mode is Active, turning Rapid Fire on will change the "
                                   "behavior of Play List Mode.  Do you wish to continue?"),
                    mtConfirmation, mbYesNo) != mrYes) {
                return;
            }
            modes_.SetModeColor(PlayModeButton::RapidFire, set_.ActiveButtonColor);
            flag = QStringLiteral("T");
            tracer_.WriteTracer(QStringLiteral("Rapid Fire is ON"));
        } else {
            tracer_.WriteTracer(QStringLiteral("Rapid Fire is OFF"));
            modes_.SetModeColor(PlayModeButton::RapidFire, set_.ButtonColor);
            flag = QStringLiteral("F");
        }
        board_.BoardChanged = true;
    });
    win_.FocusDummy();
}

void ModeButtons::CrossFadeButtonClick()
{
    Guarded(QStringLiteral("CrossFadeButtonClick"), [&] {
        set_.CrossFade = !set_.CrossFade;
        modes_.SetModeColor(PlayModeButton::CrossFade,
                            set_.CrossFade ? set_.ActiveButtonColor : set_.ButtonColor);
        tracer_.WriteTracer(set_.CrossFade ? QStringLiteral("CROSS FADE is ON")
                                           : QStringLiteral("CROSS FADE is OFF"));
    });
    win_.FocusDummy();
}

void ModeButtons::AutoFadeButtonClick()
{
    Guarded(QStringLiteral("AutoFadeClick"), [&] {
        set_.AutoFade = !set_.AutoFade;
        modes_.SetModeColor(PlayModeButton::AutoFade,
                            set_.AutoFade ? set_.ActiveButtonColor : set_.ButtonColor);
        tracer_.WriteTracer(set_.AutoFade ? QStringLiteral("Auto Fade is On")
                                          : QStringLiteral("Auto Fade is Off"));
    });
    win_.FocusDummy();
}

void ModeButtons::RepaintSoundButtons()
{
    for (int n = 1; n <= ButtonCount; ++n) {
        if (win_.PanelColor(n) != clLime) {
            win_.SetSoundButtonColor(n, set_.ButtonColor);
        }
    }
}

void ModeButtons::FadeInButtonClick()
{
    Guarded(QStringLiteral("FadeInButtonClick"), [&] {
        set_.FadeIn = !set_.FadeIn;
        modes_.SetModeColor(PlayModeButton::FadeIn, set_.FadeIn ? set_.ActiveButtonColor : set_.ButtonColor);
        tracer_.WriteTracer(set_.FadeIn ? QStringLiteral("FadeIn is ON") : QStringLiteral("FadeIn is OFF"));
        RepaintSoundButtons();
    });
    win_.FocusDummy();
}

void ModeButtons::FadeOutButtonClick()
{
    Guarded(QStringLiteral("FadeOutButtonClick"), [&] {
        set_.FadeOut = !set_.FadeOut;
        set_.FadeOutSaved = set_.FadeOut;
        modes_.SetModeColor(PlayModeButton::FadeOut,
                            set_.FadeOut ? set_.ActiveButtonColor : set_.ButtonColor);
        tracer_.WriteTracer(set_.FadeOut ? QStringLiteral("FadeOut is ON")
                                         : QStringLiteral("FadeOut is OFF"));
        RepaintSoundButtons();
    });
    win_.FocusDummy();
}

void ModeButtons::MultiPlayButtonClick()
{
    Guarded(QStringLiteral("MultiPlayButtonClick"), [&] {
        if (!set_.MultiPlay) {
            set_.MultiPlay = true;
            tracer_.WriteTracer(QStringLiteral("MultiPlay is ON"));
            modes_.SetModeColor(PlayModeButton::MultiPlay, set_.ActiveButtonColor);
            set_.FadeOutSaved = set_.FadeOut;
            set_.CrossFade = false;
            set_.AutoFade = false;
            s_.PlayListMode = false;
            set_.Shuffle = false;
            s_.ShuffleAll = false;
            for (const auto peer : {PlayModeButton::CrossFade, PlayModeButton::AutoFade,
                                    PlayModeButton::PlayList, PlayModeButton::Shuffle}) {
                modes_.SetModeColor(peer, set_.ButtonColor);
                modes_.SetModeEnabled(peer, false);
            }
            modes_.SetModeCaption(PlayModeButton::Shuffle, QStringLiteral("Shuffle"));
            modes_.SetModeEnabled(PlayModeButton::Next, false);
            modes_.SetSoundPlayingVisible(false);
            return;
        }
        set_.MultiPlay = false;
        tracer_.WriteTracer(QStringLiteral("MultiPlay is OFF"));
        modes_.SetModeColor(PlayModeButton::MultiPlay, set_.ButtonColor);
        for (const auto peer : {PlayModeButton::FadeIn, PlayModeButton::FadeOut, PlayModeButton::CrossFade,
                                PlayModeButton::AutoFade, PlayModeButton::Pause, PlayModeButton::Loop,
                                PlayModeButton::PlayList, PlayModeButton::Next}) {
            modes_.SetModeEnabled(peer, true);
        }
        modes_.SetTimeLabelsEnabled(true);
        modes_.SetSoundPlayingVisible(true);
        const int g = sel_.CurrentGroup;
        const int p = sel_.CurrentPage;
        if (board_.PagePlay[g][p] == QStringLiteral("T")) {
            modes_.SetModeColor(PlayModeButton::PlayList, set_.ActiveButtonColor);
            s_.PlayListMode = true;
        }
        if (board_.PageShuffle[g][p] == QStringLiteral("T")) {
            modes_.SetModeColor(PlayModeButton::Shuffle, set_.ActiveButtonColor);
            set_.Shuffle = true;
        }
        modes_.ProcessPageButton(p);
    });
    win_.FocusDummy();
}

void ModeButtons::VoiceOverButtonClick()
{
    Guarded(QStringLiteral("VoiceOverButtonClick"), [&] { play_.VoiceOver(); });
    win_.FocusDummy();
}
