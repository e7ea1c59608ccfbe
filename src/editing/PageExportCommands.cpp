#include "editing/PageExportCommands.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/Selection.h"
#include "board/SetFileHourglass.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "editing/PageLibraryFile.h"
#include "editing/SpreadsheetExport.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "playback/PlaybackState.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kLibraryFolderName = QStringLiteral("RBXPageLibrary");

QString FolderOf(const QString& fileName)
{
    return QFileInfo(fileName).absolutePath();
}

} // namespace

PageExportCommands::PageExportCommands(TForm1& form, const PlaybackState& playback)
    : QObject(&form), form_(form), playback_(playback)
{
    setObjectName(QStringLiteral("PageExportCommands"));
    ConnectMenuItem("ListPageLibraryFolder1", &PageExportCommands::ListPageLibraryFolder1Click);
    ConnectMenuItem("ExportPageandSoundButtonstoExcel1",
                    &PageExportCommands::ExportPageandSoundButtonstoExcel1Click);
    form_.SetMenuCommand(QStringLiteral("ExportPage1"), [this] { ExportPageClick(); });
    form_.SetMenuCommand(QStringLiteral("ImportPage1"), [this] { ImportPage1Click(); });
}

void PageExportCommands::ConnectMenuItem(const char* name, void (PageExportCommands::*handler)())
{
    if (auto* item = form_.findChild<QAction*>(QString::fromLatin1(name))) {
        connect(item, &QAction::triggered, this, handler);
    }
}

QString PageExportCommands::LibraryFolderOrDefault() const
{
    const QString& folder = form_.Context().settings.LibraryFolder;
    if (!Board::IsBlank(folder)) {
        return folder;
    }
    return QDir::homePath() + u'/' + kLibraryFolderName;
}

QString PageExportCommands::SpreadsheetFileName() const
{
    return form_.Context().ProgramFolder + QStringLiteral("RBXExportToExcel.xls");
}

bool PageExportCommands::PagePlaying(int group, int page) const
{
    for (int i = 1; i <= ChannelSlots; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (playback_.ChannelArray[slot] != 0 && playback_.ChannelGroup[slot] == group &&
            playback_.ChannelPage[slot] == page) {
            return true;
        }
    }
    return false;
}

void PageExportCommands::ExportPageClick()
{
    MainFormContext& ctx = form_.Context();
    ctx.tracer.WriteTracer(QStringLiteral("ExportPage"));
    SetFileHourglass hourglass;
    try {
        Export();
    } catch (...) {
        ctx.dialogs.MessageDlg(QStringLiteral("Error in ExportPage\r "), mtError, mbOK);
    }
}

void PageExportCommands::Export()
{
    MainFormContext& ctx = form_.Context();
    Settings& s = ctx.settings;
    if (s.SecurityLocked) {
        return;
    }
    const int group = ctx.selection.PopupGroup;
    const int page = ctx.selection.PopupPage;
    if (!Board::IsValidAddress(group, page, 1)) {
        return;
    }
    s.LibraryFolder = LibraryFolderOrDefault();
    if (!QDir(s.LibraryFolder).exists() && !QDir().mkdir(s.LibraryFolder)) {
        ctx.dialogs.MessageDlg(QStringLiteral("Cannot create Page Library Folder"), mtError, mbOK);
    }

    const QString& pageName = ctx.board.PageName[group][page];
    bool replaced = false;
    const QString proposed = PageLibraryFileName(pageName, replaced);
    if (replaced) {
        ctx.dialogs.MessageDlg(
            QStringLiteral("Your Page Name of \r\r") + pageName + QStringLiteral("\r\r") +
                QStringLiteral("containes characters that are not valid in a file name\r") +
                QStringLiteral("Rallybox has changed those characters to \"-\""),
            mtWarning, mbOK);
    }

    FileDialogOptions options;
    options.Title = QStringLiteral("Export to Page Library");
    options.Filter = QStringLiteral("Exported Pages (*.lib)|*.lib|All Files (*.*)|*.*");
    options.InitialDir = s.LibraryFolder;
    options.FileName = proposed.trimmed();
    options.DefaultExt = QStringLiteral("lib");
    QString fileName;
    if (!ctx.dialogs.SaveFileDialog(options, fileName)) {
        return;
    }
    s.LibraryFolder = FolderOf(fileName);

    IniFile ini;
    ini.Rename(fileName, false);
    if (!WritePageLibrary(ctx.board, group, page, ini)) {
        ctx.dialogs.MessageDlg(QStringLiteral("Error in ExportPage Execute\r "), mtError, mbOK);
    }
    if (!ini.UpdateFile()) {
        ctx.tracer.WriteTracer(QStringLiteral("ExportPage - the file could not be written: ") + fileName);
        ctx.dialogs.MessageDlg(QStringLiteral("Error in ExportPage\r "), mtError, mbOK);
    }
}

void PageExportCommands::ImportPage1Click()
{
    MainFormContext& ctx = form_.Context();
    SetFileHourglass hourglass;
    ctx.tracer.WriteTracer(QStringLiteral("ImportPage"));
    try {
        Import();
    } catch (...) {
        ctx.dialogs.MessageDlg(QStringLiteral("Error in ImportPage\r "), mtError, mbOK);
    }
}

void PageExportCommands::Import()
{
    MainFormContext& ctx = form_.Context();
    if (ctx.settings.SecurityLocked) {
        return;
    }
    const int group = ctx.selection.PopupGroup;
    const int page = ctx.selection.PopupPage;
    // The page-area background (page 0) and the cue are no page a library page can go onto.
    if (group < 1 || group > GroupCount || page < 1 || page > PageButtonCount) {
        ctx.dialogs.MessageDlg(QStringLiteral("Please right click a Page Button to import a page onto it."),
                               mtInformation, mbOK);
        return;
    }
    if (PagePlaying(group, page)) {
        ctx.dialogs.MessageDlg(
            QStringLiteral("A sound of this page is playing.\r\rStop it before importing a "
                           "page over it."),
            mtWarning, mbOK);
        return;
    }

    FileDialogOptions options;
    options.Title = QStringLiteral("Import from Page Library");
    options.Filter = QStringLiteral("Page Library Files ((.lib)|*.lib|All Files (*.*)|*.*");
    options.InitialDir = LibraryFolderOrDefault();
    QString fileName;
    if (!ctx.dialogs.OpenFileDialog(options, fileName)) {
        return;
    }

    IniFile ini;
    PageLibraryPage imported;
    QString badKey;
    if (!ini.LoadFromFile(fileName) || !ReadPageLibrary(ini, imported, badKey)) {
        if (!badKey.isEmpty()) {
            ctx.tracer.WriteTracer(QStringLiteral("ImportPage - a value does not convert: ") + badKey);
            ctx.dialogs.MessageDlg(QStringLiteral("Error in ImportPage\r "), mtError, mbOK);
        } else {
            ctx.dialogs.MessageDlg(QStringLiteral("This file holds no page of a Page Library and was not "
                                                  "imported:\r\r") +
                                       fileName,
                                   mtError, mbOK);
        }
        return;
    }

    CommitPageLibrary(ctx.board, group, page, imported);
    ctx.board.BoardChanged = true;
    ctx.selection.CurrentGroup = group;
    ctx.selection.CurrentPage = page;
    ctx.board.LastPageOfGroup[static_cast<std::size_t>(group)] = page;
    form_.ProcessGroupButton(group);
}

void PageExportCommands::ListPageLibraryFolder1Click()
{
    form_.Context().dialogs.MessageDlg(QStringLiteral("The Page Library File Folder is: \r\r") +
                                           LibraryFolderOrDefault(),
                                       mtInformation, mbOK);
}

void PageExportCommands::ExportPageandSoundButtonstoExcel1Click()
{
    MainFormContext& ctx = form_.Context();
    if (!WriteSpreadsheetExport(ctx.board, SpreadsheetFileName())) {
        ctx.tracer.WriteTracer(QStringLiteral("WriteExcel - the file could not be written: ") +
                               SpreadsheetFileName());
        ctx.dialogs.MessageDlg(QStringLiteral("Error in WriteExcel\r "), mtError, mbOK);
    }
}
