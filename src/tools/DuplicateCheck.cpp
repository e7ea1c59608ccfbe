#include "tools/DuplicateCheck.h"

#include <algorithm>
#include <numeric>

namespace {

// A path written on Windows (a drive letter or a network share) names a file of a file system
// that ignores letter case; here "x.wav" and "X.wav" are two files.
bool IsWindowsPath(const QString& path)
{
    const bool drive =
        path.size() >= 3 && path[0].isLetter() && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/');
    return drive || path.startsWith(QStringLiteral("\\\\"));
}

// Two rows play the same file when their keys are equal.
QString PathKey(const ListRow& row)
{
    const QString path = row.filePath.trimmed();
    return IsWindowsPath(path) ? path.toUpper() : path;
}

} // namespace

QStringList DuplicateSeparatorRow()
{
    return QStringList(9, QStringLiteral(" "));
}

DuplicateList BuildDuplicateList(std::vector<ListRow> rows)
{
    std::vector<QString> keys;
    keys.reserve(rows.size());
    for (const ListRow& row : rows) {
        keys.push_back(PathKey(row));
    }
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });

    std::vector<bool> marked(order.size(), false);
    for (std::size_t n = 1; n < order.size(); ++n) {
        const QString& key = keys[order[n]];
        if (!key.isEmpty() && key == keys[order[n - 1]]) {
            marked[n - 1] = true;
            marked[n] = true;
        }
    }

    DuplicateList list;
    const QString* previousKey = nullptr;
    for (std::size_t n = 0; n < order.size(); ++n) {
        if (!marked[n]) {
            continue;
        }
        const QString& key = keys[order[n]];
        if (previousKey != nullptr && *previousKey != key) {
            list.gridRows.push_back(DuplicateSeparatorRow());
        }
        previousKey = &key;
        const ListRow& row = rows[order[n]];
        ++list.duplicates;
        list.gridRows.push_back({QStringLiteral("#") + QString::number(list.duplicates), row.hotKey,
                                 row.groupLetter, row.pageName, row.caption, row.filePath,
                                 QString::number(row.group), QString::number(row.page),
                                 QString::number(row.button)});
    }
    return list;
}
