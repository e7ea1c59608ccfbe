// An exit with an unchanged board never makes a set file that was not there, nor an empty
// backup; a real set file is still written and backed up as before.
#include "MainFormFixture.h"

#include <QDir>

namespace {
class ExitLeavesNoEmptyFiles : public MainFormFixture
{
protected:
    void Exit()
    {
        dialogs.QueueResult(mrYes);
        ASSERT_TRUE(form->close());
    }
    QString BackupPath() const { return PathOf(QStringLiteral("RBXBackups/Backup-2024-03-09.set")); }
    QStringList Backups() const { return QDir(PathOf(QStringLiteral("RBXBackups"))).entryList(QDir::Files); }
};
} // namespace

TEST_F(ExitLeavesNoEmptyFiles, ASetFileNamedOnTheCommandLineThatIsNotThereIsNotMade)
{
    const QString missing = PathOf(QStringLiteral("Not there.set"));
    Start({missing});
    Exit();
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_TRUE(Backups().isEmpty()) << Backups().join(QStringLiteral(", ")).toStdString();
    EXPECT_EQ(terminated, 1);
}

TEST_F(ExitLeavesNoEmptyFiles, AFirstStartWithNoSetFileLeavesNoDefaultSet)
{
    Start();
    ASSERT_EQ(board.SetFileName, PathOf(QStringLiteral("Default.set")));
    Exit();
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("Default.set"))));
    EXPECT_TRUE(Backups().isEmpty());
}

TEST_F(ExitLeavesNoEmptyFiles, AnEmptySetFileStaysEmptyAndIsNotBackedUp)
{
    setPath = PathOf(QStringLiteral("Blank.set"));
    WriteText(setPath, QByteArray());
    // Yesterday's good backup must not be replaced by nothing either.
    QDir().mkpath(PathOf(QStringLiteral("RBXBackups")));
    WriteText(BackupPath(), SampleSet);
    Start({setPath});
    Exit();
    EXPECT_EQ(ReadBytes(setPath), QByteArray());
    EXPECT_EQ(ReadBytes(BackupPath()), SampleSet);
}

TEST_F(ExitLeavesNoEmptyFiles, ASetFileWithSoundsIsStillWrittenAndBackedUp)
{
    StartWithSample();
    Exit();
    EXPECT_EQ(ReadBytes(setPath), SampleSet);
    EXPECT_EQ(ReadBytes(BackupPath()), SampleSet);
}
