// Export Page, Import Page, the library folder box and the spreadsheet export, driven through the
// main window's commands with scripted dialogs.
#include "PageCommandsFixture.h"

#include "editing/SpreadsheetExport.h"
#include "platform/IniFile.h"
#include "support/FullFileSystem.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace {

using PageExport = PageCommandsFixture;

TEST_F(PageExport, ExportWritesThePageAndRemembersTheFolder)
{
    NamePage(2, 4, QStringLiteral("AC/DC"));
    Take(2, 4, 1, QStringLiteral("Thunder"));
    settings.LibraryFolder = folder + QStringLiteral("lib");
    Target(2, 4);
    const QString chosen = folder + QStringLiteral("chosen/AC-DC.lib");
    QDir().mkpath(folder + QStringLiteral("chosen"));
    dialogs.QueueResult(mrOk); // the warning
    dialogs.QueueFileName(chosen);
    commands->ExportPageClick();

    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("Your Page Name of \r\rAC/DC\r\rcontaines characters that are "
                             "not valid in a file name\rRallybox has changed those "
                             "characters to \"-\""));
    EXPECT_EQ(dialogs.Calls()[1].kind, ScriptedDialogs::Kind::SaveFile);
    EXPECT_EQ(dialogs.Calls()[1].caption, QStringLiteral("Export to Page Library"));
    // The missing library folder was made, and the next dialog starts where this file went.
    EXPECT_TRUE(QDir(folder + QStringLiteral("lib")).exists());
    EXPECT_EQ(QDir(settings.LibraryFolder).canonicalPath(),
              QDir(folder + QStringLiteral("chosen")).canonicalPath());
    IniFile written(chosen);
    EXPECT_EQ(written.ReadString(QStringLiteral("Page"), QStringLiteral("c1"), QString()),
              QStringLiteral("Thunder"));
    EXPECT_EQ(written.ReadString(QStringLiteral("Main"), QStringLiteral("CreatedBy"), QString()),
              QStringLiteral("Rallybox Page Library"));
}

TEST_F(PageExport, ExportOfAnUnnamedPageKeepsOnlyTheCreatorAndSaysSo)
{
    Target(3, 3);
    const QString chosen = folder + QStringLiteral("blank.lib");
    dialogs.QueueFileName(chosen);
    commands->ExportPageClick();
    EXPECT_TRUE(dialogs.Texts().contains(QStringLiteral("Error in ExportPage Execute\r ")));
    EXPECT_EQ(IniFile(chosen).ReadSections(), QStringList{QStringLiteral("Main")});
}

TEST_F(PageExport, AFullDiskKeepsTheOldLibraryAndSpreadsheetFilesAndSaysSo)
{
    FullFileSystem disk;
    RBX_SKIP_UNLESS_MOUNTED(disk);
    const QByteArray oldLibrary("[Main]\r\nCreatedBy=Rallybox Page Library\r\n\r\n");
    const QByteArray oldSheet("\"Old\",\"Row\"\r\n");
    ASSERT_TRUE(disk.Put("Match.lib", oldLibrary));
    ASSERT_TRUE(disk.Put("sheet.xls", oldSheet));
    ASSERT_TRUE(disk.Fill());
    NamePage(2, 4, QStringLiteral("Match"));
    Take(2, 4, 1, QStringLiteral("Thunder"));
    Target(2, 4);
    dialogs.QueueFileName(disk.FilePath("Match.lib"));
    commands->ExportPageClick();
    EXPECT_EQ(dialogs.Texts().filter(QStringLiteral("Error in")),
              QStringList{QStringLiteral("Error in ExportPage\r ")});
    EXPECT_EQ(ReadBytes(disk.FilePath("Match.lib")), oldLibrary);
    EXPECT_FALSE(WriteSpreadsheetExport(board, disk.FilePath("sheet.xls")));
    EXPECT_EQ(ReadBytes(disk.FilePath("sheet.xls")), oldSheet);
}

TEST_F(PageExport, ALockedBoardNeitherExportsNorImports)
{
    NamePage(1, 1, QStringLiteral("Warmup"));
    settings.SecurityLocked = true;
    Target(1, 1);
    commands->ExportPageClick();
    commands->ImportPage1Click();
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(PageExport, ImportReplacesThePageAndShowsIt)
{
    NamePage(1, 2, QStringLiteral("Intro"));
    Take(1, 2, 3, QStringLiteral("Horn"));
    board.ButtonState[1][2][3] = bstCued;
    const QString file = folder + QStringLiteral("intro.lib");
    Target(1, 2);
    dialogs.QueueFileName(file);
    ASSERT_TRUE(form->RunMenuCommand(QStringLiteral("ExportPage1")));

    ShowPage(1, 1);
    Target(5, 7);
    Take(5, 7, 1, QStringLiteral("Old"));
    dialogs.QueueFileName(file);
    ASSERT_TRUE(form->RunMenuCommand(QStringLiteral("ImportPage1")));
    EXPECT_EQ(board.PageName[5][7], QStringLiteral("Intro"));
    EXPECT_EQ(board.ButtonCaption[5][7][3], QStringLiteral("Horn"));
    EXPECT_EQ(board.ButtonState[5][7][3], bstNeutral);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[5][7][1]));
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(selection.CurrentGroup, 5);
    EXPECT_EQ(selection.CurrentPage, 7);
    EXPECT_EQ(AsPushButton(form->PageButtons[7])->text(), QStringLiteral("Intro"));
}

TEST_F(PageExport, ACancelledOrDamagedImportLeavesThePageAsItWas)
{
    NamePage(1, 2, QStringLiteral("Keep"));
    Take(1, 2, 1, QStringLiteral("Stay"));
    board.ButtonState[1][2][1] = bstPlayed;
    Target(1, 2);
    commands->ImportPage1Click(); // the open dialog is cancelled
    const QString damaged = folder + QStringLiteral("damaged.lib");
    WriteText(damaged, "[Page]\r\nPageName=Broken\r\nc1=New\r\nactivity1=x\r\n");
    dialogs.QueueFileName(damaged);
    commands->ImportPage1Click();
    const QString other = folder + QStringLiteral("notalibrary.lib");
    WriteText(other, "[Main]\r\nCreatedBy=Someone\r\n");
    dialogs.QueueFileName(other);
    commands->ImportPage1Click();

    EXPECT_EQ(board.PageName[1][2], QStringLiteral("Keep"));
    EXPECT_EQ(board.ButtonCaption[1][2][1], QStringLiteral("Stay"));
    EXPECT_EQ(board.ButtonState[1][2][1], bstPlayed);
    EXPECT_FALSE(board.BoardChanged);
    const QStringList texts = dialogs.Texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Error in ImportPage\r ")));
    EXPECT_TRUE(texts.contains(
        QStringLiteral("This file holds no page of a Page Library and was not imported:\r\r") + other));
}

TEST_F(PageExport, ImportNeverTargetsTheBackgroundTheCueOrAPlayingPage)
{
    const QString file = folder + QStringLiteral("x.lib");
    WriteText(file, "[Page]\r\nPageName=X\r\n");
    for (const auto& [group, page] : {std::pair{1, 0}, std::pair{CueGroup, CuePage}}) {
        Target(group, page);
        commands->ImportPage1Click();
    }
    playback.ChannelArray[2] = 77;
    playback.ChannelGroup[2] = 1;
    playback.ChannelPage[2] = 4;
    Target(1, 4);
    commands->ImportPage1Click();
    EXPECT_EQ(board.PageName[1][4], QStringLiteral(" "));
    EXPECT_EQ(board.PageName[CueGroup][CuePage], QStringLiteral(" "));
    for (const auto& call : dialogs.Calls()) {
        EXPECT_NE(call.kind, ScriptedDialogs::Kind::OpenFile);
    }
    EXPECT_EQ(dialogs.Calls().size(), 3u);
}

TEST_F(PageExport, TheFolderBoxNamesTheLibraryFolder)
{
    settings.LibraryFolder = QStringLiteral("/shows/library");
    form->findChild<QAction*>(QStringLiteral("ListPageLibraryFolder1"))->trigger();
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("The Page Library File Folder is: \r\r/shows/library"));
    settings.LibraryFolder.clear();
    EXPECT_EQ(commands->LibraryFolderOrDefault(), QDir::homePath() + QStringLiteral("/RBXPageLibrary"));
}

using Spreadsheet = PageCommandsFixture;

TEST_F(Spreadsheet, TheFileListsCaptionedButtonsOfNamedPagesByteForByte)
{
    NamePage(1, 1, QStringLiteral("Warmup"));
    Take(1, 1, 1, QStringLiteral("Goal Horn"));
    Take(1, 1, 5, QStringLiteral("Charge\r\nFanfare"));
    Take(1, 1, 9, QStringLiteral("Say \"Hi\""));
    Take(2, 3, 1, QStringLiteral("On an unnamed page"));
    NamePage(CueGroup, CuePage, QStringLiteral("Cue"));
    Take(CueGroup, CuePage, 1, QStringLiteral("Cued"));
    NamePage(10, 18, QStringLiteral("Last, page"));
    Take(10, 18, 48, QStringLiteral("Marker"));
    form->findChild<QAction*>(QStringLiteral("ExportPageandSoundButtonstoExcel1"))->trigger();

    // The byte-order mark tells a spreadsheet the text is UTF-8, not the local code page.
    EXPECT_EQ(ReadBytes(commands->SpreadsheetFileName()), QByteArray("\xEF\xBB\xBF"
                                                                     "\"Warmup\",\"Goal Horn\"\r\n"
                                                                     "\"Warmup\",\"Charge Fanfare\"\r\n"
                                                                     "\"Warmup\",\"Say \"\"Hi\"\"\"\r\n"
                                                                     "\"Last, page\",\"Marker\"\r\n"));

    // A spreadsheet reader sees two fields a line.
    const QString script =
        QStringLiteral("import csv,sys\n"
                       "rows=list(csv.reader(open(sys.argv[1],newline='',encoding='utf-8-sig')))\n"
                       "print('|'.join(r[0]+'/'+r[1]+'/'+str(len(r)) for r in rows))\n");
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, commands->SpreadsheetFileName()});
    ASSERT_TRUE(python.waitForFinished(20000));
    EXPECT_EQ(
        QString::fromUtf8(python.readAllStandardOutput()).trimmed(),
        QStringLiteral("Warmup/Goal Horn/2|Warmup/Charge Fanfare/2|Warmup/Say \"Hi\"/2|Last, page/Marker/2"));
}

TEST_F(Spreadsheet, ASecondRunReplacesTheFirstAndAFailureIsReported)
{
    NamePage(1, 1, QStringLiteral("A"));
    Take(1, 1, 1, QStringLiteral("One"));
    commands->ExportPageandSoundButtonstoExcel1Click();
    board.ButtonCaption[1][1][1] = QStringLiteral("Two");
    commands->ExportPageandSoundButtonstoExcel1Click();
    EXPECT_EQ(ReadBytes(commands->SpreadsheetFileName()), QByteArray("\xEF\xBB\xBF\"A\",\"Two\"\r\n"));
    EXPECT_TRUE(dialogs.Calls().empty());

    QFile::remove(commands->SpreadsheetFileName());
    ASSERT_TRUE(QDir().mkdir(commands->SpreadsheetFileName()));
    commands->ExportPageandSoundButtonstoExcel1Click();
    EXPECT_EQ(dialogs.Texts(), QStringList{QStringLiteral("Error in WriteExcel\r ")});
}

} // namespace
