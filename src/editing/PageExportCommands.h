#pragma once
// The commands that take a page or the board's button list out of the board and bring a page
// back: page library export and import, the library folder box and the spreadsheet export.
// GUI thread. Created once with the main window as its parent.
#include <QObject>
#include <QString>

class TForm1;
struct PlaybackState;

class PageExportCommands final : public QObject
{
    Q_OBJECT
public:
    PageExportCommands(TForm1& form, const PlaybackState& playback);

    // Export Page: the popup target page to a ".lib" file chosen in the save dialog.
    void ExportPageClick();
    // Import Page: a ".lib" file over the popup target page, committed only when read whole.
    void ImportPage1Click();
    // Tools, Display Page Library Folder Path.
    void ListPageLibraryFolder1Click();
    // Tools, Export Page and Sound Buttons to Excel.
    void ExportPageandSoundButtonstoExcel1Click();

    // The folder the library dialogs start in: LibraryFolder, or the default when it is empty.
    QString LibraryFolderOrDefault() const;
    // "RBXExportToExcel.xls" in the program folder.
    QString SpreadsheetFileName() const;

private:
    void Export();
    void Import();
    bool PagePlaying(int group, int page) const;
    void ConnectMenuItem(const char* name, void (PageExportCommands::*handler)());

    TForm1& form_;
    const PlaybackState& playback_;
};
