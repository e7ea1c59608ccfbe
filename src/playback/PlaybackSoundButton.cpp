// The click path: a click on slot N of the shown page plays or stops its sound.
#include "playback/Playback.h"

#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/PlayLog.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"
#include "platform/Rounding.h"
#include "playback/PlaybackWindow.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

bool Playback::ProcessSoundButton(int button)
{
    if (button < 1 || button > ButtonCount) {
        // No button under the manual-control cursor (0), or a number from a key, timer or file
        // that names no slot: nothing to play or stop.
        return true;
    }
    Guarded(QStringLiteral("ProcessSoundButton"), [&] {
        const int g = sel_.CurrentGroup;
        const int p = sel_.CurrentPage;
        // A click on a sound still waiting for its file takes it back, as a click on a playing
        // sound stops it.
        if (CancelWaitingStart(g, p, button)) {
            win_.FocusDummy();
            return true;
        }
        PlaySoundButton(g, p, button);
        return true;
    });
    return true;
}

bool Playback::PlaySoundButton(int g, int p, int button)
{
    if (SoundButtonChecks(g, p, button)) {
        return StartSoundButton(g, p, button);
    }
    return false;
}

// Steps up to the end of the playing sound: true when the click goes on to start button N of
// page p of group g (the shown page, or the one a waiting start was asked on).
bool Playback::SoundButtonChecks(int g, int p, int button)
{
    tracer_.WriteTracer(QStringLiteral("Process Sound Button"));
    win_.FocusDummy();
    if (s_.Paused) {
        s_.Paused = false;
        win_.SetModeButtonColor(ModeButton::Pause, set_.ButtonColor);
        win_.SetDisplayInterval(1000);
    }
    const bool shown = OnDisplay(g, p);
    const int state = board_.ButtonState[g][p][button];
    if (shown ? win_.PanelColor(button) == clBlack : state == bstPlaceMarker) {
        return false;
    }
    if (!board_.EditMode &&
        Board::IsBlank(shown ? win_.SoundButtonCaption(button) : board_.ButtonCaption[g][p][button])) {
        return false;
    }
    if (!board_.EditMode && (shown ? win_.PanelColor(button) == clYellow : state == bstLocked)) {
        return false;
    }
    if (set_.MultiPlay && shown && CheckMultiPlayStop(button)) {
        return false;
    }
    if (s_.Playing && button == sel_.PlayingButton && g == sel_.PlayingGroup && p == sel_.PlayingPage &&
        set_.PlayStop == QStringLiteral("STOP")) {
        StopProcess(QStringLiteral("StopButton"));
        return false;
    }
    if (s_.lFadingOut) {
        tracer_.WriteTracer(QStringLiteral("Stop Fading Out - ProcessSoundButton"));
        FadeOutStopIt();
    }
    if (s_.ButtonDragMode) {
        return false;
    }
    sel_.CurrentButton = button;
    if (board_.EditMode) {
        if (!Board::IsBlank(board_.PageName[g][p])) {
            sel_.PopupGroup = g;
            sel_.PopupPage = p;
            sel_.PopupButton = button;
            win_.OpenSoundButtonEditor();
        } else {
            dialogs_.MessageDlg(QStringLiteral("You do not have a page selected.\r \rYou must first select a page or "
                                               "setup a Page \rbefore you can assign Sound Buttons."),
                                mtError, mbOK);
        }
        return false;
    }
    if (s_.lFadingIn) {
        tracer_.WriteTracer(QStringLiteral("Stop Fading In - ProcessSoundButton"));
        FadeInStopIt();
    }
    if (s_.Playing) {
        const auto startsBefore = s_.StartCount;
        const bool restart = button == sel_.PlayingButton && g == sel_.PlayingGroup && p == sel_.PlayingPage;
        s_.RestartingButton = restart ? std::array<int, 3>{g, p, button} : std::array<int, 3>{};
        // The stop may wait on a fade and pump messages: a sound started meanwhile is the
        // operator's latest choice, so this older click gives way to it.
        const bool stopped = StopProcess(QStringLiteral("SoundButton"));
        s_.RestartingButton = {};
        if (!stopped || s_.StartCount != startsBefore) {
            return false;
        }
    }
    return true;
}

bool Playback::StartSoundButton(int g, int p, int button)
{
    const bool shown = OnDisplay(g, p);
    const QString path = shown ? board_.PageFiles[static_cast<std::size_t>(button)] : board_.ButtonFile[g][p][button];
    if (!QFileInfo(path).isFile()) {
        dialogs_.MessageDlg(QStringLiteral("Sound File Not Found"), mtWarning, mbOK);
        board_.ButtonState[g][p][button] = bstFileMissing;
        if (shown) {
            win_.SetPanelColor(button, clFuchsia);
        }
        sel_.PlayingButton = 0;
        return false;
    }
    ShowNowPlaying(g, p, path);
    sel_.PlayingButton = button;
    sel_.PlayingGroup = g;
    sel_.PlayingPage = p;
    s_.PlayListRunning = s_.PlayListMode;
    tracer_.WriteTracer(QStringLiteral("Sound Button Playing ") + path);

    // A start that goes no further leaves the window as it was when nothing plays.
    auto giveUp = [&] {
        ShowIdleUnlessPlaying();
        return false;
    };
    if (!CheckFileType(path, QStringLiteral("ProcessSoundButton"))) {
        return giveUp();
    }
    if (set_.MultiPlay && !RoomInTableChannel()) {
        sel_.CurrentButton = s_.ChannelButton[ChannelSlots];
        sel_.PlayingButton = s_.ChannelButton[ChannelSlots];
        return false;
    }
    const Opened opened = OpenStreams(path, QStringLiteral("ProcessSoundButton"), true);
    tracer_.WriteTracer(QStringLiteral("ProcessSoundButton, dchannel is ") + QString::number(s_.DecodeStream));
    if (opened == Opened::Waiting) {
        WaitForFile(WaitingStartPath::SoundButton, g, p, button, path);
        return false;
    }
    if (opened == Opened::No) {
        return giveUp();
    }
    if (!EnterStartInTable(g, p, button)) {
        return giveUp();
    }
    log_.LogIt(path);
    if (shown) {
        win_.SetPanelColor(button, clLime);
        win_.SetSoundButtonColor(button, clInfoBk);
    }
    int& state = board_.ButtonState[g][p][button];
    state = state == bstHighlighted ? bstHighlightedPlaying : bstPlaying;

    SeekToStart(g, p, button);
    GetSilenceLength();
    tracer_.WriteTracer(QStringLiteral("  Player Play, Playing Channel ") + QString::number(s_.CurrentChannel));
    if (set_.FadeIn && !set_.CrossFade) {
        // A sound left sounding under the last fade-in's handle falls silent; one the table still
        // holds (Multi-Play) is a live sound and keeps its level.
        const auto& table = s_.ChannelArray;
        if (std::find(table.begin() + 1, table.end(), s_.FadeInChannel) == table.end()) {
            BASS_ChannelSetAttributes(s_.FadeInChannel, -1, 0, -101);
        }
    }
    const bool loop = (s_.LoopMode || board_.ButtonLoop[g][p][button] == QStringLiteral("L")) && !s_.PlayListMode;
    StartChannel(g, p, button, loop, QStringLiteral("ProcessSoundsButtonF"), QStringLiteral("ProcessSoundButtonG"),
                 QStringLiteral("ProcessSoundButtonH"));
    StartElapsedDisplay();
    s_.ManualControlMode = false;
    DuckUnderTalk(QStringLiteral("ProcessSoundButtonE"));
    if (set_.FadeIn) {
        FadeInExecute();
    }
    if (set_.CrossFade) {
        CrossFadeInExecute();
    }
    s_.Playing = true;
    return true;
}

// Length of the part that plays, the time displays, and the seek to the custom start or the
// progress bar's position.
void Playback::SeekToStart(int g, int p, int button)
{
    s_.PlayLength = BASS_ChannelGetLength(s_.CurrentChannel);
    if (s_.PlayLength == -1) {
        BassErrorFunction(QStringLiteral("ProcessSoundButton - StreamGetLength"), tracer_, dialogs_);
    } else {
        s_.PlayLength = CustomPlayLength(s_.PlayLength, g, p, button);
    }
    DetermineDuration(g, p, button);
    if (set_.CrossFade || set_.MultiPlay) {
        win_.SetAdvanceBar(0);
    }
    s_.PlayPosition = 0;
    const bool customCue = board_.ButtonCustomCue[g][p][button] == QStringLiteral("Y");
    const std::int64_t cueStart = CueBytes(board_.ButtonCueStart[g][p][button]);
    if (customCue) {
        tracer_.WriteTracer(QStringLiteral("Custom Cue Array is active"));
        tracer_.WriteTracer(set_.StereoMode ? QStringLiteral("Stereo Mode") : QStringLiteral("Mono Mode"));
        if (!BASS_ChannelSetPosition(s_.CurrentChannel, cueStart)) {
            BassErrorFunction(QStringLiteral("ProcessSoundButtonD1"), tracer_, dialogs_);
        }
        s_.PlayPosition = BASS_ChannelGetPosition(s_.CurrentChannel);
        if (s_.PlayPosition == -1) {
            BassErrorFunction(QStringLiteral("ProcessSoundButtonE1"), tracer_, dialogs_);
        }
    }
    const int bar = win_.AdvanceBar();
    if (bar > 0) {
        tracer_.WriteTracer(QStringLiteral("Form1.AdvanceBar > 0"));
        const std::int64_t at = RoundHalfEven64(bar / 100.0 * static_cast<double>(s_.PlayLength));
        if (!BASS_ChannelSetPosition(s_.CurrentChannel, at)) {
            BassErrorFunction(QStringLiteral("ProcessSoundButtonD2A"), tracer_, dialogs_);
        }
        if (customCue && !BASS_ChannelSetPosition(s_.CurrentChannel, at + cueStart)) {
            BassErrorFunction(QStringLiteral("ProcessSoundButtonD2B"), tracer_, dialogs_);
        }
        s_.PlayPosition = BASS_ChannelGetPosition(s_.CurrentChannel);
        if (s_.PlayPosition == -1) {
            BassErrorFunction(QStringLiteral("ProcessSoundButtonE2"), tracer_, dialogs_);
        }
    }
}

// Loop flag, play, and the start volume (the button's own or the default) for the channel just
// entered in the table.
void Playback::StartChannel(int group, int page, int button, bool loop, const QString& flagContext,
                            const QString& loopPlayContext, const QString& playContext)
{
    if (loop) {
        if (!BASS_ChannelSetFlags(s_.CurrentChannel, BASS_SAMPLE_LOOP)) {
            BassErrorFunction(flagContext, tracer_, dialogs_);
        }
        if (!BASS_ChannelPlay(s_.CurrentChannel, false)) {
            BassErrorFunction(loopPlayContext, tracer_, dialogs_);
        }
    } else if (!BASS_ChannelPlay(s_.CurrentChannel, false)) {
        BassErrorFunction(playContext, tracer_, dialogs_);
    }
    SetStartVolume(StartVolume(group, page, button));
}
