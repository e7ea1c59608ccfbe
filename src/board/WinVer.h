#pragma once

#include <QString>

// The running system's version numbers, kept at start for the trace and for the routines that
// adapt to the system (`WinPlatform`, `WinMajorVersion`, `WinMinorVersion`, `WinBuildNumber`).
struct WinVersion
{
    int WinPlatform = 0;
    int WinMajorVersion = 0;
    int WinMinorVersion = 0;
    int WinBuildNumber = 0;
};

// Platform identifiers: 0 Win32s, 1 Windows 95/98/ME, 2 NT line; any other system reports
// WinPlatformOther with its kernel's version numbers.
inline constexpr int WinPlatformNT = 2;
inline constexpr int WinPlatformOther = 100;

// The Windows release name for a platform and version, ending in one blank ("XP ", "8.1 "), or
// empty for any combination outside the known releases.
QString WindowsNameOf(int platform, int major, int minor);

// The system text from the values QSysInfo reports: on Windows "Microsoft Windows " + name +
// "Version M.m Build B"; elsewhere the product name, " Version M.m Build B" with the kernel's
// numbers ("Debian GNU/Linux 12 (bookworm) Version 6.1 Build 0"). Fills version.
QString WinVerText(const QString& kernelType, const QString& kernelVersion, const QString& productName,
                   WinVersion& version);

// The text and numbers of the running system.
QString GetWinVer(WinVersion& version);
