// The sound menu's commands on one slot, chosen from the right-click menu of the real main window:
// lock, highlight, mark as played, delete, edit, timed start and the place-marker windows; and
// leaving edit mode, which paints the page again from its cells.
#include "board/PopupMenuFixture.h"

#include <QLabel>
#include <QTest>

namespace {

// The window with its play path recorded instead of run.
class RecordingForm final : public TForm1
{
public:
    using TForm1::TForm1;
    void ProcessSoundButton(int slot) override { played.push_back(slot); }
    std::vector<int> played;
};

class SoundMenuCommandsTest : public PopupMenuFixture
{
protected:
    void SetUp() override
    {
        PopupMenuFixture::SetUp();
        MakeForm = [this](MainFormContext& formContext) {
            auto made = std::make_unique<RecordingForm>(formContext);
            recording = made.get();
            return made;
        };
    }

    RecordingForm* recording = nullptr;
    int State(int slot) const { return board.ButtonState[1][1][slot]; }
};

} // namespace

TEST_F(SoundMenuCommandsTest, LockTogglesByThePanelColourAndLeavesPlayingSlotsAlone)
{
    StartMenuBoard();
    Choose(6, "PopupLock");
    EXPECT_EQ(State(6), bstLocked);
    EXPECT_EQ(PanelColor(6), clYellow);
    // Locked sounds leave the page totals: 5 s + 10 s + 60 s.
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("3 Sounds (01:15)"));
    Choose(6, "PopupLock");
    EXPECT_EQ(State(6), bstUnplayed);
    EXPECT_EQ(PanelColor(6), TColor(0x00123456));
    Choose(2, "PopupLock");
    EXPECT_EQ(State(2), bstUnplayed);
    EXPECT_EQ(PanelColor(2), clBtnFace);
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("5 Sounds (02:05)"));

    selection.PopupButton = 5;
    Panel(5)->SetColor(clLime);
    board.ButtonState[1][1][5] = bstPlaying;
    form->PopupLockClick();
    form->PopupHighlightClick();
    EXPECT_EQ(State(5), bstPlaying);
    EXPECT_EQ(PanelColor(5), clLime);
}

TEST_F(SoundMenuCommandsTest, HighlightTogglesCaptionedSlotsOnly)
{
    StartMenuBoard();
    Choose(5, "PopupHighlight");
    EXPECT_EQ(State(5), bstHighlighted);
    EXPECT_EQ(PanelColor(5), clAqua);
    Choose(5, "PopupHighlight");
    EXPECT_EQ(State(5), bstUnplayed);
    EXPECT_EQ(PanelColor(5), clBtnFace);
    Choose(1, "PopupHighlight");
    EXPECT_EQ(State(1), bstHighlighted);
    selection.PopupButton = 9;
    form->PopupHighlightClick();
    EXPECT_EQ(State(9), bstUnplayed);
    EXPECT_EQ(PanelColor(9), clTeal);
}

TEST_F(SoundMenuCommandsTest, MarkAsPlayedKeepsTheHighlightThroughARoundTrip)
{
    StartMenuBoard();
    Choose(4, "PopupPlayed");
    EXPECT_EQ(State(4), bstHighlightedPlayed);
    EXPECT_EQ(PanelColor(4), clRed);
    Choose(4, "PopupPlayed");
    EXPECT_EQ(State(4), bstHighlighted);
    EXPECT_EQ(PanelColor(4), clAqua);
    Choose(6, "PopupPlayed");
    EXPECT_EQ(State(6), bstPlayed);
    EXPECT_EQ(PanelColor(6), clRed);
    Choose(6, "PopupPlayed");
    EXPECT_EQ(State(6), bstUnplayed);
    EXPECT_EQ(PanelColor(6), TColor(0x00123456));
}

TEST_F(SoundMenuCommandsTest, DeleteAsksAndClearsTheCellAndTheSlot)
{
    StartMenuBoard();
    dialogs.QueueResult(mrNo);
    Choose(5, "PopupDelete");
    EXPECT_EQ(board.ButtonCaption[1][1][5], QStringLiteral("Plain"));
    EXPECT_FALSE(board.BoardChanged);

    dialogs.QueueResult(mrYes);
    Choose(5, "PopupDelete");
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"Delete Sound Button \"Plain\"?", "Delete Sound Button \"Plain\"?"}));
    const TSoundButtonCell cell = CellOf(1, 1, 5);
    EXPECT_EQ(cell.ButtonCaption, QStringLiteral(" "));
    EXPECT_EQ(cell.ButtonFile, QStringLiteral(" "));
    EXPECT_EQ(cell.ButtonTime, QStringLiteral(" "));
    EXPECT_TRUE(cell.ButtonHotKey.isEmpty());
    EXPECT_TRUE(cell.ButtonLoop.isEmpty());
    EXPECT_TRUE(cell.ButtonVolume.isEmpty());
    EXPECT_EQ(cell.ButtonCustomCue, QStringLiteral("N"));
    EXPECT_EQ(cell.ButtonState, bstUnplayed);
    EXPECT_EQ(PanelColor(5), clTeal);
    EXPECT_TRUE(SoundButton(5)->isHidden());
    EXPECT_TRUE(form->HotKeyLabels[5]->isHidden());
    EXPECT_TRUE(form->LoopLabels[5]->isHidden());
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("3 Sounds (00:35)"));
}

TEST_F(SoundMenuCommandsTest, EditOpensTheEditorOnTheTarget)
{
    StartMenuBoard();
    std::vector<int> targets;
    windows.SoundButtonEditor = [&] {
        targets.push_back(selection.PopupButton);
        return static_cast<int>(mrCancel);
    };
    form->AddingSounds = true;
    Choose(7, "PopupEdit");
    Choose(5, "PopupEdit");
    EXPECT_EQ(targets, (std::vector<int>{7, 5}));
    EXPECT_FALSE(form->AddingSounds);
    EXPECT_TRUE(board.BoardChanged);
}

TEST_F(SoundMenuCommandsTest, TimedStartPlaysTheSlotOnlyAfterBothWindowsSayOk)
{
    StartMenuBoard();
    form->PlayListMode = true;
    QStringList shown;
    int setResult = mrOk;
    int countdownResult = mrCancel;
    windows.TimedStartSet = [&] {
        shown << QStringLiteral("set %1").arg(form->TimedStartButton);
        return setResult;
    };
    windows.FormAutoStartTimer = [&] {
        shown << QStringLiteral("countdown");
        return countdownResult;
    };
    Choose(5, "PopupTimer");
    EXPECT_EQ(shown, QStringList({"set 5", "countdown"}));
    setResult = mrCancel;
    Choose(5, "PopupTimer");
    EXPECT_EQ(shown.size(), 3);
    EXPECT_TRUE(recording->played.empty());
    setResult = mrOk;
    countdownResult = mrOk;
    Choose(6, "PopupTimer");
    EXPECT_EQ(shown.size(), 5);
    EXPECT_EQ(form->TimedStartButton, 6);
    EXPECT_EQ(recording->played, std::vector<int>{6});
}

TEST_F(SoundMenuCommandsTest, PlaceMarkerItemsOpenTheirWindowInTheirMode)
{
    StartMenuBoard();
    QStringList modes;
    windows.FormAddPlaceMarker = [&] {
        modes << form->PlaceMarkerMode;
        return static_cast<int>(mrOk);
    };
    Choose(9, "PopupInsert");
    Choose(3, "PopupEditPlaceMarker");
    EXPECT_EQ(modes, QStringList({"Add", "Edit"}));
    selection.PopupGroup = 1;
    selection.PopupPage = 2;
    form->PopupInsertClick();
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"You must first setup a Page before you can assign Place Markers."}));
    EXPECT_EQ(modes.size(), 2);
}

TEST_F(SoundMenuCommandsTest, LeavingEditModePaintsEveryStateAndColourFromTheCells)
{
    StartMenuBoard();
    board.ButtonState[1][1][5] = bstNeutral;
    board.ButtonState[1][1][6] = bstFileMissing;
    board.ButtonState[1][1][4] = bstCued;
    QTest::mouseClick(AsPushButton(form->EditButton), Qt::LeftButton);
    ASSERT_EQ(PanelColor(6), clBtnFace);
    QTest::mouseClick(AsPushButton(form->EditButton), Qt::LeftButton);
    EXPECT_EQ(PanelColor(5), clBtnFace);
    EXPECT_EQ(PanelColor(6), clFuchsia);
    EXPECT_EQ(PanelColor(4), TForm1::CuedColor);
    EXPECT_EQ(PanelColor(1), clRed);
    EXPECT_EQ(PanelColor(3), clBlack);
    EXPECT_EQ(PanelColor(9), clTeal);
    EXPECT_TRUE(SoundButton(9)->isHidden());
}
