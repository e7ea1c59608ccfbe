// The play-list path: the next sound of a page walked in order, drawn at random on the page, or
// drawn over every play-list page of the group; and the end of the list.
#include "playback/PlayListStyle.h"

#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "playback/PlaybackWindow.h"

namespace {
// A walk over one page visits each button once per pass; the page moves and the one re-arm add a
// few passes. Past this many steps something is wrong with the board and the list ends.
constexpr int MaxWalkSteps = (ButtonCount + 1) * (PageButtonCount + 3);
} // namespace

bool Playback::PlayList()
{
    bool started = false;
    Guarded(QStringLiteral("PlayList"), [&] {
        tracer_.WriteTracer(QStringLiteral("Play List"));
        win_.FocusDummy();
        if (sel_.PlayingGroup == 0) {
            sel_.PlayingGroup = sel_.CurrentGroup;
        }
        if (sel_.PlayingPage == 0) {
            sel_.PlayingPage = sel_.CurrentPage;
        }
        // The Loop re-arm may run once per call: a page that is still empty after it ends the list.
        bool rearmed = false;
        const bool pageShuffle =
            board_.PageShuffle[sel_.PlayingGroup][sel_.PlayingPage] == QStringLiteral("T");
        started = (ShuffleAllOn() || pageShuffle) ? ShufflePlayList(rearmed) : WalkPlayList(rearmed);
        return true;
    });
    return started;
}

// A plain page: the button after the last one played, then on to the next play-list page, round
// again in Loop mode, or the end of the list.
bool Playback::WalkPlayList(bool& rearmed)
{
    const ListStartStyle style = ListStartStyle::PlayList();
    for (int step = 0; step < MaxWalkSteps; ++step) {
        const int g = sel_.PlayingGroup;
        const int p = sel_.PlayingPage;
        sel_.PlayingButton = std::max(sel_.PlayingButton, 0) + 1;
        if (sel_.PlayingButton > ButtonCount) {
            sel_.PlayingButton = 0;
            if (s_.LoopMode) {
                if (rearmed) {
                    break;
                }
                rearmed = true;
                RearmPage(g, p, true);
                continue;
            }
            if (set_.PlayListPage) {
                // No further play-list page: the list stays where it is, nothing changed.
                if (!win_.PlayListNextPage()) {
                    return false;
                }
                continue;
            }
            break;
        }
        const int b = sel_.PlayingButton;
        sel_.CurrentButton = b;
        if (set_.StopPlayList && board_.ButtonState[g][p][b] == bstPlaceMarker) {
            // Halted at the marker; the next Space or Next goes on from the button after it.
            return false;
        }
        if (!ListButtonQualifies(g, p, b, set_.PlayListSkipRed)) {
            continue;
        }
        switch (StartListSound(g, p, b, style)) {
        case ListStart::Started:
            return true;
        case ListStart::Stop:
        case ListStart::Waiting: // the list goes on when the file is open
            return false;
        case ListStart::TryNext:
            break;
        }
    }
    EndPlayList(QStringLiteral("  Leaving Play List"));
    return false;
}

// A shuffle page, or the whole group with Shuffle All: a uniform draw over the buttons that may
// play; none left ends the list (after one re-arm of a shuffle page in Loop mode).
bool Playback::ShufflePlayList(bool& rearmed)
{
    const ListStartStyle style = ListStartStyle::PlayList();
    std::vector<int> tried;
    std::vector<std::pair<int, int>> triedAll;
    // Every draw either starts a sound or adds its button to the tried list, so this ends.
    for (int draw = 0; draw <= ButtonCount * PageButtonCount + 1; ++draw) {
        const int g = sel_.PlayingGroup;
        int p = sel_.PlayingPage;
        int b = 0;
        if (ShuffleAllOn()) {
            const auto candidates = ShuffleAllCandidates(g, triedAll);
            if (candidates.empty()) {
                break;
            }
            const auto pick =
                candidates[static_cast<std::size_t>(Random().Next(static_cast<int>(candidates.size())))];
            p = pick.first;
            b = pick.second;
            triedAll.push_back(pick);
        } else {
            const auto candidates = ShuffleCandidates(g, p, tried);
            if (candidates.empty()) {
                if (s_.LoopMode && !rearmed) {
                    rearmed = true;
                    RearmPage(g, p, false);
                    continue;
                }
                break;
            }
            b = candidates[static_cast<std::size_t>(Random().Next(static_cast<int>(candidates.size())))];
            tried.push_back(b);
        }
        sel_.PlayingPage = p;
        sel_.PlayingButton = b;
        sel_.CurrentButton = b;
        switch (StartListSound(g, p, b, style)) {
        case ListStart::Started:
            return true;
        case ListStart::Stop:
        case ListStart::Waiting: // the list goes on when the file is open
            return false;
        case ListStart::TryNext:
            break;
        }
    }
    EndPlayList(QStringLiteral("  Leaving Play List"));
    return false;
}

void Playback::EndPlayList(const QString& leavingTrace)
{
    const auto startsBefore = s_.StartCount;
    CheckCrossFadeOutOver();
    if (s_.StartCount != startsBefore) {
        // A sound started while the cross fade ran out; the list end no longer applies to it.
        return;
    }
    // The STOP button goes with the list; the Stop menu item stays, a stop that always answers.
    win_.SetStopEnabled(false);
    win_.SetStopMenuItemEnabled(true);
    win_.SetPauseEnabled(false);
    s_.PlayListRunning = false;
    s_.Playing = false;
    win_.ButtonsOn();
    sel_.PlayingButton = 0;
    win_.SetNowPlaying(false, QString());
    tracer_.WriteTracer(leavingTrace);
}

bool Playback::SongAvailable()
{
    return Guarded(QStringLiteral("SongAvailable"), [&] {
        const int g = sel_.PlayingGroup;
        const int p = sel_.PlayingPage;
        if (g < 1 || g > GroupCount || p < 1 || p > PageCount) {
            return false;
        }
        for (int b = 1; b <= ButtonCount; ++b) {
            const int state = board_.ButtonState[g][p][b];
            if ((state == bstUnplayed || state == bstHighlighted) &&
                !Board::IsBlank(board_.ButtonFile[g][p][b])) {
                return true;
            }
        }
        return false;
    });
}

bool Playback::SongAvailableAll()
{
    return Guarded(QStringLiteral("SongAvailableAll"), [&] {
        const int g = sel_.PlayingGroup;
        if (g < 1 || g > GroupCount) {
            return false;
        }
        for (int p = 1; p <= PageButtonCount; ++p) {
            if (board_.PagePlay[g][p] != QStringLiteral("T")) {
                continue;
            }
            for (int b = 1; b <= ButtonCount; ++b) {
                if (board_.ButtonState[g][p][b] == bstUnplayed &&
                    !Board::IsBlank(board_.ButtonFile[g][p][b])) {
                    return true;
                }
            }
        }
        return false;
    });
}
