#pragma once
// The program's version texts, made from the one version the build gives (the project version
// in CMakeLists.txt): major.minor and the release number, which is also the build number.
#include <QString>

namespace ProgramVersion {
// "Rallybox - Version 7.0.03": the main window's caption and the trace's profile.
QString VersionText();
// "Build 03".
QString BuildText();
// "Version 7.0 Build  03": the about box.
QString AboutText();
} // namespace ProgramVersion
