#pragma once
// Small helpers the board-arranging commands share: whether a page is the one on display, a slot
// repainted from its cell, the page-totals text, and the refusal of a command that would move or
// clear a cell a channel is playing (the channel table would go on pointing at the old address).
#include <QString>

#include <array>

class TForm1;

namespace BoardEditing {

inline const QString SoundPlayingRefusal =
    QStringLiteral("This Sound Button is playing.\rStop it before you move, cut or clear it.");
inline const QString PagePlayingRefusal = QStringLiteral(
    "A Sound Button on this Page is playing.\rStop it before you move, cut or clear the Page.");
inline const QString BlankPageCaption = QStringLiteral("(Blank Page)");

bool PageOnDisplay(TForm1& form, int group, int page);
bool CellPlaying(TForm1& form, int group, int page, int button);
bool PagePlaying(TForm1& form, int group, int page);
// Each shows its refusal (error box, OK) and returns true when the cell or page is playing.
bool RefuseCellWhilePlaying(TForm1& form, int group, int page, int button);
bool RefusePageWhilePlaying(TForm1& form, int group, int page);

// Cue entries whose origin is (group, page, b) follow a button that moved to (group, toPage, newSlot[b])
// (newSlot[b] 0: the button left the board, the origin is dropped). Moving a cued button must not
// leave its cue entry pointing at whatever button took its place.
void MoveCueOrigins(TForm1& form, int group, int page, int toPage, const std::array<int, 49>& newSlot);
// The cue entries of two swapped cells, or of two swapped pages, follow them.
void SwapCueOrigins(TForm1& form, int group, int pageA, int buttonA, int pageB, int buttonB);
void SwapPageCueOrigins(TForm1& form, int group, int pageA, int pageB);

// Slot N of the page on display painted from its cell; the slot button shows when it has a caption
// (always in edit mode, where every face but a place marker's is plain).
void ShowSlotFromBoard(TForm1& form, int slot);
// The display after a page of the group on display was emptied (cut or deleted): cue entries
// taken from it are released, its button reads "(Blank Page)", every page button takes
// ButtonColor, and when it is the page on display its labels and slots empty too.
void ShowPageEmptied(TForm1& form, int group, int page);
// After a cell changed: when its page is on display, its slot shows it (file entry included) and
// the page totals are counted again.
void ShowCellChanged(TForm1& form, int group, int page, int button);
// LabelPageTotals from the page on display: the count, " Sounds (", the time and ")".
void ShowPageTotals(TForm1& form);
// Page button N of the group on display shows the page's name, or "(Blank Page)" in silver.
void ShowPageButton(TForm1& form, int page, bool withColor);

} // namespace BoardEditing
