// The sound and page clipboards on the real main window: the overwrite guard's exact text, the
// paste counters the exit reads, hot keys pasted once, Copy Cue, and Cut Page and Cut Sound.
#include "ArrangeFixture.h"

#include "editing/BoardEditing.h"

namespace {

class ClipboardsTest : public ArrangeFixture
{
protected:
    BoardClipboards& Clip() { return arranging->Clipboards; }

    // Pixels other than the yellow face in the first and last columns inside an indicator's
    // frame: a caption that shows whole leaves none.
    static int InkAtSides(TColorPanel& indicator)
    {
        const QImage picture = indicator.grab().toImage();
        const QRect inside = indicator.contentsRect();
        int ink = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (const int x : {inside.left(), inside.right()}) {
                ink += picture.pixel(x, y) != ToQColor(clYellow).rgb() ? 1 : 0;
            }
        }
        return ink;
    }
};

} // namespace

TEST(ClipboardGuardTextTest, PiecesStandInTheirOrder)
{
    EXPECT_EQ(BoardClipboards::SoundGuardText(QStringLiteral("Horn")),
              QStringLiteral(
                  "NOTE:  The Sound Clipboard already contains the button:\r\r                  \"Horn\"\r\r"
                  "that has NOT been saved.  To overwrite, click OK \rTo save, click Cancel and then "
                  "Paste the \rbutton in the clipboard."));
    EXPECT_EQ(
        BoardClipboards::PageGuardText(QStringLiteral("Warmup"), 17),
        QStringLiteral("NOTE:  The Page Clipboard already contains a Page:\r\r                 \"Warmup\"\r\r"
                       "that has NOT been saved.  To overwrite, click OK \rTo save, click Cancel and then "
                       "Paste the \rPage in the clipboard."));
}

TEST_F(ClipboardsTest, CopyTwiceWarnsAndCancelKeepsTheFirstButton)
{
    StartArrange();
    Fill(1, 1, 1, QStringLiteral("Horn"));
    Fill(1, 1, 2, QStringLiteral("Drum"));
    Show(1);
    Target(1, 1, 1);
    Clip().SoundCopyClick();
    EXPECT_TRUE(clipboards.SoundClipboardFull);
    EXPECT_EQ(clipboards.SoundClipboardPastes, 0);
    EXPECT_EQ(clipboards.SoundClipboardCaption, QStringLiteral("Horn"));
    EXPECT_TRUE(Clip().SoundIndicator()->isVisibleTo(form.get()));
    EXPECT_EQ(Clip().SoundIndicator()->toolTip(), QStringLiteral("Horn"));
    EXPECT_EQ(InkAtSides(*Clip().SoundIndicator()), 0);
    // A copy never carries the hot key, and leaves the board as it was.
    EXPECT_TRUE(Clip().SoundClipboard().Cell.ButtonHotKey.isEmpty());
    EXPECT_FALSE(board.BoardChanged);

    Target(1, 1, 2);
    dialogs.QueueCancel();
    Clip().SoundCopyClick();
    ASSERT_EQ(Boxes(), QStringList{BoardClipboards::SoundGuardText(QStringLiteral("Horn"))});
    EXPECT_EQ(Clip().SoundClipboard().Cell.ButtonCaption, QStringLiteral("Horn"));

    dialogs.QueueResult(mrOk);
    Clip().SoundCopyClick();
    EXPECT_EQ(Clip().SoundClipboard().Cell.ButtonCaption, QStringLiteral("Drum"));
    EXPECT_EQ(clipboards.SoundClipboardCaption, QStringLiteral("Drum"));
}

TEST_F(ClipboardsTest, CutSoundPastesItsHotKeyOnceAndAfterAPasteNoWarning)
{
    StartArrange();
    Fill(1, 1, 3, QStringLiteral("Horn"));
    board.ButtonState[1][1][3] = bstPlayed;
    const TSoundButtonCell horn = board.Cell(1, 1, 3);
    Show(1);
    Target(1, 1, 3);
    Clip().CutSoundClick();
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][1][3]));
    EXPECT_EQ(board.ButtonState[1][1][3], bstUnplayed);
    EXPECT_EQ(board.ButtonCustomCue[1][1][3], QStringLiteral("N"));
    EXPECT_EQ(board.ButtonCustomColor[1][1][3], 0);
    EXPECT_EQ(Panel(3), clTeal);
    EXPECT_TRUE(SlotButton(3)->isHidden());
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("0 Sounds (00:00)"));

    Target(1, 1, 10);
    Clip().PasteSoundClick();
    EXPECT_EQ(board.Cell(1, 1, 10), horn);
    EXPECT_EQ(clipboards.SoundClipboardPastes, 1);
    EXPECT_EQ(Panel(10), clRed);
    EXPECT_EQ(Memo(10), QStringLiteral("Horn"));
    EXPECT_FALSE(Clip().SoundIndicator()->isVisibleTo(form.get()));

    Target(1, 1, 11);
    Clip().PasteSoundClick();
    EXPECT_EQ(board.ButtonCaption[1][1][11], QStringLiteral("Horn"));
    EXPECT_TRUE(board.ButtonHotKey[1][1][11].isEmpty());
    EXPECT_EQ(board.ButtonHotKey[1][1][10], horn.ButtonHotKey);
    EXPECT_EQ(clipboards.SoundClipboardPastes, 2);

    // Onto a captioned slot nothing happens.
    Target(1, 1, 10);
    Clip().PasteSoundClick();
    EXPECT_EQ(clipboards.SoundClipboardPastes, 2);

    // After a paste a new Cut does not warn.
    Target(1, 1, 11);
    Clip().CutSoundClick();
    EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(ClipboardsTest, APlayingSoundIsNotCutAndACopyOfItPastesUnplayed)
{
    StartArrange();
    Fill(1, 1, 4, QStringLiteral("Live"));
    board.ButtonState[1][1][4] = bstPlaying;
    Show(1);
    playing.insert({1, 1, 4});
    Target(1, 1, 4);
    Clip().CutSoundClick();
    EXPECT_EQ(board.ButtonCaption[1][1][4], QStringLiteral("Live"));
    EXPECT_FALSE(clipboards.SoundClipboardFull);
    EXPECT_EQ(Boxes(), QStringList{BoardEditing::SoundPlayingRefusal});

    Clip().SoundCopyClick();
    Target(1, 1, 5);
    Clip().PasteSoundClick();
    EXPECT_EQ(board.ButtonState[1][1][5], bstUnplayed);
    EXPECT_NE(Panel(5), clLime);
}

TEST_F(ClipboardsTest, CuttingACueEntryReleasesItsOrigin)
{
    StartArrange();
    Fill(1, 2, 6, QStringLiteral("Origin"));
    board.ButtonState[1][2][6] = bstCued;
    Fill(4, 19, 1, QStringLiteral("Origin"));
    board.CueOriginGroup[1] = 1;
    board.CueOriginPage[1] = 2;
    board.CueOriginButton[1] = 6;
    Target(4, 19, 1);
    Clip().CutSoundClick();
    EXPECT_EQ(board.ButtonState[1][2][6], bstUnplayed);
    EXPECT_EQ(board.CueOriginGroup[1], 0);
    EXPECT_EQ(board.CueOriginButton[1], 0);
}

TEST_F(ClipboardsTest, ASoundPastedIntoTheCueHasNoOrigin)
{
    StartArrange();
    // Entry 1 was deleted on its end while its origin stood reset; the origin is cued again since.
    Fill(1, 2, 6, QStringLiteral("Origin"));
    board.ButtonState[1][2][6] = bstCued;
    board.CueOriginGroup[1] = 1;
    board.CueOriginPage[1] = 2;
    board.CueOriginButton[1] = 6;
    Fill(1, 1, 4, QStringLiteral("Other"));
    Target(1, 1, 4);
    Clip().SoundCopyClick();
    Target(4, 19, 1);
    Clip().PasteSoundClick();
    ASSERT_EQ(board.ButtonCaption[4][19][1], QStringLiteral("Other"));
    form->CueEndPlay(4, 19, 1);
    EXPECT_EQ(board.ButtonState[1][2][6], bstCued);
    EXPECT_EQ(board.CueOriginButton[1], 0);
}

TEST_F(ClipboardsTest, CutPageOffDisplayLeavesTheSlotsAndPastesOntoABlankPage)
{
    StartArrange();
    Fill(1, 1, 1, QStringLiteral("Shown"));
    Fill(1, 2, 7, QStringLiteral("Anthem"));
    board.CueOriginGroup[3] = 1;
    board.CueOriginPage[3] = 2;
    board.CueOriginButton[3] = 7;
    Show(1);
    Target(1, 2);
    Clip().PageCutClick();
    EXPECT_EQ(board.CueOriginButton[3], 0);
    EXPECT_EQ(board.CueOriginPage[3], 0);
    EXPECT_TRUE(Board::IsBlank(board.PageName[1][2]));
    EXPECT_EQ(board.PageColor[1][2], 0);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][2][7]));
    EXPECT_EQ(PageButton(2)->text(), QStringLiteral("(Blank Page)"));
    EXPECT_EQ(FontColorOf(form->PageButtons[2]), clSilver);
    EXPECT_EQ(PageButton(2)->toolTip(), QStringLiteral("Right Click to Add Page"));
    EXPECT_TRUE(board.BoardChanged);
    // Page 1 is on display and keeps its slots and labels.
    EXPECT_EQ(Memo(1), QStringLiteral("Shown"));
    EXPECT_EQ(form->lblPage->text(), QStringLiteral("Warmup"));
    EXPECT_EQ(clipboards.PageClipboardPageName, QStringLiteral("Anthems"));

    Target(1, 5);
    Clip().PagePasteClick();
    EXPECT_EQ(board.PageName[1][5], QStringLiteral("Anthems"));
    EXPECT_EQ(board.PagePlay[1][5], QStringLiteral("T"));
    EXPECT_EQ(board.PageColor[1][5], 0x00445566);
    EXPECT_EQ(board.ButtonCaption[1][5][7], QStringLiteral("Anthem"));
    EXPECT_FALSE(board.ButtonHotKey[1][5][7].isEmpty());
    EXPECT_EQ(selection.CurrentPage, 5);
    EXPECT_EQ(Memo(7), QStringLiteral("Anthem"));
    EXPECT_EQ(clipboards.PageClipboardPastes, 1);

    // A second paste has no hot keys; a named page is never pasted over.
    Target(1, 6);
    Clip().PagePasteClick();
    EXPECT_TRUE(board.ButtonHotKey[1][6][7].isEmpty());
    Target(1, 1);
    Clip().PagePasteClick();
    EXPECT_EQ(board.PageName[1][1], QStringLiteral("Warmup"));
    EXPECT_EQ(clipboards.PageClipboardPastes, 2);
}

TEST_F(ClipboardsTest, CopyPageWarnsWithSixteenBlanksAndCutPageWithSeventeen)
{
    StartArrange();
    Show(1);
    Target(1, 1);
    Clip().PageCopyClick();
    EXPECT_TRUE(clipboards.PageClipboardFull);
    EXPECT_EQ(InkAtSides(*Clip().PageIndicator()), 0);
    dialogs.QueueCancel();
    Clip().PageCopyClick();
    dialogs.QueueCancel();
    Target(1, 2);
    Clip().PageCutClick();
    EXPECT_EQ(Boxes(), QStringList({BoardClipboards::PageGuardText(QStringLiteral("Warmup"), 16),
                                    BoardClipboards::PageGuardText(QStringLiteral("Warmup"), 17)}));
    EXPECT_EQ(board.PageName[1][2], QStringLiteral("Anthems"));
}

TEST_F(ClipboardsTest, CopyCuePastesAnOrdinaryPageWithoutHotKeys)
{
    StartArrange();
    settings.ButtonColor = 0x00ABCDEF;
    Fill(4, 19, 2, QStringLiteral("Queued"));
    Target(4, 19);
    Clip().CopyCueClick();
    EXPECT_EQ(clipboards.PageClipboardPageName, QStringLiteral("Copy of Cue"));
    Target(1, 9);
    Clip().PagePasteClick();
    EXPECT_EQ(board.PageName[1][9], QStringLiteral("Copy of Cue"));
    EXPECT_EQ(board.PageColor[1][9], 0x00ABCDEF);
    EXPECT_EQ(board.ButtonCaption[1][9][2], QStringLiteral("Queued"));
    EXPECT_TRUE(board.ButtonHotKey[1][9][2].isEmpty());
    EXPECT_EQ(board.ButtonCustomCue[1][9][2], QStringLiteral("Y"));
}

TEST_F(ClipboardsTest, AnUnpastedClipboardIsWhatTheExitWarnsAbout)
{
    StartArrange();
    Fill(1, 1, 1, QStringLiteral("Horn"));
    Show(1);
    Target(1, 1, 1);
    Clip().SoundCopyClick();
    board.BoardChanged = false;
    dialogs.QueueResult(mrYes); // confirm the exit
    dialogs.QueueCancel();      // keep the clipboard
    EXPECT_FALSE(form->TermExit());
    const QStringList boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes.at(1).contains(QStringLiteral("\"Horn\"")));
}
