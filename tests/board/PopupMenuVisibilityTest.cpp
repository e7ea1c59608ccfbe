// Which items each right click offers, on the real main window: every slot state, the board lock,
// the cue on display, a playing slot, and each control of the page area.
#include "board/PopupMenuFixture.h"

#include <QTest>

namespace {

using PopupMenuVisibilityTest = PopupMenuFixture;

const QStringList SoundItems = {"PopupCue",        "PopupEdit",         "SoundCopy",   "SoundCut",
                                "PopupHighlight",  "PopupLock",         "PopupPlayed", "CaptureButtonColor1",
                                "SetButtonColor1", "ChangeSoundFonts1", "PopupDelete"};

const QStringList NamedPageItems = {"PopupPageEdit1",
                                    "PageCopy",
                                    "PageCut",
                                    "ExportPage1",
                                    "PageButtonDragModeOnOff",
                                    "PopupPageChangeFont",
                                    "CaptureButtonColor2",
                                    "SetButtonColor2",
                                    "PopupPageDelete",
                                    "PageAlphabetize",
                                    "PageCompress"};

const QStringList BlankPageItems = {"PopupPageAdd", "ImportPage1", "PageButtonDragModeOnOff",
                                    "PopupPageChangeFont"};

} // namespace

TEST_F(PopupMenuVisibilityTest, SoundMenuFollowsTheSlotState)
{
    StartMenuBoard();
    EXPECT_EQ(ShownOnSlot(5), SoundItems);
    EXPECT_EQ(ShownOnSlot(1), SoundItems);
    EXPECT_EQ(ShownOnSlot(4), SoundItems);
    EXPECT_EQ(ShownOnSlot(3), QStringList({"PopupEditPlaceMarker", "SoundCopy", "SoundCut",
                                           "ChangeSoundFonts1", "PopupDelete"}));
    EXPECT_EQ(ShownOnSlot(2),
              QStringList({"SoundCopy", "SoundCut", "PopupLock", "ChangeSoundFonts1", "PopupDelete"}));
    EXPECT_EQ(ShownOnSlot(7), QStringList({"PopupAdd", "PopupEdit", "PopupInsert", "ChangeSoundFonts1"}));
    clipboards.SoundClipboardFull = true;
    EXPECT_EQ(ShownOnSlot(7),
              QStringList({"PopupAdd", "PopupEdit", "PopupInsert", "SoundPaste", "ChangeSoundFonts1"}));
    // Timed start is offered in play-list mode only; the volume item never is.
    form->PlayListMode = true;
    QStringList withTimer = SoundItems;
    withTimer.insert(4, QStringLiteral("PopupTimer"));
    EXPECT_EQ(ShownOnSlot(5), withTimer);
    EXPECT_TRUE(dialogs.Texts().isEmpty());
}

TEST_F(PopupMenuVisibilityTest, ALockedBoardOffersOnlyTheMarkingItems)
{
    StartMenuBoard();
    settings.SecurityLocked = true;
    EXPECT_EQ(ShownOnSlot(5), QStringList({"PopupCue", "PopupHighlight", "PopupLock", "PopupPlayed"}));
    // No state opens a back door to editing: a place marker offers nothing, a locked sound only
    // its lock.
    EXPECT_EQ(RightClick(Panel(3)), nullptr);
    EXPECT_EQ(ShownOnSlot(2), QStringList({"PopupLock"}));
    EXPECT_EQ(RightClick(Panel(7)), nullptr);
    clipboards.PageClipboardFull = true;
    for (QWidget* widget : std::initializer_list<QWidget*>{PageButton(1), PageButton(2), form->PanelPage[2],
                                                           form->PanelPages, AsPushButton(form->CueButton)}) {
        EXPECT_EQ(RightClick(widget), nullptr) << widget->objectName().toStdString();
    }
}

TEST_F(PopupMenuVisibilityTest, TheCueOnDisplayOffersDeleteButNotCueIt)
{
    StartMenuBoard();
    QTest::mouseClick(AsPushButton(form->CueButton), Qt::LeftButton);
    ASSERT_EQ(selection.CurrentPage, CuePage);
    ASSERT_EQ(FaceOf(form->CueButton), settings.ActiveButtonColor);
    QStringList expected = SoundItems;
    expected.removeAll(QStringLiteral("PopupCue"));
    EXPECT_EQ(ShownOnSlot(1), expected);
    EXPECT_EQ(selection.PopupGroup, CueGroup);
    EXPECT_EQ(selection.PopupPage, CuePage);
}

TEST_F(PopupMenuVisibilityTest, ASlotOfABlankPageShowsTheNoPageMessageAndNoMenu)
{
    StartMenuBoard();
    selection.CurrentPage = 2;
    EXPECT_EQ(RightClick(Panel(5)), nullptr);
    EXPECT_EQ(dialogs.Texts(),
              QStringList({"You do not have a page selected.\r \rYou must first select a page or "
                           "setup a Page \rbefore you can assign Sound Buttons."}));
    EXPECT_TRUE(Shown(form->PopupMenuSound).isEmpty());
}

TEST_F(PopupMenuVisibilityTest, APlayingSlotOpensTheVolumeWindowAndRepaints)
{
    StartMenuBoard();
    int opened = 0;
    windows.FormAssignVolumeLevel = [&] {
        ++opened;
        EXPECT_EQ(selection.PopupButton, 5);
        return static_cast<int>(mrOk);
    };
    Panel(5)->SetColor(clLime);
    EXPECT_EQ(RightClick(Panel(5)), nullptr);
    EXPECT_EQ(opened, 1);
    // The page was painted again from its cells: slot 5 is an unplayed sound.
    EXPECT_EQ(PanelColor(5), clBtnFace);
    // The menu item itself is never offered, and would open the same window.
    EXPECT_FALSE(form->MenuItem(QStringLiteral("AssignVolumeLevel1"))->isVisible());
    form->MenuItem(QStringLiteral("AssignVolumeLevel1"))->trigger();
    EXPECT_EQ(opened, 2);
}

TEST_F(PopupMenuVisibilityTest, PageMenuFollowsTheControlAndThePage)
{
    StartMenuBoard();
    EXPECT_EQ(Shown(RightClick(PageButton(1))), NamedPageItems);
    EXPECT_EQ(Shown(RightClick(PageButton(2))), BlankPageItems);
    EXPECT_EQ(Shown(RightClick(form->PanelPage[2])), BlankPageItems);
    // The frame around a named page's button offers what the button does.
    EXPECT_EQ(Shown(RightClick(form->PanelPage[1])), NamedPageItems);
    EXPECT_EQ(selection.PopupPage, 1);
    EXPECT_EQ(Shown(RightClick(form->PanelPages)),
              QStringList({"ExportPage1", "ImportPage1", "PageButtonDragModeOnOff", "PopupPageChangeFont"}));
    clipboards.PageClipboardFull = true;
    EXPECT_EQ(Shown(RightClick(PageButton(2))),
              QStringList({"PopupPageAdd", "PagePaste", "ImportPage1", "PageButtonDragModeOnOff",
                           "PopupPageChangeFont"}));
    EXPECT_EQ(Shown(RightClick(PageButton(1))), NamedPageItems);
    EXPECT_EQ(Shown(RightClick(AsPushButton(form->CueButton))),
              QStringList({"CopyCue", "PopupClearCueClick", "CaptureButtonColor2", "SetButtonColor2",
                           "PageAlphabetize", "PageCompress"}));
}

TEST_F(PopupMenuVisibilityTest, PageMenuHidesWhatWouldDisturbThePlayingPage)
{
    StartMenuBoard();
    form->Playing = true;
    selection.PlayingPage = 1;
    EXPECT_EQ(Shown(RightClick(PageButton(1))),
              QStringList({"PopupPageEdit1", "ExportPage1", "PopupPageChangeFont"}));
    EXPECT_EQ(Shown(RightClick(PageButton(3))), NamedPageItems);
    selection.PlayingPage = CuePage;
    EXPECT_EQ(Shown(RightClick(AsPushButton(form->CueButton))), QStringList({"CopyCue"}));
}

TEST_F(PopupMenuVisibilityTest, DragModeLeavesOnlyItsOwnSwitch)
{
    StartMenuBoard();
    form->ButtonDragMode = true;
    for (QWidget* widget : std::initializer_list<QWidget*>{PageButton(1), PageButton(2), form->PanelPages,
                                                           AsPushButton(form->CueButton)}) {
        EXPECT_EQ(Shown(RightClick(widget)), QStringList({"PageButtonDragModeOnOff"}))
            << widget->objectName().toStdString();
    }
}
