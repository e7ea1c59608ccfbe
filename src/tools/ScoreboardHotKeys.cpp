#include "tools/ScoreboardHotKeys.h"

#include "board/Board.h"
#include "board/HotKeyCode.h"
#include "board/MainForm.h"
#include "board/VirtualKeys.h"
#include "playback/PlaybackState.h"
#include "tools/GameDayContext.h"

#include <QKeyEvent>

namespace {

constexpr int kHotKeyGroups = 4;

} // namespace

bool FindScoreboardHotKey(const Board& board, const QString& code, ScoreboardHotKeyMatch& match)
{
    if (code.isEmpty()) {
        return false;
    }
    for (int g = 1; g <= kHotKeyGroups; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            for (int b = 1; b <= ButtonCount; ++b) {
                if (board.ButtonHotKey[g][p][b] != code) {
                    continue;
                }
                // The operator locked this button: a key must not play it from a scoreboard either.
                if (board.ButtonState[g][p][b] == bstLocked) {
                    return false;
                }
                match = ScoreboardHotKeyMatch{g, p, b};
                return true;
            }
        }
    }
    return false;
}

bool HandOnScoreboardHotKey(GameDayContext& ctx, const QKeyEvent& key)
{
    const QString code = HotKeyCodeOfKeyEvent(VirtualKeyOfEvent(key), ShiftStateOfEvent(key));
    ScoreboardHotKeyMatch match;
    if (!FindScoreboardHotKey(ctx.board, code, match)) {
        return false;
    }
    ctx.playback.HotKeyGroup = match.group;
    ctx.playback.HotKeyPage = match.page;
    ctx.playback.HotKeyButton = match.button;
    ctx.playback.HotKeyPending = true;
    ctx.form.show();
    ctx.form.raise();
    ctx.form.activateWindow();
    return true;
}
