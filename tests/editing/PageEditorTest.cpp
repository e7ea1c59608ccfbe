// The page editor and the place-marker window, driven through their real controls on the real
// main window: names, the "&" rule, colours kept on rename, delete with its question, Esc and
// Cancel, and markers without hot keys.
#include "ArrangeFixture.h"

#include "editing/BoardEditing.h"
#include "editing/CaptionMemo.h"
#include "editing/TFormAddPlaceMarker.h"
#include "editing/TFormChangePageButton.h"

#include <QLineEdit>
#include <QTest>

namespace {

class PageEditorTest : public ArrangeFixture
{
protected:
    void OpenEditor(int page, bool adding)
    {
        if (!editor) {
            editor = std::make_unique<TFormChangePageButton>(form.get());
        }
        Target(1, page);
        form->PageEditAdding = adding;
        editor->Open();
        ASSERT_TRUE(editor->isVisible());
    }

    void TypeName(const QString& name)
    {
        editor->NewPageName->clear();
        QTest::keyClicks(editor->NewPageName, name);
    }

    void OpenMarker(int slot, const QString& mode)
    {
        if (!marker) {
            marker = std::make_unique<TFormAddPlaceMarker>(form.get());
        }
        Target(1, selection.CurrentPage, slot);
        form->PlaceMarkerMode = mode;
        marker->Open();
        ASSERT_TRUE(marker->isVisible());
    }

    void TearDown() override
    {
        editor.reset();
        marker.reset();
        ArrangeFixture::TearDown();
    }

    std::unique_ptr<TFormChangePageButton> editor;
    std::unique_ptr<TFormAddPlaceMarker> marker;
};

} // namespace

TEST_F(PageEditorTest, AddingNamesThePageWithoutItsFirstAmpersandAndTheLastColour)
{
    StartArrange();
    settings.LastSoundButtonColor = 0x00224466;
    Show(1);
    OpenEditor(4, true);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Add Page Button"));
    EXPECT_EQ(editor->NewPageName->text(), QStringLiteral(" "));
    TypeName(QStringLiteral("Rock && Roll"));
    QTest::mouseClick(editor->PageOKButton, Qt::LeftButton);
    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_EQ(board.PageName[1][4], QStringLiteral("Rock & Roll"));
    EXPECT_EQ(board.PageColor[1][4], 0x00224466);
    EXPECT_EQ(PageButton(4)->text(), QStringLiteral("Rock & Roll"));
    EXPECT_EQ(FaceOf(form->PageButtons[4]), 0x00224466);
    EXPECT_EQ(PageButton(4)->toolTip(), QStringLiteral("Right Click to Modify Page"));
    EXPECT_TRUE(board.BoardChanged);
}

TEST_F(PageEditorTest, RenamingKeepsThePageColour)
{
    StartArrange();
    settings.LastSoundButtonColor = 0x00224466;
    Show(2);
    OpenEditor(2, false);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Change Page Button"));
    EXPECT_EQ(editor->NewPageName->text(), QStringLiteral("Anthems"));
    TypeName(QStringLiteral("Hymns"));
    QTest::keyClick(editor->NewPageName, Qt::Key_Return);
    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_EQ(board.PageName[1][2], QStringLiteral("Hymns"));
    EXPECT_EQ(board.PageColor[1][2], 0x00445566);
    EXPECT_EQ(form->lblPage->text(), QStringLiteral("Hymns"));
}

TEST_F(PageEditorTest, ALoneAmpersandOrABlankNameStoresNothing)
{
    StartArrange();
    Fill(1, 2, 1, QStringLiteral("Kept"));
    Show(1);
    OpenEditor(2, false);
    TypeName(QStringLiteral("&"));
    QTest::mouseClick(editor->PageOKButton, Qt::LeftButton);
    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_EQ(board.PageName[1][2], QStringLiteral("Anthems"));
    EXPECT_EQ(selection.CurrentButton, 2);
    EXPECT_FALSE(board.BoardChanged);
}

TEST_F(PageEditorTest, CancelAndEscChangeNothingAndSetTheCurrentButton)
{
    StartArrange();
    Show(1);
    OpenEditor(2, false);
    TypeName(QStringLiteral("Other"));
    QTest::mouseClick(editor->PageCancelButton, Qt::LeftButton);
    EXPECT_EQ(editor->result(), mrCancel);
    EXPECT_EQ(selection.CurrentButton, 2);
    OpenEditor(2, false);
    TypeName(QStringLiteral("Other"));
    QTest::keyClick(editor->NewPageName, Qt::Key_Escape);
    EXPECT_EQ(editor->result(), mrCancel);
    EXPECT_EQ(selection.CurrentButton, 1);
    EXPECT_EQ(board.PageName[1][2], QStringLiteral("Anthems"));
}

TEST_F(PageEditorTest, DeleteAsksAndClearsThePageOnDisplay)
{
    StartArrange();
    Fill(1, 2, 3, QStringLiteral("Anthem"));
    Show(2);
    OpenEditor(2, false);
    dialogs.QueueResult(mrNo);
    QTest::mouseClick(editor->PageDeleteButton, Qt::LeftButton);
    EXPECT_EQ(Boxes(), QStringList{QStringLiteral("Delete Page \"Anthems\"?")});
    EXPECT_EQ(board.PageName[1][2], QStringLiteral("Anthems"));

    settings.Tracer = true;
    OpenEditor(2, false);
    dialogs.QueueResult(mrYes);
    QTest::mouseClick(editor->PageDeleteButton, Qt::LeftButton);
    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_TRUE(Board::IsBlank(board.PageName[1][2]));
    EXPECT_TRUE(ReadBytes(PathOf(QStringLiteral("Tracer.txt")))
                    .contains("PageDeleteButtonClick - Page Deleted - Group 1 Page 2 Anthems"));
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][2][3]));
    EXPECT_TRUE(board.ButtonHotKey[1][2][3].isEmpty());
    EXPECT_EQ(board.ButtonState[1][2][3], bstUnplayed);
    // The page's colour and the cells' colours stay; the custom cue goes with the sound, as a
    // right-click Delete takes it, so a file dropped there later plays from its own start.
    EXPECT_EQ(board.PageColor[1][2], 0x00445566);
    EXPECT_EQ(board.ButtonCustomColor[1][2][3], TColor(0x00102033));
    EXPECT_EQ(board.ButtonCustomCue[1][2][3], QStringLiteral("N"));
    EXPECT_EQ(board.ButtonCueStart[1][2][3], 0);
    EXPECT_EQ(board.ButtonCueEnd[1][2][3], 0);
    EXPECT_EQ(Panel(3), clTeal);
    EXPECT_TRUE(form->lblPage->text().isEmpty());
    EXPECT_TRUE(board.BoardChanged);

    // A blank page deletes nothing and asks nothing.
    dialogs.Reset();
    OpenEditor(2, false);
    QTest::mouseClick(editor->PageDeleteButton, Qt::LeftButton);
    EXPECT_EQ(editor->result(), mrCancel);
    EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(PageEditorTest, DeleteIsRefusedWhileASoundOfThePagePlays)
{
    StartArrange();
    Fill(1, 2, 3, QStringLiteral("Anthem"));
    playing.insert({1, 2, 3});
    Show(1);
    OpenEditor(2, false);
    dialogs.QueueResult(mrYes);
    QTest::mouseClick(editor->PageDeleteButton, Qt::LeftButton);
    EXPECT_EQ(editor->result(), mrCancel);
    EXPECT_EQ(board.ButtonCaption[1][2][3], QStringLiteral("Anthem"));
    EXPECT_EQ(Boxes().last(), BoardEditing::PagePlayingRefusal);
}

TEST_F(PageEditorTest, EditModePageClickOpensTheEditorThroughItsHook)
{
    StartArrange();
    int opened = 0;
    windows.FormChangePageButton = [&opened] {
        ++opened;
        return 2;
    };
    Show(1);
    form->EditButtonClick();
    QTest::mouseClick(PageButton(2), Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(selection.PopupPage, 2);
}

TEST_F(PageEditorTest, APlaceMarkerIsBlackWithItsCaptionAndNoHotKey)
{
    StartArrange();
    Show(1);
    Fill(1, 1, 5, QStringLiteral("Was a sound"));
    form->LoadButtons();
    OpenMarker(5, QStringLiteral("Add"));
    EXPECT_EQ(marker->windowTitle(), QStringLiteral("Add Place-Marker"));
    EXPECT_TRUE(marker->PlaceMarkerMemoCaption->Text().isEmpty());
    QTest::keyClicks(marker->PlaceMarkerMemoCaption, QStringLiteral("Second Half"));
    QTest::mouseClick(marker->OKButton, Qt::LeftButton);
    EXPECT_EQ(marker->result(), mrOk);
    EXPECT_EQ(board.ButtonCaption[1][1][5], QStringLiteral("Second Half"));
    EXPECT_EQ(board.ButtonState[1][1][5], bstPlaceMarker);
    EXPECT_TRUE(Board::IsBlank(board.ButtonFile[1][1][5]));
    EXPECT_TRUE(board.ButtonNote[1][1][5].isEmpty());
    EXPECT_TRUE(board.ButtonHotKey[1][1][5].isEmpty());
    EXPECT_TRUE(board.ButtonHotKeyInfo[1][1][5].isEmpty());
    EXPECT_FALSE(form->HotKeyLabels[5]->isVisibleTo(form.get()));
    EXPECT_EQ(Panel(5), clBlack);
    EXPECT_EQ(form->ButtonMemos[5]->FontColor(), clWhite);
    EXPECT_EQ(Memo(5), QStringLiteral("Second Half"));
    // Volume and loop stay as they were.
    EXPECT_EQ(board.ButtonVolume[1][1][5], QStringLiteral("45"));

    OpenMarker(5, QStringLiteral("Edit"));
    EXPECT_EQ(marker->windowTitle(), QStringLiteral("Edit Place-Marker"));
    EXPECT_EQ(marker->PlaceMarkerMemoCaption->Text(), QStringLiteral("Second Half"));
    marker->PlaceMarkerMemoCaption->SetText(QStringLiteral("Overtime"));
    QTest::mouseClick(marker->OKButton, Qt::LeftButton);
    EXPECT_EQ(board.ButtonCaption[1][1][5], QStringLiteral("Overtime"));
    EXPECT_EQ(board.ButtonState[1][1][5], bstPlaceMarker);
}

TEST_F(PageEditorTest, AnEmptyMarkerOrEscStoresNothing)
{
    StartArrange();
    Show(1);
    OpenMarker(6, QStringLiteral("Add"));
    QTest::keyClicks(marker->PlaceMarkerMemoCaption, QStringLiteral("   "));
    QTest::mouseClick(marker->OKButton, Qt::LeftButton);
    EXPECT_EQ(marker->result(), mrCancel);
    OpenMarker(6, QStringLiteral("Add"));
    QTest::keyClicks(marker->PlaceMarkerMemoCaption, QStringLiteral("Half"));
    QTest::keyClick(marker.get(), Qt::Key_Escape);
    EXPECT_EQ(marker->result(), mrCancel);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][1][6]));
    EXPECT_EQ(board.ButtonState[1][1][6], bstUnplayed);
    EXPECT_FALSE(board.BoardChanged);
    const std::size_t limit = TFormAddPlaceMarker::CaptionLength;
    marker->PlaceMarkerMemoCaption->SetText(QString(70, u'x'));
    EXPECT_LE(static_cast<std::size_t>(marker->PlaceMarkerMemoCaption->Text().size()), limit);
}
