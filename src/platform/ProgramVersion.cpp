#include "platform/ProgramVersion.h"

#ifndef RBX_VERSION_MAJOR
#error "the build defines RBX_VERSION_MAJOR, RBX_VERSION_MINOR and RBX_VERSION_PATCH"
#endif

namespace {

QString MajorMinor()
{
    return QString::number(RBX_VERSION_MAJOR) + QLatin1Char('.') + QString::number(RBX_VERSION_MINOR);
}

// The release number is written with two digits, as the version texts have always shown it.
QString Release()
{
    return QStringLiteral("%1").arg(RBX_VERSION_PATCH, 2, 10, QLatin1Char('0'));
}

} // namespace

namespace ProgramVersion {

QString VersionText()
{
    return QStringLiteral("Rallybox - Version ") + MajorMinor() + QLatin1Char('.') + Release();
}

QString BuildText()
{
    return QStringLiteral("Build ") + Release();
}

QString AboutText()
{
    return QStringLiteral("Version ") + MajorMinor() + QStringLiteral(" Build  ") + Release();
}

} // namespace ProgramVersion
