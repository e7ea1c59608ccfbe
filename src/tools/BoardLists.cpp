#include "tools/BoardLists.h"

#include "board/Board.h"

#include <algorithm>
#include <numeric>

namespace {

ListRow RowOf(const Board& board, int g, int p, int b)
{
    ListRow row;
    row.hotKey = ListHotKeyText(board.ButtonHotKey[g][p][b]);
    row.groupLetter = board.GroupLetters[static_cast<std::size_t>(g)];
    row.pageName = board.PageName[g][p];
    row.caption = board.ButtonCaption[g][p][b];
    row.filePath = board.ButtonFile[g][p][b];
    row.group = g;
    row.page = p;
    row.button = b;
    return row;
}

template <typename Pick> std::vector<ListRow> Collect(const Board& board, Pick pick)
{
    std::vector<ListRow> rows;
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            for (int b = 1; b <= ButtonCount; ++b) {
                if (pick(g, p, b)) {
                    rows.push_back(RowOf(board, g, p, b));
                }
            }
        }
    }
    return rows;
}

} // namespace

QString ListHotKeyText(const QString& code)
{
    static const QString prefixes[] = {QString(), QStringLiteral("Alt + "), QStringLiteral("Ctrl + "),
                                       QStringLiteral("Ctrl + Alt + ")};
    if (code.isEmpty()) {
        return {};
    }
    const int digit = code.at(0).digitValue();
    const QString prefix = digit >= 0 && digit <= 3 ? prefixes[digit] : QString();
    return prefix + code.mid(1, 3);
}

std::vector<ListRow> CollectHotKeyRows(const Board& board)
{
    std::vector<ListRow> rows;
    rows.push_back({QStringLiteral("P"), {}, {}, QStringLiteral("<Pause> Button"), {}, 0, 0, 0});
    rows.push_back({QStringLiteral("Space Bar"), {}, {}, QStringLiteral("<Stop> Button"), {}, 0, 0, 0});
    std::vector<ListRow> keyed = Collect(
        board, [&board](int g, int p, int b) { return !board.ButtonHotKey[g][p][b].trimmed().isEmpty(); });
    rows.insert(rows.end(), std::make_move_iterator(keyed.begin()), std::make_move_iterator(keyed.end()));
    return rows;
}

std::vector<ListRow> CollectSoundButtonRows(const Board& board)
{
    return Collect(board, [&board](int g, int p, int b) {
        return !Board::IsBlank(board.ButtonCaption[g][p][b]) && !Board::IsBlank(board.PageName[g][p]);
    });
}

std::vector<ListRow> CollectMissingFileRows(Board& board,
                                            const std::function<bool(const QString&)>& fileExists)
{
    return Collect(board, [&board, &fileExists](int g, int p, int b) {
        if (Board::IsBlank(board.ButtonCaption[g][p][b]) || Board::IsBlank(board.PageName[g][p]) ||
            board.ButtonState[g][p][b] == bstPlaceMarker) {
            return false;
        }
        int& state = board.ButtonState[g][p][b];
        if (state == bstFileMissing) {
            state = bstNeutral;
        }
        if (fileExists(board.ButtonFile[g][p][b])) {
            return false;
        }
        state = bstFileMissing;
        return true;
    });
}

std::vector<ListRow> CollectCustomCuedRows(const Board& board)
{
    return Collect(board, [&board](int g, int p, int b) {
        return board.ButtonCustomCue[g][p][b] == QLatin1String("Y");
    });
}

QString ListSortKey(const QString& key, bool upperCase)
{
    QString text = key.left(15).leftJustified(15, QLatin1Char(' '));
    if (upperCase) {
        for (QChar& c : text) {
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
                c = QChar(c.unicode() - 'a' + 'A');
            }
        }
    }
    return text;
}

void SortListRows(std::vector<ListRow>& rows, const std::function<const QString&(const ListRow&)>& key,
                  bool upperCase)
{
    std::vector<QString> keys;
    keys.reserve(rows.size());
    for (const ListRow& row : rows) {
        keys.push_back(ListSortKey(key(row), upperCase));
    }
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // QString's operator< compares UTF-16 code units: character codes, never the locale's order.
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<ListRow> sorted;
    sorted.reserve(rows.size());
    for (std::size_t i : order) {
        sorted.push_back(std::move(rows[i]));
    }
    rows = std::move(sorted);
}

std::vector<ListRow> SortedByCaption(std::vector<ListRow> rows)
{
    SortListRows(
        rows, [](const ListRow& r) -> const QString& { return r.caption; }, true);
    return rows;
}

std::vector<ListRow> SortedByHotKey(std::vector<ListRow> rows)
{
    SortListRows(
        rows, [](const ListRow& r) -> const QString& { return r.hotKey; }, false);
    return rows;
}
