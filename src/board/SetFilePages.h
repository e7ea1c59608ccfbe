#pragma once
// The pages of a parsed set file read into a board's page and button tables. It needs none of the
// program's other objects, so the set file named at start is read into a board of its own on the
// prefetch thread (SetFilePrefetch) while the windows are built, and the load takes the tables.
#include <QString>

#include <vector>

class Board;
class IniFile;

// A value that did not convert: its key took the default, and the load traces it.
struct BadSetValue
{
    QString section;
    QString key;
    QString value;
};

// Reads every page of `ini` into `board` (names, flags, colours and buttons; nothing else of the
// board changes). Values that do not convert are noted in `badValues` in reading order.
void ReadSetFilePages(const IniFile& ini, Board& board, std::vector<BadSetValue>& badValues);
// The same for the pages of groups firstGroup..lastGroup alone. Reads of different groups into one
// board may run on threads of their own at once (the file is only read).
void ReadSetFileGroups(const IniFile& ini, Board& board, std::vector<BadSetValue>& badValues, int firstGroup,
                       int lastGroup);
