// The page menu's commands and Reset All Pages on the real main window: adding, editing and
// deleting a page through the page editor's hook, and the board-wide reset.
#include "board/PopupMenuFixture.h"

#include <QLabel>

namespace {

using PageMenuCommandsTest = PopupMenuFixture;

} // namespace

TEST_F(PageMenuCommandsTest, AddPageOpensTheEditorAndShowsThePageOnlyOnOk)
{
    StartMenuBoard();
    settings.LastSoundButtonColor = 0x00406080;
    settings.PageFontColor = 0x00000080;
    int result = mrCancel;
    std::vector<std::array<int, 2>> asked;
    windows.FormChangePageButton = [&] {
        asked.push_back({form->PageEditAdding ? 1 : 0, selection.CurrentButton});
        if (result == mrOk) {
            board.PageName[1][2] = QStringLiteral("Intros");
            PageButton(2)->setText(QStringLiteral("Intros"));
        }
        return result;
    };
    ChooseOnPage(PageButton(2), "PopupPageAdd");
    EXPECT_EQ(board.PageColor[1][2], TColor(0));
    EXPECT_EQ(selection.CurrentPage, 1);

    result = mrOk;
    ChooseOnPage(form->PanelPage[2], "PopupPageAdd");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1], (std::array<int, 2>{1, 2}));
    EXPECT_EQ(board.PageColor[1][2], TColor(0x00406080));
    EXPECT_EQ(FontColorOf(form->PageButtons[2]), TColor(0x00000080));
    EXPECT_EQ(PageButton(2)->toolTip(), QStringLiteral("Right Click to Modify Page"));
    EXPECT_EQ(selection.CurrentPage, 2);
    EXPECT_EQ(form->lblPage->text(), QStringLiteral("Intros"));

    ChooseOnPage(PageButton(2), "PopupPageEdit1");
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2][0], 0);
}

TEST_F(PageMenuCommandsTest, DeletePageSelectsItAsksAndBlanksPageAndCells)
{
    StartMenuBoard();
    board.PageColor[1][3] = 0x00112233;
    dialogs.QueueResult(mrNo);
    ChooseOnPage(PageButton(3), "PopupPageDelete");
    EXPECT_EQ(selection.CurrentPage, 3);
    EXPECT_EQ(board.PageName[1][3], QStringLiteral("Anthems"));
    EXPECT_FALSE(board.BoardChanged);

    dialogs.QueueResult(mrYes);
    ChooseOnPage(PageButton(3), "PopupPageDelete");
    EXPECT_EQ(dialogs.Texts(), QStringList({"Delete Page \"Anthems\"?", "Delete Page \"Anthems\"?"}));
    EXPECT_TRUE(Traced(QStringLiteral("PopupPageDeleteClick - Page Deleted - Group 1 Page 3 Anthems")));
    EXPECT_EQ(board.PageName[1][3], QStringLiteral(" "));
    EXPECT_EQ(board.PageColor[1][3], TColor(0));
    EXPECT_EQ(PageButton(3)->text(), QStringLiteral("(Blank Page)"));
    EXPECT_EQ(FontColorOf(form->PageButtons[3]), clSilver);
    EXPECT_EQ(PageButton(3)->toolTip(), QStringLiteral("Right Click to Add Page"));
    EXPECT_EQ(FaceOf(form->PageButtons[3]), settings.ButtonColor);
    EXPECT_TRUE(form->lblPage->text().isEmpty());
    EXPECT_TRUE(form->LabelPageTotals->text().isEmpty());
    EXPECT_EQ(board.ButtonCaption[1][3][1], QStringLiteral(" "));
    EXPECT_EQ(board.ButtonFile[1][3][1], QStringLiteral(" "));
    EXPECT_EQ(PanelColor(1), clTeal);
    EXPECT_TRUE(SoundButton(1)->isHidden());
    EXPECT_TRUE(board.BoardChanged);
    // Page 1 keeps its sounds.
    EXPECT_EQ(board.ButtonCaption[1][1][5], QStringLiteral("Plain"));
}

TEST_F(PageMenuCommandsTest, ResetAllPagesAsksThenUnplaysTheWholeBoard)
{
    StartMenuBoard();
    board.ButtonState[6][10][3] = bstPlayed;
    board.ButtonState[6][10][4] = bstHighlightedPlayed;
    board.ButtonState[CueGroup][CuePage][1] = bstCued;
    board.ButtonState[1][1][6] = bstCued;
    Panel(6)->SetColor(TForm1::CuedColor);
    dialogs.QueueResult(mrNo);
    form->ResetAllPages1->trigger();
    EXPECT_EQ(board.ButtonState[6][10][3], bstPlayed);
    EXPECT_FALSE(Traced(QStringLiteral("Reset All")));

    dialogs.QueueResult(mrYes);
    form->ResetAllPages1->trigger();
    EXPECT_EQ(dialogs.Texts(), QStringList({"Reset All Pages?", "Reset All Pages?"}));
    EXPECT_TRUE(Traced(QStringLiteral("Reset All")));
    EXPECT_EQ(board.ButtonState[6][10][3], bstUnplayed);
    EXPECT_EQ(board.ButtonState[6][10][4], bstHighlighted);
    EXPECT_EQ(board.ButtonState[CueGroup][CuePage][1], bstUnplayed);
    EXPECT_EQ(board.ButtonState[1][1][1], bstUnplayed);
    EXPECT_EQ(board.ButtonState[1][1][2], bstLocked);
    EXPECT_EQ(PanelColor(1), clBtnFace);
    EXPECT_EQ(PanelColor(2), clYellow);
    EXPECT_EQ(PanelColor(3), clBlack);
    EXPECT_EQ(PanelColor(4), clAqua);
    EXPECT_EQ(PanelColor(6), TColor(0x00123456));
    EXPECT_TRUE(board.BoardChanged);
}

TEST_F(PageMenuCommandsTest, ResetAllPagesIsRefusedInEditMode)
{
    StartMenuBoard();
    board.EditMode = true;
    form->ResetAllPages1->trigger();
    EXPECT_TRUE(dialogs.Texts().isEmpty());
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlayed);
}
