// The program's own wiring of the Setup, find and list windows: the main window's commands open
// the real windows modally; each test answers the window once it is up (a guard ends a stuck run).
#include "AppTestOptions.h"
#include "app/RallyboxApp.h"

#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "tools/FindCriteriaWindow.h"
#include "tools/TFormHotKey.h"
#include "tools/TFormSetup.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class ToolWindowsApp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RallyboxOptions options = ManualClockAppOptions(dir.path() + QStringLiteral("/"), {}, dialogs, clock);
        app = std::make_unique<RallyboxApp>(std::move(options));
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [this] {
            for (QDialog* window : app->Form1->findChildren<QDialog*>()) {
                window->done(2);
            }
        });
        guard.start(5000);
    }

    void TearDown() override
    {
        app.reset();
        BASS_Free();
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::unique_ptr<RallyboxApp> app;
    QTimer guard;
};

} // namespace

TEST_F(ToolWindowsApp, OptionsOpensSetupAndSaveWritesTheOptionsFile)
{
    QTimer::singleShot(0, app->FormSetup, [this] {
        EXPECT_TRUE(app->FormSetup->isVisible());
        app->FormSetup->VeskDelay->setValue(33);
        app->FormSetup->SetupSaveButton->click();
    });
    app->Form1->N6->trigger();
    EXPECT_TRUE(guard.isActive());
    EXPECT_EQ(app->settings.Delay, 33);
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/RBX.inf")));
}

TEST_F(ToolWindowsApp, ListHotKeysAndFindOpenTheirWindows)
{
    QTimer::singleShot(0, app->FormHotKey, [this] {
        EXPECT_TRUE(app->FormHotKey->isVisible());
        app->FormHotKey->HotKeyOKButton->click();
    });
    app->Form1->ListHotKeys1->trigger();
    EXPECT_TRUE(guard.isActive());
    EXPECT_EQ(app->FormHotKey->result(), 1);

    QTimer::singleShot(0, app->FormFindSpecs, [this] {
        EXPECT_TRUE(app->FormFindSpecs->isVisible());
        app->FormFindSpecs->FindText->setText(QStringLiteral("nothing on this board"));
        app->FormFindSpecs->FindButton->click();
        app->FormFindSpecs->CancelButton->click();
    });
    AsPushButton(app->Form1->FindButton)->click();
    EXPECT_TRUE(guard.isActive());
    EXPECT_EQ(dialogs.Texts().last(), QStringLiteral("No Matches Found"));
}
