// The Next button: ends what plays and starts the next sound of the shown page's play list,
// drawing it itself on a shuffle page.
#include "playback/PlayListStyle.h"

#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "playback/PlaybackWindow.h"

bool Playback::ShuffleAllOn() const
{
    return s_.ShuffleAll && set_.Shuffle;
}

void Playback::ReseedRandom()
{
    ownRandom_.Randomize();
}

void Playback::ShufflePlayButtonClick()
{
    Guarded(QStringLiteral("ShufflePlayButtonClick"), [&] {
        tracer_.WriteTracer(QStringLiteral("Next Button Shuffle Play"));
        s_.PlayListRunning = true;
        s_.NextPressed = true;
        win_.FocusDummy();
        if (s_.Paused) {
            s_.Paused = false;
            win_.SetModeButtonColor(ModeButton::Pause, set_.ButtonColor);
            win_.SetDisplayInterval(1000);
        }
        if (s_.Playing) {
            const auto startsBefore = s_.StartCount;
            // The stop may wait on a fade; a sound started inside that wait wins over this press.
            if (!StopProcess(QStringLiteral("SoundButton")) || s_.StartCount != startsBefore) {
                s_.NextPressed = false;
                return true;
            }
        }
        sel_.PlayingGroup = sel_.CurrentGroup;
        sel_.PlayingPage = sel_.CurrentPage;
        if (board_.PageShuffle[sel_.CurrentGroup][sel_.CurrentPage] != QStringLiteral("T")) {
            PlayList();
            s_.NextPressed = false;
            return true;
        }
        s_.NextPressed = false;
        NextShuffleDraw();
        return true;
    });
}

// The draw of Next on a shuffle page: uniform over the buttons that may play, a missing file
// turned played and the draw going on, and one re-arm of the page in Loop mode.
bool Playback::NextShuffleDraw()
{
    const ListStartStyle style = ListStartStyle::Next();
    const int g = sel_.CurrentGroup;
    bool rearmed = false;
    std::vector<int> tried;
    std::vector<std::pair<int, int>> triedAll;
    for (int draw = 0; draw <= ButtonCount * PageButtonCount + 1; ++draw) {
        int p = sel_.CurrentPage;
        int b = 0;
        if (ShuffleAllOn()) {
            tracer_.WriteTracer(QStringLiteral("  Next Shuffle All Play"));
            const auto candidates = ShuffleAllCandidates(g, triedAll);
            if (candidates.empty()) {
                EndPlayList(QStringLiteral("  Leaving Play List"));
                return false;
            }
            const auto pick =
                candidates[static_cast<std::size_t>(Random().Next(static_cast<int>(candidates.size())))];
            p = pick.first;
            b = pick.second;
            triedAll.push_back(pick);
        } else {
            tracer_.WriteTracer(QStringLiteral("Next Button - Regular Shuffle"));
            const auto candidates = ShuffleCandidates(g, p, tried);
            if (candidates.empty()) {
                if (s_.LoopMode && !rearmed) {
                    rearmed = true;
                    RearmPage(g, p, false);
                    continue;
                }
                tracer_.WriteTracer(QStringLiteral("All regular shuffle songs played"));
                EndPlayList(QStringLiteral("  Leaving Next Regular Shuffle Play"));
                return false;
            }
            tracer_.WriteTracer(QStringLiteral("Regular Shuffle Song Available"));
            b = candidates[static_cast<std::size_t>(Random().Next(static_cast<int>(candidates.size())))];
            tried.push_back(b);
            tracer_.WriteTracer(QStringLiteral("Page Group Clicked is ") + QString::number(g));
            tracer_.WriteTracer(QStringLiteral("Page Clicked is ") + QString::number(p));
            tracer_.WriteTracer(QStringLiteral("Button Processed is ") + QString::number(b));
        }
        sel_.PlayingGroup = g;
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
