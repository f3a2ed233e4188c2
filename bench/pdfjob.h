// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the printing benchmarks share: a scratch folder, and their baseline,
// an empty one-page PDF job measured in the same run.

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

inline QTemporaryDir &Dir()
{
    static QTemporaryDir dir;
    return dir;
}

inline void BM_EmptyPdfJob(benchmark::State &state)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Dir().filePath(QStringLiteral("empty.pdf")));
    for (auto _ : state) {
        QPainter painter(&printer);
        painter.end();
    }
}
BENCHMARK(BM_EmptyPdfJob)->Unit(benchmark::kMicrosecond);
