#include "board/Board.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TSoundButtonCell SampleCell(const QString& tag)
{
    TSoundButtonCell c;
    c.ButtonCaption = "Caption " + tag;
    c.ButtonFile = "/" + tag + ".wav";
    c.ButtonState = bstHighlighted;
    c.ButtonTime = "00:12";
    c.ButtonHotKey = "1F2";
    c.ButtonHotKeyInfo = "Alt + F2";
    c.ButtonNote = "Note " + tag;
    c.ButtonVolume = "70";
    c.ButtonLoop = "L";
    c.ButtonCustomCue = "Y";
    c.ButtonCueStart = 10;
    c.ButtonCueEnd = 20;
    c.ButtonCustomColor = 0x00112233;
    return c;
}

} // namespace

TEST(BoardTest, AFreshBoardHoldsTheEmptyValuesOfALoadedFile)
{
    const auto board = std::make_unique<Board>();
    EXPECT_EQ(board->GroupLetters[1] + board->GroupLetters[4] + board->GroupLetters[10], "ADJ");
    EXPECT_EQ(board->PageName[10][19], " ");
    EXPECT_EQ(board->PageShuffle[1][1], "F");
    TSoundButtonCell expected;
    expected.ButtonCaption = expected.ButtonFile = expected.ButtonTime = " ";
    expected.ButtonHotKey = expected.ButtonHotKeyInfo = expected.ButtonNote = " ";
    expected.ButtonCustomCue = "N";
    EXPECT_EQ(board->Cell(10, 19, 48), expected);
}

TEST(BoardTest, SwappingMovesAllThirteenTablesTogether)
{
    Board board;
    const TSoundButtonCell a = SampleCell("a");
    TSoundButtonCell b = SampleCell("b");
    b.ButtonState = bstPlaceMarker;
    b.ButtonLoop = "";
    b.ButtonCueEnd = 0;
    board.SetCell(1, 1, 1, a);
    board.SetCell(4, 19, 48, b);
    board.SwapCells(1, 1, 1, 4, 19, 48);
    EXPECT_EQ(board.Cell(1, 1, 1), b);
    EXPECT_EQ(board.Cell(4, 19, 48), a);
    EXPECT_EQ(board.ButtonNote[4][19][48], "Note a");
    EXPECT_EQ(board.ButtonCustomColor[1][1][1], 0x00112233);
}

TEST(BoardTest, BlankMeansNothingButBlanksAndControlCharacters)
{
    EXPECT_TRUE(Board::IsBlank(""));
    EXPECT_TRUE(Board::IsBlank("   "));
    EXPECT_TRUE(Board::IsBlank(" \r\n\t "));
    EXPECT_FALSE(Board::IsBlank(" a "));
    EXPECT_FALSE(Board::IsBlank("."));
    EXPECT_TRUE(Board::IsValidAddress(10, 19, 48));
    EXPECT_FALSE(Board::IsValidAddress(0, 1, 1));
    EXPECT_FALSE(Board::IsValidAddress(1, 20, 1));
    EXPECT_FALSE(Board::IsValidAddress(1, 1, 49));
}
