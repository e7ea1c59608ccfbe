// The program as main() builds it: the arranging commands run from the right-click menu items by
// name, the page editor and place-marker hooks are set, and a sound that really plays (a channel
// of the engine on its manual clock) is neither cut, swapped nor dragged away.
#include "AppTestOptions.h"
#include "app/RallyboxApp.h"

#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "controls/ColorPanel.h"
#include "editing/BoardArranging.h"
#include "editing/BoardEditing.h"
#include "editing/TestWavFile.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Whether anything beyond the menus holding the item (each connects to it) listens to its
// triggered signal. QObject counts receivers for its subclasses only; a pointer to the member,
// taken through one, asks any object.
struct MenuItemProbe : QObject
{
    static bool HasHandler(const QAction& item)
    {
        constexpr auto receiversOf = &MenuItemProbe::receivers;
        return (item.*receiversOf)(SIGNAL(triggered(bool))) > item.associatedObjects().size();
    }
};

class AppArrangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString folder = dir.path() + QStringLiteral("/");
        const QString sound = folder + QStringLiteral("horn.wav");
        ASSERT_TRUE(WriteSilentWav(sound, 44100 * 3));
        const QString setPath = folder + QStringLiteral("Game.set");
        QFile file(setPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Page1]\r\nPageName=Warmup\r\nc2=Horn\r\ns2=" + sound.toUtf8() +
                   "\r\nt2=00:03\r\nc3=Drum\r\ns3=" + sound.toUtf8() + "\r\nt3=00:03\r\n\r\n");
        file.close();
        RallyboxOptions options = ManualClockAppOptions(folder, {setPath}, dialogs, clock);
        app = std::make_unique<RallyboxApp>(std::move(options));
        dialogs.Reset();
    }

    void TearDown() override
    {
        app.reset();
        BASS_Free();
    }

    void Target(int g, int p, int b)
    {
        app->selection.PopupGroup = g;
        app->selection.PopupPage = p;
        app->selection.PopupButton = b;
    }

    QStringList Boxes() const
    {
        QStringList texts;
        for (const ScriptedDialogs::Call& call : dialogs.Calls()) {
            if (call.kind == ScriptedDialogs::Kind::MessageDlg) {
                texts.append(call.text);
            }
        }
        return texts;
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::unique_ptr<RallyboxApp> app;
};

} // namespace

TEST_F(AppArrangeTest, MenuItemsRunTheArrangingCommandsAndTheWindowsHaveTheirHooks)
{
    TForm1& form = *app->Form1;
    EXPECT_EQ(&form.Windows(), static_cast<MainFormWindows*>(app.get()));
    for (const char* item : {"SoundCopy", "SoundCut", "SoundPaste", "PageCopy", "PageCut", "PagePaste",
                             "CopyCue", "PageAlphabetize", "PageCompress", "PageButtonDragModeOnOff",
                             "SetButtonColor1", "CaptureButtonColor1", "SetButtonColor2",
                             "CaptureButtonColor2", "ChangeSoundFonts1", "PopupPageChangeFont"}) {
        ASSERT_NE(form.MenuItem(QString::fromLatin1(item)), nullptr) << item;
    }
    Target(1, 1, 2);
    form.MenuItem(QStringLiteral("SoundCopy"))->trigger();
    EXPECT_TRUE(app->clipboards.SoundClipboardFull);
    EXPECT_EQ(app->clipboards.SoundClipboardCaption, QStringLiteral("Horn"));

    Target(1, 1, 0);
    form.MenuItem(QStringLiteral("PageButtonDragModeOnOff"))->trigger();
    EXPECT_TRUE(form.ButtonDragMode);
    QTest::mouseClick(AsPushButton(form.ButtonDragButton), Qt::LeftButton);
    EXPECT_FALSE(form.ButtonDragMode);
    ASSERT_NE(app->arranging, nullptr);
    EXPECT_EQ(app->arranging->C1->parent(), static_cast<QObject*>(form.Edit1));
}

TEST_F(AppArrangeTest, EveryMenuItemOfTheAssembledProgramReachesACommand)
{
    TForm1& form = *app->Form1;
    QStringList unreached;
    // The right-click menus' items run the command registered under their name.
    for (QMenu* menu : {form.PopupMenuSound, form.PopupMenuPage}) {
        for (QAction* item : menu->actions()) {
            if (!item->isSeparator() && !form.HasMenuCommand(item->objectName())) {
                unreached << menu->objectName() + "/" + item->objectName();
            }
        }
    }
    // The main menus' items (and their submenus') are connected to their handlers.
    QList<QMenu*> menus;
    for (QAction* top : form.menuBar()->actions()) {
        menus << top->menu();
    }
    while (!menus.isEmpty()) {
        QMenu* menu = menus.takeFirst();
        for (QAction* item : menu->actions()) {
            if (item->menu() != nullptr) {
                menus << item->menu();
            } else if (!item->isSeparator() && !MenuItemProbe::HasHandler(*item)) {
                unreached << menu->title() + "/" + item->text();
            }
        }
    }
    EXPECT_TRUE(unreached.isEmpty()) << unreached.join(", ").toStdString();
}

TEST_F(AppArrangeTest, ASoundThatPlaysIsNeitherCutNorSwapped)
{
    TForm1& form = *app->Form1;
    QTest::mouseClick(AsPushButton(form.SoundButtons[2]), Qt::LeftButton);
    ASSERT_EQ(app->board.ButtonState[1][1][2], bstPlaying);
    ASSERT_TRUE(form.Windows().IsAddressPlaying(1, 1, 2));
    EXPECT_FALSE(form.Windows().IsAddressPlaying(1, 1, 3));

    Target(1, 1, 2);
    form.MenuItem(QStringLiteral("SoundCut"))->trigger();
    EXPECT_EQ(app->board.ButtonCaption[1][1][2], QStringLiteral("Horn"));
    EXPECT_EQ(Boxes(), QStringList{BoardEditing::SoundPlayingRefusal});

    QTest::mouseClick(AsPushButton(form.ButtonDragButton), Qt::LeftButton);
    app->arranging->DragDrop->Form1HandleDrag({DragRole::Slot, 3}, {DragRole::Slot, 2});
    EXPECT_EQ(app->board.ButtonCaption[1][1][2], QStringLiteral("Horn"));
    EXPECT_EQ(app->board.ButtonCaption[1][1][3], QStringLiteral("Drum"));
    QTest::mouseClick(AsPushButton(form.ButtonDragButton), Qt::LeftButton);

    QTest::mouseClick(AsPushButton(form.StopPlayButton), Qt::LeftButton);
    ASSERT_FALSE(form.Windows().IsAddressPlaying(1, 1, 2));
    form.MenuItem(QStringLiteral("SoundCut"))->trigger();
    EXPECT_TRUE(Board::IsBlank(app->board.ButtonCaption[1][1][2]));
    EXPECT_EQ(form.ButtonPanels[2]->Color(), clTeal);
}
