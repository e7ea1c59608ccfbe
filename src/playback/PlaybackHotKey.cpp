// The hot-key path (a button on any page found by its hot key) and the Multi-Play routines.
#include "playback/Playback.h"

#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/PlayLog.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"
#include "playback/PlaybackWindow.h"

#include <QFileInfo>

#include <algorithm>

bool Playback::HotKeyPlaySound()
{
    const int g = s_.HotKeyGroup;
    const int p = s_.HotKeyPage;
    const int b = s_.HotKeyButton;
    return Guarded(QStringLiteral("HotKeyPlaySound"), [&] {
        tracer_.WriteTracer(QStringLiteral("Hot Key Play Sound - Hot Key button hit"));
        win_.FocusDummy();
        if (s_.ButtonDragMode || board_.EditMode || !Board::IsValidAddress(g, p, b)) {
            return true;
        }
        if (s_.Playing) {
            const auto startsBefore = s_.StartCount;
            if (!StopProcess(QStringLiteral("HotKey")) || s_.StartCount != startsBefore) {
                return true;
            }
        }
        const QString path = board_.ButtonFile[g][p][b];
        if (!QFileInfo(path).isFile()) {
            dialogs_.MessageDlg(QStringLiteral("Sound File Not Found"), mtWarning, mbOK);
            return true;
        }
        ShowNowPlaying(g, p, path);
        int& state = board_.ButtonState[g][p][b];
        const int stateBefore = state;
        const TColor panelBefore = OnDisplay(g, p) ? win_.PanelColor(b) : clBtnFace;
        state = state == bstHighlighted ? bstHighlightedPlaying : bstPlaying;
        if (OnDisplay(g, p)) {
            win_.SetPanelColor(b, clLime);
            win_.SetSoundButtonColor(b, clLime);
        }
        s_.PlayListRunning = false;
        s_.PlayListMode = false;
        win_.SetModeButtonColor(ModeButton::PlayList, set_.ButtonColor);
        s_.lHKPlaying = true;
        tracer_.WriteTracer(QStringLiteral("lHKPlaying True"));
        tracer_.WriteTracer(QStringLiteral("  Hot Key Playing ") + path);

        // A start refused below leaves the button as it was and nothing logged.
        auto giveUp = [&] {
            state = stateBefore;
            if (OnDisplay(g, p)) {
                win_.SetPanelColor(b, panelBefore);
                win_.SetSoundButtonColor(b, set_.ButtonColor);
            }
            s_.lHKPlaying = false;
            ShowIdleUnlessPlaying();
            return true;
        };
        if (!CheckFileType(path, QStringLiteral("HotKeyPlaySound"))) {
            return giveUp();
        }
        if (set_.MultiPlay && !RoomInTableChannel()) {
            sel_.CurrentButton = s_.ChannelButton[ChannelSlots];
            sel_.PlayingButton = s_.ChannelButton[ChannelSlots];
            return giveUp();
        }
        const Opened opened = OpenStreams(path, QStringLiteral("HotKeyPlaySound"), false);
        if (opened != Opened::Yes) {
            giveUp();
            if (opened == Opened::Waiting) {
                WaitForFile(WaitingStartPath::HotKey, g, p, b, path);
            }
            return true;
        }
        if (!EnterStartInTable(g, p, b)) {
            return giveUp();
        }
        log_.LogIt(QStringLiteral("(Hot Key) ") + path);
        DetermineDuration(g, p, b);
        s_.PlayPosition = 0;
        if (board_.ButtonCustomCue[g][p][b] == QStringLiteral("Y")) {
            if (!BASS_ChannelSetPosition(s_.CurrentChannel, CueBytes(board_.ButtonCueStart[g][p][b]))) {
                BassErrorFunction(QStringLiteral("ProcessSoundButtonD1"), tracer_, dialogs_);
            }
            s_.PlayPosition = BASS_ChannelGetPosition(s_.CurrentChannel);
            if (s_.PlayPosition == -1) {
                BassErrorFunction(QStringLiteral("ProcessSoundButtonE1"), tracer_, dialogs_);
            }
        }
        GetSilenceLength();
        tracer_.WriteTracer(QStringLiteral("Hot Key Playing - Channel ") + QString::number(s_.CurrentChannel));
        const bool loop = s_.LoopMode || board_.ButtonLoop[g][p][b] == QStringLiteral("L");
        StartChannel(g, p, b, loop, QStringLiteral("HotKeyPlaySound A"), QStringLiteral("HotKeyPlaySound B"),
                     QStringLiteral("HotKeyPlaySound C"));
        if (set_.HKOverTalk && s_.lVoiceOver) {
            VoiceOver();
        }
        DuckUnderTalk(QStringLiteral("ProcessSoundButtonE"));
        sel_.PlayingButton = b;
        sel_.PlayingGroup = g;
        sel_.PlayingPage = p;
        StartElapsedDisplay();
        if (set_.FadeOnHot && set_.FadeIn) {
            FadeInExecute();
        }
        if (set_.FadeOnHot && set_.CrossFade) {
            CrossFadeInExecute();
        }
        s_.Playing = true;
        return true;
    });
}

bool Playback::CheckMultiPlayStop(int button)
{
    return Guarded(QStringLiteral("CheckMultiPlayStop"), [&] {
        tracer_.WriteTracer(QStringLiteral("Process CheckMultiPlayStop - Button Number is ") + QString::number(button));
        win_.FocusDummy();
        bool stopped = false;
        if (s_.ButtonDragMode) {
            return false;
        }
        sel_.CurrentButton = button;
        if (win_.PanelColor(button) != clLime) {
            tracer_.WriteTracer(QStringLiteral("Process CheckMultiPlayStop button not lime, exiting"));
            return false;
        }
        const int g = sel_.CurrentGroup;
        const int p = sel_.CurrentPage;
        // The slot is looked at again after a stack-down, because the next copy has moved into it.
        int n = 1;
        while (n <= ChannelSlots) {
            const BassHandle h = s_.ChannelArray[n];
            if (h == 0 || s_.ChannelButton[n] != button || s_.ChannelGroup[n] != g || s_.ChannelPage[n] != p) {
                ++n;
                continue;
            }
            tracer_.WriteTracer(QStringLiteral("CheckMultiPlayStop - CMPS1 ") + QString::number(h));
            stopped = true;
            BASS_StreamFree(h);
            s_.ChannelArray[n] = 0;
            tracer_.WriteTracer(QStringLiteral("CheckMultiPlay Stop - StopChannel - Clear ChannelArray ") +
                                QString::number(n));
            MarkPlayed(g, p, button);
            ChannelStackDown(n);
        }
        if (stopped) {
            win_.CueEndPlay(g, p, button);
            // The operator ended it; with the table empty the next tick must not take it for
            // a sound that ended and replay it (Loop) or move a list on.
            s_.StoppedByClick = std::all_of(s_.ChannelArray.begin() + 1, s_.ChannelArray.end(),
                                            [](BassHandle h) { return h == 0; });
        }
        return stopped;
    });
}

bool Playback::MultiPlayEndPoints()
{
    try {
        tracer_.WriteTracer(QStringLiteral("MultiPlayEndPoints"));
        for (int n = 1; n <= ChannelSlots; ++n) {
            const BassHandle h = s_.ChannelArray[n];
            if (h == 0 || s_.ChannelCueFlag[n] == QStringLiteral(" ") || s_.ChannelCueEnd[n] <= 0) {
                continue;
            }
            if (BASS_ChannelGetPosition(h) > CueBytes(s_.ChannelCueEnd[n])) {
                BASS_ChannelStop(h);
            }
        }
    } catch (const std::exception&) {
        dialogs_.MessageDlg(QStringLiteral("Error in MultiPlayEndPointsl\r "), mtError, mbOK);
    }
    return true;
}
