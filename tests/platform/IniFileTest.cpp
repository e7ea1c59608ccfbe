#include "platform/IniFile.h"
#include "platform/FileReplace.h"
#include "support/FullFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

IniFile SampleBoardIni()
{
    IniFile ini;
    ini.WriteString("Main", "AutoOpen", " ");
    ini.WriteString("Main", "Empty", "");
    ini.WriteString("Main", "Spaced", "  two  blanks  ");
    ini.WriteString("Page 1", "Caption1", QString::fromUtf8("G\xC3\xA4ste \xE2\x80\x93 Tor"));
    ini.WriteInteger("Page 1", "State1", 3);
    ini.WriteBool("Page 1", "Loop1", true);
    ini.WriteString("Page 1", "File1", "C:\\Sounds\\goal horn.mp3");
    return ini;
}

} // namespace

TEST(IniFile, WritesSectionsKeysAndBlankLinesWithCrLf)
{
    IniFile ini;
    ini.WriteString("Main", "AutoOpen", " ");
    ini.WriteString("Main", "Group", "2");
    ini.WriteString("Other", "Key", "v");
    EXPECT_EQ(ini.ToBytes(), QByteArray("[Main]\r\nAutoOpen= \r\nGroup=2\r\n\r\n[Other]\r\nKey=v\r\n\r\n"));
}

TEST(IniFile, FileRoundTripIsByteForByte)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = dir.filePath("first.set");
    IniFile original = SampleBoardIni();
    original.Rename(first, false);
    ASSERT_TRUE(original.UpdateFile());
    const QByteArray written = ReadAll(first);
    EXPECT_EQ(written, original.ToBytes());

    IniFile reread(first);
    reread.Rename(dir.filePath("second.set"), false);
    ASSERT_TRUE(reread.UpdateFile());
    EXPECT_EQ(ReadAll(dir.filePath("second.set")), written);
    EXPECT_EQ(reread.ReadString("Page 1", "Caption1", "x"),
              QString::fromUtf8("G\xC3\xA4ste \xE2\x80\x93 Tor"));
}

TEST(IniFile, ValuesAreKeptExactly)
{
    IniFile ini;
    ini.LoadFromBytes("[Main]\r\nAutoOpen= \r\nEmpty=\r\n  Padded Key  =  a = b  \r\n");
    EXPECT_EQ(ini.ReadString("Main", "AutoOpen", "default"), " ");
    EXPECT_EQ(ini.ReadString("Main", "Empty", "default"), "");
    EXPECT_EQ(ini.ReadString("Main", "Missing", "default"), "default");
    EXPECT_EQ(ini.ReadString("Absent", "AutoOpen", "default"), "default");
    EXPECT_EQ(ini.ReadString("Main", "Padded Key", "default"), "  a = b  ");
    EXPECT_TRUE(ini.ValueExists("Main", "Empty"));
    EXPECT_FALSE(ini.ValueExists("Main", "Missing"));
}

TEST(IniFile, SectionAndKeyNamesAreCaseInsensitive)
{
    IniFile ini;
    ini.LoadFromBytes("[Main]\nFadeInSec=4\n");
    EXPECT_EQ(ini.ReadString("MAIN", "fadeinsec", "x"), "4");
    ini.WriteString("main", "FADEINSEC", "6");
    // The existing key is updated in place and keeps its spelling.
    EXPECT_EQ(ini.ReadSection("Main"), QStringList{"FadeInSec"});
    EXPECT_EQ(ini.ReadSections(), QStringList{"Main"});
    EXPECT_EQ(ini.ReadString("Main", "FadeInSec", "x"), "6");
}

TEST(IniFile, KeepsFileOrderAndFirstDuplicateAnswers)
{
    IniFile ini;
    ini.LoadFromBytes(
        "; comment\nIgnored=before any section\n[Zeta]\nb=1\na=2\nB=3\n[Alpha]\nx=1\n[zeta]\nb=9\n");
    EXPECT_EQ(ini.ReadSections(), (QStringList{"Zeta", "Alpha", "zeta"}));
    EXPECT_EQ(ini.ReadSection("ZETA"), (QStringList{"b", "a", "B"}));
    EXPECT_EQ(ini.ReadString("Zeta", "b", "x"), "1");
    ini.DeleteKey("Zeta", "b");
    EXPECT_EQ(ini.ReadString("Zeta", "b", "x"), "3");
    ini.EraseSection("Zeta");
    EXPECT_EQ(ini.ReadSections(), (QStringList{"Alpha", "zeta"}));
    EXPECT_EQ(ini.ReadString("Zeta", "b", "x"), "9");
    EXPECT_FALSE(ini.SectionExists("Beta"));
}

TEST(IniFile, ReadsIntegersAndBooleansAsTheClassLibraryDoes)
{
    IniFile ini;
    ini.LoadFromBytes("[N]\ndec=42\nneg=-17\nhex=$FF\ncx=0x10\nwrap=$FFFFFFFF\nlead= 7\ntrail=7 \n"
                      "junk=12abc\nempty=\nbig=99999999999\nmin=-2147483648\nzero=0\ntwo=2\nyes=yes\n");
    EXPECT_EQ(ini.ReadInteger("N", "dec", 0), 42);
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -17);
    EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 255);
    EXPECT_EQ(ini.ReadInteger("N", "cx", 0), 16);
    EXPECT_EQ(ini.ReadInteger("N", "wrap", 0), -1);
    EXPECT_EQ(ini.ReadInteger("N", "lead", 0), 7);
    EXPECT_EQ(ini.ReadInteger("N", "trail", -9), -9);
    EXPECT_EQ(ini.ReadInteger("N", "junk", -9), -9);
    EXPECT_EQ(ini.ReadInteger("N", "empty", -9), -9);
    EXPECT_EQ(ini.ReadInteger("N", "big", -9), -9);
    EXPECT_EQ(ini.ReadInteger("N", "min", 0), -2147483647 - 1);
    EXPECT_FALSE(ini.ReadBool("N", "zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "two", false));
    EXPECT_TRUE(ini.ReadBool("N", "yes", true));
    EXPECT_FALSE(ini.ReadBool("N", "yes", false));
    ini.WriteBool("N", "flag", true);
    ini.WriteInteger("N", "count", -3);
    EXPECT_EQ(ini.ReadString("N", "flag", ""), "1");
    EXPECT_EQ(ini.ReadString("N", "count", ""), "-3");
}

TEST(IniFile, ReadsWindows1252WhenNotUtf8AndWritesUtf8)
{
    IniFile ini;
    ini.LoadFromBytes("[Main]\r\nCaption=Caf\xE9 \x80 \x93ok\x94\r\n");
    EXPECT_EQ(ini.ReadString("Main", "Caption", ""),
              QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cok\xE2\x80\x9D"));
    EXPECT_TRUE(ini.ToBytes().contains("Caf\xC3\xA9 \xE2\x82\xAC"));
}

TEST(IniFile, DropsUtf8ByteOrderMarkAndSplitsEveryLineEnd)
{
    IniFile ini;
    ini.LoadFromBytes("\xEF\xBB\xBF[Main]\rA=1\nB=2\r\nC=3");
    EXPECT_EQ(ini.ReadSections(), QStringList{"Main"});
    EXPECT_EQ(ini.ReadSectionValues("Main"), (QStringList{"A=1", "B=2", "C=3"}));
}

TEST(IniFile, LineBreaksInsideAValueCannotInjectKeys)
{
    IniFile ini;
    ini.WriteString("Page", "Note1", "first\r\n[Main]\nAutoOpen=evil");
    IniFile reread;
    reread.LoadFromBytes(ini.ToBytes());
    EXPECT_EQ(reread.ReadSections(), QStringList{"Page"});
    EXPECT_EQ(reread.ReadString("Page", "Note1", ""), "first  [Main] AutoOpen=evil");
}

TEST(IniFile, SurvivesArbitraryBinaryInputAndSettlesAfterOneRewrite)
{
    std::mt19937 random(1234);
    const QByteArray alphabet("[]=;\r\n \t\0\x80\xC3\xFF"
                              "abcAB",
                              18);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        const int length = static_cast<int>(random() % 300);
        for (int i = 0; i < length; ++i) {
            bytes.append(round % 2 == 0 ? alphabet[static_cast<int>(random() % alphabet.size())]
                                        : static_cast<char>(random() & 0xFF));
        }
        IniFile ini;
        ini.LoadFromBytes(bytes);
        const QByteArray once = ini.ToBytes();
        IniFile again;
        again.LoadFromBytes(once);
        ASSERT_EQ(again.ToBytes(), once) << "input " << bytes.toHex().constData();
    }
}

TEST(IniFile, UpdateFileWithoutANameOrFolderReportsFailure)
{
    QTemporaryDir dir;
    IniFile unnamed = SampleBoardIni();
    EXPECT_FALSE(unnamed.UpdateFile());
    WriteAll(dir.filePath("plain"), "x");
    IniFile underAFile = SampleBoardIni();
    underAFile.Rename(dir.filePath("plain/sub.inf"), false);
    EXPECT_FALSE(underAFile.UpdateFile());
}

TEST(IniFile, FailedWriteIsReportedAndLeavesTheOldFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("RBX.inf");
    const QByteArray old("[Main]\r\nGroup=3\r\n\r\n");
    WriteAll(path, old);

    IniFile big;
    big.Rename(path, false);
    for (int i = 0; i < 2000; ++i) {
        big.WriteString("Main", QString("Key%1").arg(i), QString(40, QChar('v')));
    }
    // A file-size limit makes the write fail as a full disk would, also for a privileged user.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = big.UpdateFile();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"RBX.inf"});
}

TEST(IniFile, ASmallFileOnAFullDiskIsReportedAndTheOldFileKept)
{
    FullFileSystem disk;
    RBX_SKIP_UNLESS_MOUNTED(disk);
    const QByteArray old("[Main]\r\nGroup=3\r\n\r\n");
    ASSERT_TRUE(disk.Put("RBX.inf", old));
    ASSERT_TRUE(disk.Fill());

    // Well under any write buffer, so only a checked flush and sync can see the failure.
    IniFile ini;
    ini.Rename(disk.FilePath("RBX.inf"), false);
    ini.WriteString("Main", "Group", QString(1500, QChar('x')));
    EXPECT_FALSE(ini.UpdateFile());
    QString reason;
    EXPECT_FALSE(ReplaceFile(disk.FilePath("RBX.inf"), QByteArray(1500, 'x'), &reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_EQ(ReadAll(disk.FilePath("RBX.inf")), old);
    EXPECT_EQ(QDir(disk.Folder()).entryList(QDir::Files, QDir::Name), QStringList({"RBX.inf", "filler"}));
}

TEST(IniFile, MissingFileGivesAnEmptyObjectThatCanBeWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new.set");
    IniFile ini(path);
    EXPECT_TRUE(ini.ReadSections().isEmpty());
    ini.WriteString("Main", "A", "1");
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadAll(path), QByteArray("[Main]\r\nA=1\r\n\r\n"));
}
