// The Edit menu's remove-all commands: one kind of per-button setting (highlights, loops, volumes,
// hot keys, locks) stripped from every page of every group and from the cue at once.
#include "board/MainForm.h"

#include "board/Board.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"

#include <exception>

bool TForm1::ConfirmRemoveAll(const QString& question)
{
    return ctx_.dialogs.MessageDlg(question, mtConfirmation, mbYesNo) == mrYes;
}

void TForm1::ApplyToBoard(const std::function<void(int group, int page, int button)>& change)
{
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            for (int b = 1; b <= ButtonCount; ++b) {
                change(g, p, b);
            }
        }
    }
    for (int b = 1; b <= ButtonCount; ++b) {
        change(CueGroup, CuePage, b);
    }
}

void TForm1::RemoveAll(const QString& routine, const QString& what,
                       const std::function<void(int group, int page, int button)>& change, bool askTwice)
{
    // A locked board is not edited, not even by the Edit menu.
    if (ctx_.settings.SecurityLocked) {
        return;
    }
    try {
        if (!ConfirmRemoveAll(what + QStringLiteral("?"))) {
            return;
        }
        if (askTwice &&
            !ConfirmRemoveAll(QStringLiteral("This will Remove All Hot Keys assigned, are you sure you "
                                             "want to do this?"))) {
            return;
        }
        ctx_.tracer.WriteTracer(what);
        ctx_.board.BoardChanged = true;
        ApplyToBoard(change);
        LoadButtons();
    } catch (const std::exception&) {
        ShowError(routine);
    }
}

void TForm1::RemoveAllHighlights1Click()
{
    Board& board = ctx_.board;
    RemoveAll(QStringLiteral("RemoveAllHighlights1Click"), QStringLiteral("Remove All Highlights"),
              [&board](int g, int p, int b) {
                  int& state = board.ButtonState[g][p][b];
                  if (state == bstHighlighted) {
                      state = bstNeutral;
                  } else if (state == bstHighlightedPlayed) {
                      state = bstPlayed;
                  } else if (state == bstHighlightedPlaying) {
                      state = bstPlaying;
                  }
              });
}

void TForm1::RemoveAllLoops1Click()
{
    Board& board = ctx_.board;
    RemoveAll(QStringLiteral("RemoveAllLoops1Click"), QStringLiteral("Remove All Loops"),
              [&board](int g, int p, int b) { board.ButtonLoop[g][p][b].clear(); });
}

void TForm1::RemoveAllVolumeSettings1Click()
{
    Board& board = ctx_.board;
    RemoveAll(QStringLiteral("RemoveAllVolumeSettings1Click"), QStringLiteral("Remove All Volume Settings"),
              [&board](int g, int p, int b) { board.ButtonVolume[g][p][b].clear(); });
}

void TForm1::RemoveAllHotKeys1Click()
{
    Board& board = ctx_.board;
    RemoveAll(
        QStringLiteral("RemoveAllHotKeys1Click"), QStringLiteral("Remove All Hot Keys"),
        [&board](int g, int p, int b) { board.ButtonHotKey[g][p][b].clear(); }, true);
}

void TForm1::RemoveAllLocks1Click()
{
    Board& board = ctx_.board;
    RemoveAll(QStringLiteral("RemoveAllLocks1Click"), QStringLiteral("Remove All Locks"),
              [&board](int g, int p, int b) {
                  if (board.ButtonState[g][p][b] == bstLocked) {
                      board.ButtonState[g][p][b] = bstNeutral;
                  }
              });
}
