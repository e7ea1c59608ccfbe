// Starting one play-list sound (for the play list and for Next), the buttons a draw may pick, and
// the Loop re-arm of a page.
#include "playback/PlayListStyle.h"

#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/PlayLog.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"
#include "platform/Pump.h"
#include "playback/PlaybackWindow.h"

#include <QFileInfo>

#include <algorithm>

bool Playback::ListButtonQualifies(int group, int page, int button, bool skipPlayed) const
{
    const int state = board_.ButtonState[group][page][button];
    if (skipPlayed && (state == bstPlayed || state == bstHighlightedPlayed)) {
        return false;
    }
    if (state == bstLocked || state == bstFileMissing || state == bstPlaceMarker) {
        return false;
    }
    return !Board::IsBlank(board_.ButtonFile[group][page][button]) &&
           !Board::IsBlank(board_.ButtonCaption[group][page][button]);
}

std::vector<int> Playback::ShuffleCandidates(int group, int page, const std::vector<int>& tried) const
{
    std::vector<int> out;
    for (int b = 1; b <= ButtonCount; ++b) {
        const int state = board_.ButtonState[group][page][b];
        // A shuffle never draws what has played or is playing now.
        if (state == bstPlaying || state == bstHighlightedPlaying ||
            !ListButtonQualifies(group, page, b, true)) {
            continue;
        }
        if (std::find(tried.begin(), tried.end(), b) == tried.end()) {
            out.push_back(b);
        }
    }
    return out;
}

std::vector<std::pair<int, int>>
Playback::ShuffleAllCandidates(int group, const std::vector<std::pair<int, int>>& tried) const
{
    std::vector<std::pair<int, int>> out;
    for (int p = 1; p <= PageButtonCount; ++p) {
        if (board_.PagePlay[group][p] != QStringLiteral("T")) {
            continue;
        }
        for (const int b : ShuffleCandidates(group, p, {})) {
            if (std::find(tried.begin(), tried.end(), std::make_pair(p, b)) == tried.end()) {
                out.emplace_back(p, b);
            }
        }
    }
    return out;
}

void Playback::RearmPage(int group, int page, bool paintHighlighted)
{
    // Only the page that plays is re-armed; its panels are repainted only when it is on display.
    const bool shown = OnDisplay(group, page);
    for (int b = 1; b <= ButtonCount; ++b) {
        if (shown && win_.PanelColor(b) == clRed) {
            win_.SetPanelColor(b, clBtnFace);
        }
        int& state = board_.ButtonState[group][page][b];
        if (state == bstPlayed || state == bstPlaying) {
            state = bstUnplayed;
        } else if (state == bstHighlightedPlayed) {
            state = bstHighlighted;
            if (paintHighlighted && shown) {
                win_.SetPanelColor(b, clAqua);
            }
        }
    }
}

Playback::ListStart Playback::StartListSound(int g, int p, int b, const ListStartStyle& style)
{
    const QString path = board_.ButtonFile[g][p][b];
    const bool shown = OnDisplay(g, p);
    int& state = board_.ButtonState[g][p][b];
    const int stateBefore = state;
    const TColor panelBefore = shown ? win_.PanelColor(b) : clBtnFace;
    if (!QFileInfo(path).isFile()) {
        if (style.next) {
            dialogs_.MessageDlg(QStringLiteral("Sound File Not Found\r") + path, mtWarning, mbOK);
        }
        state = style.next ? bstPlayed : bstFileMissing;
        if (shown) {
            win_.SetPanelColor(b, style.next ? clRed : clFuchsia);
            win_.SetSoundButtonColor(b, set_.ButtonColor);
        }
        return ListStart::TryNext;
    }
    state = state == bstHighlighted ? bstHighlightedPlaying : bstPlaying;
    if (shown) {
        win_.SetPanelColor(b, clLime);
        win_.SetSoundButtonColor(b, clInfoBk);
    }
    ShowNowPlaying(g, p, path);
    tracer_.WriteTracer(QStringLiteral("  Play List Play File ") + path);
    tracer_.WriteTracer(QStringLiteral("  Player Play"));

    // A start that goes no further gives the button back its state and leaves nothing logged.
    auto giveUp = [&](ListStart outcome) {
        state = stateBefore;
        if (shown) {
            win_.SetPanelColor(b, panelBefore);
            win_.SetSoundButtonColor(b, set_.ButtonColor);
        }
        ShowIdleUnlessPlaying();
        return outcome;
    };
    if (!style.next) {
        const auto startsBefore = s_.StartCount;
        ++s_.BusyWaitDepth;
        pump_.ProcessMessages();
        --s_.BusyWaitDepth;
        if (s_.StartCount != startsBefore) {
            // A click or key started a sound meanwhile: that is the operator's choice. This button
            // goes back to its state unless that start was this very button.
            bool inTable = false;
            for (int n = 1; n <= ChannelSlots; ++n) {
                inTable = inTable || (s_.ChannelArray[n] != 0 && s_.ChannelGroup[n] == g &&
                                      s_.ChannelPage[n] == p && s_.ChannelButton[n] == b);
            }
            return inTable ? ListStart::Stop : giveUp(ListStart::Stop);
        }
    }
    if (!CheckFileType(path, style.typePrefix)) {
        return giveUp(ListStart::Stop);
    }
    const Opened opened = OpenStreams(path, style.streamPrefix, false);
    if (opened == Opened::Waiting) {
        giveUp(ListStart::Waiting);
        WaitForFile(style.next ? WaitingStartPath::Next : WaitingStartPath::PlayList, g, p, b, path);
        return ListStart::Waiting;
    }
    if (opened == Opened::No) {
        return giveUp(ListStart::TryNext);
    }
    if (style.next) {
        tracer_.WriteTracer(QStringLiteral("hchannel not zero"));
    }
    DetermineDuration(g, p, b);
    const bool wasPlaying = s_.Playing;
    if (!EnterStartInTable(g, p, b)) {
        tracer_.WriteTracer(style.tableRefusedTrace);
        return giveUp(ListStart::Stop);
    }
    if (!style.next) {
        log_.LogPlayedPending = false;
    }
    log_.LogIt(path);
    if (style.next) {
        tracer_.WriteTracer(QStringLiteral("Here at two"));
    }
    s_.PlayPosition = 0;
    const bool customCue = board_.ButtonCustomCue[g][p][b] == QStringLiteral("Y");
    const std::int64_t cueStart = CueBytes(board_.ButtonCueStart[g][p][b]);
    if (customCue && (style.next || cueStart > 0)) {
        const QString context = style.next        ? QStringLiteral("ContinueShuffleB")
                                : set_.StereoMode ? QStringLiteral("ContinueShuffleB1")
                                                  : QStringLiteral("ContinueShuffleB2");
        if (!BASS_ChannelSetPosition(s_.CurrentChannel, cueStart)) {
            BassErrorFunction(context, tracer_, dialogs_);
        }
    }
    if (customCue) {
        s_.PlayPosition = BASS_ChannelGetPosition(s_.CurrentChannel);
        if (s_.PlayPosition == -1) {
            BassErrorFunction(QStringLiteral("ContinueShuffleC"), tracer_, dialogs_);
        }
    }
    GetSilenceLength();
    PlayListSoundOn(g, p, b, style, wasPlaying);
    return ListStart::Started;
}

// Play, the start volume, the elapsed display and the fades of a sound just entered in the table.
void Playback::PlayListSoundOn(int g, int p, int b, const ListStartStyle& style, bool wasPlaying)
{
    const BassHandle h = s_.CurrentChannel;
    if (style.next) {
        if (!BASS_ChannelPlay(h, false)) {
            BassErrorFunction(QStringLiteral("SPContinueShuffleA"), tracer_, dialogs_);
        }
    } else {
        // Silent until its volume is set, so nothing sounds at full level for a moment.
        if (!BASS_ChannelSetAttributes(h, -1, 0, -101)) {
            BassErrorFunction(QStringLiteral("ContinueShuffleF - Set Volume to zero"), tracer_, dialogs_);
        }
        tracer_.WriteTracer(QStringLiteral("PlayList - Player Play, Playing Channel ") + QString::number(h));
        if (!BASS_ChannelPlay(h, false)) {
            BassErrorFunction(QStringLiteral("ContinueShuffleF"), tracer_, dialogs_);
        }
    }
    const int volume = StartVolume(g, p, b);
    if (!style.next) {
        tracer_.WriteTracer((Board::IsBlank(board_.ButtonVolume[g][p][b]) ? QStringLiteral("PlayList A - ")
                                                                           : QStringLiteral("PlayList B - ")) +
                            QString::number(volume));
    }
    // Next starts its sound the same way: under Talk it sounds at the ducked level, and its slot
    // remembers the level Talk brings it back to.
    SetStartVolume(volume);
    DuckUnderTalk(QStringLiteral("ContinueShuffleG"));
    StartElapsedDisplay();
    const bool fadeIn = style.next ? set_.FadeIn : set_.FadeIn && (set_.AutoFade || s_.NextPressed);
    const bool crossFadeIn = style.next ? set_.CrossFade : set_.CrossFade && wasPlaying;
    if (fadeIn) {
        FadeInExecute();
    }
    if (crossFadeIn) {
        CrossFadeInExecute();
    }
    s_.Playing = true;
}
