// Sounds whose files were still being opened when they were asked for (slow storage, a cold
// start): the window goes on meanwhile, and each sound starts when its file is open, in the order
// the operator asked, by the path it was asked through. A file refused meanwhile is reported then.
#include "playback/PlayListStyle.h"

#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "playback/PlaybackWindow.h"

#include <QFile>

void Playback::WaitForFile(WaitingStartPath path, int group, int page, int button, const QString& file)
{
    if (!set_.MultiPlay) {
        // One sound plays at a time: the latest ask replaces one still waiting.
        s_.WaitingStarts.clear();
    }
    s_.WaitingStarts.push_back(WaitingStart{path, group, page, button, file, s_.NextPressed});
    // As if it played already: its name shows and STOP takes it back.
    ShowNowPlaying(group, page, file);
    win_.SetPauseEnabled(s_.Playing);
}

bool Playback::CancelWaitingStart(int group, int page, int button)
{
    const auto before = s_.WaitingStarts.size();
    std::erase_if(s_.WaitingStarts, [&](const WaitingStart& start) {
        return start.group == group && start.page == page && start.button == button;
    });
    if (s_.WaitingStarts.size() == before) {
        return false;
    }
    tracer_.WriteTracer(QStringLiteral("Waiting start taken back - ") + board_.ButtonFile[group][page][button]);
    if (s_.WaitingStarts.empty()) {
        ShowIdleUnlessPlaying();
    }
    return true;
}

void Playback::CancelWaitingStarts()
{
    if (s_.WaitingStarts.empty()) {
        return;
    }
    tracer_.WriteTracer(QStringLiteral("Waiting starts taken back"));
    s_.WaitingStarts.clear();
    ShowIdleUnlessPlaying();
}

void Playback::StartWaitingSounds()
{
    // A start may pump messages: a second call meanwhile leaves the queue to this one.
    if (s_.StartingWaitingSounds) {
        return;
    }
    s_.StartingWaitingSounds = true;
    while (!s_.WaitingStarts.empty()) {
        const WaitingStart start = s_.WaitingStarts.front();
        if (BassFileOpening(QFile::encodeName(start.file).constData())) {
            break; // the first asked for goes first
        }
        s_.WaitingStarts.pop_front();
        if (board_.EditMode || s_.ButtonDragMode || !Board::IsValidAddress(start.group, start.page, start.button) ||
            board_.ButtonFile[start.group][start.page][start.button] != start.file) {
            continue; // the board changed under it: nothing the operator asked for is left
        }
        StartWaitingSound(start);
    }
    s_.StartingWaitingSounds = false;
}

void Playback::StartWaitingSound(const WaitingStart& start)
{
    const int g = start.group;
    const int p = start.page;
    const int b = start.button;
    tracer_.WriteTracer(QStringLiteral("Waiting start - file open ") + start.file);
    switch (start.path) {
    case WaitingStartPath::SoundButton:
        Guarded(QStringLiteral("ProcessSoundButton"), [&] {
            PlaySoundButton(g, p, b);
            return true;
        });
        break;
    case WaitingStartPath::HotKey:
        s_.HotKeyGroup = g;
        s_.HotKeyPage = p;
        s_.HotKeyButton = b;
        HotKeyPlaySound();
        break;
    case WaitingStartPath::PlayList:
    case WaitingStartPath::Next: {
        const bool next = start.path == WaitingStartPath::Next;
        Guarded(QStringLiteral("PlayList"), [&] {
            s_.NextPressed = start.nextPressed;
            sel_.PlayingGroup = g;
            sel_.PlayingPage = p;
            sel_.PlayingButton = b;
            sel_.CurrentButton = b;
            const ListStart outcome =
                StartListSound(g, p, b, next ? ListStartStyle::Next() : ListStartStyle::PlayList());
            if (outcome == ListStart::TryNext) {
                // The file was refused: the list goes on as it would have at the ask.
                if (next) {
                    NextShuffleDraw();
                } else {
                    PlayList();
                }
            }
            s_.NextPressed = false;
            return true;
        });
        break;
    }
    }
}
