// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The printer service of the program (the design's report page, never a
// window): it keeps the printer with its copies and page range for the whole
// run, each printer's offsets, and the five boxes of the last rendering; it
// opens where a print's pages go and shows the print and preview dialogs.

#include <memory>

#include <QObject>
#include <QPointF>

#include "desk/chequedesk.h"
#include "layout/chequelayout.h"
#include "output/pageoutput.h"
#include "output/printeroffsets.h"
#include "output/reportpage.h"

class QPainter;
class QPrinter;
class QWidget;

class TPrintChequeForm : public QObject
{
    Q_OBJECT

public:
    explicit TPrintChequeForm(QObject *parent = nullptr);
    ~TPrintChequeForm() override;

    QPrinter &printer();

    /// The print dialog, preset with the current printer, copies and
    /// orientation; true when the user confirmed. The cheque page is put back
    /// afterwards, whatever the dialog did to it.
    bool PrintSetup(QWidget *parent);

    /// Where a failed job's message sends the user.
    enum class Advice { ChooseInDialog, PrintFromMainWindow };

    /// Previews or prints `page` as one job of one page, as it is (a test
    /// print: nothing is checked or recorded). A printer that cannot be
    /// opened is reported to the user; lastOutputFailed() tells.
    void Output(const ReportPage &page, bool preview, QWidget *parent, Advice advice = Advice::ChooseInDialog);
    bool lastOutputFailed() const { return m_failed; }

    /// Where the pages of a print go, as the print dialog chose: the
    /// printer, one job per page, moved by its offset; or a PDF file that
    /// holds every page of the print. The last page sent and its move are
    /// kept (lastPage(), lastOffset()).
    std::unique_ptr<PageOutput> openOutput();
    /// Shows `page` in the preview window; returns when it closes.
    void previewPage(const ReportPage &page, QWidget *parent);
    /// Tells the user why a print did not go out to the printer or file
    /// ("the printer "X" could not be opened"), and what to do.
    void reportFailure(QWidget *parent, const QString &reason, Advice advice = Advice::ChooseInDialog);

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
    class Kept;
    /// A job that could not start leaves Qt's printer active for good, and
    /// an active printer takes no new settings: a new one takes the choices
    /// of the old.
    void renewStuckPrinter();

    std::unique_ptr<QPrinter> m_printer;
    ReportPage m_page;
    bool m_failed = false;
    QString m_destination; ///< the printer or file of the last job, for messages
    QString m_settingsFile;
    QPointF m_lastOffset;
};

/// The printer service as the desk uses it, its dialogs over `parent`.
class WindowPrinter final : public DeskPrinter
{
public:
    WindowPrinter(TPrintChequeForm &service, QWidget *parent) : m_service(service), m_parent(parent) {}
    bool choose() override { return m_service.PrintSetup(m_parent); }
    std::unique_ptr<PageOutput> open() override { return m_service.openOutput(); }
    void reportFailure(const QString &problem) override { m_service.reportFailure(m_parent, problem); }
    void preview(const ReportPage &page) override { m_service.previewPage(page, m_parent); }

private:
    TPrintChequeForm &m_service;
    QWidget *m_parent;
};
