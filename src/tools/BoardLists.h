#pragma once
// The rows of the list windows, collected from the board, and their sorted orders. No list has a
// fixed row limit: a board with thousands of custom-cued buttons lists them all.
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class Board;

// One collected row: the texts the grids show and the board address (0 for the fixed rows).
struct ListRow
{
    QString hotKey;
    QString groupLetter;
    QString pageName;
    QString caption;
    QString filePath;
    int group = 0;
    int page = 0;
    int button = 0;
};

// A hot key as the lists show it: "", "Alt + ", "Ctrl + " or "Ctrl + Alt + " for the modifier
// digit, then characters 2 to 4 of the code.
QString ListHotKeyText(const QString& code);

// The two fixed rows ("P" for the Pause button, "Space Bar" for Stop), then every cell with a hot
// key.
std::vector<ListRow> CollectHotKeyRows(const Board& board);
// Every cell with a caption on a page with a name.
std::vector<ListRow> CollectSoundButtonRows(const Board& board);
// The examined cells (caption on a named page, not a place marker): a file-missing state goes back
// to 6 first, and a cell whose file is not there is set to 8 and listed. The existence check is
// given so tests and benchmarks can name what exists.
std::vector<ListRow> CollectMissingFileRows(Board& board,
                                            const std::function<bool(const QString&)>& fileExists);
// Every cell whose custom-cue flag is "Y".
std::vector<ListRow> CollectCustomCuedRows(const Board& board);

// The sort key of the list orders: the first 15 characters of the key after blanks are appended,
// with a..z folded to A..Z when upperCase.
QString ListSortKey(const QString& key, bool upperCase);
// Sorts by ListSortKey, comparing character codes; equal keys keep their order.
void SortListRows(std::vector<ListRow>& rows, const std::function<const QString&(const ListRow&)>& key,
                  bool upperCase);
// The alphabetical order of the lists (captions upper-cased) and the hot-key order (case-sensitive).
std::vector<ListRow> SortedByCaption(std::vector<ListRow> rows);
std::vector<ListRow> SortedByHotKey(std::vector<ListRow> rows);
