// The whole program as main() builds it: the window creation order, the start on the command
// line's set file, and the shut-down window at the end of an exit.
#include "app/RallyboxApp.h"

#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "board/MainForm.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "tools/TfrmShutDown.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

RallyboxOptions TestOptions(const QTemporaryDir& dir, ScriptedDialogs& dialogs, Clock& clock)
{
    RallyboxOptions options;
    options.ProgramFolder = dir.path() + QStringLiteral("/");
    options.dialogs = &dialogs;
    options.clock = &clock;
    options.InitOutput = [](int, std::uint32_t freq, std::uint32_t flags) { return EngineInitManual(freq, flags); };
    options.Halt = [](int) {};
    options.ShowShutDownWindow = false;
    return options;
}

} // namespace

TEST(RallyboxAppTest, WindowsAreCreatedOnceInTheFixedOrderWithTheMainWindowFirst)
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    RallyboxOptions options = TestOptions(dir, dialogs, clock);
    options.ToolWindowsAfterFirstPaint = true;
    RallyboxApp app(std::move(options));
    // As the program starts: the board alone, and the other windows once it has been painted.
    EXPECT_EQ(app.CreationOrder(), QStringList{QStringLiteral("Form1")});
    app.ShowMainWindow();
    QElapsedTimer waited;
    waited.start();
    while (app.CreationOrder().size() == 1 && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    const QStringList expected{
        "Form1",          "FormChangeSoundButton", "FormSetup",          "FormChangePageButton",
        "FormAbout",      "Scoreboard",            "FormLineups",        "FormRoster",
        "formFind",       "FormHotKey",            "ButtonList",         "FormGenericScoreboard",
        "TimedStartSet",  "FormAutoStartTimer",    "FormAddPlaceMarker", "frmShutDown",
        "FormFindSpecs",  "frmCustomPlay",         "frmCustomCuedButtons", "FormAustralianFootball",
        "FormDuplicateList", "FormEqualizer",      "FormAssignVolumeLevel", "FormPersonalize"};
    EXPECT_EQ(app.CreationOrder(), expected);
    EXPECT_EQ(app.Form1->findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly).size(), 23);
    EXPECT_EQ(app.frmShutDown->windowTitle(), QStringLiteral("Rallybox Shut Down Sequence"));
    BASS_Free();
}

TEST(RallyboxAppTest, TheCommandLineSetFileIsOnTheBoardAndExitBacksItUp)
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock(QDateTime(QDate(2024, 2, 29), QTime(22, 0)));
    const QString setPath = dir.path() + QStringLiteral("/Night.set");
    {
        QFile file(setPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Page1]\r\nPageName=Night\r\nc1=Siren\r\ns1=/m/siren.wav\r\nt1=00:04\r\n\r\n");
    }
    RallyboxOptions options = TestOptions(dir, dialogs, clock);
    options.Parameters = {setPath};
    RallyboxApp app(std::move(options));
    EXPECT_EQ(app.board.PageName[1][1], QStringLiteral("Night"));
    EXPECT_EQ(app.Form1->windowTitle(), QStringLiteral("Rallybox - Version 7.0.03     ") + setPath);
    dialogs.QueueResult(mrYes);
    EXPECT_TRUE(app.Form1->close());
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/RBXBackups/Backup-2024-02-29.set")));
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/RBX.inf")));
}

TEST(RallyboxAppTest, TheShutDownWindowFillsItsBarAndClosesItself)
{
    TfrmShutDown window;
    // Bounded: the window closes itself after 25 ticks; the guard ends a stuck window.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &window, [&window] { window.done(0); });
    guard.start(5000);
    EXPECT_EQ(window.exec(), 1);
    EXPECT_EQ(window.ShutDownProgress, 100);
    EXPECT_EQ(window.ShutDownBar->value(), 100);
    EXPECT_FALSE(window.ShutDownTimer->isActive());
}
