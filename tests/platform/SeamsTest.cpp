#include "platform/Clock.h"
#include "platform/FloatText.h"
#include "platform/HintHidePause.h"
#include "platform/ProgramFolder.h"
#include "platform/Pump.h"
#include "platform/Random.h"
#include "platform/Rounding.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHelpEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(-2.6), -3);
    EXPECT_EQ(RoundHalfEven(1e12), 2147483647);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(SeededRandom, SameSeedGivesSameDrawsAllInRange)
{
    SeededRandom a(42);
    SeededRandom b(42);
    std::vector<int> counts(7, 0);
    for (int i = 0; i < 7000; ++i) {
        const int draw = a.Next(7);
        ASSERT_EQ(draw, b.Next(7));
        ASSERT_GE(draw, 0);
        ASSERT_LT(draw, 7);
        ++counts[static_cast<size_t>(draw)];
    }
    for (int count : counts) {
        EXPECT_GT(count, 800); // every value is drawn about 1000 times
    }
    EXPECT_EQ(a.Next(0), 0);
    EXPECT_EQ(a.Next(-3), 0);
    EXPECT_EQ(a.Next(1), 0);
}

TEST(ManualClock, AdvancesDateTimeAndTickTogether)
{
    ManualClock clock(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)));
    clock.Advance(1500);
    EXPECT_EQ(clock.Today(), QDate(2024, 3, 1));
    EXPECT_EQ(clock.TickCountMs(), 1500);
    clock.Advance(-10);
    EXPECT_EQ(clock.TickCountMs(), 1500);
    clock.SetToday(QDate(2025, 1, 1));
    EXPECT_EQ(clock.Now().time(), QTime(0, 0, 0, 500));
}

TEST(CountingEventPump, CountsAndRunsTheScriptedStep)
{
    CountingEventPump pump;
    std::vector<int> seen;
    pump.OnPump = [&](int n) { seen.push_back(n); };
    EventPump& seam = pump;
    seam.ProcessMessages();
    seam.ProcessMessages();
    EXPECT_EQ(pump.Count, 2);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}

TEST(FloatText, WritesTheGeneralFormAndReadsItBack)
{
    EXPECT_EQ(FloatToStr(4), "4");
    EXPECT_EQ(FloatToStr(0.5), "0.5");
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    EXPECT_EQ(FloatToStr(-1.25), "-1.25");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(1e-5), "1E-5");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    double v = 0;
    ASSERT_TRUE(TryStrToFloat(".5", v));
    EXPECT_EQ(v, 0.5);
    ASSERT_TRUE(TryStrToFloat(" 4 ", v));
    EXPECT_EQ(v, 4.0);
    ASSERT_TRUE(TryStrToFloat("1E-5", v));
    EXPECT_EQ(v, 1e-5);
    v = 9;
    EXPECT_FALSE(TryStrToFloat("0,5", v));
    EXPECT_FALSE(TryStrToFloat("", v));
    EXPECT_FALSE(TryStrToFloat("inf", v));
    EXPECT_FALSE(TryStrToFloat("4s", v));
    EXPECT_EQ(v, 9.0);
}

TEST(ProgramFolder, HomeVariableWinsThenWritableExecutableFolderThenUserData)
{
    QTemporaryDir root;
    const QString home = root.filePath("home");
    const QString exe = root.filePath("bin");
    QDir().mkpath(exe);
    const QString cwd = QDir::currentPath();

    EXPECT_EQ(ResolveProgramFolder(root.filePath("rbx"), exe, home), root.filePath("rbx") + "/");
    EXPECT_TRUE(QFileInfo(root.filePath("rbx")).isDir());
    EXPECT_EQ(ResolveProgramFolder("", exe, home), exe + "/");
    EXPECT_EQ(ResolveProgramFolder("", root.filePath("missing"), home), home + "/.local/share/Rallybox/");
    EXPECT_TRUE(QFileInfo(home + "/.local/share/Rallybox").isDir());
    // A system folder, and a folder the program was installed into (its data folder beside it),
    // keep the operator's files out even where they are writable.
    EXPECT_EQ(ResolveProgramFolder("", "/usr/bin", home), home + "/.local/share/Rallybox/");
    QDir().mkpath(root.filePath("share/rallybox"));
    EXPECT_EQ(InstalledDataFolder(exe), root.filePath("share/rallybox") + "/");
    EXPECT_EQ(ResolveProgramFolder("", exe, home), home + "/.local/share/Rallybox/");
    EXPECT_EQ(ResolveProgramFolder("", exe, home, root.filePath("xdg")), root.filePath("xdg") + "/Rallybox/");
    EXPECT_EQ(ResolveProgramFolder("", exe, home, "relative"), home + "/.local/share/Rallybox/");
    EXPECT_EQ(QDir::currentPath(), cwd);
    EXPECT_TRUE(QDir(exe).entryList(QDir::Files | QDir::Hidden).isEmpty()); // the probe file is gone
}

TEST(ProgramFolder, FollowsTheEnvironmentVariable)
{
    QTemporaryDir root;
    qputenv("RALLYBOX_HOME", root.path().toUtf8());
    const QString folder = ProgramFolder();
    qunsetenv("RALLYBOX_HOME");
    EXPECT_EQ(folder, QDir::cleanPath(root.path()) + "/");
}

TEST(QtEventPump, WaitSleepsUntilAnEventOrItsTimeIsUp)
{
    int argc = 1;
    char name[] = "seams";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QtEventPump pump;
    pump.ProcessMessages(); // what start-up left pending
    QElapsedTimer timer;
    timer.start();
    pump.WaitForMessages(40, true);
    // Nothing pending: it slept (and did not spin back at once), but not for ever.
    EXPECT_GE(timer.elapsed(), 30);
    EXPECT_LT(timer.elapsed(), 2000);

    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    timer.restart();
    for (int i = 0; i < 5 && !ran; ++i) {
        pump.WaitForMessages(1000, false);
    }
    // A pending event ends the wait long before its time.
    EXPECT_TRUE(ran);
    EXPECT_LT(timer.elapsed(), 500);
}

TEST(HintHidePause, ATooltipOfAnyWindowStaysUpThePauseOnly)
{
    // A window of its own: the pause holds for every window, not only the main one.
    QWidget window;
    window.setToolTip(QStringLiteral("Goal horn"));
    window.resize(120, 40);
    window.show();
    // Its activation first: activations and focus changes close a tooltip.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    SetHintHidePause(200);
    EXPECT_EQ(HintHidePause(), 200);
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&window, &help);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Goal horn"));
    // Qt's own time for a short text is 10 s.
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));
    SetHintHidePause(0);
}
