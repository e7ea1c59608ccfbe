// The main window's window and help commands: help files through the desktop, the hooks of the
// game-day windows, the set-file path box and the personalised caption.
#include "ToolsFixture.h"

#include <QAction>
#include <QTemporaryDir>

class WindowCommandsTest : public ToolsFixture
{
protected:
    void SetUp() override
    {
        ToolsFixture::SetUp();
        Start(Page("Page1", "Warmup", "c1=Horn\r\ns1=" + sound.toUtf8() + "\r\nt1=00:03\r\n"));
    }
};

TEST_F(WindowCommandsTest, MissingHelpFilesWarnAndNeverReachTheShell)
{
    form->HelpTopics1->trigger();
    form->VersionHistory1->trigger();
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("Help File Not Found"));
    EXPECT_EQ(dialogs.Calls()[0].type, mtWarning);
    EXPECT_EQ(dialogs.Calls()[1].text, QStringLiteral("Version History File Not Found"));
    EXPECT_TRUE(shellCalls.empty());
}

TEST_F(WindowCommandsTest, PresentHelpFilesOpenThroughTheDesktop)
{
    for (const char* name : {"RBXHelp.chm", "RBXVersions.chm"}) {
        QFile file(folder + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    form->HelpTopics1->trigger();
    form->VersionHistory1->trigger();
    EXPECT_TRUE(dialogs.Calls().empty());
    ASSERT_EQ(shellCalls.size(), 2u);
    EXPECT_EQ(shellCalls[0], QStringLiteral("open ") + folder + QStringLiteral("RBXHelp.chm"));
    EXPECT_EQ(shellCalls[1], QStringLiteral("open ") + folder + QStringLiteral("RBXVersions.chm"));
}

TEST_F(WindowCommandsTest, HelpFilesAreFoundInTheProgramFolderThenBesideTheProgramThenInTheDataFolder)
{
    QTemporaryDir beside;
    QTemporaryDir data;
    context->HelpFolders = {beside.path() + "/", data.path() + "/"};
    const auto place = [](const QString& path) { return QFile(path).open(QIODevice::WriteOnly); };
    ASSERT_TRUE(place(data.filePath("RBXHelp.html")));
    ASSERT_TRUE(place(data.filePath("RBXVersions.html")));
    form->HelpTopics1->trigger();
    ASSERT_TRUE(place(beside.filePath("RBXHelp.html")));
    form->HelpTopics1->trigger();
    ASSERT_TRUE(place(folder + "RBXHelp.html"));
    form->HelpTopics1->trigger();
    ASSERT_TRUE(place(folder + "RBXHelp.chm"));
    form->HelpTopics1->trigger();
    form->VersionHistory1->trigger();
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_EQ(shellCalls,
              (std::vector<QString>{"open " + data.filePath("RBXHelp.html"),
                                    "open " + beside.filePath("RBXHelp.html"),
                                    "open " + folder + "RBXHelp.html", "open " + folder + "RBXHelp.chm",
                                    "open " + data.filePath("RBXVersions.html")}));
}

TEST_F(WindowCommandsTest, SetFilePathBoxShowsTheOpenSet)
{
    form->Listsetfileandpath1->trigger();
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("The .set file and path is: \r\r") + board.SetFileName);
    EXPECT_EQ(dialogs.Calls()[0].type, mtInformation);
}

TEST_F(WindowCommandsTest, WindowCommandsCallTheirHooksAndDoNothingWithoutThem)
{
    form->About2->trigger();
    form->Lineups1->trigger();
    form->Roster1->trigger();
    form->Personalize1->trigger();
    EXPECT_FALSE(board.BoardChanged);
    EXPECT_TRUE(dialogs.Calls().empty());

    QStringList opened;
    windows.FormAbout = [&] {
        opened << "About";
        return 1;
    };
    windows.FormLineups = [&] {
        opened << "Lineups";
        return 1;
    };
    windows.FormRoster = [&] {
        opened << "Roster";
        return 1;
    };
    form->About2->trigger();
    form->Lineups1->trigger();
    form->Roster1->trigger();
    EXPECT_EQ(opened, (QStringList{"About", "Lineups", "Roster"}));
}

TEST_F(WindowCommandsTest, PersonalizeMarksTheBoardChangedOnlyWhenTheHeaderChanged)
{
    windows.FormPersonalize = [] { return 2; };
    form->Personalize1->trigger();
    EXPECT_FALSE(board.BoardChanged);
    EXPECT_EQ(form->windowTitle(), form->VersionText + QStringLiteral("     ") + board.SetFileName);

    windows.FormPersonalize = [this] {
        settings.Personalization = QStringLiteral("Tigers Home");
        return 1;
    };
    settings.LogFile = true;
    form->Personalize1->trigger();
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(form->windowTitle(), form->VersionText + QStringLiteral("     Tigers Home       (LOGGING ON)"));
}
