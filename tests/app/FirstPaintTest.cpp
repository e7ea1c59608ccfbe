#include "app/FirstPaint.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {
// Processes events until `done` holds or the bound passes.
template <typename Done> bool PumpUntil(Done done, int limitMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}
} // namespace

TEST(FirstPaint, RunsOnceAfterTheFirstPaintAndNotBefore)
{
    QWidget window;
    window.resize(200, 100);
    int runs = 0;
    AfterFirstPaint(window, [&runs] { ++runs; });
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0); // not shown: never painted
    window.show();
    ASSERT_TRUE(PumpUntil([&runs] { return runs > 0; }, 5000));
    window.repaint();
    window.update();
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(runs, 1);
}

TEST(FirstPaint, NothingRunsWhenTheWindowGoesBeforeItIsPainted)
{
    int runs = 0;
    {
        QWidget window;
        AfterFirstPaint(window, [&runs] { ++runs; });
    }
    PumpUntil([] { return false; }, 50);
    EXPECT_EQ(runs, 0);
}
