// The cue on the real main window: "Cue It" from the sound menu, the full cue, the end of a cue
// entry's play with and without CueDelete, showing the cue, deleting an entry and "Clear Cue".
#include "board/PopupMenuFixture.h"

#include <QLabel>
#include <QTest>

namespace {

class CueTest : public PopupMenuFixture
{
protected:
    void FillCue()
    {
        for (int n = 1; n <= ButtonCount; ++n) {
            board.ButtonCaption[CueGroup][CuePage][n] = QStringLiteral("Entry %1").arg(n);
        }
    }
    int State(int group, int page, int button) const { return board.ButtonState[group][page][button]; }
};

} // namespace

TEST_F(CueTest, CueItCopiesTheButtonToTheFirstFreeEntryAndMarksItCued)
{
    StartMenuBoard();
    clipboards.SoundClipboardCaption = QStringLiteral("kept");
    board.ButtonCustomCue[1][1][5] = QStringLiteral("Y");
    board.ButtonCueStart[1][1][5] = 4000;
    board.ButtonCueEnd[1][1][5] = 8000;
    board.ButtonCustomColor[1][1][5] = 0x00445566;
    Choose(5, "PopupCue");

    EXPECT_EQ(State(1, 1, 5), bstCued);
    EXPECT_EQ(PanelColor(5), TForm1::CuedColor);
    EXPECT_EQ(selection.CurrentButton, 5);
    // Entry 1 was taken already; the new entry is 2, unplayed, without the hot key.
    const TSoundButtonCell entry = CellOf(CueGroup, CuePage, 2);
    EXPECT_EQ(entry.ButtonCaption, QStringLiteral("Plain"));
    EXPECT_EQ(entry.ButtonFile, QStringLiteral("/music/plain.wav"));
    EXPECT_EQ(entry.ButtonState, bstUnplayed);
    EXPECT_EQ(entry.ButtonTime, QStringLiteral("01:00"));
    EXPECT_EQ(entry.ButtonLoop, QStringLiteral("L"));
    EXPECT_EQ(entry.ButtonVolume, QStringLiteral("80"));
    EXPECT_EQ(entry.ButtonCustomCue, QStringLiteral("Y"));
    EXPECT_EQ(entry.ButtonCueStart, 4000);
    EXPECT_EQ(entry.ButtonCueEnd, 8000);
    EXPECT_EQ(entry.ButtonCustomColor, TColor(0x00445566));
    EXPECT_TRUE(entry.ButtonHotKey.isEmpty());
    EXPECT_TRUE(entry.ButtonHotKeyInfo.isEmpty());
    EXPECT_EQ(board.CueOriginGroup[2], 1);
    EXPECT_EQ(board.CueOriginPage[2], 1);
    EXPECT_EQ(board.CueOriginButton[2], 5);
    EXPECT_TRUE(board.BoardChanged);
    // The origin keeps its hot key, and the sound clipboard is not touched.
    EXPECT_EQ(board.ButtonHotKey[1][1][5], QStringLiteral("2Q"));
    EXPECT_EQ(clipboards.SoundClipboardCaption, QStringLiteral("kept"));
    EXPECT_FALSE(clipboards.SoundClipboardFull);

    // A freed entry is taken before later ones.
    board.ButtonCaption[CueGroup][CuePage][1] = QStringLiteral(" ");
    Choose(6, "PopupCue");
    EXPECT_EQ(board.ButtonCaption[CueGroup][CuePage][1], QStringLiteral("Custom"));
    EXPECT_EQ(board.CueOriginButton[1], 6);
}

TEST_F(CueTest, AFullCueShowsTheMessageAndLeavesTheButtonAlone)
{
    StartMenuBoard();
    FillCue();
    board.BoardChanged = false;
    Choose(5, "PopupCue");
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"The Cue is full.\rEither delete some buttons in the cue or clear the cue"}));
    EXPECT_EQ(State(1, 1, 5), bstUnplayed);
    EXPECT_EQ(PanelColor(5), clBtnFace);
    EXPECT_EQ(board.ButtonCaption[CueGroup][CuePage][48], QStringLiteral("Entry 48"));
    EXPECT_FALSE(board.BoardChanged);
}

TEST_F(CueTest, PlaceMarkersAndEmptySlotsAreNotCued)
{
    StartMenuBoard();
    form->PopupComponentName = QStringLiteral("Panel3");
    form->PopupCueClick();
    form->PopupComponentName = QStringLiteral("Panel9");
    form->PopupCueClick();
    EXPECT_EQ(State(1, 1, 3), bstPlaceMarker);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[CueGroup][CuePage][2]));
    EXPECT_TRUE(dialogs.Texts().isEmpty());
}

TEST_F(CueTest, AnEntryThatPlayedTurnsItsOriginPlayedAndStaysWithoutCueDelete)
{
    StartMenuBoard();
    Choose(5, "PopupCue");
    settings.CueDelete = false;
    form->CueEndPlay(CueGroup, CuePage, 2);
    EXPECT_EQ(State(1, 1, 5), bstPlayed);
    // The origin's page is on display: it shows played, not cued.
    EXPECT_EQ(PanelColor(5), clRed);
    EXPECT_EQ(board.CueOriginButton[2], 0);
    EXPECT_EQ(board.ButtonCaption[CueGroup][CuePage][2], QStringLiteral("Plain"));
    EXPECT_TRUE(Traced(QStringLiteral("StopChannel - Turn off Cued Marker Color")));
    EXPECT_FALSE(Traced(QStringLiteral("CueEndPlay - Delete Button from Cue")));
    // Other pages are not the cue's business.
    board.ButtonState[1][1][6] = bstCued;
    form->CueEndPlay(1, 1, 6);
    EXPECT_EQ(State(1, 1, 6), bstCued);
}

TEST_F(CueTest, CueDeleteEmptiesTheEntryAndItsSlotOnDisplay)
{
    StartMenuBoard();
    Choose(5, "PopupCue");
    QTest::mouseClick(AsPushButton(form->CueButton), Qt::LeftButton);
    ASSERT_EQ(SoundButton(2)->text(), QStringLiteral("Plain"));
    settings.CueDelete = true;
    board.BoardChanged = false;
    form->CueEndPlay(CueGroup, CuePage, 2);

    const TSoundButtonCell entry = CellOf(CueGroup, CuePage, 2);
    EXPECT_EQ(entry.ButtonCaption, QStringLiteral(" "));
    EXPECT_EQ(entry.ButtonFile, QStringLiteral(" "));
    EXPECT_EQ(entry.ButtonVolume, QStringLiteral(" "));
    EXPECT_EQ(entry.ButtonState, bstUnplayed);
    EXPECT_TRUE(entry.ButtonNote.isEmpty());
    EXPECT_EQ(PanelColor(2), clTeal);
    EXPECT_TRUE(SoundButton(2)->isHidden());
    EXPECT_EQ(board.PageFiles[2], QStringLiteral(" "));
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("1 Sounds (00:15)"));
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(State(1, 1, 5), bstPlayed);
    EXPECT_TRUE(Traced(QStringLiteral("CueEndPlay - Delete Button from Cue when it has played")));
    EXPECT_TRUE(Traced(QStringLiteral(" Table Button 2")));
}

TEST_F(CueTest, AnOriginResetMeanwhileIsLeftAlone)
{
    StartMenuBoard();
    Choose(5, "PopupCue");
    board.ButtonState[1][1][5] = bstUnplayed;
    form->CueEndPlay(CueGroup, CuePage, 2);
    EXPECT_EQ(State(1, 1, 5), bstUnplayed);
    EXPECT_EQ(board.CueOriginButton[2], 5);
}

TEST_F(CueTest, TheCueButtonShowsTheCueInItsColours)
{
    StartMenuBoard();
    settings.CueColor = 0x00224466;
    board.PagePlay[CueGroup][CuePage] = QStringLiteral("T");
    QTest::mouseClick(AsPushButton(form->CueButton), Qt::LeftButton);
    EXPECT_EQ(selection.CurrentGroup, CueGroup);
    EXPECT_EQ(selection.CurrentPage, CuePage);
    EXPECT_EQ(form->lblPage->text(), QStringLiteral("Cue"));
    EXPECT_TRUE(form->lblGroup->text().isEmpty());
    EXPECT_EQ(form->PanelPages->Color(), TColor(0x00224466));
    EXPECT_EQ(form->PanelPage[5]->Color(), TColor(0x00224466));
    EXPECT_TRUE(PageButton(1)->isHidden());
    EXPECT_EQ(SoundButton(1)->text(), QStringLiteral("Cued"));
    EXPECT_TRUE(form->PlayListMode);
    EXPECT_EQ(FaceOf(form->PlayListButton), settings.ActiveButtonColor);
    // Not in edit mode.
    QTest::mouseClick(AsPushButton(form->GroupButtons[1]), Qt::LeftButton);
    QTest::mouseClick(AsPushButton(form->EditButton), Qt::LeftButton);
    QTest::mouseClick(AsPushButton(form->CueButton), Qt::LeftButton);
    EXPECT_EQ(selection.CurrentPage, 1);
}

TEST_F(CueTest, DeletingACueEntryReturnsItsCuedOriginToUnplayed)
{
    StartMenuBoard();
    Choose(5, "PopupCue");
    Choose(6, "PopupCue");
    board.ButtonState[1][1][6] = bstPlayed;
    QTest::mouseClick(AsPushButton(form->CueButton), Qt::LeftButton);
    dialogs.QueueResult(mrYes);
    Choose(2, "PopupDelete");
    dialogs.QueueResult(mrYes);
    Choose(3, "PopupDelete");
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"Delete Sound Button \"Plain\"?", "Delete Sound Button \"Custom\"?"}));
    EXPECT_EQ(State(1, 1, 5), bstUnplayed);
    EXPECT_EQ(State(1, 1, 6), bstPlayed);
    EXPECT_EQ(board.CueOriginButton[2], 0);
    EXPECT_EQ(board.CueOriginButton[3], 0);
    EXPECT_EQ(board.ButtonCustomCue[CueGroup][CuePage][2], QStringLiteral("N"));
}

TEST_F(CueTest, ClearCueAskedNoKeepsEverything)
{
    StartMenuBoard();
    Choose(5, "PopupCue");
    dialogs.QueueResult(mrNo);
    ChooseOnPage(AsPushButton(form->CueButton), "PopupClearCueClick");
    EXPECT_EQ(dialogs.Texts(), QStringList({"Delete All of Cue?"}));
    EXPECT_EQ(board.ButtonCaption[CueGroup][CuePage][2], QStringLiteral("Plain"));
    EXPECT_EQ(State(1, 1, 5), bstCued);
}

TEST_F(CueTest, ClearCueEmptiesTheCueUncuesTheBoardAndRepaintsThePageShown)
{
    StartMenuBoard();
    Choose(5, "PopupCue");
    board.ButtonVolume[CueGroup][CuePage][2] = QStringLiteral("70");
    board.ButtonState[2][7][9] = bstCued; // an origin whose entry was removed one by one
    dialogs.QueueResult(mrYes);
    ChooseOnPage(AsPushButton(form->CueButton), "PopupClearCueClick");

    for (int n : {1, 2}) {
        const TSoundButtonCell entry = CellOf(CueGroup, CuePage, n);
        EXPECT_EQ(entry.ButtonCaption, QStringLiteral(" "));
        EXPECT_EQ(entry.ButtonFile, QStringLiteral(" "));
        EXPECT_EQ(entry.ButtonCustomColor, clBtnFace);
        EXPECT_TRUE(entry.ButtonCustomCue.isEmpty());
    }
    EXPECT_EQ(board.ButtonVolume[CueGroup][CuePage][2], QStringLiteral("70"));
    EXPECT_EQ(State(1, 1, 5), bstUnplayed);
    EXPECT_EQ(State(2, 7, 9), bstUnplayed);
    // No entry keeps an origin, or a later entry's end would mark a button cued again meanwhile.
    EXPECT_EQ(board.CueOriginGroup[2], 0);
    EXPECT_EQ(board.CueOriginPage[2], 0);
    EXPECT_EQ(board.CueOriginButton[2], 0);
    EXPECT_TRUE(board.BoardChanged);
    // The page on display keeps its sounds on screen, so the editor reads real paths.
    EXPECT_EQ(SoundButton(5)->text(), QStringLiteral("Plain"));
    EXPECT_EQ(board.PageFiles[5], QStringLiteral("/music/plain.wav"));
    EXPECT_EQ(PanelColor(5), clBtnFace);
    EXPECT_EQ(PanelColor(1), clRed);
    // And the cue, shown now, is empty.
    QTest::mouseClick(AsPushButton(form->CueButton), Qt::LeftButton);
    EXPECT_EQ(PanelColor(1), clTeal);
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("0 Sounds (00:00)"));
}
