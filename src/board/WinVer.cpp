#include "board/WinVer.h"

#include <QRegularExpression>
#include <QSysInfo>

QString WindowsNameOf(int platform, int major, int minor)
{
    if (platform == 0)
        return QStringLiteral("3.1 ");
    if (platform == 1 && major == 4) {
        switch (minor) {
        case 0:
            return QStringLiteral("95 ");
        case 10:
            return QStringLiteral("98 ");
        case 90:
            return QStringLiteral("ME ");
        default:
            return {};
        }
    }
    if (platform != WinPlatformNT)
        return {};
    if (major <= 4)
        return QStringLiteral("NT ");
    if (major == 5) {
        switch (minor) {
        case 0:
            return QStringLiteral("2000 ");
        case 1:
            return QStringLiteral("XP ");
        case 2:
            return QStringLiteral(".NET Server ");
        default:
            return {};
        }
    }
    if (major == 6) {
        switch (minor) {
        case 0:
            return QStringLiteral("Vista ");
        case 1:
            return QStringLiteral("7 ");
        case 2:
            return QStringLiteral("8 ");
        case 3:
            return QStringLiteral("8.1 ");
        default:
            return {};
        }
    }
    return {};
}

QString WinVerText(const QString& kernelType, const QString& kernelVersion, const QString& productName,
                   WinVersion& version)
{
    // "10.0.19045", "6.1.0-18-amd64": the leading numbers are major, minor and build.
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch match = numbers.match(kernelVersion);
    version.WinMajorVersion = match.captured(1).toInt();
    version.WinMinorVersion = match.captured(2).toInt();
    version.WinBuildNumber = match.captured(3).toInt();

    const QString numbersText = QStringLiteral("Version ") + QString::number(version.WinMajorVersion) +
                                QLatin1Char('.') + QString::number(version.WinMinorVersion) +
                                QStringLiteral(" Build ") + QString::number(version.WinBuildNumber);

    if (kernelType == QLatin1String("winnt")) {
        version.WinPlatform = WinPlatformNT;
        return QStringLiteral("Microsoft Windows ") +
               WindowsNameOf(version.WinPlatform, version.WinMajorVersion, version.WinMinorVersion) +
               numbersText;
    }
    version.WinPlatform = WinPlatformOther;
    QString name = productName.trimmed();
    if (name.isEmpty())
        name = kernelType.isEmpty() ? QStringLiteral("Unknown system") : kernelType;
    return name + QLatin1Char(' ') + numbersText;
}

QString GetWinVer(WinVersion& version)
{
    return WinVerText(QSysInfo::kernelType(), QSysInfo::kernelVersion(), QSysInfo::prettyProductName(),
                      version);
}
