#include "SetFileFixture.h"

#include "board/Backups.h"
#include "support/FullFileSystem.h"

namespace {

class BackupsTest : public SetFileFixture
{
protected:
    BackupsTest() { clock.SetToday(QDate(2024, 3, 9)); }

    void MakeBackup(const QDate& day)
    {
        QDir().mkpath(backups.BackupFolder());
        WriteBytes(backups.BackupFileName(day), "[Main]\r\n");
    }

    QStringList BackupNames() const
    {
        return QDir(backups.BackupFolder()).entryList({"*.set"}, QDir::Files, QDir::Name);
    }

    Backups backups{folder.path(), clock, *tracer, dialogs};
};

} // namespace

TEST_F(BackupsTest, BackupNamesCarryTheDateInRbxBackups)
{
    EXPECT_EQ(Backups::BackupBaseName(QDate(2024, 3, 9)), "Backup-2024-03-09.set");
    EXPECT_EQ(Backups::BackupBaseName(QDate(987, 12, 31)), "Backup-0987-12-31.set");
    EXPECT_EQ(backups.BackupFileName(QDate(2024, 11, 1)), PathOf("RBXBackups/Backup-2024-11-01.set"));
}

TEST_F(BackupsTest, SaveBackupCreatesTheFolderAndHoldsTheLaterStateOfTheDay)
{
    board.SetFileName = PathOf("Show.set");
    board.PageName[2][3] = "Match";
    board.ButtonCaption[2][3][4] = "Goal";
    ASSERT_TRUE(setFile->SaveSetFile());
    ASSERT_TRUE(backups.SaveBackup(board.SetFileName));
    EXPECT_EQ(BackupNames(), QStringList{"Backup-2024-03-09.set"});

    board.ButtonCaption[2][3][4] = "Penalty";
    ASSERT_TRUE(setFile->SaveSetFile());
    ASSERT_TRUE(backups.SaveBackup(board.SetFileName));
    EXPECT_EQ(BackupNames(), QStringList{"Backup-2024-03-09.set"});
    EXPECT_EQ(ReadBytes(backups.BackupFileName(clock.Today())), ReadBytes(board.SetFileName));

    Board restored;
    SetFile reader(restored, settings, dialogs, *tracer, folder.path());
    restored.SetFileName = backups.BackupFileName(clock.Today());
    ASSERT_TRUE(reader.LoadSetFile());
    EXPECT_EQ(restored.ButtonCaption[2][3][4], "Penalty");
    EXPECT_TRUE(TraceText().contains(" - Save Backup"));
}

TEST_F(BackupsTest, FailedCopyIsSilentAndKeepsTheDaysEarlierBackup)
{
    MakeBackup(clock.Today());
    const QByteArray earlier = ReadBytes(backups.BackupFileName(clock.Today()));
    EXPECT_FALSE(backups.SaveBackup(PathOf("never-saved.set")));
    EXPECT_FALSE(backups.SaveBackup(" "));
    EXPECT_EQ(ReadBytes(backups.BackupFileName(clock.Today())), earlier);
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(BackupsTest, AFullDiskKeepsTheDaysEarlierBackupWhole)
{
    FullFileSystem disk;
    RBX_SKIP_UNLESS_MOUNTED(disk);
    Backups onFullDisk{disk.Folder(), clock, *tracer, dialogs};
    ASSERT_TRUE(QDir().mkpath(onFullDisk.BackupFolder()));
    const QByteArray earlier = Crlf("[Main]\nCreatedBy=Rallybox\n\n");
    ASSERT_TRUE(disk.Put("RBXBackups/" + Backups::BackupBaseName(clock.Today()), earlier));
    board.SetFileName = PathOf("Show.set");
    board.PageName[1][1] = "Match";
    ASSERT_TRUE(setFile->SaveSetFile());
    ASSERT_TRUE(disk.Fill());

    EXPECT_FALSE(onFullDisk.SaveBackup(board.SetFileName));
    EXPECT_EQ(ReadBytes(onFullDisk.BackupFileName(clock.Today())), earlier);
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(BackupsTest, PurgeKeepsTheTenNewestOfTheLastNinetyDays)
{
    const QDate today = clock.Today();
    std::vector<QDate> days;
    for (int i = 0; i < 15; ++i) {
        days.push_back(today.addDays(-6 * i)); // 0, 6, ..., 84 days back
        MakeBackup(days.back());
    }
    MakeBackup(today.addDays(-100));
    MakeBackup(today.addDays(-90)); // just outside the window
    ASSERT_TRUE(backups.PurgeBackups());
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(QFile::exists(backups.BackupFileName(days[static_cast<size_t>(i)])), i < 10) << i;
    }
    EXPECT_TRUE(QFile::exists(backups.BackupFileName(today.addDays(-100))));
    EXPECT_TRUE(QFile::exists(backups.BackupFileName(today.addDays(-90))));
    EXPECT_EQ(BackupNames().size(), 12);
}

TEST_F(BackupsTest, PurgeWalksBackAcrossLeapFebruaryAndTheYearEnd)
{
    clock.SetToday(QDate(2024, 3, 1));
    // Eleven daily backups ending today, then one on New Year's Eve.
    for (int i = 0; i < 11; ++i) {
        MakeBackup(QDate(2024, 3, 1).addDays(-i)); // 1 Mar, 29 Feb, 28 Feb, ...
    }
    MakeBackup(QDate(2023, 12, 31));
    ASSERT_TRUE(backups.PurgeBackups());
    EXPECT_TRUE(QFile::exists(backups.BackupFileName(QDate(2024, 2, 29))));
    EXPECT_TRUE(QFile::exists(backups.BackupFileName(QDate(2024, 2, 21))));
    EXPECT_FALSE(QFile::exists(backups.BackupFileName(QDate(2024, 2, 20))));
    EXPECT_FALSE(QFile::exists(backups.BackupFileName(QDate(2023, 12, 31))));

    clock.SetToday(QDate(2024, 1, 1));
    MakeBackup(QDate(2023, 12, 31));
    ASSERT_TRUE(backups.PurgeBackups());
    EXPECT_TRUE(QFile::exists(backups.BackupFileName(QDate(2023, 12, 31))));
}

TEST_F(BackupsTest, ExitWithoutAnyBackupLeavesOnlyTodays)
{
    board.SetFileName = PathOf("Show.set");
    ASSERT_TRUE(setFile->SaveSetFile());
    EXPECT_FALSE(QDir(backups.BackupFolder()).exists());
    ASSERT_TRUE(backups.SaveBackup(board.SetFileName));
    ASSERT_TRUE(backups.PurgeBackups());
    EXPECT_EQ(BackupNames(), QStringList{"Backup-2024-03-09.set"});
}

TEST_F(BackupsTest, SetupClearsTheBoardButKeepsVolumesColoursAndTheFileName)
{
    board.SetFileName = PathOf("Show.set");
    board.PageName[1][2] = "Warm-up";
    board.PagePlay[1][2] = "T";
    board.PageColor[1][2] = clAqua;
    board.ButtonCaption[1][2][3] = "Horn";
    board.ButtonFile[1][2][3] = "/s/horn.mp3";
    board.ButtonState[1][2][3] = bstPlayed;
    board.ButtonCueEnd[1][2][3] = 4096;
    board.ButtonVolume[1][2][3] = "80";
    board.ButtonCustomColor[1][2][3] = clNavy;
    int displayCleared = 0;
    ASSERT_TRUE(BackupSetFileSetup(board, dialogs, [&] { ++displayCleared; }));
    EXPECT_EQ(board.PageName[1][2], "");
    EXPECT_EQ(board.PagePlay[1][2], "");
    EXPECT_EQ(board.ButtonCaption[1][2][3], "");
    EXPECT_EQ(board.ButtonFile[1][2][3], "");
    EXPECT_EQ(board.ButtonState[1][2][3], bstUnplayed);
    EXPECT_EQ(board.ButtonCueEnd[1][2][3], 0);
    EXPECT_EQ(board.ButtonVolume[1][2][3], "80");
    EXPECT_EQ(board.ButtonCustomColor[1][2][3], clNavy);
    EXPECT_EQ(board.PageColor[1][2], clAqua);
    EXPECT_EQ(board.SetFileName, PathOf("Show.set"));
    EXPECT_EQ(displayCleared, 1);
}
