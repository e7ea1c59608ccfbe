// The board lock on the Setup dialog's Security tab, across a restart, and what it withdraws from
// the main window.
#include "ToolsFixture.h"

#include "board/OptionsFileText.h"
#include "tools/TFormSetup.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class BoardLockTest : public SetupFixture
{
protected:
    void Enter(const QString& code)
    {
        setup->SecurityCodeEdit->setText(code);
        setup->SecurityButtonClick();
    }

    QString StoredValue() const
    {
        IniFile ini;
        ini.LoadFromFile(folder + QStringLiteral("RBX.inf"));
        return ini.ReadString(QStringLiteral("Main"), QStringLiteral("BufferSize"),
                              QStringLiteral("<missing>"));
    }
};

TEST_F(BoardLockTest, ApplyLocksWritesTheStoredFormAndSurvivesARestart)
{
    EXPECT_EQ(setup->SecurityButton->text(), QStringLiteral("Apply Security Code"));
    EXPECT_TRUE(!setup->UnlockLabel1->isHidden());
    Enter(QStringLiteral("12034560"));
    EXPECT_TRUE(settings.SecurityLocked);
    // Digits 1..9 become 10 - d, zeros stay, the order is reversed.
    EXPECT_EQ(settings.SecurityCodeStored, QStringLiteral("04567089"));
    EXPECT_EQ(SecurityCodeTransform(settings.SecurityCodeStored), QStringLiteral("12034560"));
    EXPECT_EQ(StoredValue(), QStringLiteral("04567089"));
    EXPECT_EQ(setup->SecurityButton->text(), QStringLiteral("Validate Security Code"));
    EXPECT_EQ(setup->SecurityCodeEdit->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(setup->SecurityCodeEdit->text().isEmpty());
    QTest::keyClicks(setup->SecurityCodeEdit, QStringLiteral("123"));
    EXPECT_EQ(setup->SecurityCodeEdit->displayText(), QStringLiteral("***"));
    setup->SecurityCodeEdit->clear();
    EXPECT_TRUE(!setup->LockLabel1->isHidden());
    EXPECT_TRUE(setup->UnlockLabel1->isHidden());
    EXPECT_TRUE(form->LockDownDisplay->isVisibleTo(form.get()));
    for (QAction* item : {form->NewSet1, form->OpenSet1, form->SaveSet1, form->SaveSetAs1}) {
        EXPECT_FALSE(item->isVisible());
    }

    // A fresh run reads the lock back from the options file.
    Settings restarted;
    OptionsFile reader(folder, restarted, *tracer, dialogs);
    reader.ReadOptions();
    EXPECT_TRUE(restarted.SecurityLocked);
    EXPECT_EQ(restarted.SecurityCode, QStringLiteral("12034560"));
}

TEST_F(BoardLockTest, WrongAndShortCodesChangeNothing)
{
    Enter(QStringLiteral("1234567"));
    EXPECT_FALSE(settings.SecurityLocked);
    EXPECT_EQ(dialogs.Calls().back().text, QStringLiteral("The Security Code is not eight digits in length"));
    // Pasted text is checked whole: eight characters that are not all digits are refused.
    Enter(QStringLiteral("1234abcd"));
    EXPECT_FALSE(settings.SecurityLocked);
    EXPECT_EQ(dialogs.Calls().size(), 2u);

    Enter(QStringLiteral("87654321"));
    ASSERT_TRUE(settings.SecurityLocked);
    Enter(QStringLiteral("8765432"));
    EXPECT_EQ(dialogs.Calls().back().text, QStringLiteral("The Security Code is not eight digits in length"));
    Enter(QStringLiteral("87654320"));
    EXPECT_EQ(dialogs.Calls().back().text, QStringLiteral("The Security Code you entered is invalid"));
    EXPECT_TRUE(settings.SecurityLocked);

    Enter(QStringLiteral("87654321"));
    EXPECT_FALSE(settings.SecurityLocked);
    EXPECT_EQ(settings.SecurityCode, QStringLiteral("No Buffer"));
    EXPECT_EQ(StoredValue(), QStringLiteral("No Buffer"));
    EXPECT_EQ(setup->SecurityButton->text(), QStringLiteral("Apply Security Code"));
    EXPECT_EQ(setup->SecurityCodeEdit->echoMode(), QLineEdit::Normal);
    EXPECT_FALSE(form->LockDownDisplay->isVisibleTo(form.get()));
    EXPECT_TRUE(form->SaveSetAs1->isVisible());
}

TEST_F(BoardLockTest, CodeEditTakesDigitsOnly)
{
    setup->SecurityCodeEdit->setFocus();
    QTest::keyClicks(setup->SecurityCodeEdit, QStringLiteral("12a3"));
    EXPECT_EQ(setup->SecurityCodeEdit->text(), QStringLiteral("123"));
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("Invalid key pressed\rOnly numeric keys 0-9 allowed"));
    QTest::keyClick(setup->SecurityCodeEdit, Qt::Key_Backspace);
    EXPECT_EQ(setup->SecurityCodeEdit->text(), QStringLiteral("12"));
}

TEST_F(BoardLockTest, StoredValueThatIsNotEightDigitsStartsUnlockedWithATraceLine)
{
    settings.Tracer = true;
    IniFile ini;
    ini.WriteString(QStringLiteral("Main"), QStringLiteral("BufferSize"), QStringLiteral("1234"));
    ini.WriteString(QStringLiteral("Main"), QStringLiteral("Tracer"), QStringLiteral("YES"));
    Settings restarted;
    OptionsFile reader(folder, restarted, *tracer, dialogs);
    reader.ReadOptions(ini);
    EXPECT_FALSE(restarted.SecurityLocked);
    EXPECT_TRUE(
        TraceText().contains(QStringLiteral("Board lock value is not eight digits - starting unlocked")));
}

TEST_F(BoardLockTest, LockedBoardIgnoresTheToolbarSetFileCommandsAndEditMode)
{
    const QString setName = board.SetFileName;
    Enter(QStringLiteral("11111111"));
    ASSERT_TRUE(settings.SecurityLocked);
    const std::size_t calls = dialogs.Calls().size();
    AsPushButton(form->NewButton)->click();
    AsPushButton(form->OpenButton)->click();
    AsPushButton(form->SaveButton)->click();
    AsPushButton(form->EditButton)->click();
    EXPECT_EQ(dialogs.Calls().size(), calls);
    EXPECT_FALSE(board.EditMode);
    EXPECT_EQ(board.SetFileName, setName);
    EXPECT_EQ(board.PageName[1][1], QStringLiteral("Warmup"));

    // The refused commands show as refused: edit mode and the remove-all items are disabled.
    const std::initializer_list<QAction*> removeAll = {form->RemovaAllHighlights1, form->RemoveAllLoops1,
                                                       form->RemoveAllVolumeSettings1,
                                                       form->RemoveAllHotKeys1, form->RemoveAllLocks1};
    EXPECT_FALSE(AsPushButton(form->EditButton)->isEnabled());
    for (QAction* item : removeAll) {
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    }
    Enter(QStringLiteral("11111111"));
    ASSERT_FALSE(settings.SecurityLocked);
    EXPECT_TRUE(AsPushButton(form->EditButton)->isEnabled());
    for (QAction* item : removeAll) {
        EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
    }

    // Locked in edit mode, the board can still leave it, and then not come back.
    AsPushButton(form->EditButton)->click();
    ASSERT_TRUE(board.EditMode);
    Enter(QStringLiteral("11111111"));
    EXPECT_TRUE(AsPushButton(form->EditButton)->isEnabled());
    AsPushButton(form->EditButton)->click();
    EXPECT_FALSE(board.EditMode);
    EXPECT_FALSE(AsPushButton(form->EditButton)->isEnabled());
}
