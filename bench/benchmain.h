// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The entry of the benchmarks that need widgets: an application on the
// headless platform, then every benchmark the command line selects.

#include <benchmark/benchmark.h>

#include <QApplication>

#define CHEQUE_BENCHMARK_MAIN()                                                                                        \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                                       \
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));                                                         \
        QApplication app(argc, argv);                                                                                  \
        benchmark::Initialize(&argc, argv);                                                                            \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
