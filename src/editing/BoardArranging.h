#pragma once
// editing/: BoardArranging (this file) over BoardClipboards, PageTools, BoardColors and
// BoardDragDrop; the editors TFormChangeSoundButton (ChangeSoundButton.h), TFormChangePageButton,
// TfrmCustomPlay and TFormAddPlaceMarker; PageExportCommands (page library, spreadsheet export),
// ShellFileDrop (files dropped on the window).
// The board-arranging commands of the main window, created once with it: the clipboards, page
// alphabetize and compress, colours and fonts, and drag and drop. Wire() connects the main
// window's own controls and menu items to them.
#include "editing/BoardClipboards.h"
#include "editing/BoardColors.h"
#include "editing/BoardDragDrop.h"
#include "editing/PageTools.h"

#include <QString>

#include <functional>

class QAction;
class QMenu;
class TForm1;

class BoardArranging
{
public:
    explicit BoardArranging(TForm1& form);

    // Connects the drag-mode button and menu item and adds the colour items of the Edit menu.
    void Wire();
    // Every command by the object name of the menu item that runs it, for the right-click menus.
    void
    RegisterMenuCommands(const std::function<void(const QString&, std::function<void()>)>& setMenuCommand);

    BoardClipboards Clipboards;
    PageTools Pages;
    BoardColors Colors;
    BoardDragDrop* DragDrop = nullptr;

    // Edit menu items (object names as the menus know them).
    QAction* C1 = nullptr;
    QAction* RemoveAllSoundButtonCustomColors1 = nullptr;
    QAction* RemoveAllPageButtonCustomColors1 = nullptr;
    QAction* RemoveSoundButtonCustomColorsforthisPageONLY1 = nullptr;
    QAction* RemovePageButtonCustomColorsforthisGroupONLY1 = nullptr;

private:
    QMenu* EditMenu();

    TForm1& form_;
};
