// Alphabetize Page and Compress Page on the real main window: the order, every field travelling
// with its button, the cue's origins, and the refusal while a sound of the page plays.
#include "ArrangeFixture.h"

#include "editing/BoardEditing.h"
#include "editing/PageTools.h"

namespace {

QStringList FortyEight(std::initializer_list<std::pair<int, QString>> captions)
{
    QStringList list;
    for (int i = 0; i < ButtonCount; ++i) {
        list.append(QStringLiteral(" "));
    }
    for (const auto& [slot, caption] : captions) {
        list[slot - 1] = caption;
    }
    return list;
}

class PageToolsTest : public ArrangeFixture
{
};

} // namespace

TEST(AlphabetizeOrderTest, EqualKeysKeepTheirSlotOrderAndNoCaptionIsLost)
{
    const QStringList captions = FortyEight({{2, QStringLiteral("_intro")},
                                             {3, QStringLiteral("beta")},
                                             {5, QStringLiteral("\u00C9clair")},
                                             {7, QStringLiteral("Alpha")},
                                             {9, QStringLiteral("  alpha")},
                                             {11, QStringLiteral("zz")},
                                             {12, QString(49, u'Z')}});
    const std::vector<int> order = AlphabetizeOrder(captions);
    EXPECT_EQ(order, (std::vector<int>{7, 9, 3, 11, 12, 2, 5}));
    EXPECT_EQ(AlphabetizeKey(QStringLiteral("  mIxEd \u00e9 ")), QStringLiteral("MIXED \u00e9"));
    EXPECT_EQ(CompressOrder(captions), (std::vector<int>{2, 3, 5, 7, 9, 11, 12}));
}

TEST_F(PageToolsTest, AlphabetizeSortsTheShownPageAndKeepsCaptionsUntrimmed)
{
    StartArrange();
    settings.Tracer = true;
    Fill(1, 1, 2, QStringLiteral("_intro"));
    Fill(1, 1, 3, QStringLiteral("beta"));
    Fill(1, 1, 5, QStringLiteral("\u00C9clair"));
    Fill(1, 1, 7, QStringLiteral("Alpha"));
    Fill(1, 1, 9, QStringLiteral("  alpha"));
    const TSoundButtonCell beta = board.Cell(1, 1, 3);
    Show(1);
    Target(1, 1);
    arranging->Pages.PageAlphabetizeClick();

    EXPECT_EQ(board.ButtonCaption[1][1][1], QStringLiteral("Alpha"));
    EXPECT_EQ(board.ButtonCaption[1][1][2], QStringLiteral("  alpha"));
    EXPECT_EQ(board.ButtonCaption[1][1][3], QStringLiteral("beta"));
    EXPECT_EQ(board.ButtonCaption[1][1][4], QStringLiteral("_intro"));
    EXPECT_EQ(board.ButtonCaption[1][1][5], QStringLiteral("\u00C9clair"));
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][1][6]));
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][1][7]));
    EXPECT_EQ(board.Cell(1, 1, 3), beta);
    EXPECT_TRUE(board.BoardChanged);
    // The page is shown again from the new cells.
    EXPECT_EQ(Memo(1), QStringLiteral("Alpha"));
    EXPECT_EQ(board.PageFiles[4], QStringLiteral("/music/_intro.wav"));
    EXPECT_EQ(Panel(7), clTeal);
    const QByteArray trace = ReadBytes(PathOf(QStringLiteral("Tracer.txt")));
    EXPECT_TRUE(trace.contains("Page Alphabetize Click"));
}

TEST_F(PageToolsTest, CompressClosesGapsWithEveryFieldAndDropsBlankCaptions)
{
    StartArrange();
    Fill(1, 1, 5, QStringLiteral("five"));
    Fill(1, 1, 20, QStringLiteral("twenty"));
    Fill(1, 1, 48, QStringLiteral("last"));
    board.ButtonFile[1][1][30] = QStringLiteral("/music/orphan.wav");
    const TSoundButtonCell twenty = board.Cell(1, 1, 20);
    const TSoundButtonCell last = board.Cell(1, 1, 48);
    Show(1);
    Target(1, 1);
    arranging->Pages.PageCompressClick();

    EXPECT_EQ(board.ButtonCaption[1][1][1], QStringLiteral("five"));
    EXPECT_EQ(board.Cell(1, 1, 2), twenty);
    EXPECT_EQ(board.Cell(1, 1, 3), last);
    for (int b = 4; b <= ButtonCount; ++b) {
        EXPECT_TRUE(Board::IsBlank(board.ButtonFile[1][1][b])) << b;
        EXPECT_EQ(board.ButtonCustomCue[1][1][b], QStringLiteral("N")) << b;
        EXPECT_EQ(board.ButtonCustomColor[1][1][b], 0) << b;
    }
    EXPECT_TRUE(form->HotKeyLabels[2]->isVisibleTo(form.get()));
}

TEST_F(PageToolsTest, CueEntriesKeepTheirOriginsAndCuedButtonsKeepTheirEntries)
{
    StartArrange();
    Fill(4, 19, 4, QStringLiteral("delta"));
    Fill(4, 19, 9, QStringLiteral("alpha"));
    board.CueOriginGroup[4] = 1;
    board.CueOriginPage[4] = 1;
    board.CueOriginButton[4] = 30;
    board.CueOriginGroup[9] = 1;
    board.CueOriginPage[9] = 2;
    board.CueOriginButton[9] = 6;
    Target(4, 19);
    arranging->Pages.PageAlphabetizeClick();
    EXPECT_EQ(board.ButtonCaption[4][19][1], QStringLiteral("alpha"));
    EXPECT_EQ(board.CueOriginPage[1], 2);
    EXPECT_EQ(board.CueOriginButton[1], 6);
    EXPECT_EQ(board.ButtonCaption[4][19][2], QStringLiteral("delta"));
    EXPECT_EQ(board.CueOriginButton[2], 30);
    EXPECT_EQ(board.CueOriginButton[4], 0);
    EXPECT_EQ(board.CueOriginButton[9], 0);
    // The cue is shown again.
    EXPECT_EQ(selection.CurrentPage, CuePage);
    EXPECT_EQ(Memo(1), QStringLiteral("alpha"));
    form->ProcessGroupButton(1);

    // Compressing the page of a cued button moves the cue's pointer with the button.
    Fill(1, 1, 30, QStringLiteral("cued"));
    board.ButtonState[1][1][30] = bstCued;
    Show(1);
    Target(1, 1);
    arranging->Pages.PageCompressClick();
    EXPECT_EQ(board.ButtonState[1][1][1], bstCued);
    EXPECT_EQ(board.CueOriginButton[2], 1);
}

TEST_F(PageToolsTest, APageWithAPlayingSoundIsNotRearranged)
{
    StartArrange();
    Fill(1, 1, 5, QStringLiteral("b"));
    Fill(1, 1, 9, QStringLiteral("a"));
    Show(1);
    playing.insert({1, 1, 9});
    Target(1, 1);
    board.BoardChanged = false;
    arranging->Pages.PageAlphabetizeClick();
    arranging->Pages.PageCompressClick();
    EXPECT_EQ(board.ButtonCaption[1][1][5], QStringLiteral("b"));
    EXPECT_EQ(board.ButtonCaption[1][1][9], QStringLiteral("a"));
    EXPECT_FALSE(board.BoardChanged);
    EXPECT_EQ(Boxes(), QStringList({BoardEditing::PagePlayingRefusal, BoardEditing::PagePlayingRefusal}));
}
