// The hot-key picker of the real editor window: opening on a button's key, the used-key tables,
// the modifier toggles, taking a key from another button, and Cancel, Esc and OK after it.
#include "EditorFixture.h"

#include <QEvent>

namespace {

class PickerTest : public EditorFixture
{
};

const QStringList MenuInitials = {"F", "E", "S", "T", "L", "H"};

} // namespace

TEST_F(PickerTest, OpeningOnCtrlKShowsTheKeyWithCtrlAndEveryKeyDisabled)
{
    Fill(1, 2, 5, QStringLiteral("Goal"), QStringLiteral("2K"));
    Fill(3, 7, 1, QStringLiteral("Horn"), QStringLiteral("2Q"));
    Fill(3, 7, 2, QStringLiteral("Organ"), QStringLiteral("0Q"));
    OpenOn(1, 2, 5);

    EXPECT_EQ(editor->HotKeyText->text(), QStringLiteral("K"));
    EXPECT_FALSE(editor->CtrlLabel->isHidden());
    EXPECT_TRUE(editor->AltLabel->isHidden());
    EXPECT_EQ(FaceOf(editor->HKCtrl), clRed);
    EXPECT_EQ(FaceOf(editor->HKAlt), clBtnFace);
    for (int slot = 1; slot <= HotKeySlotCount; ++slot) {
        EXPECT_FALSE(AsPushButton(editor->KeyButton(slot))->isEnabled()) << slot;
    }
    // Its own use counts, and the Ctrl table shows the other Ctrl key but not the plain one.
    EXPECT_EQ(KeyColor("K"), clRed);
    EXPECT_EQ(KeyColor("Q"), clRed);
    EXPECT_EQ(KeyColor("A"), clBtnFace);
    EXPECT_EQ(editor->HotKeyUsed[TFormChangeSoundButton::TableCtrl][HotKeySlotOfKey("K")],
              QStringLiteral("Y"));
    EXPECT_EQ(editor->HotKeyUsed[TFormChangeSoundButton::TableNone][HotKeySlotOfKey("Q")],
              QStringLiteral("Y"));
    EXPECT_TRUE(editor->HotKeyUsed[TFormChangeSoundButton::TableAlt][HotKeySlotOfKey("Q")].isEmpty());
}

TEST_F(PickerTest, TablesLeaveOutTheCueKeysOutsideTheFortySevenAndBlankCodes)
{
    Fill(1, 1, 1, QStringLiteral("Plain"), QStringLiteral("3F12"));
    Fill(2, 18, 48, QStringLiteral("Last"), QStringLiteral("10"));
    Fill(CueGroup, CuePage, 3, QStringLiteral("Cued"), QStringLiteral("2Z"));
    Fill(1, 1, 2, QStringLiteral("Pee"), QStringLiteral("2P"));
    Fill(1, 1, 3, QStringLiteral("Blank"), QStringLiteral("   "));
    OpenOn(5, 1, 1);

    const auto& used = editor->HotKeyUsed;
    EXPECT_EQ(used[TFormChangeSoundButton::TableCtrlAlt][12], QStringLiteral("Y"));
    EXPECT_EQ(used[TFormChangeSoundButton::TableAlt][22], QStringLiteral("Y"));
    int marked = 0;
    for (const auto& table : used) {
        for (const QString& entry : table) {
            marked += entry == QLatin1String("Y") ? 1 : 0;
        }
    }
    EXPECT_EQ(marked, 2);
    // The button of blanks has no hot key: its picker opens free.
    editor->done(mrCancel);
    OpenOn(1, 1, 3);
    EXPECT_TRUE(editor->HotKeyText->text().isEmpty());
    EXPECT_TRUE(Key("A")->isEnabled());
}

TEST_F(PickerTest, AltAloneWithholdsTheMenuInitialsWhileCtrlAndAltOfferThem)
{
    Fill(1, 1, 2, QStringLiteral("Alt7"), QStringLiteral("17"));
    OpenOn(1, 1, 1);
    for (int slot = 1; slot <= HotKeySlotCount; ++slot) {
        EXPECT_EQ(AsPushButton(editor->KeyButton(slot))->isEnabled(), slot != 10) << slot;
    }
    EXPECT_EQ(KeyColor("7"), clBtnFace);

    Click(AsPushButton(editor->HKAlt));
    EXPECT_FALSE(editor->AltLabel->isHidden());
    EXPECT_EQ(KeyColor("7"), clRed);
    for (const QString& letter : MenuInitials) {
        EXPECT_FALSE(Key(letter)->isEnabled()) << letter.toStdString();
    }
    EXPECT_TRUE(Key("G")->isEnabled());

    Click(AsPushButton(editor->HKCtrl));
    EXPECT_FALSE(editor->CtrlLabel->isHidden());
    EXPECT_EQ(KeyColor("7"), clBtnFace);
    for (const QString& letter : MenuInitials) {
        EXPECT_TRUE(Key(letter)->isEnabled()) << letter.toStdString();
    }
    ClickKey("F");
    Click(editor->OKButton);
    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_EQ(board.ButtonHotKey[1][1][1], QStringLiteral("3F"));
    EXPECT_EQ(view.at(1).hotKeyMarker, QStringLiteral("caF"));
    EXPECT_EQ(view.at(1).hotKeyHint, QStringLiteral("Ctrl + Alt + F"));
}

TEST_F(PickerTest, AChosenKeyDisablesThePickerUntilRemoveHotKey)
{
    OpenOn(1, 1, 1);
    ClickKey("G");
    EXPECT_EQ(editor->HotKeyText->text(), QStringLiteral("G"));
    EXPECT_EQ(KeyColor("G"), clRed);
    EXPECT_FALSE(Key("A")->isEnabled());
    // The toggles change neither the labels nor the keys while a key is chosen.
    Click(AsPushButton(editor->HKCtrl));
    EXPECT_TRUE(editor->CtrlLabel->isHidden());
    EXPECT_FALSE(Key("A")->isEnabled());

    Click(editor->RemoveHotKeyButton);
    EXPECT_TRUE(editor->HotKeyText->text().isEmpty());
    EXPECT_EQ(FaceOf(editor->HKCtrl), clBtnFace);
    EXPECT_EQ(KeyColor("G"), clBtnFace);
    EXPECT_TRUE(Key("A")->isEnabled());
    EXPECT_FALSE(Key("F10")->isEnabled());
}

TEST_F(PickerTest, RemoveHotKeyShowsTheKeysUsedWithoutModifier)
{
    Fill(1, 1, 1, QStringLiteral("Mine"), QStringLiteral("2K"));
    Fill(1, 1, 2, QStringLiteral("Other"), QStringLiteral("0J"));
    Fill(1, 1, 3, QStringLiteral("Ctrl"), QStringLiteral("2J"));
    OpenOn(1, 1, 1);
    EXPECT_EQ(KeyColor("J"), clRed); // Ctrl + J
    Click(editor->RemoveHotKeyButton);
    EXPECT_EQ(KeyColor("J"), clRed); // plain J
    EXPECT_EQ(KeyColor("K"), clBtnFace);

    // A used key asks before it is taken, so OK never moves a key silently.
    dialogs.QueueResult(mrNo);
    ClickKey("J");
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_TRUE(editor->HotKeyText->text().isEmpty());
    EXPECT_EQ(board.ButtonHotKey[1][1][2], QStringLiteral("0J"));
}

TEST_F(PickerTest, TakingARedKeyAsksAndNoChangesNothing)
{
    Fill(2, 4, 9, QStringLiteral("Owner"), QStringLiteral("0B"));
    OpenOn(1, 1, 1);
    ASSERT_EQ(KeyColor("B"), clRed);
    dialogs.QueueResult(mrNo);
    ClickKey("B");
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("This Hot Key is already assigned to another sound!\r \r"
                             "Do you want to override this assignment?"));
    EXPECT_EQ(dialogs.Calls()[0].type, mtWarning);
    EXPECT_EQ(dialogs.Calls()[0].buttons, static_cast<TMsgDlgButtons>(mbYesNo));
    EXPECT_EQ(board.ButtonHotKey[2][4][9], QStringLiteral("0B"));
    EXPECT_TRUE(editor->HotKeyText->text().isEmpty());
    EXPECT_TRUE(Key("A")->isEnabled());
}

TEST_F(PickerTest, YesTakesTheKeyAtOnceAndCancelGivesItBack)
{
    Fill(2, 4, 9, QStringLiteral("Owner"), QStringLiteral("0B"));
    OpenOn(1, 1, 1);
    dialogs.QueueResult(mrYes);
    ClickKey("B");
    EXPECT_TRUE(board.ButtonHotKey[2][4][9].isEmpty());
    EXPECT_EQ(editor->HotKeyOwnerCode, QStringLiteral("0B"));
    EXPECT_EQ(editor->HotKeyOwnerGroup, 2);
    EXPECT_EQ(editor->HotKeyOwnerPage, 4);
    EXPECT_EQ(editor->HotKeyOwnerButton, 9);
    EXPECT_EQ(editor->HotKeyText->text(), QStringLiteral("B"));

    Click(editor->CancelButton);
    EXPECT_EQ(editor->result(), mrCancel);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(board.ButtonHotKey[2][4][9], QStringLiteral("0B"));
    EXPECT_FALSE(HasHotKey(board.ButtonHotKey[1][1][1]));
    EXPECT_FALSE(board.BoardChanged);
}

TEST_F(PickerTest, EscAfterTakingAKeyGivesTwoWithoutTheRestore)
{
    Fill(2, 4, 9, QStringLiteral("Owner"), QStringLiteral("0B"));
    OpenOn(1, 1, 1);
    dialogs.QueueResult(mrYes);
    ClickKey("B");
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    EXPECT_EQ(editor->result(), mrCancel);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(board.ButtonHotKey[2][4][9].isEmpty());
}

TEST_F(PickerTest, CancelGivesBackOnlyTheKeyTakenInThisOpening)
{
    Fill(2, 4, 9, QStringLiteral("Owner"), QStringLiteral("0B"));
    OpenOn(1, 1, 1);
    dialogs.QueueResult(mrYes);
    ClickKey("B");
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    ASSERT_TRUE(board.ButtonHotKey[2][4][9].isEmpty());

    OpenOn(1, 1, 2);
    Click(editor->CancelButton);
    EXPECT_EQ(editor->result(), mrCancel);
    EXPECT_TRUE(board.ButtonHotKey[2][4][9].isEmpty());
    EXPECT_FALSE(HasHotKey(board.ButtonHotKey[1][1][2]));
}

TEST_F(PickerTest, OkStoresATakenKeyAndHidesTheOwnersLabelOnThePage)
{
    Fill(1, 1, 9, QStringLiteral("Owner"), QStringLiteral("2B"));
    view.at(9).hotKeyShown = true;
    OpenOn(1, 1, 1);
    Click(AsPushButton(editor->HKCtrl));
    ASSERT_EQ(KeyColor("B"), clRed);
    dialogs.QueueResult(mrYes);
    ClickKey("B");
    Click(editor->OKButton);
    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_EQ(board.ButtonHotKey[1][1][1], QStringLiteral("2B"));
    EXPECT_TRUE(board.ButtonHotKey[1][1][9].isEmpty());
    EXPECT_FALSE(view.at(9).hotKeyShown);
    EXPECT_TRUE(view.at(1).hotKeyShown);
    EXPECT_EQ(view.at(1).hotKeyMarker, QStringLiteral("cB"));
    EXPECT_EQ(view.at(1).hotKeyHint, QStringLiteral("Ctrl + B"));
}

TEST_F(PickerTest, OkMovesAKeyHeldTwiceInTheSameStep)
{
    // Two buttons with the same key, as a hand-edited set file can bring.
    Fill(1, 1, 1, QStringLiteral("Mine"), QStringLiteral("0D"));
    Fill(6, 3, 4, QStringLiteral("Twin"), QStringLiteral("0D"));
    board.ButtonHotKeyInfo[6][3][4] = QStringLiteral("info");
    OpenOn(1, 1, 1);
    Click(editor->OKButton);
    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(board.ButtonHotKey[1][1][1], QStringLiteral("0D"));
    EXPECT_TRUE(board.ButtonHotKey[6][3][4].isEmpty());
    EXPECT_EQ(board.ButtonHotKeyInfo[6][3][4], QStringLiteral("info"));
}

TEST_F(PickerTest, TheReservedPauseKeyIsRefusedAndTheEditorStaysOpen)
{
    Fill(1, 1, 1, QStringLiteral("Pause"), QStringLiteral("0P"));
    OpenOn(1, 1, 1);
    EXPECT_EQ(editor->HotKeyText->text(), QStringLiteral("P"));
    editor->MemoCaption->SetText(QStringLiteral("Renamed"));
    Click(editor->OKButton);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("This Hot Key is reserved by the system for the <Pause> button"));
    EXPECT_EQ(dialogs.Calls()[0].type, mtError);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->result(), mrNone);
    // What came before the hot key is stored already.
    EXPECT_EQ(board.ButtonCaption[1][1][1], QStringLiteral("Renamed"));
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_TRUE(view.totalsAsked.empty());

    Click(editor->RemoveHotKeyButton);
    Click(editor->OKButton);
    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_TRUE(board.ButtonHotKey[1][1][1].isEmpty());
}

TEST_F(PickerTest, OnTheCuePageThePickerStaysDisabled)
{
    Fill(CueGroup, CuePage, 2, QStringLiteral("Cued"), QString());
    OpenOn(CueGroup, CuePage, 2);
    EXPECT_FALSE(Key("A")->isEnabled());
    Click(AsPushButton(editor->HKAlt));
    Click(AsPushButton(editor->HKCtrl));
    for (const QString& letter : MenuInitials) {
        EXPECT_FALSE(Key(letter)->isEnabled()) << letter.toStdString();
    }
}

TEST_F(PickerTest, ReactivationKeepsTheChoicesOfThisOpening)
{
    OpenOn(1, 1, 1);
    ClickKey("M");
    dialogs.QueueFileName(QStringLiteral("/music/Walk On.mp3"));
    Click(editor->BrowseButton);
    // A message box or another window closing over the editor activates it again.
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(editor.get(), &deactivate);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(editor.get(), &activate);
    EXPECT_EQ(editor->HotKeyText->text(), QStringLiteral("M"));
    EXPECT_EQ(editor->NewFileName->text(), QStringLiteral("/music/Walk On.mp3"));
}
