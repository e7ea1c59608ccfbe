#pragma once

#include "platform/ProgramVersion.h"

#include <QString>

class Board;
class Dialogs;
class Tracer;
struct Selection;
struct Settings;

// The version texts taken at start (`VersionText`, `BuildText`, `WindowsVersionText`).
struct VersionTexts
{
    QString VersionText = ProgramVersion::VersionText();
    QString BuildText = ProgramVersion::BuildText();
    QString WindowsVersionText;
};

// Writes the settings profile to the trace, once per run: only while the trace is on and
// profileWritten (`ProfileWritten`) is still false, which it then sets.
// Setup's copy (fromSetup) heads the profile "Profile B" and ends its error box with
// "\rNotify Program Author".
void RecordUserProfile(Tracer& tracer, const Settings& settings, const Board& board,
                       const Selection& selection, const VersionTexts& versions, bool& profileWritten,
                       Dialogs& dialogs, bool fromSetup = false);
