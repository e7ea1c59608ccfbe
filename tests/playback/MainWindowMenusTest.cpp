// The playing-sound items of the main window's menus and the now-playing label, on the real window.
#include "RealMainWindowFixture.h"

#include <QAction>

TEST_F(RealMainWindow, StopPauseAndLoopItemsHaveTheirCaptionsAndFollowThePlayingSound)
{
    EXPECT_EQ(form->Stop1->text(), QStringLiteral("Stop"));
    EXPECT_EQ(form->Pause1->text(), QStringLiteral("Pause On/Off"));
    EXPECT_EQ(form->Loop1->text(), QStringLiteral("Loop On/Off"));
    EXPECT_TRUE(form->Loop1->isEnabled());
    EXPECT_TRUE(form->Stop1->isEnabled());
    EXPECT_FALSE(form->Pause1->isEnabled());
    EXPECT_FALSE(form->Label2->isVisibleTo(form.get()));

    Key(Qt::Key_Space);
    ASSERT_TRUE(form->Playing);
    EXPECT_TRUE(form->Stop1->isEnabled());
    EXPECT_TRUE(form->Pause1->isEnabled());
    EXPECT_TRUE(form->Label2->isVisibleTo(form.get()));
    EXPECT_EQ(form->Label2->text(), QStringLiteral("Now Playing:"));

    form->Pause1->trigger();
    EXPECT_TRUE(state.Paused);
    form->Pause1->trigger();
    EXPECT_FALSE(state.Paused);

    form->Stop1->trigger();
    EXPECT_FALSE(form->Playing);
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlayed);
    EXPECT_FALSE(form->Stop1->isEnabled());
    EXPECT_FALSE(form->Pause1->isEnabled());
}

TEST_F(RealMainWindow, TheWindowMenuRepeatsTheLayoutCommands)
{
    ASSERT_NE(form->FormReset1, nullptr);
    ASSERT_NE(form->FormRestore2, nullptr);
    EXPECT_EQ(form->FormReset1->objectName(), QStringLiteral("FormReset1"));
    EXPECT_EQ(form->FormReset1->text(), form->FormReset->text());
    EXPECT_EQ(form->FormRestore2->objectName(), QStringLiteral("FormRestore2"));
    EXPECT_EQ(form->FormRestore2->text(), QStringLiteral("Form Restore to Full Screen"));
    // Both items run the same command: from the same size they leave the same layout.
    form->resize(1200, 800);
    form->FormReset->trigger();
    const QSize reset = form->size();
    const QRect slot = form->ButtonPanels[1]->geometry();
    EXPECT_NE(reset, QSize(1200, 800));
    form->resize(1200, 800);
    form->FormReset1->trigger();
    EXPECT_EQ(form->size(), reset);
    EXPECT_EQ(form->ButtonPanels[1]->geometry(), slot);
}
