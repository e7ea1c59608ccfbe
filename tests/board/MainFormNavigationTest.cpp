// Group and page navigation through the real buttons, the page steps with wrap-around, the play-list
// step and Reset Page.
#include "MainFormFixture.h"

#include "board/MainFormButtons.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class MainFormNavigationTest : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        StartWithSample();
        form->show();
    }

    void Click(TBitBtnWithColor* button) { QTest::mouseClick(AsPushButton(button), Qt::LeftButton); }
};

} // namespace

TEST_F(MainFormNavigationTest, GroupButtonsShowTheGroupAndRememberItsLastPage)
{
    Click(form->PageButtons[3]);
    EXPECT_EQ(selection.CurrentPage, 3);
    EXPECT_EQ(form->ButtonMemos[1]->text(), QStringLiteral("Anthem"));

    Click(form->GroupButtons[2]);
    EXPECT_EQ(selection.CurrentGroup, 2);
    EXPECT_EQ(selection.CurrentPage, 1);
    EXPECT_EQ(form->lblGroup->text(), QStringLiteral("Group - B"));
    EXPECT_EQ(form->ButtonMemos[1]->text(), QStringLiteral("B song"));
    EXPECT_EQ(FaceOf(form->GroupButtons[2]), settings.ActiveButtonColor);
    EXPECT_EQ(FaceOf(form->GroupButtons[1]), settings.ButtonColor);
    EXPECT_EQ(AsPushButton(form->PageButtons[1])->text(), QStringLiteral("Second"));
    EXPECT_EQ(AsPushButton(form->PageButtons[3])->text(), QStringLiteral("(Blank Page)"));

    Click(form->GroupButtons[1]);
    EXPECT_EQ(selection.CurrentPage, 3);
    EXPECT_EQ(form->lblPage->text(), QStringLiteral("Anthems"));
}

TEST_F(MainFormNavigationTest, GroupColourPaintsThePanelsBehindTheBoard)
{
    settings.GroupColor[2] = clNavy;
    Click(form->GroupButtons[2]);
    EXPECT_EQ(form->PanelControls->Color(), clNavy);
    EXPECT_EQ(form->PanelPages->Color(), clNavy);
    EXPECT_EQ(form->Panel54->Color(), clNavy);
    EXPECT_EQ(form->PanelPage[18]->Color(), clNavy);
}

TEST_F(MainFormNavigationTest, ABlankPageEmptiesTheBoardAndStartsAgainAtPageOne)
{
    Click(form->PageButtons[3]);
    Click(form->PageButtons[2]);
    EXPECT_EQ(selection.CurrentPage, 1);
    for (int slot : {1, 2, 24, 48}) {
        EXPECT_EQ(form->ButtonPanels[static_cast<std::size_t>(slot)]->Color(), clTeal);
        EXPECT_EQ(form->ButtonMemos[static_cast<std::size_t>(slot)]->text(), QString());
    }
    EXPECT_FALSE(AsPushButton(form->PlayListButton)->isEnabled());
    EXPECT_EQ(form->lblPage->text(), QString());
}

TEST_F(MainFormNavigationTest, PageFlagsSwitchPlayListAndShuffle)
{
    EXPECT_TRUE(form->PlayListMode);
    EXPECT_FALSE(settings.Shuffle);
    Click(form->PageButtons[3]);
    EXPECT_FALSE(form->PlayListMode);
    EXPECT_TRUE(settings.Shuffle);
    EXPECT_EQ(FaceOf(form->ShuffleButton), settings.ActiveButtonColor);
    EXPECT_EQ(FaceOf(form->PlayListButton), settings.ButtonColor);
    EXPECT_FALSE(AsPushButton(form->RapidFireButton)->isEnabled());
}

TEST_F(MainFormNavigationTest, PageStepsSkipBlankPagesAndWrapAround)
{
    form->NextPage();
    EXPECT_EQ(selection.CurrentPage, 3);
    form->NextPage();
    EXPECT_EQ(selection.CurrentPage, 1);
    form->PrevPage();
    EXPECT_EQ(selection.CurrentPage, 3);
    form->PrevPage();
    EXPECT_EQ(selection.CurrentPage, 1);
    EXPECT_EQ(form->lblPage->text(), QStringLiteral("Warmup"));
}

TEST_F(MainFormNavigationTest, APageStepOnAnAllBlankGroupEndsOnePageFurther)
{
    Click(form->GroupButtons[5]);
    selection.CurrentPage = 4;
    form->NextPage();
    EXPECT_EQ(selection.CurrentPage, 5);
    form->PrevPage();
    EXPECT_EQ(selection.CurrentPage, 4);
}

TEST_F(MainFormNavigationTest, PlayListNextPageFindsOnlyLaterPlayListPages)
{
    EXPECT_FALSE(form->PlayListNextPage());
    EXPECT_EQ(selection.CurrentPage, 1);
    board.PagePlay[1][3] = QStringLiteral("T");
    EXPECT_TRUE(form->PlayListNextPage());
    EXPECT_EQ(selection.CurrentPage, 3);
    EXPECT_EQ(selection.PlayingPage, 3);
    EXPECT_FALSE(form->PlayListNextPage());
}

TEST_F(MainFormNavigationTest, ResetPageTurnsPlayedAndCuedBackAndAsksFirst)
{
    board.ButtonState[1][1][1] = bstCued;
    board.ButtonState[1][1][6] = bstHighlightedPlayed;
    board.ButtonCustomColor[1][1][1] = clRed;
    form->LoadButtons();

    form->ResetPageButtonClick(); // unanswered: No
    EXPECT_EQ(board.ButtonState[1][1][2], bstPlayed);
    EXPECT_FALSE(board.BoardChanged);
    EXPECT_EQ(dialogs.Calls().back().text, QStringLiteral("Reset This Page?"));

    dialogs.QueueResult(mrYes);
    form->ResetPageButtonClick();
    EXPECT_EQ(board.ButtonState[1][1][1], bstUnplayed);
    EXPECT_EQ(board.ButtonState[1][1][2], bstUnplayed);
    EXPECT_EQ(board.ButtonState[1][1][3], bstLocked);
    EXPECT_EQ(board.ButtonState[1][1][4], bstPlaceMarker);
    EXPECT_EQ(board.ButtonState[1][1][6], bstHighlighted);
    EXPECT_EQ(board.ButtonCustomColor[1][1][1], 0);
    EXPECT_EQ(form->ButtonPanels[1]->Color(), clBtnFace);
    EXPECT_EQ(form->ButtonPanels[2]->Color(), clBtnFace);
    EXPECT_EQ(form->ButtonPanels[3]->Color(), clYellow);
    EXPECT_EQ(form->ButtonPanels[4]->Color(), clBlack);
    EXPECT_EQ(form->ButtonPanels[6]->Color(), clAqua);
    EXPECT_TRUE(board.BoardChanged);
}

TEST_F(MainFormNavigationTest, ResetPageKeepsThePlayingButtonWhileASoundPlays)
{
    board.ButtonState[1][1][1] = bstPlaying;
    form->LoadButtons();
    form->Playing = true;
    dialogs.QueueResult(mrYes);
    form->ResetPageProcess();
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlaying);
    EXPECT_EQ(form->ButtonPanels[1]->Color(), clLime);
}

TEST_F(MainFormNavigationTest, EditModeLeavesGroupsAloneAndOpensNoBoardRepaint)
{
    board.EditMode = true;
    Click(form->GroupButtons[2]);
    EXPECT_EQ(selection.CurrentGroup, 1);
    Click(form->PageButtons[3]);
    EXPECT_EQ(selection.PopupPage, 3);
    EXPECT_EQ(form->lblPage->text(), QStringLiteral("Warmup"));
}

TEST_F(MainFormNavigationTest, ASlotClickAnywhereTracesTheSlotAndParksTheFocus)
{
    settings.Tracer = true;
    QTest::mouseClick(form->ButtonMemos[7], Qt::LeftButton);
    QTest::mouseClick(form->TimeLabels[8], Qt::LeftButton);
    QTest::mouseClick(form->ButtonPanels[9], Qt::LeftButton, {}, QPoint(2, 2));
    const QByteArray trace = ReadBytes(PathOf(QStringLiteral("Tracer.txt")));
    EXPECT_TRUE(trace.contains(" - Button 7 Click Event\r\n"));
    EXPECT_TRUE(trace.contains(" - Button 8 Click Event\r\n"));
    EXPECT_TRUE(trace.contains(" - Button 9 Click Event\r\n"));
}
