#include "board/WinVer.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSysInfo>

TEST(WinVer, WindowsReleaseNamesFollowPlatformAndVersion)
{
    EXPECT_EQ(WindowsNameOf(0, 3, 10), "3.1 ");
    EXPECT_EQ(WindowsNameOf(1, 4, 0), "95 ");
    EXPECT_EQ(WindowsNameOf(1, 4, 10), "98 ");
    EXPECT_EQ(WindowsNameOf(1, 4, 90), "ME ");
    EXPECT_EQ(WindowsNameOf(2, 3, 51), "NT ");
    EXPECT_EQ(WindowsNameOf(2, 4, 0), "NT ");
    EXPECT_EQ(WindowsNameOf(2, 5, 0), "2000 ");
    EXPECT_EQ(WindowsNameOf(2, 5, 1), "XP ");
    EXPECT_EQ(WindowsNameOf(2, 5, 2), ".NET Server ");
    EXPECT_EQ(WindowsNameOf(2, 6, 0), "Vista ");
    EXPECT_EQ(WindowsNameOf(2, 6, 1), "7 ");
    EXPECT_EQ(WindowsNameOf(2, 6, 2), "8 ");
    EXPECT_EQ(WindowsNameOf(2, 6, 3), "8.1 ");
    EXPECT_EQ(WindowsNameOf(2, 10, 0), "");
    EXPECT_EQ(WindowsNameOf(1, 4, 20), "");
    EXPECT_EQ(WindowsNameOf(3, 5, 1), "");
}

TEST(WinVer, WindowsKernelGivesTheMicrosoftLine)
{
    WinVersion version;
    EXPECT_EQ(WinVerText("winnt", "5.1.2600", "Windows XP", version),
              "Microsoft Windows XP Version 5.1 Build 2600");
    EXPECT_EQ(version.WinPlatform, 2);
    EXPECT_EQ(version.WinMajorVersion, 5);
    EXPECT_EQ(version.WinMinorVersion, 1);
    EXPECT_EQ(version.WinBuildNumber, 2600);
    EXPECT_EQ(WinVerText("winnt", "10.0.19045", "Windows 10", version),
              "Microsoft Windows Version 10.0 Build 19045");
}

TEST(WinVer, LinuxKernelGivesTheProductNameWithTheKernelNumbers)
{
    WinVersion version;
    EXPECT_EQ(WinVerText("linux", "6.1.0-18-amd64", "Debian GNU/Linux 12 (bookworm)", version),
              "Debian GNU/Linux 12 (bookworm) Version 6.1 Build 0");
    EXPECT_EQ(version.WinPlatform, WinPlatformOther);
    EXPECT_EQ(version.WinMajorVersion, 6);
    EXPECT_EQ(version.WinMinorVersion, 1);
    EXPECT_EQ(version.WinBuildNumber, 0);

    EXPECT_EQ(WinVerText("linux", "5.15.133.1-microsoft", "", version), "linux Version 5.15 Build 133");
    EXPECT_EQ(WinVerText("", "garbled", "", version), "Unknown system Version 0.0 Build 0");
    EXPECT_EQ(version.WinMajorVersion, 0);
}

TEST(WinVer, RunningSystemTextHasTheVersionAndBuildShape)
{
    WinVersion version;
    const QString text = GetWinVer(version);
    const QRegularExpressionMatch match =
        QRegularExpression(R"(^.+ Version (\d+)\.(\d+) Build (\d+)$)").match(text);
    ASSERT_TRUE(match.hasMatch()) << text.toStdString();
    EXPECT_EQ(match.captured(1).toInt(), version.WinMajorVersion);
    EXPECT_EQ(match.captured(2).toInt(), version.WinMinorVersion);
    EXPECT_EQ(match.captured(3).toInt(), version.WinBuildNumber);
    EXPECT_TRUE(QSysInfo::kernelVersion().startsWith(QString::number(version.WinMajorVersion) + "."));
}
