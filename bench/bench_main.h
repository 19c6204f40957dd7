// The main of every benchmark program: a Qt application for the drawing, then the benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

inline int run_benchmarks(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
