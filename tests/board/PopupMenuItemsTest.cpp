// The two right-click menus on the real main window: every item with its name and caption, the
// command table other windows register into, and which control opens which menu for which target.
#include "board/PopupMenuFixture.h"

#include <QLabel>
#include <QTest>

namespace {

using PopupMenuItemsTest = PopupMenuFixture;

QStringList NamesAndCaptions(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            items << action->objectName() + QStringLiteral("=") + action->text();
        }
    }
    return items;
}

} // namespace

TEST_F(PopupMenuItemsTest, BothMenusCarryEveryItemInOrder)
{
    StartMenuBoard();
    EXPECT_EQ(form->PopupMenuSound->objectName(), QStringLiteral("PopupMenuSound"));
    EXPECT_EQ(NamesAndCaptions(form->PopupMenuSound),
              QStringList({"PopupCue=Cue It", "PopupAdd=Add Sound Button", "PopupEdit=Edit Sound Button",
                           "PopupInsert=Insert Place-Marker", "PopupEditPlaceMarker=Edit Place-Marker",
                           "SoundCopy=Copy Sound Button", "SoundCut=Cut Sound Button",
                           "SoundPaste=Paste Sound Button", "AssignVolumeLevel1=Assign Volume Level",
                           "PopupTimer=Timed Start", "PopupHighlight=Highlight On/Off",
                           "PopupLock=Lock On/Off", "PopupPlayed=Mark as Played On/Off",
                           "CaptureButtonColor1=Capture Button Color", "SetButtonColor1=Set Button Color",
                           "ChangeSoundFonts1=Change Sound Button Fonts", "PopupDelete=Delete Button"}));
    EXPECT_EQ(form->PopupMenuPage->objectName(), QStringLiteral("PopupMenuPage"));
    EXPECT_EQ(NamesAndCaptions(form->PopupMenuPage),
              QStringList(
                  {"PopupPageAdd=Add Page Button", "PopupPageEdit1=Edit Page Button",
                   "PageCopy=Copy Page Button", "PageCut=Cut Page Button", "PagePaste=Paste Page Button",
                   "CopyCue=Copy Cue", "PopupClearCueClick=Clear Cue", "ExportPage1=Export Page",
                   "ImportPage1=Import Page", "PageButtonDragModeOnOff=Button Drag Mode On/Off",
                   "PopupPageChangeFont=Change Page Button Fonts", "CaptureButtonColor2=Capture Button Color",
                   "SetButtonColor2=Set Button Color", "PopupPageDelete=Delete Page Button",
                   "PageAlphabetize=Alphabetize Page", "PageCompress=Compress Page"}));
    for (const char* name :
         {"ResetAllPages1", "RemovaAllHighlights1", "RemoveAllLoops1", "RemoveAllVolumeSettings1",
          "RemoveAllHotKeys1", "RemoveAllLocks1", "SoundCopy", "PageCompress"}) {
        EXPECT_NE(form->MenuItem(QString::fromLatin1(name)), nullptr) << name;
    }
    EXPECT_EQ(form->MenuItem(QStringLiteral("NoSuchItem")), nullptr);
}

TEST_F(PopupMenuItemsTest, AnItemRunsTheCommandRegisteredUnderItsName)
{
    StartMenuBoard();
    int copies = 0;
    form->SetMenuCommand(QStringLiteral("SoundCopy"), [&] { ++copies; });
    EXPECT_FALSE(form->RunMenuCommand(QStringLiteral("PageCompress")));
    Choose(5, "SoundCopy");
    EXPECT_EQ(copies, 1);
    // A second registration replaces the first.
    int replaced = 0;
    form->SetMenuCommand(QStringLiteral("SoundCopy"), [&] { ++replaced; });
    Choose(5, "SoundCopy");
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(replaced, 1);
}

TEST_F(PopupMenuItemsTest, EveryChildControlOfASlotOpensTheMenuOfThatSlot)
{
    StartMenuBoard();
    for (const char* child : {"Panel5", "Button5", "Memo5", "VL5", "LL5", "cl5", "TimeLabel5", "KL5"}) {
        selection.PopupButton = 0;
        QWidget* widget = form->findChild<QWidget*>(QString::fromLatin1(child));
        ASSERT_NE(widget, nullptr) << child;
        EXPECT_EQ(RightClick(widget), form->PopupMenuSound) << child;
        EXPECT_EQ(selection.PopupButton, 5) << child;
        EXPECT_EQ(selection.PopupGroup, 1);
        EXPECT_EQ(selection.PopupPage, 1);
        EXPECT_EQ(form->PopupComponentName, QStringLiteral("Panel5"));
    }
    // The slot area around the slots and the toolbar open nothing.
    EXPECT_EQ(RightClick(form->Panel54), nullptr);
    EXPECT_EQ(RightClick(AsPushButton(form->StopPlayButton)), nullptr);
}

TEST_F(PopupMenuItemsTest, PageControlsOpenThePageMenuForTheirPage)
{
    StartMenuBoard();
    EXPECT_EQ(RightClick(PageButton(3)), form->PopupMenuPage);
    EXPECT_EQ(form->PopupComponentName, QStringLiteral("PageButton3"));
    EXPECT_EQ(selection.PopupPage, 3);
    EXPECT_EQ(RightClick(form->PanelPage[7]), form->PopupMenuPage);
    EXPECT_EQ(form->PopupComponentName, QStringLiteral("PanelPage7"));
    EXPECT_EQ(selection.PopupPage, 7);
    EXPECT_EQ(RightClick(form->PanelPages), form->PopupMenuPage);
    EXPECT_EQ(selection.PopupPage, 0);
    EXPECT_EQ(RightClick(AsPushButton(form->CueButton)), form->PopupMenuPage);
    EXPECT_EQ(selection.PopupGroup, CueGroup);
    EXPECT_EQ(selection.PopupPage, CuePage);
    EXPECT_EQ(board.PageName[CueGroup][CuePage], QStringLiteral("Cue"));
    // Over a group button the page menu is empty and does not open.
    EXPECT_EQ(RightClick(AsPushButton(form->GroupButtons[3])), nullptr);
    EXPECT_EQ(form->PopupComponentName, QStringLiteral("PageCGroup"));
    EXPECT_TRUE(Shown(form->PopupMenuPage).isEmpty());
}

TEST_F(PopupMenuItemsTest, NoMenuOpensInEditMode)
{
    StartMenuBoard();
    QTest::mouseClick(AsPushButton(form->EditButton), Qt::LeftButton);
    ASSERT_TRUE(board.EditMode);
    EXPECT_EQ(RightClick(Panel(5)), nullptr);
    EXPECT_EQ(RightClick(PageButton(1)), nullptr);
    QTest::mouseClick(AsPushButton(form->EditButton), Qt::LeftButton);
    EXPECT_EQ(RightClick(Panel(5)), form->PopupMenuSound);
}
