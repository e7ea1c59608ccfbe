// The program's windows reached the way the operator reaches them: the EQ/Rev/Temp button, and the
// hooks the right-click menus and the sound-button editor call, each returning its modal result.
#include "AppTestOptions.h"
#include "app/RallyboxApp.h"

#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "board/MainForm.h"
#include "controls/ButtonWithColor.h"
#include "controls/SlideBar.h"
#include "editing/TfrmCustomPlay.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "playback/TFormAssignVolumeLevel.h"
#include "playback/TFormAutoStartTimer.h"
#include "playback/TFormEqualizer.h"
#include "playback/TTimedStartSet.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class AppWindowHooksTest : public ::testing::Test
{
protected:
    AppWindowHooksTest()
    {
        RallyboxOptions options = ManualClockAppOptions(dir.path() + QStringLiteral("/"), {}, dialogs, clock);
        app = std::make_unique<RallyboxApp>(std::move(options));
    }

    ~AppWindowHooksTest() override
    {
        app.reset();
        BASS_Free();
    }

    // Runs `inside` once the modal window's loop is running; a guard ends a window left open.
    static void WhenShown(QDialog* window, std::function<void()> inside)
    {
        QTimer::singleShot(0, window, std::move(inside));
        QTimer::singleShot(5000, window, [window] { window->done(-1); });
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock{QDateTime(QDate(2024, 5, 1), QTime(19, 0))};
    std::unique_ptr<RallyboxApp> app;
};

} // namespace

TEST_F(AppWindowHooksTest, TheEqButtonOpensTheEqualizerAndItsChangesLightTheButton)
{
    app->settings.ActiveButtonColor = clYellow;
    WhenShown(app->FormEqualizer, [this] {
        app->FormEqualizer->EqualizerOnOffButtonClick();
        app->FormEqualizer->BandBars[3]->SetValue(20);
        app->FormEqualizer->HideButton->click();
    });
    app->Form1->EqualizerButton->click();
    EXPECT_EQ(app->FormEqualizer->result(), 1);
    EXPECT_EQ(app->Form1->EqualizerButton->Color(), clYellow);
    EXPECT_EQ(app->playbackState.Equalizer.Bands[3], 20);
}

TEST_F(AppWindowHooksTest, MenuHooksShowTheirWindowsAndReturnTheModalResult)
{
    // The main window opens the program's own windows.
    ASSERT_EQ(&app->Form1->Windows(), static_cast<MainFormWindows*>(app.get()));

    app->selection.PopupGroup = 1;
    app->selection.PopupPage = 1;
    app->selection.PopupButton = 12;
    // Return on the focused Cancel presses Cancel, not the window's default OK.
    WhenShown(app->TimedStartSet, [this] {
        app->TimedStartSet->TimeSetCancelButton->setFocus();
        QTest::keyClick(app->TimedStartSet->TimeSetCancelButton, Qt::Key_Return);
    });
    EXPECT_EQ(app->Form1->Windows().ShowTimedStartSet(), 2);
    EXPECT_TRUE(app->playbackState.TimedStartTime.isEmpty());
    WhenShown(app->TimedStartSet, [this] {
        app->TimedStartSet->StartHours->setValue(21);
        app->TimedStartSet->TimeSetOKButton->click();
    });
    EXPECT_EQ(app->Form1->Windows().ShowTimedStartSet(), 1);
    EXPECT_EQ(app->playbackState.TimedStartButton, 12);
    EXPECT_FALSE(app->playbackState.TimedStartTime.isEmpty());

    WhenShown(app->FormAutoStartTimer, [this] { app->FormAutoStartTimer->StartNowButton->click(); });
    EXPECT_EQ(app->Form1->Windows().ShowFormAutoStartTimer(), 1);

    WhenShown(app->FormAssignVolumeLevel, [this] { app->FormAssignVolumeLevel->AVLCancelButton->click(); });
    EXPECT_EQ(app->Form1->Windows().ShowFormAssignVolumeLevel(), 2);

    WhenShown(app->frmCustomPlay, [this] {
        // Enter after a new clip name presses no button: no start cue is set.
        QTest::keyClick(app->frmCustomPlay->SoundName, Qt::Key_Return);
        EXPECT_FALSE(app->frmCustomPlay->StartCueSet);
        // A window that names no default: Return on a focused button presses that button.
        app->frmCustomPlay->CancelButton->setFocus();
        QTest::keyClick(app->frmCustomPlay->CancelButton, Qt::Key_Return);
    });
    EXPECT_EQ(app->Form1->Windows().ShowfrmCustomPlay(), 2);
    EXPECT_EQ(app->frmCustomPlay->CurrentChannel, 0u);
}

TEST_F(AppWindowHooksTest, EnterPressesOnlyTheDefaultButtonAWindowNames)
{
    const QStringList named{QStringLiteral("PageOKButton"), QStringLiteral("FindButton"),
                            QStringLiteral("TimeSetOKButton"), QStringLiteral("RegisterOKButton"),
                            QStringLiteral("AboutButton")};
    for (QDialog* window : app->Form1->findChildren<QDialog*>()) {
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            EXPECT_EQ(button->autoDefault() || button->isDefault(), named.contains(button->objectName()))
                << window->objectName().toStdString() << " " << button->objectName().toStdString();
        }
    }
}
