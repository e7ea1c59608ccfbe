// The hot-key, sound-button, missing-file and custom-cued lists on generated boards: their rows,
// counts, orders (ties and letter case), and jumping to a button from the main window's commands.
#include "ToolsFixture.h"

#include "board/MainForm.h"
#include "tools/StringGrid.h"
#include "tools/TButtonList.h"
#include "tools/TFormHotKey.h"
#include "tools/TfrmCustomCuedButtons.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class ListWindowsTest : public ToolsFixture
{
protected:
    void SetUp() override
    {
        ToolsFixture::SetUp();
        Start();
        for (int g = 1; g <= 2; ++g) {
            for (int p = 1; p <= 2; ++p) {
                board.PageName[g][p] = QStringLiteral("Page %1%2").arg(g).arg(p);
            }
        }
        hotKeys = new TFormHotKey(form.get());
        buttons = new TButtonList(form.get());
        cued = new TfrmCustomCuedButtons(form.get());
    }

    void Put(int g, int p, int b, const QString& caption, const QString& hotKey = QString())
    {
        board.ButtonCaption[g][p][b] = caption;
        board.ButtonFile[g][p][b] = sound;
        board.ButtonHotKey[g][p][b] = hotKey;
    }

    static QStringList Column(const TStringGrid* grid, int col)
    {
        QStringList cells;
        for (int row = 1; row < grid->RowCount(); ++row) {
            cells << grid->Cell(col, row);
        }
        return cells;
    }

    TFormHotKey* hotKeys = nullptr;
    TButtonList* buttons = nullptr;
    TfrmCustomCuedButtons* cued = nullptr;
};

TEST_F(ListWindowsTest, HotKeyListHasItsTwoFixedRowsOnABoardWithoutHotKeys)
{
    Put(1, 1, 1, QStringLiteral("Horn"));
    ASSERT_TRUE(hotKeys->Prepare());
    EXPECT_EQ(hotKeys->CountLabel->text(), QStringLiteral("2 Hot Keys Found"));
    EXPECT_EQ(Column(hotKeys->Grid, 1), (QStringList{"P", "Space Bar"}));
    EXPECT_EQ(Column(hotKeys->Grid, 4), (QStringList{"<Pause> Button", "<Stop> Button"}));
    EXPECT_EQ(Column(hotKeys->Grid, 0), (QStringList{"#1", "#2"}));
    EXPECT_EQ(hotKeys->windowTitle(), QStringLiteral("Hot Key List in Group/Page Sequence"));
}

TEST_F(ListWindowsTest, HotKeyListSortsByKeyTextAndByCaption)
{
    Put(1, 1, 1, QStringLiteral("zebra"), QStringLiteral("2Q"));
    Put(1, 2, 4, QStringLiteral("Anthem"), QStringLiteral("0F5"));
    Put(2, 1, 9, QStringLiteral("bell"), QStringLiteral("1A"));
    Put(2, 2, 3, QStringLiteral("BELL"), QStringLiteral("37"));
    ASSERT_TRUE(hotKeys->Prepare());
    EXPECT_EQ(Column(hotKeys->Grid, 1),
              (QStringList{"P", "Space Bar", "Ctrl + Q", "F5", "Alt + A", "Ctrl + Alt + 7"}));
    EXPECT_EQ(Column(hotKeys->Grid, 2), (QStringList{"", "", "A", "A", "B", "B"}));

    hotKeys->HotKeySeqButtonClick();
    EXPECT_EQ(hotKeys->windowTitle(), QStringLiteral("Hot Key List in Hot Key Sequence"));
    EXPECT_EQ(FaceOf(hotKeys->HotKeySeqButton), clInfoBk);
    EXPECT_EQ(FaceOf(hotKeys->GroupPageSeqButton), clBtnFace);
    // By character code, case-sensitive: "A" < "C" < "F" < "P" < "S".
    EXPECT_EQ(Column(hotKeys->Grid, 1),
              (QStringList{"Alt + A", "Ctrl + Alt + 7", "Ctrl + Q", "F5", "P", "Space Bar"}));
    EXPECT_EQ(Column(hotKeys->Grid, 0), (QStringList{"#1", "#2", "#3", "#4", "#5", "#6"}));

    hotKeys->SoundSeqButtonClick();
    EXPECT_EQ(hotKeys->windowTitle(), QStringLiteral("Hot Key List in Sound Button Sequence"));
    // Upper-cased captions: "<PAUSE>", "<STOP>" sort first; "bell" and "BELL" tie and keep their order.
    EXPECT_EQ(Column(hotKeys->Grid, 4),
              (QStringList{"<Pause> Button", "<Stop> Button", "Anthem", "bell", "BELL", "zebra"}));
}

TEST_F(ListWindowsTest, SoundButtonListSortsStablyWithoutLocaleAndListsOnlyNamedPages)
{
    Put(1, 1, 1, QStringLiteral("bell"));
    Put(1, 1, 2, QStringLiteral("Zed"));
    Put(1, 2, 1, QStringLiteral("BELL"));
    Put(2, 1, 1, QStringLiteral("apple"));
    Put(2, 1, 5, QStringLiteral("bell"));
    Put(2, 2, 1, QStringLiteral("_under"));
    Put(3, 1, 1, QStringLiteral("On an unnamed page"));
    buttons->FileExists = [](const QString&) { return true; };
    ASSERT_TRUE(buttons->Prepare());
    EXPECT_EQ(buttons->CountLabel->text(), QStringLiteral("6 Sound Buttons Found"));
    EXPECT_EQ(buttons->Grid->ColCount(), 9);
    for (int col = 0; col < buttons->Grid->ColCount(); ++col) {
        EXPECT_GE(buttons->Grid->columnWidth(col), buttons->Grid->horizontalHeader()->sectionSizeHint(col))
            << col;
    }
    EXPECT_EQ(Column(buttons->Grid, 4), (QStringList{"bell", "Zed", "BELL", "apple", "bell", "_under"}));

    buttons->SoundSeqButtonClick();
    EXPECT_EQ(buttons->windowTitle(), QStringLiteral("Sound Button List in Sound Button Sequence"));
    // Character codes: "A" < "B" < "Z" < "_"; equal keys keep their group/page order.
    EXPECT_EQ(Column(buttons->Grid, 4), (QStringList{"apple", "bell", "BELL", "bell", "Zed", "_under"}));
    EXPECT_EQ(Column(buttons->Grid, 2), (QStringList{"B", "A", "A", "B", "A", "B"}));
    EXPECT_TRUE(buttons->CloseButton->isEnabled());
    EXPECT_FALSE(buttons->Busy());

    buttons->GroupPageSeqButtonClick();
    EXPECT_EQ(Column(buttons->Grid, 4).first(), QStringLiteral("bell"));
}

TEST_F(ListWindowsTest, DoubleClickedRowPlaysThatButtonAfterItsPageIsShown)
{
    Put(2, 2, 7, QStringLiteral("Siren"));
    Put(1, 1, 1, QStringLiteral("Horn"));
    windows.ButtonList = [this] {
        buttons->Prepare();
        buttons->Grid->SelectRow(2);
        buttons->ButtonGridDblClick();
        return buttons->result();
    };
    form->ListSoundButtons1->trigger();
    EXPECT_EQ(selection.CurrentGroup, 2);
    EXPECT_EQ(selection.CurrentPage, 2);
    EXPECT_EQ(board.ButtonState[2][2][7], bstPlaying);
}

TEST_F(ListWindowsTest, CloseAndEscPlayNothingEvenAfterTheArrowsMovedTheSelection)
{
    Put(1, 2, 7, QStringLiteral("Siren"));
    Put(1, 1, 1, QStringLiteral("Horn"));
    windows.ButtonList = [this] {
        buttons->Prepare();
        buttons->Grid->setFocus();
        buttons->Grid->SelectRow(1);
        QTest::keyClick(buttons->Grid, Qt::Key_Down);
        EXPECT_EQ(selection.ListTargetButton, 7);
        QTest::keyClick(buttons, Qt::Key_Escape);
        return buttons->result();
    };
    form->ListSoundButtons1->trigger();
    EXPECT_EQ(buttons->result(), 2);
    EXPECT_EQ(selection.ListTargetButton, 0);
    EXPECT_FALSE(form->Playing);

    windows.ButtonList = [this] {
        buttons->Prepare();
        buttons->Grid->SelectRow(2);
        buttons->ButtonGridKeyUp();
        buttons->CloseButtonClick();
        return buttons->result();
    };
    form->ListSoundButtons1->trigger();
    EXPECT_EQ(buttons->result(), 1);
    EXPECT_FALSE(form->Playing);
}

TEST_F(ListWindowsTest, VerifySetsMissingFilesToEightAndBackToSix)
{
    Put(1, 1, 1, QStringLiteral("Present"));
    Put(1, 1, 2, QStringLiteral("Gone"));
    board.ButtonFile[1][1][2] = folder + QStringLiteral("gone.wav");
    Put(1, 1, 3, QStringLiteral("Was missing"));
    board.ButtonState[1][1][3] = bstFileMissing;
    Put(1, 1, 4, QStringLiteral("Marker"));
    board.ButtonFile[1][1][4] = QString();
    board.ButtonState[1][1][4] = bstPlaceMarker;
    int shown = 0;
    windows.ButtonList = [this, &shown] {
        if (!buttons->Prepare()) {
            return 0;
        }
        ++shown;
        buttons->CloseButtonClick();
        return buttons->result();
    };
    form->VerifySoundButtons1->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(buttons->windowTitle(), QStringLiteral("Invalid Sound Buttons"));
    EXPECT_EQ(buttons->CountLabel->text(), QStringLiteral("1 Invalid Sound Buttons Found"));
    EXPECT_EQ(buttons->Grid->ColCount(), 8);
    EXPECT_EQ(Column(buttons->Grid, 3), (QStringList{"Gone"}));
    EXPECT_EQ(Column(buttons->Grid, 7), (QStringList{"2"}));
    EXPECT_FALSE(AsPushButton(buttons->SoundSeqButton)->isVisibleTo(buttons));
    EXPECT_EQ(board.ButtonState[1][1][2], bstFileMissing);
    EXPECT_EQ(board.ButtonState[1][1][3], bstNeutral);
    EXPECT_EQ(board.ButtonState[1][1][4], bstPlaceMarker);
    EXPECT_FALSE(form->ButtonListInvalidMode);

    ASSERT_TRUE(WriteSilentWav(folder + QStringLiteral("gone.wav"), 100));
    form->VerifySoundButtons1->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(dialogs.Texts().last(), QStringLiteral("All Sound Buttons Valid"));
    EXPECT_EQ(board.ButtonState[1][1][2], bstNeutral);
}

TEST_F(ListWindowsTest, CustomCuedListHasNoRowLimit)
{
    EXPECT_FALSE(cued->Prepare());
    EXPECT_EQ(dialogs.Texts(), (QStringList{"NO Custom Cued Buttons Found"}));
    int count = 0;
    for (int g = 1; g <= 2; ++g) {
        for (int p = 1; p <= 2; ++p) {
            for (int b = 1; b <= ButtonCount; ++b) {
                Put(g, p, b, QStringLiteral("Cued %1").arg(++count, 3, 10, QLatin1Char('0')));
                board.ButtonCustomCue[g][p][b] = QStringLiteral("Y");
            }
        }
    }
    // More than the 200 rows a fixed table would hold.
    for (int p = 3; p <= 4; ++p) {
        board.PageName[1][p] = QStringLiteral("More");
        for (int b = 1; b <= 20; ++b) {
            Put(1, p, b, QStringLiteral("Extra"));
            board.ButtonCustomCue[1][p][b] = QStringLiteral("Y");
            ++count;
        }
    }
    ASSERT_TRUE(cued->Prepare());
    EXPECT_EQ(count, 232);
    EXPECT_EQ(cued->CountLabel->text(), QStringLiteral("232 Custom Cue Buttons Found"));
    EXPECT_EQ(cued->Grid->RowCount(), 233);
    EXPECT_EQ(cued->Grid->Cell(0, 232), QStringLiteral("#232"));

    // The window keeps the order chosen last for the next list.
    cued->SoundSeqButtonClick();
    cued->CustomCueOKButtonClick();
    EXPECT_EQ(cued->result(), 1);
    board.ButtonCaption[1][1][1] = QStringLiteral("AAA first");
    ASSERT_TRUE(cued->Prepare());
    EXPECT_EQ(cued->windowTitle(), QStringLiteral("Custom Cued Buttons List in Sound Button Sequence"));
    EXPECT_EQ(cued->Grid->Cell(4, 1), QStringLiteral("AAA first"));
}

TEST_F(ListWindowsTest, EmptyBoardSaysNoSoundButtonsFound)
{
    int shown = 0;
    windows.ButtonList = [this, &shown] {
        shown += buttons->Prepare() ? 1 : 0;
        return 0;
    };
    form->ListSoundButtons1->trigger();
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(dialogs.Texts(), (QStringList{"NO Sound Buttons Found"}));
}

namespace {

// The hot-key list with its busy state reachable, standing in for a sort still running.
class BusyHotKeyList : public TFormHotKey
{
public:
    using ListWindow::BeginBusy;
    using ListWindow::EndBusy;
    using TFormHotKey::TFormHotKey;
};

} // namespace

TEST_F(ListWindowsTest, ClosingWhileASortRunsIsIgnoredUntilItEnds)
{
    auto* window = new BusyHotKeyList(form.get());
    window->Prepare();
    window->show();
    window->setResult(0);
    window->BeginBusy();
    QTest::keyClick(window, Qt::Key_Escape);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->result(), 0);
    window->EndBusy();
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), 2);
}

TEST_F(ListWindowsTest, TheReleaseOfEscChoosesNoRow)
{
    Put(1, 2, 7, QStringLiteral("Siren"));
    buttons->FileExists = [](const QString&) { return true; };
    ASSERT_TRUE(buttons->Prepare());
    buttons->Grid->setFocus();
    buttons->Grid->SelectRow(1);
    QTest::keyPress(buttons->Grid, Qt::Key_Escape);
    EXPECT_EQ(selection.ListTargetButton, 0);
    QTest::keyRelease(buttons->Grid, Qt::Key_Escape);
    EXPECT_EQ(selection.ListTargetButton, 0);
    QTest::keyRelease(buttons->Grid, Qt::Key_Up);
    EXPECT_EQ(selection.ListTargetButton, 7);
}
