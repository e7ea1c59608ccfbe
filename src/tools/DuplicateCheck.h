#pragma once
// The duplicate check: sound buttons that play the same file, grouped, with a separator row of
// nine blanks between groups.
#include "tools/BoardLists.h"

#include <QStringList>

#include <vector>

struct DuplicateList
{
    // The grid rows: count, hot key, group letter, page, caption, path, group, page, button.
    std::vector<QStringList> gridRows;
    // Rows marked as duplicates (separator rows not counted).
    int duplicates = 0;
};

// Sorts the rows stably by path and keeps those whose trimmed, non-empty path occurs more than
// once. Paths compare as their file system does: exactly, but a path written on Windows in any
// letter case. Marking and grouping use the same comparison, so one group holds one file.
DuplicateList BuildDuplicateList(std::vector<ListRow> rows);

// A separator row: nine single blanks.
QStringList DuplicateSeparatorRow();
