// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The report page: never shown, it keeps the printer with its copies and
// page range for the whole run, and the five boxes of the last rendering.

#include <memory>

#include <QWidget>

#include "layout/chequelayout.h"
#include "output/printeroffsets.h"
#include "output/reportpage.h"

class QPainter;
class QPrinter;

class TPrintChequeForm : public QWidget
{
    Q_OBJECT

public:
    explicit TPrintChequeForm(QWidget *parent = nullptr);
    ~TPrintChequeForm() override;

    QPrinter &printer();

    /// The print dialog, preset with the current printer, copies and
    /// orientation; true when the user confirmed. The cheque page is put back
    /// afterwards, whatever the dialog did to it.
    bool PrintSetup(QWidget *parent);

    /// Where a failed job's message sends the user.
    enum class Advice { ChooseInDialog, PrintFromMainWindow };

    /// Previews or prints `page` as one job of one page. A printer that
    /// cannot be opened is reported to the user; lastOutputFailed() tells.
    /// Inside a run to a PDF file, the page is added to the run's file.
    void Output(const ReportPage &page, bool preview, QWidget *parent, Advice advice = Advice::ChooseInDialog);
    bool lastOutputFailed() const { return m_failed; }
    /// The printer or file the next page goes to, as the register keeps it.
    QString target();

    /// A run of cheques: a printer gets one job per cheque, but a PDF file
    /// (what the print dialog offers when no printer is installed) gets one
    /// page per cheque, all in the one file, instead of each job writing the
    /// file anew. endRun() closes that file; it returns the pages written.
    void beginRun();
    int endRun(QWidget *parent);

    /// The boxes of the last rendering (QL1 to QL5).
    const ReportPage &lastPage() const { return m_page; }

    /// The program's settings, which keep each printer's offset.
    void setSettingsFile(const QString &path) { m_settingsFile = path; }
    QString settingsFile() const { return m_settingsFile; }
    /// The offset of a printer, as kept; and that of the printer in use.
    PrinterOffset offsetOf(const QString &printer) const;
    QString printerName();
    /// Keeps a printer's offset.
    void setOffset(const QString &printer, const PrinterOffset &offset);
    /// The move the last page sent got (its printer's offset in force).
    QPointF lastOffset() const { return m_lastOffset; }

    /// Prints the calibration page of `layout` to the printer in use (after
    /// its print dialog), its offset applied and named on the page.
    void PrintCalibration(const ChequeLayout &layout, const QString &bank, QWidget *parent);

private:
    void reportFailure(QWidget *parent, Advice advice);

    std::unique_ptr<QPrinter> m_printer;
    bool m_inRun = false;
    std::unique_ptr<QPainter> m_runPainter; ///< open on the run's PDF file
    int m_runPages = 0;
    ReportPage m_page;
    bool m_failed = false;
    QString m_destination; ///< the printer or file of the last job, for messages
    QString m_settingsFile;
    QPointF m_lastOffset;
};
