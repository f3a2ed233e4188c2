// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Printing as the windows reach it: the print dialog, the preview window and
// the job itself, so that tests can answer the dialog and capture the page.

#include <functional>

#include "output/pageoutput.h"

class QPrinter;
class QWidget;

class PrintService
{
public:
    using Paint = std::function<void(QPrinter *)>;

    virtual ~PrintService() = default;

    /// The print dialog on `printer`; true when the user confirmed.
    virtual bool setup(QWidget *parent, QPrinter &printer) = 0;
    /// Shows the page in a preview window; returns when it closes.
    virtual void preview(QWidget *parent, QPrinter &printer, const Paint &paint) = 0;
    /// Sends the page to the printer as one job.
    virtual void print(QPrinter &printer, const Paint &paint) = 0;
};

/// Puts the cheque page's paper, orientation and zero printer margins on a
/// printer, in full-page mode. Run before every job: a print dialog may have
/// reset them.
void ApplyChequePage(QPrinter &printer, bool portrait);

/// A printer for messages: "the printer "X"", "the file "Y"".
QString DescribePrinter(const QPrinter &printer);

/// The service in use: Qt's dialogs and printers unless a test installed another.
PrintService &printService();

/// Installs another service (nullptr puts Qt's back); the caller keeps ownership.
void setPrintService(PrintService *replacement);

/// A printer as the output of a print: one job per page, through the
/// service in use, each page moved by the printer's offset.
class PrinterOutput final : public PageOutput
{
public:
    /// `printer` stays the caller's; `name` is how the register keeps it.
    PrinterOutput(QPrinter &printer, QString name, QPointF offsetMm);

    QString destination() const override { return m_name; }
    bool deferred() const override { return false; }
    std::optional<QString> start() override { return std::nullopt; }
    QPaintDevice *device(bool portrait) override;
    QPointF offset() const override { return m_offset; }
    std::optional<QString> send(const LaidOutPage &page) override;
    std::optional<QString> finish() override { return std::nullopt; }
    std::optional<QString> commit() override { return std::nullopt; }
    void discard() override {}

private:
    QPrinter &m_printer;
    QString m_name;
    QPointF m_offset;
};
