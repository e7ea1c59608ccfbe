// Which items the two right-click menus offer: the target slot or page is taken from the control
// that was right-clicked, then the items are shown or hidden by the slot's state, the board lock,
// the modes and what plays.
#include "board/MainForm.h"

#include "board/Board.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QMenu>

#include <exception>
#include <initializer_list>

namespace {

using Names = std::initializer_list<const char*>;

void SetShown(QMenu* menu, Names names, bool shown)
{
    for (const char* name : names) {
        if (auto* action = menu->findChild<QAction*>(QString::fromLatin1(name))) {
            action->setVisible(shown);
        }
    }
}

void SetAllShown(QMenu* menu, bool shown)
{
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            action->setVisible(shown);
        }
    }
}

// Hides every item but those named; the named ones keep whatever they were.
void KeepOnly(QMenu* menu, Names names)
{
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        bool kept = false;
        for (const char* name : names) {
            kept = kept || action->objectName() == QLatin1String(name);
        }
        if (!kept) {
            action->setVisible(false);
        }
    }
}

void ShowOnly(QMenu* menu, Names names)
{
    SetAllShown(menu, false);
    SetShown(menu, names, true);
}

bool AnyShown(const QMenu* menu)
{
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->isVisible()) {
            return true;
        }
    }
    return false;
}

int TrailingNumber(const QString& name, int prefixLength)
{
    return name.mid(prefixLength).toInt();
}

} // namespace

bool TForm1::PopupSoundOptionsSet()
{
    try {
        if (!PopupComponentName.startsWith(QLatin1String("Panel"))) {
            return false;
        }
        const int slot = TrailingNumber(PopupComponentName, 5);
        Selection& sel = ctx_.selection;
        const Board& board = ctx_.board;
        const int g = sel.CurrentGroup;
        const int p = sel.CurrentPage;
        if (Board::IsBlank(board.PageName[g][p])) {
            ctx_.dialogs.MessageDlg(
                QStringLiteral("You do not have a page selected.\r \rYou must first select a page "
                               "or setup a Page \rbefore you can assign Sound Buttons."),
                mtError, mbOK);
            SetAllShown(PopupMenuSound, false);
            return false;
        }
        sel.PopupGroup = g;
        sel.PopupPage = p;
        sel.PopupButton = slot;
        SetAllShown(PopupMenuSound, true);
        const bool cueShown = FaceOf(CueButton) == ctx_.settings.ActiveButtonColor;
        if (cueShown) {
            SetShown(PopupMenuSound, {"PopupCue"}, false);
        }
        if (Board::IsBlank(board.ButtonCaption[g][p][slot])) {
            SetSoundItemsForEmptySlot();
        } else if (ButtonPanels[static_cast<std::size_t>(slot)]->Color() == clLime) {
            // A playing slot gets its live volume instead of a menu.
            SetAllShown(PopupMenuSound, false);
            Windows().ShowFormAssignVolumeLevel();
            LoadButtons();
            return false;
        } else {
            SetSoundItemsForSound(board.ButtonState[g][p][slot], cueShown);
        }
        SetShown(PopupMenuSound, {"AssignVolumeLevel1"}, false);
        return AnyShown(PopupMenuSound);
    } catch (const std::exception&) {
        SetAllShown(PopupMenuSound, false);
        ShowError(QStringLiteral("PopUpSoundOptionsSet"));
    }
    return false;
}

void TForm1::SetSoundItemsForEmptySlot()
{
    if (ctx_.settings.SecurityLocked) {
        SetAllShown(PopupMenuSound, false);
        return;
    }
    ShowOnly(PopupMenuSound, {"PopupAdd", "PopupEdit", "PopupInsert", "ChangeSoundFonts1"});
    SetShown(PopupMenuSound, {"SoundPaste"}, ctx_.clipboards.SoundClipboardFull);
}

void TForm1::SetSoundItemsForSound(int state, bool cueShown)
{
    QMenu* m = PopupMenuSound;
    SetShown(
        m,
        {"AssignVolumeLevel1", "PopupAdd", "PopupInsert", "PopupEditPlaceMarker", "SoundPaste", "PopupTimer"},
        false);
    if (cueShown) {
        SetShown(m, {"PopupDelete"}, true);
        SetShown(m, {"PopupCue"}, false);
    }
    if (state == bstPlaceMarker) {
        SetShown(m,
                 {"PopupAdd", "PopupEdit", "PopupCue", "PopupInsert", "SoundPaste", "PopupTimer",
                  "PopupHighlight", "PopupLock", "PopupPlayed", "CaptureButtonColor1", "SetButtonColor1"},
                 false);
        SetShown(m, {"PopupEditPlaceMarker", "SoundCopy", "SoundCut"}, true);
    } else if (state == bstLocked) {
        SetShown(m,
                 {"PopupCue", "PopupAdd", "PopupEdit", "PopupInsert", "SoundPaste", "PopupTimer",
                  "PopupHighlight", "PopupPlayed", "CaptureButtonColor1", "SetButtonColor1"},
                 false);
        SetShown(m, {"SoundCopy", "SoundCut", "PopupDelete"}, true);
    } else {
        SetShown(m, {"PopupTimer"}, PlayListMode);
    }
    // The board lock comes last, so no state rule can offer an editing item on a locked board.
    if (ctx_.settings.SecurityLocked) {
        KeepOnly(m, {"PopupCue", "PopupHighlight", "PopupLock", "PopupPlayed"});
    }
}

bool TForm1::PopupPageOptionsSet()
{
    try {
        if (ctx_.settings.SecurityLocked) {
            SetAllShown(PopupMenuPage, false);
            return false;
        }
        Selection& sel = ctx_.selection;
        const QString& name = PopupComponentName;
        sel.PopupGroup = sel.CurrentGroup;
        if (name.size() == 10 && name.mid(5, 5) == QLatin1String("Group")) {
            SetAllShown(PopupMenuPage, false);
            return false;
        }
        if (name == QLatin1String("PanelPages")) {
            sel.PopupPage = 0;
        } else if (name.startsWith(QLatin1String("PanelPage"))) {
            sel.PopupPage = TrailingNumber(name, 9);
        } else if (name.startsWith(QLatin1String("PageButton"))) {
            sel.PopupPage = TrailingNumber(name, 10);
        } else if (name == QLatin1String("CueButton")) {
            sel.PopupGroup = CueGroup;
            sel.PopupPage = CuePage;
            ctx_.board.PageName[CueGroup][CuePage] = QStringLiteral("Cue");
        }
        SetAllShown(PopupMenuPage, true);
        SetShown(PopupMenuPage, {"CopyCue", "PopupClearCueClick"}, false);
        SetPageItems(name);
        return AnyShown(PopupMenuPage);
    } catch (const std::exception&) {
        SetAllShown(PopupMenuPage, false);
        ShowError(QStringLiteral("PopupPageOptionsSet"));
    }
    return false;
}

void TForm1::SetPageItems(const QString& name)
{
    QMenu* m = PopupMenuPage;
    const Selection& sel = ctx_.selection;
    const bool pagePlaying = Playing && sel.PlayingPage == sel.PopupPage;
    const bool pasteOffered = ctx_.clipboards.PageClipboardFull;
    if (ButtonDragMode) {
        ShowOnly(m, {"PageButtonDragModeOnOff"});
    } else if (name == QLatin1String("CueButton")) {
        SetShown(m,
                 {"PopupPageAdd", "PopupPageEdit1", "PageCopy", "PageCut", "PagePaste", "ExportPage1",
                  "ImportPage1", "PageButtonDragModeOnOff", "PopupPageChangeFont", "PopupPageDelete"},
                 false);
        SetShown(m,
                 {"CopyCue", "PopupClearCueClick", "PageCompress", "PageAlphabetize", "CaptureButtonColor2",
                  "SetButtonColor2"},
                 true);
        if (pagePlaying) {
            SetShown(m,
                     {"PageCompress", "PageAlphabetize", "PopupClearCueClick", "CaptureButtonColor2",
                      "SetButtonColor2"},
                     false);
        }
    } else if (name == QLatin1String("PanelPages")) {
        ShowOnly(m, {"PageButtonDragModeOnOff", "PopupPageChangeFont", "ExportPage1", "ImportPage1"});
    } else if (Board::IsBlank(ctx_.board.PageName[sel.PopupGroup][sel.PopupPage])) {
        // The button or frame of a blank page: only a new page can go there. A named page's frame
        // offers what its button does, so Add cannot open the page editor over that page.
        ShowOnly(m, {"PopupPageAdd", "PageButtonDragModeOnOff", "PopupPageChangeFont", "ImportPage1"});
        SetShown(m, {"PagePaste"}, pasteOffered);
    } else {
        SetShown(m, {"PopupPageAdd", "PagePaste", "ImportPage1", "CopyCue", "PopupClearCueClick"}, false);
        if (pagePlaying) {
            SetShown(m,
                     {"PopupPageDelete", "PageCopy", "PageCut", "PageCompress", "PageAlphabetize",
                      "PageButtonDragModeOnOff", "CaptureButtonColor2", "SetButtonColor2"},
                     false);
        }
    }
}
