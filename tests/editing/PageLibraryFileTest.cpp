// The page library file: what is written, what comes back, and that a damaged file changes nothing.
#include "editing/PageLibraryFile.h"
#include "board/Board.h"
#include "board/SetFileText.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

namespace {

// Every field of every button of page (1, 2) set, with the cases the library encodes specially.
void FillFullPage(Board& board)
{
    board.PageName[1][2] = QStringLiteral("Hockey & Co");
    board.PagePlay[1][2] = QStringLiteral("T");
    board.PageShuffle[1][2] = QStringLiteral("T");
    board.RapidFire[1][2] = QStringLiteral("T");
    board.PageColor[1][2] = 0x00123456;
    for (int b = 1; b <= ButtonCount; ++b) {
        TSoundButtonCell c;
        c.ButtonCaption = QStringLiteral("Song %1\r\nR&B").arg(b);
        c.ButtonFile = QStringLiteral("/music/song%1.mp3").arg(b);
        c.ButtonTime = QStringLiteral("01:%1").arg(b, 2, 10, QLatin1Char('0'));
        c.ButtonHotKey = QStringLiteral("2A");
        c.ButtonHotKeyInfo = QStringLiteral("Ctrl + A");
        c.ButtonNote = QStringLiteral("note %1").arg(b);
        c.ButtonVolume = QStringLiteral("%1").arg(b);
        c.ButtonLoop = QStringLiteral("L");
        c.ButtonCustomCue = QStringLiteral("Y");
        c.ButtonCueStart = 1000 * b;
        c.ButtonCueEnd = 100000 + b;
        c.ButtonCustomColor = (b % 2 == 0) ? 0 : 0x00ABCDEF;
        c.ButtonState = bstUnplayed;
        board.SetCell(1, 2, b, c);
    }
    board.ButtonState[1][2][1] = bstPlayed;
    board.ButtonState[1][2][2] = bstLocked;
    board.ButtonState[1][2][3] = bstCued;
    board.ButtonState[1][2][4] = bstHighlightedPlayed;
    board.ButtonState[1][2][5] = bstHighlighted;
    board.ButtonState[1][2][6] = bstPlaceMarker;
}

PageLibraryPage ReadBack(const QByteArray& bytes)
{
    IniFile ini;
    ini.LoadFromBytes(bytes);
    PageLibraryPage page;
    QString bad;
    EXPECT_TRUE(ReadPageLibrary(ini, page, bad));
    EXPECT_TRUE(bad.isEmpty());
    return page;
}

} // namespace

TEST(PageLibraryFile, AFullPageComesBackWithEveryFieldAndStatesMapped)
{
    Board board;
    FillFullPage(board);
    IniFile ini;
    ASSERT_TRUE(WritePageLibrary(board, 1, 2, ini));
    const QByteArray bytes = ini.ToBytes();
    EXPECT_TRUE(bytes.startsWith("[Main]\r\nCreatedBy=Rallybox Page Library\r\n"));
    EXPECT_FALSE(bytes.contains("RapidFire"));
    EXPECT_TRUE(bytes.contains("c1=Song 1%%R&B\r\n"));
    // The colour is written for every button, "clBlack" where there is none.
    EXPECT_EQ(ini.ReadString(QStringLiteral("Page"), QStringLiteral("co2"), QString()),
              QStringLiteral("clBlack"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Page"), QStringLiteral("co1"), QString()),
              QStringLiteral("$00ABCDEF"));

    Board target;
    target.RapidFire[3][5] = QStringLiteral("T");
    CommitPageLibrary(target, 3, 5, ReadBack(bytes));
    EXPECT_EQ(target.PageName[3][5], QStringLiteral("Hockey & Co"));
    EXPECT_EQ(target.PagePlay[3][5], QStringLiteral("T"));
    EXPECT_EQ(target.PageShuffle[3][5], QStringLiteral("T"));
    EXPECT_EQ(target.PageColor[3][5], 0x00123456);
    EXPECT_EQ(target.RapidFire[3][5], QStringLiteral("T"));
    for (int b = 1; b <= ButtonCount; ++b) {
        TSoundButtonCell expected = board.Cell(1, 2, b);
        switch (expected.ButtonState) {
        case bstPlayed:
        case bstCued:
        case bstHighlightedPlayed:
            expected.ButtonState = bstNeutral;
            break;
        default:
            break;
        }
        EXPECT_EQ(target.Cell(3, 5, b), expected) << "button " << b;
    }
    // The "&" of a caption stays, unlike a set file's caption.
    EXPECT_EQ(target.ButtonCaption[3][5][7], QStringLiteral("Song 7\r\nR&B"));
}

TEST(PageLibraryFile, TheUnnamedCueIsWrittenButAnUnnamedPageIsNot)
{
    Board board;
    IniFile cue;
    EXPECT_TRUE(WritePageLibrary(board, CueGroup, CuePage, cue));
    EXPECT_EQ(cue.ReadString(QStringLiteral("Page"), QStringLiteral("PageName"), QStringLiteral("?")),
              QStringLiteral(" "));
    IniFile blank;
    EXPECT_FALSE(WritePageLibrary(board, 2, 3, blank));
    EXPECT_EQ(blank.ReadSections(), QStringList{QStringLiteral("Main")});
}

TEST(PageLibraryFile, MissingKeysTakeTheLibraryDefaults)
{
    IniFile ini;
    ini.LoadFromBytes("[Page]\r\nc5=Only\r\n");
    PageLibraryPage page;
    QString bad;
    ASSERT_TRUE(ReadPageLibrary(ini, page, bad));
    EXPECT_EQ(page.PageName, QStringLiteral(" "));
    EXPECT_EQ(page.PagePlay, QStringLiteral("F"));
    EXPECT_EQ(page.PageColor, clBtnFace);
    const TSoundButtonCell& five = page.Cells[5];
    EXPECT_EQ(five.ButtonCaption, QStringLiteral("Only"));
    EXPECT_EQ(five.ButtonFile, QStringLiteral(" "));
    EXPECT_EQ(five.ButtonCustomCue, QStringLiteral("N"));
    EXPECT_EQ(five.ButtonState, bstUnplayed);
    EXPECT_EQ(five.ButtonVolume, QString());
    EXPECT_EQ(five.ButtonCustomColor, 0);
}

TEST(PageLibraryFile, AValueThatDoesNotConvertRefusesTheWholePage)
{
    for (const char* damage : {"activity30=abc", "cs12=12x", "co40=clNoSuchColour", "PageColor=purplish"}) {
        IniFile ini;
        ini.LoadFromBytes(QByteArray("[Page]\r\nPageName=Damaged\r\nc1=First\r\n") + damage + "\r\n");
        PageLibraryPage page;
        page.PageName = QStringLiteral("untouched");
        QString bad;
        EXPECT_FALSE(ReadPageLibrary(ini, page, bad)) << damage;
        EXPECT_EQ(bad, QString::fromLatin1(damage).section(u'=', 0, 0));
        EXPECT_EQ(page.PageName, QStringLiteral("untouched"));
    }
    IniFile noPage;
    noPage.LoadFromBytes("[Main]\r\nCreatedBy=Rallybox Page Library\r\n");
    PageLibraryPage page;
    QString bad = QStringLiteral("x");
    EXPECT_FALSE(ReadPageLibrary(noPage, page, bad));
    EXPECT_TRUE(bad.isEmpty());
}

TEST(PageLibraryFile, FileNamesLoseTheCharactersAFileNameCannotHold)
{
    bool replaced = true;
    EXPECT_EQ(PageLibraryFileName(QStringLiteral("Warm Up"), replaced), QStringLiteral("Warm Up"));
    EXPECT_FALSE(replaced);
    EXPECT_EQ(PageLibraryFileName(QStringLiteral("AC/DC"), replaced), QStringLiteral("AC-DC"));
    EXPECT_TRUE(replaced);
    EXPECT_EQ(PageLibraryFileName(QStringLiteral("a\\b?c:d*e\"f>g<h|i"), replaced),
              QStringLiteral("a-b-c-d-e-f-g-h-i"));
    // Only 100 characters survive after a replaced one.
    const QString longName = QStringLiteral("x/") + QString(150, u'y');
    EXPECT_EQ(PageLibraryFileName(longName, replaced), QStringLiteral("x-") + QString(100, u'y'));
}
