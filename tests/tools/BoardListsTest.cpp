// The list rows and orders without windows: hot-key texts, the fifteen-character sort key, and
// stable sorting by character code.
#include "tools/BoardLists.h"
#include "board/Board.h"
#include "tools/BoardSearch.h"

#include <gtest/gtest.h>

TEST(BoardListsTest, HotKeyTextsNameTheModifierAndUpToThreeKeyCharacters)
{
    EXPECT_EQ(ListHotKeyText(QStringLiteral("0F5")), QStringLiteral("F5"));
    EXPECT_EQ(ListHotKeyText(QStringLiteral("1A")), QStringLiteral("Alt + A"));
    EXPECT_EQ(ListHotKeyText(QStringLiteral("2F12")), QStringLiteral("Ctrl + F12"));
    EXPECT_EQ(ListHotKeyText(QStringLiteral("39")), QStringLiteral("Ctrl + Alt + 9"));
    EXPECT_EQ(ListHotKeyText(QString()), QString());
}

TEST(BoardListsTest, SortKeyIsFifteenCharactersWithOnlyAsciiLettersFolded)
{
    EXPECT_EQ(ListSortKey(QStringLiteral("ab"), true), QStringLiteral("AB") + QString(13, QLatin1Char(' ')));
    EXPECT_EQ(ListSortKey(QStringLiteral("abcdefghijklmnopq"), false), QStringLiteral("abcdefghijklmno"));
    EXPECT_EQ(ListSortKey(QStringLiteral("\u00e9t\u00e9"), true).left(3), QStringLiteral("\u00e9T\u00e9"));
}

TEST(BoardListsTest, ShortKeysSortBeforeLongerOnesAndTiesKeepTheirOrder)
{
    std::vector<ListRow> rows(5);
    const QStringList captions{"Goal horn", "goal", "Goal", "Go", "GOAL"};
    for (int i = 0; i < 5; ++i) {
        rows[static_cast<std::size_t>(i)].caption = captions[i];
        rows[static_cast<std::size_t>(i)].button = i + 1;
    }
    SortListRows(
        rows, [](const ListRow& r) -> const QString& { return r.caption; }, true);
    QStringList order;
    for (const ListRow& r : rows) {
        order << r.caption;
    }
    EXPECT_EQ(order, (QStringList{"Go", "goal", "Goal", "GOAL", "Goal horn"}));
}

TEST(BoardListsTest, FindLooksAtNoCueEntryAndNoEmptyText)
{
    Board board;
    board.ButtonCaption[CueGroup][CuePage][1] = QStringLiteral("Horn");
    board.ButtonCaption[10][18][48] = QStringLiteral("Horn");
    const auto matches = FindMatches(board, QStringLiteral("horn"), FindButtons, false);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0], (BoardAddress{10, 18, 48}));
    EXPECT_TRUE(FindMatches(board, QString(), FindButtonsAndNotes, false).empty());
}
