#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// The main of a benchmark program with screens: an application on the offscreen platform, sized
// like a laptop screen, unless the caller chose a platform.
inline int runBenchmarks(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" ZESTORA_SCREEN_CONFIG);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
