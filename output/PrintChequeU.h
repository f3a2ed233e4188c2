#pragma once

// The report page: never shown, it keeps the printer with its copies and
// page range for the whole run, and the five boxes of the last rendering.

#include <memory>

#include <QWidget>

#include "reportpage.h"

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

    /// Previews or prints `page` as one job of one page. A printer that
    /// cannot be opened is reported to the user; lastOutputFailed() tells.
    void Output(const ReportPage &page, bool preview, QWidget *parent);
    bool lastOutputFailed() const { return m_failed; }

    /// The boxes of the last rendering (QL1 to QL5).
    const ReportPage &lastPage() const { return m_page; }

private:
    std::unique_ptr<QPrinter> m_printer;
    ReportPage m_page;
    bool m_failed = false;
    QString m_destination; ///< the printer or file of the last job, for messages
};
