// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A print service answered by a test: the print dialog takes queued answers,
// previews are counted, and every job is written to its own PDF file.

#include <functional>

#include <QDir>
#include <QPrinter>
#include <QQueue>

#include "gui/widgets/printing.h"

class TestPrinting final : public PrintService
{
public:
    explicit TestPrinting(QString dir) : m_dir(std::move(dir)) { setPrintService(this); }
    ~TestPrinting() override { setPrintService(nullptr); }

    QQueue<bool> setupAnswers; ///< true (confirm) when empty
    int setups = 0;
    int previews = 0;
    QStringList jobs;                  ///< the PDF of each job, in order
    bool unwritable = false;           ///< jobs go to a folder that does not exist
    std::function<void(int)> afterJob; ///< told the number of each job once it is written

    bool setup(QWidget *, QPrinter &) override
    {
        ++setups;
        return setupAnswers.isEmpty() || setupAnswers.dequeue();
    }
    void preview(QWidget *, QPrinter &, const Paint &) override { ++previews; }
    void print(QPrinter &printer, const Paint &paint) override
    {
        const QString file = QDir(m_dir).filePath(QStringLiteral("%1job-%2.pdf")
                                                      .arg(unwritable ? QStringLiteral("missing/") : QString())
                                                      .arg(jobs.size() + 1));
        // The printer is left as the program set it: a test job is not the
        // user choosing a PDF file.
        const QPrinter::OutputFormat format = printer.outputFormat();
        const QString chosen = printer.outputFileName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        paint(&printer);
        jobs << file;
        if (afterJob)
            afterJob(int(jobs.size()));
        if (printer.printerState() != QPrinter::Active) {
            printer.setOutputFileName(chosen);
            printer.setOutputFormat(format);
        }
    }

private:
    QString m_dir;
};
