#include "tools/BoardSearch.h"

#include "board/Board.h"

std::vector<BoardAddress> FindMatches(const Board& board, const QString& text, int scope, bool matchCase)
{
    std::vector<BoardAddress> matches;
    if (text.isEmpty()) {
        return matches;
    }
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool captions = scope == FindButtons || scope == FindButtonsAndNotes;
    const bool notes = scope == FindNotes || scope == FindButtonsAndNotes;
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            for (int b = 1; b <= ButtonCount; ++b) {
                if ((captions && board.ButtonCaption[g][p][b].contains(text, cs)) ||
                    (notes && board.ButtonNote[g][p][b].contains(text, cs))) {
                    matches.push_back({g, p, b});
                }
            }
        }
    }
    return matches;
}

CueItResult CueFoundButton(Board& board, const BoardAddress& origin)
{
    const auto [g, p, b] = origin;
    if (!Board::IsValidAddress(g, p, b) || p == CuePage) {
        return CueItResult::Refused;
    }
    if (board.ButtonState[g][p][b] == bstPlaceMarker) {
        return CueItResult::PlaceMarker;
    }
    if (Board::IsBlank(board.ButtonCaption[g][p][b])) {
        return CueItResult::NoCaption;
    }
    int slot = 0;
    for (int n = 1; n <= ButtonCount; ++n) {
        if (Board::IsBlank(board.ButtonCaption[CueGroup][CuePage][n])) {
            slot = n;
            break;
        }
    }
    if (slot == 0) {
        return CueItResult::Full;
    }
    TSoundButtonCell entry = board.Cell(g, p, b);
    entry.ButtonState = bstUnplayed;
    entry.ButtonHotKey.clear();
    entry.ButtonHotKeyInfo.clear();
    board.SetCell(CueGroup, CuePage, slot, entry);
    const auto i = static_cast<std::size_t>(slot);
    board.CueOriginGroup[i] = g;
    board.CueOriginPage[i] = p;
    board.CueOriginButton[i] = b;
    board.ButtonState[g][p][b] = bstCued;
    board.BoardChanged = true;
    return CueItResult::Added;
}
