// Key up and key down of the main window, in the order of precedence of the live-show keys.
#include "playback/Keyboard.h"

#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "board/VirtualKeys.h"
#include "platform/Dialogs.h"
#include "playback/ModeButtonsWindow.h"
#include "playback/PlaybackWindow.h"

#include <exception>

namespace {
constexpr TColor CuedPanelColor = static_cast<TColor>(0x02FF9B37);
} // namespace

Keyboard::Keyboard(Playback& playback, const PlaybackContext& context, ModeButtonsWindow& modes)
    : play_(playback), s_(context.state), board_(context.board), sel_(context.selection),
      set_(context.settings), tracer_(context.tracer), dialogs_(context.dialogs), win_(context.window),
      modes_(modes)
{}

void Keyboard::HotKeyProcess(int key, int shift)
{
    try {
        if (NavigationKeys(key)) {
            return;
        }
        if (key == VK_ESCAPE) {
            EscapeKey();
            return;
        }
        if (key == VK_SHIFT) {
            if (set_.ShiftKey) {
                play_.VoiceOver();
            }
            return;
        }
        const bool spaceKey = key == VK_SPACE || (key == VK_RETURN && set_.EnterKeyMirrorSpaceBar);
        if (spaceKey && set_.SpaceBarStop) {
            SpaceBarStop();
            return;
        }
        if (key == VK_OEM_5 && s_.Playing) {
            BackslashStop();
            return;
        }
        if (spaceKey && board_.RapidFire[sel_.CurrentGroup][sel_.CurrentPage] == QStringLiteral("T")) {
            RapidFireKey();
            return;
        }
        if ((key == VK_SPACE || key == VK_RETURN) && s_.ManualControlMode) {
            PlayCursorButton();
            return;
        }
        if (spaceKey && s_.Playing) {
            FadeStopKey();
            return;
        }
        if (set_.HotKey) {
            HotKeys(key, shift);
        }
    } catch (const std::exception&) {
        dialogs_.MessageDlg(QStringLiteral("Error in HotKeyProcess\r "), mtError, mbOK);
    }
}

bool Keyboard::NavigationKeys(int key)
{
    switch (key) {
    case VK_LEFT:
        play_.ManualControl(-1);
        return true;
    case VK_RIGHT:
        play_.ManualControl(1);
        return true;
    case VK_UP:
        play_.ManualControl(-6);
        return true;
    case VK_DOWN:
        play_.ManualControl(6);
        return true;
    case VK_NEXT:
        modes_.NextPage();
        return true;
    case VK_PRIOR:
        modes_.PrevPage();
        return true;
    case VK_HOME:
        modes_.ProcessGroupButton(sel_.CurrentGroup >= GroupCount ? 1 : sel_.CurrentGroup + 1);
        win_.FocusDummy();
        return true;
    case VK_END:
        modes_.ProcessGroupButton(sel_.CurrentGroup <= 1 ? GroupCount : sel_.CurrentGroup - 1);
        win_.FocusDummy();
        return true;
    default:
        return false;
    }
}

void Keyboard::EscapeKey()
{
    if (s_.ManualControlMode) {
        s_.ManualControlMode = false;
        const int cursor = s_.ManualControlButton;
        if (cursor >= 1 && cursor <= ButtonCount && !Board::IsBlank(win_.SoundButtonCaption(cursor))) {
            TColor color = clBtnFace;
            bool known = true;
            switch (board_.ButtonState[sel_.CurrentGroup][sel_.CurrentPage][cursor]) {
            case bstUnplayed:
                color = set_.ButtonColor;
                break;
            case bstPlayed:
            case bstHighlightedPlayed:
                color = clRed;
                break;
            case bstPlaying:
            case bstHighlightedPlaying:
                color = clLime;
                break;
            case bstLocked:
                color = clYellow;
                break;
            case bstHighlighted:
                color = clAqua;
                break;
            case bstNeutral:
                color = clBtnFace;
                break;
            case bstPlaceMarker:
                color = clBlack;
                break;
            case bstFileMissing:
                color = clFuchsia;
                break;
            case bstCued:
                color = CuedPanelColor;
                break;
            default:
                known = false;
                break;
            }
            if (known) {
                win_.SetPanelColor(cursor, color);
            }
        }
    }
    win_.FocusDummy();
}

bool Keyboard::PlayingPageIsPlayList() const
{
    // Before anything has played the shown page stands in for the playing one, as the play list does.
    const int g = sel_.PlayingGroup != 0 ? sel_.PlayingGroup : sel_.CurrentGroup;
    const int p = sel_.PlayingPage != 0 ? sel_.PlayingPage : sel_.CurrentPage;
    return board_.PagePlay[g][p] == QStringLiteral("T");
}

void Keyboard::IdleSpaceKey()
{
    if (PlayingPageIsPlayList() && !s_.ManualControlMode) {
        play_.PlayList();
    } else if (s_.ManualControlMode) {
        PlayCursorButton();
    }
}

void Keyboard::LoopOff()
{
    s_.LoopMode = false;
    win_.SetModeButtonColor(ModeButton::Loop, set_.ButtonColor);
}

void Keyboard::SpaceBarStop()
{
    if (!s_.Playing) {
        IdleSpaceKey();
        return;
    }
    tracer_.WriteTracer(QStringLiteral("Space Bar hit - Activate Stop"));
    LoopOff();
    s_.PlayListRunning = false;
    const auto startsBefore = s_.StartCount;
    play_.StopProcess(QStringLiteral("StopButton"));
    if (s_.StartCount != startsBefore) {
        // A key or click started a sound inside the stop's fade: its buttons stay as they are.
        return;
    }
    win_.SetPauseEnabled(false);
    s_.Paused = false;
    win_.SetStopEnabled(false);
    win_.FocusDummy();
}

void Keyboard::RapidFireKey()
{
    if (!s_.Playing) {
        IdleSpaceKey();
        return;
    }
    tracer_.WriteTracer(QStringLiteral("Space Bar hit - RapidFire Stop"));
    LoopOff();
    s_.PlayListRunning = false;
    const auto startsBefore = s_.StartCount;
    play_.StopProcess(QStringLiteral("StopButton"));
    if (s_.StartCount != startsBefore) {
        return;
    }
    win_.SetPauseEnabled(false);
    win_.SetStopEnabled(false);
    s_.Paused = false;
    win_.FocusDummy();
}

void Keyboard::BackslashStop()
{
    tracer_.WriteTracer(QStringLiteral("Backslash Key hit - Activate Stop with Fade"));
    tracer_.WriteTracer(QStringLiteral("Key hit is ") + QString::number(VK_OEM_5));
    const auto startsBefore = s_.StartCount;
    LoopOff();
    set_.FadeOutSaved = set_.FadeOut;
    set_.FadeOut = true;
    s_.PlayListRunning = false;
    play_.StopProcess(QStringLiteral("StopButton"));
    FinishFadeStop(startsBefore);
}

void Keyboard::FadeStopKey()
{
    if (s_.lFadingOut) {
        // The second press, or a press while a fade-out already runs: stop now.
        tracer_.WriteTracer(QStringLiteral("Space Bar hit a second time or already fading out"));
        tracer_.WriteTracer(QStringLiteral("  Fading out active"));
        // The fade may be the play list's own (Auto Fade), with no first press to close the
        // board down after it: the list ends here, and STOP and Pause go off.
        const auto startsBefore = s_.StartCount;
        s_.PlayListRunning = false;
        play_.FadeOutStopIt();
        play_.StopProcess(QStringLiteral("StopButton"));
        FinishFadeStop(startsBefore);
        return;
    }
    tracer_.WriteTracer(QStringLiteral("Space Bar hit - Activate Stop with Fade"));
    const auto startsBefore = s_.StartCount;
    LoopOff();
    set_.FadeOutSaved = set_.FadeOut;
    set_.FadeOut = true;
    s_.PlayListRunning = false;
    play_.StopProcess(QStringLiteral("StopButton"));
    FinishFadeStop(startsBefore);
}

void Keyboard::FinishFadeStop(std::uint64_t startsBefore)
{
    set_.FadeOut = set_.FadeOutSaved;
    if (s_.StartCount != startsBefore) {
        // A hot key or click started a sound while the fade ran: it keeps its STOP and Pause, and
        // its loop and play-list flags are its own.
        return;
    }
    win_.SetPauseEnabled(false);
    s_.Paused = false;
    win_.SetStopEnabled(false);
    LoopOff();
    s_.PlayListRunning = false;
    win_.FocusDummy();
}

void Keyboard::VolumeChangeProcess(int key, int /*shift*/)
{
    try {
        int step = 0;
        if (key == VK_ADD || key == VK_OEM_PLUS) {
            tracer_.WriteTracer(QStringLiteral("Volume Change - Plus Key"));
            step = modes_.VolumeBarValue() < 100 ? 1 : 0;
        } else if (key == VK_SUBTRACT || key == VK_OEM_MINUS) {
            tracer_.WriteTracer(QStringLiteral("Volume Change - Minus Key"));
            step = modes_.VolumeBarValue() > 0 ? -1 : 0;
        }
        if (step == 0) {
            return;
        }
        const int value = modes_.VolumeBarValue() + step;
        modes_.SetVolumeBarValue(value);
        play_.SetVolume(value);
        set_.Volume = value;
        win_.SetVolumeHint(QStringLiteral("Volume: ") + QString::number(value) + QStringLiteral("%"));
    } catch (const std::exception&) {
        dialogs_.MessageDlg(QStringLiteral("Error in VolumeChangeProcess\r "), mtError, mbOK);
    }
}

void Keyboard::PlayCursorButton()
{
    const int cursor = s_.ManualControlButton;
    if (cursor >= 1 && cursor <= ButtonCount) {
        play_.ProcessSoundButton(cursor);
    }
}
