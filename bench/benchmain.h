#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

// The main of a benchmark program with screens: an application on the offscreen platform, sized
// like a laptop screen, unless the caller chose a platform. beforeExit runs while the application
// still exists, for what the benchmarks kept of their screens.
inline int runBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit = {})
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" ZESTORA_SCREEN_CONFIG);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit)
        beforeExit();
    return 0;
}
