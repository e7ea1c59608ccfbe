#pragma once
// The main() of a benchmark of windows: an application object on the offscreen platform, then
// the benchmarks.
#include <QApplication>
#include <benchmark/benchmark.h>

inline int RunOffscreenBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
