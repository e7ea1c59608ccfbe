// The Edit menu's remove-all commands on the real main window: each asked No and Yes, the whole
// board and the cue changed, other groups' page 19 untouched, and nothing on a locked board.
#include "board/PopupMenuFixture.h"

#include <QLabel>

namespace {

class RemoveAllTest : public PopupMenuFixture
{
protected:
    // Settings on pages of two groups, on the cue and on page 19 of a group that has no cue.
    void Spread()
    {
        for (const auto& [g, p] :
             {std::pair{1, 1}, std::pair{7, 18}, std::pair{CueGroup, CuePage}, std::pair{2, 19}}) {
            board.ButtonState[g][p][10] = bstHighlighted;
            board.ButtonState[g][p][11] = bstHighlightedPlayed;
            board.ButtonState[g][p][12] = bstHighlightedPlaying;
            board.ButtonState[g][p][13] = bstLocked;
            board.ButtonLoop[g][p][14] = QStringLiteral("L");
            board.ButtonVolume[g][p][14] = QStringLiteral("60");
            board.ButtonHotKey[g][p][14] = QStringLiteral("2W");
            board.ButtonHotKeyInfo[g][p][14] = QStringLiteral("Ctrl W");
        }
        board.BoardChanged = false;
    }
};

} // namespace

TEST_F(RemoveAllTest, RemoveAllHighlightsMapsEachHighlightedState)
{
    StartMenuBoard();
    Spread();
    dialogs.QueueResult(mrNo);
    form->RemovaAllHighlights1->trigger();
    EXPECT_EQ(board.ButtonState[1][1][10], bstHighlighted);
    EXPECT_FALSE(board.BoardChanged);
    EXPECT_FALSE(Traced(QStringLiteral("Remove All Highlights")));

    dialogs.QueueResult(mrYes);
    form->RemovaAllHighlights1->trigger();
    EXPECT_EQ(dialogs.Texts(), QStringList({"Remove All Highlights?", "Remove All Highlights?"}));
    EXPECT_TRUE(Traced(QStringLiteral("Remove All Highlights")));
    for (const auto& [g, p] : {std::pair{1, 1}, std::pair{7, 18}, std::pair{CueGroup, CuePage}}) {
        EXPECT_EQ(board.ButtonState[g][p][10], bstNeutral);
        EXPECT_EQ(board.ButtonState[g][p][11], bstPlayed);
        EXPECT_EQ(board.ButtonState[g][p][12], bstPlaying);
        EXPECT_EQ(board.ButtonState[g][p][13], bstLocked);
    }
    EXPECT_EQ(board.ButtonState[2][19][10], bstHighlighted);
    EXPECT_TRUE(board.BoardChanged);
    // The page on display was painted again: the highlighted sound shows the plain face.
    EXPECT_EQ(board.ButtonState[1][1][4], bstNeutral);
    EXPECT_EQ(PanelColor(4), clBtnFace);
}

TEST_F(RemoveAllTest, RemoveAllLoopsAndVolumesEmptyTheirCellsOnly)
{
    StartMenuBoard();
    Spread();
    dialogs.QueueResult(mrYes);
    form->RemoveAllLoops1->trigger();
    EXPECT_TRUE(board.ButtonLoop[7][18][14].isEmpty());
    EXPECT_TRUE(board.ButtonLoop[CueGroup][CuePage][14].isEmpty());
    EXPECT_EQ(board.ButtonLoop[2][19][14], QStringLiteral("L"));
    EXPECT_EQ(board.ButtonVolume[7][18][14], QStringLiteral("60"));
    EXPECT_TRUE(form->LoopLabels[5]->isHidden());
    EXPECT_FALSE(form->VolumeLabels[5]->isHidden());

    dialogs.QueueResult(mrNo);
    form->RemoveAllVolumeSettings1->trigger();
    EXPECT_EQ(board.ButtonVolume[7][18][14], QStringLiteral("60"));
    dialogs.QueueResult(mrYes);
    form->RemoveAllVolumeSettings1->trigger();
    EXPECT_TRUE(board.ButtonVolume[7][18][14].isEmpty());
    EXPECT_TRUE(board.ButtonVolume[1][1][5].isEmpty());
    EXPECT_EQ(board.ButtonVolume[2][19][14], QStringLiteral("60"));
    EXPECT_TRUE(form->VolumeLabels[5]->isHidden());
    EXPECT_EQ(dialogs.Texts(), QStringList({"Remove All Loops?", "Remove All Volume Settings?",
                                            "Remove All Volume Settings?"}));
    EXPECT_TRUE(Traced(QStringLiteral("Remove All Loops")));
    EXPECT_TRUE(Traced(QStringLiteral("Remove All Volume Settings")));
}

TEST_F(RemoveAllTest, RemoveAllHotKeysAsksTwiceAndKeepsTheKeyTexts)
{
    StartMenuBoard();
    Spread();
    const QString second =
        QStringLiteral("This will Remove All Hot Keys assigned, are you sure you want to do this?");
    dialogs.QueueResult(mrYes);
    dialogs.QueueResult(mrNo);
    form->RemoveAllHotKeys1->trigger();
    EXPECT_EQ(board.ButtonHotKey[1][1][5], QStringLiteral("2Q"));
    EXPECT_FALSE(Traced(QStringLiteral("Remove All Hot Keys")));

    dialogs.QueueResult(mrYes);
    dialogs.QueueResult(mrYes);
    form->RemoveAllHotKeys1->trigger();
    EXPECT_EQ(dialogs.Texts(), QStringList({"Remove All Hot Keys?", second, "Remove All Hot Keys?", second}));
    EXPECT_TRUE(board.ButtonHotKey[1][1][5].isEmpty());
    EXPECT_TRUE(board.ButtonHotKey[CueGroup][CuePage][14].isEmpty());
    EXPECT_EQ(board.ButtonHotKeyInfo[7][18][14], QStringLiteral("Ctrl W"));
    EXPECT_EQ(board.ButtonHotKey[2][19][14], QStringLiteral("2W"));
    EXPECT_TRUE(form->HotKeyLabels[5]->isHidden());
    EXPECT_TRUE(Traced(QStringLiteral("Remove All Hot Keys")));
}

TEST_F(RemoveAllTest, RemoveAllLocksMakesLockedSoundsNeutral)
{
    StartMenuBoard();
    Spread();
    dialogs.QueueResult(mrYes);
    form->RemoveAllLocks1->trigger();
    EXPECT_EQ(dialogs.Texts(), QStringList({"Remove All Locks?"}));
    EXPECT_EQ(board.ButtonState[1][1][2], bstNeutral);
    EXPECT_EQ(board.ButtonState[7][18][13], bstNeutral);
    EXPECT_EQ(board.ButtonState[CueGroup][CuePage][13], bstNeutral);
    EXPECT_EQ(board.ButtonState[2][19][13], bstLocked);
    EXPECT_EQ(PanelColor(2), clBtnFace);
    // A neutral sound counts in the page totals again.
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("5 Sounds (02:05)"));
}

TEST_F(RemoveAllTest, NothingIsRemovedWhileTheBoardIsLocked)
{
    StartMenuBoard();
    Spread();
    settings.SecurityLocked = true;
    for (QAction* item : {form->RemovaAllHighlights1, form->RemoveAllLoops1, form->RemoveAllVolumeSettings1,
                          form->RemoveAllHotKeys1, form->RemoveAllLocks1}) {
        dialogs.QueueResult(mrYes);
        dialogs.QueueResult(mrYes);
        item->trigger();
    }
    EXPECT_TRUE(dialogs.Texts().isEmpty());
    EXPECT_EQ(board.ButtonState[1][1][10], bstHighlighted);
    EXPECT_EQ(board.ButtonState[1][1][2], bstLocked);
    EXPECT_EQ(board.ButtonLoop[1][1][5], QStringLiteral("L"));
    EXPECT_EQ(board.ButtonHotKey[1][1][5], QStringLiteral("2Q"));
    EXPECT_FALSE(board.BoardChanged);
}

TEST_F(RemoveAllTest, EveryCommandAnsweredNoChangesNothing)
{
    StartMenuBoard();
    Spread();
    for (QAction* item : {form->RemovaAllHighlights1, form->RemoveAllLoops1, form->RemoveAllVolumeSettings1,
                          form->RemoveAllHotKeys1, form->RemoveAllLocks1}) {
        dialogs.QueueResult(mrNo);
        item->trigger();
    }
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"Remove All Highlights?", "Remove All Loops?", "Remove All Volume Settings?",
                           "Remove All Hot Keys?", "Remove All Locks?"}));
    EXPECT_EQ(board.ButtonState[7][18][10], bstHighlighted);
    EXPECT_EQ(board.ButtonState[7][18][13], bstLocked);
    EXPECT_EQ(board.ButtonLoop[7][18][14], QStringLiteral("L"));
    EXPECT_EQ(board.ButtonVolume[7][18][14], QStringLiteral("60"));
    EXPECT_EQ(board.ButtonHotKey[7][18][14], QStringLiteral("2W"));
    EXPECT_FALSE(board.BoardChanged);
    EXPECT_FALSE(Traced(QStringLiteral("Remove All")));
}
