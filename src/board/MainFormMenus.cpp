// The main window's menus: the set-file commands, the page and window commands and the trace and
// log commands. Each item carries its object name; the wiring connects them.
#include "board/MainForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>
#include <utility>

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void TForm1::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    File1 = bar->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    NewSet1 = AddItem(File1, "NewSet1", QStringLiteral("New Set"));
    OpenSet1 = AddItem(File1, "OpenSet1", QStringLiteral("Open Set..."));
    SaveSet1 = AddItem(File1, "SaveSet1", QStringLiteral("Save Set"));
    SaveSetAs1 = AddItem(File1, "SaveSetAs1", QStringLiteral("Save Set As..."));
    File1->addSeparator();
    OpenBackups1 = AddItem(File1, "OpenBackups1", QStringLiteral("Backups"));
    File1->addSeparator();
    Exit1 = AddItem(File1, "Exit1", QStringLiteral("Exit"));

    // Board-wide editing commands.
    Edit1 = bar->addMenu(QStringLiteral("&Edit"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    ResetAllPages1 = AddItem(Edit1, "ResetAllPages1", QStringLiteral("Reset All Pages"));
    ButtonDragModeOnOff = AddItem(Edit1, "ButtonDragModeOnOff", QStringLiteral("Button Drag Mode On/Off"));
    Edit1->addSeparator();
    RemovaAllHighlights1 = AddItem(Edit1, "RemovaAllHighlights1", QStringLiteral("Remove All Highlights"));
    RemoveAllLoops1 = AddItem(Edit1, "RemoveAllLoops1", QStringLiteral("Remove All Loops"));
    RemoveAllVolumeSettings1 =
        AddItem(Edit1, "RemoveAllVolumeSettings1", QStringLiteral("Remove All Volume Settings"));
    RemoveAllHotKeys1 = AddItem(Edit1, "RemoveAllHotKeys1", QStringLiteral("Remove All Hot Keys"));
    RemoveAllLocks1 = AddItem(Edit1, "RemoveAllLocks1", QStringLiteral("Remove All Locks"));

    Tools1 = bar->addMenu(QStringLiteral("&Tools"));
    Tools1->setObjectName(QStringLiteral("Tools1"));
    ResetPage1 = AddItem(Tools1, "ResetPage1", QStringLiteral("Reset Page"));
    Stop1 = AddItem(Tools1, "Stop1", QStringLiteral("Stop"));
    Pause1 = AddItem(Tools1, "Pause1", QStringLiteral("Pause On/Off"));
    Loop1 = AddItem(Tools1, "Loop1", QStringLiteral("Loop On/Off"));
    Tools1->addSeparator();
    FormReset = AddItem(Tools1, "FormReset", QStringLiteral("Form Reset to 3/4 Screen"));
    FormRestore1 = AddItem(Tools1, "FormRestore1", QStringLiteral("Form Restore to Full Screen"));
    Tools1->addSeparator();
    // Their commands are connected by the page export commands, found by these names.
    AddItem(Tools1, "ListPageLibraryFolder1", QStringLiteral("Display Page Library Folder Path"));
    AddItem(Tools1, "ExportPageandSoundButtonstoExcel1", QStringLiteral("Export Page and Sound Buttons to Excel"));
    // Pause acts on a playing sound: the play paths enable it with its button. Stop stays enabled
    // until a stop or a sound's end disables it, a way to silence the board from the start.
    Pause1->setEnabled(false);
    // Drag mode arrives with editing; it stays visible for ButtonsOn.
    ButtonDragModeOnOff->setEnabled(false);

    BuildScoreboardMenu();

    Log1 = bar->addMenu(QStringLiteral("&Log"));
    Log1->setObjectName(QStringLiteral("Log1"));
    ViewLogFile1 = AddItem(Log1, "ViewLogFile1", QStringLiteral("View Log File"));
    PrintLogFile1 = AddItem(Log1, "PrintLogFile1", QStringLiteral("Print Log File"));
    DeleteLogFile = AddItem(Log1, "DeleteLogFile", QStringLiteral("Delete Log File"));
    Log1->addSeparator();
    DeleteTracerFile = AddItem(Log1, "DeleteTracerFile", QStringLiteral("Delete Tracer File"));

    // The window's layout commands once more, where a window menu is looked for.
    Window1 = bar->addMenu(QStringLiteral("&Window"));
    Window1->setObjectName(QStringLiteral("Window1"));
    FormReset1 = AddItem(Window1, "FormReset1", QStringLiteral("Form Reset to 3/4 Screen"));
    FormRestore2 = AddItem(Window1, "FormRestore2", QStringLiteral("Form Restore to Full Screen"));

    Help1 = bar->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    ShowWindowsVersion1 = AddItem(Help1, "ShowWindowsVersion1", QStringLiteral("Show Windows Version"));
    BuildToolMenus();

    BuildPopupMenus();
}

void TForm1::BuildScoreboardMenu()
{
    Scoreboard1 = menuBar()->addMenu(QStringLiteral("&Scoreboard"));
    Scoreboard1->setObjectName(QStringLiteral("Scoreboard1"));
    static const std::array<std::pair<const char*, const char*>, 9> sports{{{"Baseball1", "Baseball"},
                                                                           {"Basketball1", "Basketball"},
                                                                           {"Football1", "Football"},
                                                                           {"Handball1", "Handball"},
                                                                           {"Hockey1", "Hockey"},
                                                                           {"Lacrosse1", "Lacrosse"},
                                                                           {"Soccer1", "Soccer"},
                                                                           {"Volleyball1", "Volleyball"},
                                                                           {"AustralianFootball1", "Australian Football"}}};
    for (const auto& [name, caption] : sports) {
        AddItem(Scoreboard1, name, QString::fromLatin1(caption));
    }
    Scoreboard1->addSeparator();
    HideUnhideGameClock1 = AddItem(Scoreboard1, "HideUnhideGameClock1", QStringLiteral("Hide/Unhide Game Clock"));
    HideUnhideTimer1 = AddItem(Scoreboard1, "HideUnhideTimer1", QStringLiteral("Hide/Unhide Timer"));
}
