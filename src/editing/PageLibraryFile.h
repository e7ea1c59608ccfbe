#pragma once
// One page of the board as a page library file (".lib"): section "Main" with the creator, section
// "Page" with the page keys and the set file's 13 keys per button. Reading goes into a page of its
// own, so a damaged file never leaves a board page half imported.
#include "board/Board.h"

#include <QString>

#include <array>

class IniFile;

struct PageLibraryPage
{
    QString PageName = QStringLiteral(" ");
    QString PagePlay = QStringLiteral("F");
    QString PageShuffle = QStringLiteral("F");
    TColor PageColor = clBtnFace;
    std::array<TSoundButtonCell, ButtonCount + 1> Cells{};
};

// Empties the object and writes the page (group, page) into it. The page keys and buttons are
// written only for a named page or the cue; false (only "Main" written) otherwise.
bool WritePageLibrary(const Board& board, int group, int page, IniFile& ini);

// Reads the "Page" section. False when the file holds no "Page" section or a value does not
// convert; badKey then names the key ("" for a missing section) and out is not to be used.
bool ReadPageLibrary(const IniFile& ini, PageLibraryPage& out, QString& badKey);

// Puts an imported page into (group, page): names, flags and colour (RapidFire keeps its value)
// and the 48 cells.
void CommitPageLibrary(Board& board, int group, int page, const PageLibraryPage& imported);

// The page name as a file name: every character a file name cannot hold becomes "-"; of the text
// after a replaced character at most 100 characters remain. replaced tells whether any was.
QString PageLibraryFileName(const QString& pageName, bool& replaced);
