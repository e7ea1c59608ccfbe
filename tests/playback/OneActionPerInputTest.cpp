// One key release is one action wherever the keyboard focus stands, the bars hand the focus back,
// and a click on any part of a slot is one click of that slot.
#include "RealMainWindowFixture.h"

#include "board/Selection.h"
#include "controls/ClickLabel.h"

#include <QMenu>

class OneActionPerInput : public RealMainWindow
{
protected:
    QByteArray MoreSlots() const override
    {
        return QStringLiteral(
                   "c5=Gone\r\ns5=%1nothere.wav\r\nt5=00:01\r\nv5=80\r\nL5=L\r\nci5=Y\r\nh5=0G\r\n")
            .arg(folder)
            .toUtf8();
    }

    QByteArray MorePages() const override
    {
        QByteArray pages;
        for (const char* section : {"Page2", "Page3", "PageB1", "PageC1"}) {
            pages += QByteArray("[") + section + "]\r\nPageName=" + section +
                     "\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\nPageColor=clBlack\r\n\r\n";
        }
        return pages;
    }

    void ShowActive()
    {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get(), 2000));
    }

    int NotFoundBoxes() const
    {
        return static_cast<int>(dialogs.Texts().count(QStringLiteral("Sound File Not Found")));
    }

    QWidget* Child(const QString& name) const { return form->findChild<QWidget*>(name); }
};

TEST_F(OneActionPerInput, TheFirstKeyAfterTheWindowShowsActsOnce)
{
    ShowActive();
    ASSERT_EQ(selection.CurrentGroup, 1);
    Key(Qt::Key_Home);
    EXPECT_EQ(selection.CurrentGroup, 2);
    Key(Qt::Key_End);
    EXPECT_EQ(selection.CurrentGroup, 1);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(selection.CurrentPage, 2);
}

TEST_F(OneActionPerInput, AKeyActsOnceWhereverTheFocusIs)
{
    ShowActive();
    // A control deep inside the slot area and the focus button itself.
    form->ButtonMemos[7]->setFocusPolicy(Qt::StrongFocus);
    const int expectedPages[] = {2, 3, 1, 2};
    int step = 0;
    for (QWidget* holder :
         std::initializer_list<QWidget*>{form->ButtonMemos[7], static_cast<QWidget*>(form->DummyButton),
                                         form->ButtonMemos[7], static_cast<QWidget*>(form->DummyButton)}) {
        holder->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), holder);
        Key(Qt::Key_PageDown);
        EXPECT_EQ(selection.CurrentPage, expectedPages[step]) << "step " << step;
        ++step;
    }
    // A key press is previewed once too: numpad plus raises the master volume by one step.
    form->ButtonMemos[7]->setFocus(Qt::OtherFocusReason);
    const int volume = form->VolumeControl->Value();
    ASSERT_LT(volume, 99);
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(form->VolumeControl->Value(), volume + 1);
}

TEST_F(OneActionPerInput, TheBarsGiveTheFocusBackAndKeysDoNotMoveThem)
{
    ShowActive();
    for (TzSlideBar* bar : {form->VolumeControl, form->AdvanceBar}) {
        bar->setFocus(Qt::OtherFocusReason);
        EXPECT_EQ(QApplication::focusWidget(), form->DummyButton) << bar->objectName().toStdString();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() / 3, bar->height() / 2));
        EXPECT_EQ(QApplication::focusWidget(), form->DummyButton) << bar->objectName().toStdString();
    }
    const int volume = form->VolumeControl->Value();
    const int progress = form->AdvanceBar->Value();
    const int page = selection.CurrentPage;
    ASSERT_LT(volume, 100);
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(form->VolumeControl->Value(), volume + 1);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(selection.CurrentPage, page == 3 ? 1 : page + 1);
    EXPECT_EQ(form->AdvanceBar->Value(), progress);
    EXPECT_EQ(form->VolumeControl->Value(), volume + 1);
}

TEST_F(OneActionPerInput, AClickOnAnyPartOfASlotIsOneClick)
{
    ShowActive();
    const QStringList parts = {"Button5", "Panel5", "Memo5", "TimeLabel5", "KL5", "VL5", "LL5", "cl5"};
    for (const QString& name : parts) {
        QWidget* part = Child(name);
        ASSERT_NE(part, nullptr) << name.toStdString();
        part->setVisible(true);
        const int before = NotFoundBoxes();
        QTest::mouseClick(part, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        EXPECT_EQ(NotFoundBoxes(), before + 1) << name.toStdString();
    }
}

TEST_F(OneActionPerInput, WithPlayStopStopASecondClickOnAnotherPartStopsTheSound)
{
    ShowActive();
    settings.PlayStop = QStringLiteral("STOP");
    QTest::mouseClick(form->ButtonMemos[2], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_TRUE(form->Playing);
    EXPECT_EQ(board.ButtonState[1][1][2], bstPlaying);
    QTest::mouseClick(form->TimeLabels[2], Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_FALSE(form->Playing);
    EXPECT_EQ(board.ButtonState[1][1][2], bstPlayed);
    QTest::mouseClick(form->ButtonPanels[2], Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_TRUE(form->Playing);
}

TEST_F(OneActionPerInput, ShowingAnotherPageEndsManualControl)
{
    ShowActive();
    Key(Qt::Key_Left);
    ASSERT_TRUE(state.ManualControlMode);
    ASSERT_TRUE(form->ManualControl);
    Key(Qt::Key_PageDown);
    ASSERT_EQ(selection.CurrentPage, 2);
    EXPECT_FALSE(state.ManualControlMode);
    EXPECT_FALSE(form->ManualControl);
    // Page 1 is a play-list page: Space now starts the play list, not the old cursor's slot.
    QTest::mouseClick(Mode(form->PageButtons[1]), Qt::LeftButton);
    ASSERT_EQ(selection.CurrentPage, 1);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    ASSERT_TRUE(state.ManualControlMode);
    ASSERT_EQ(state.ManualControlButton, 2);
    QTest::mouseClick(Mode(form->PageButtons[1]), Qt::LeftButton);
    Key(Qt::Key_Space);
    EXPECT_EQ(selection.PlayingButton, 1);
    EXPECT_FALSE(state.ManualControlMode);
}

TEST_F(OneActionPerInput, KeysForAnOpenMenuDoNotActOnTheBoard)
{
    ShowActive();
    // The window system may hand the keys of an open menu to the main window (when the menu gets
    // no keyboard grab); they choose a menu item and must not move the cursor or the page.
    QMenu menu(form.get());
    menu.addAction(QStringLiteral("First"));
    menu.addAction(QStringLiteral("Second"));
    menu.popup(form->mapToGlobal(QPoint(200, 200)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu, 2000));
    ASSERT_EQ(QApplication::activePopupWidget(), &menu);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_PageDown);
    EXPECT_FALSE(state.ManualControlMode);
    EXPECT_EQ(selection.CurrentPage, 1);
    EXPECT_EQ(menu.activeAction(), menu.actions().at(1));
    menu.close();
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(selection.CurrentPage, 2);
}
