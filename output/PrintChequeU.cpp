// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintChequeU.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QSettings>

#include "output/calibration.h"

#include "ui/dialogs.h"
#include "ui/printing.h"

namespace {

QString Destination(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return QCoreApplication::translate("TPrintChequeForm", "the file \"%1\"").arg(printer.outputFileName());
    if (printer.printerName().isEmpty())
        return QCoreApplication::translate("TPrintChequeForm", "no printer is set up, and the default printer");
    return QCoreApplication::translate("TPrintChequeForm", "the printer \"%1\"").arg(printer.printerName());
}

/// A printer with the report's settings: 1 copy, no duplex, all pages, the
/// cheque page.
std::unique_ptr<QPrinter> MakePrinter(bool portrait)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setCopyCount(1);
    printer->setDuplex(QPrinter::DuplexNone);
    printer->setPrintRange(QPrinter::AllPages);
    ApplyChequePage(*printer, portrait);
    return printer;
}

} // namespace

TPrintChequeForm::TPrintChequeForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PrintChequeForm"));
    for (int i = 0; i < int(m_page.labels.size()); ++i)
        m_page.labels[std::size_t(i)].caption = QStringLiteral("QL%1").arg(i + 1);
}

TPrintChequeForm::~TPrintChequeForm() = default;

QPrinter &TPrintChequeForm::printer()
{
    // Made at first use: finding the system's printers takes a while, and
    // the program's start-up has no need of it.
    if (!m_printer)
        m_printer = MakePrinter(false);
    return *m_printer;
}

bool TPrintChequeForm::PrintSetup(QWidget *parent)
{
    printer();
    const bool portrait = m_printer->pageLayout().orientation() == QPageLayout::Portrait;
    const bool confirmed = printService().setup(parent, *m_printer);
    const bool chosenPortrait = m_printer->pageLayout().orientation() == QPageLayout::Portrait;
    ApplyChequePage(*m_printer, confirmed ? chosenPortrait : portrait);
    return confirmed;
}

namespace {

bool WritesAFile(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

} // namespace

PrinterOffset TPrintChequeForm::offsetOf(const QString &printer) const
{
    if (m_settingsFile.isEmpty() || printer.isEmpty())
        return {};
    const QSettings settings(m_settingsFile, QSettings::IniFormat);
    return ReadPrinterOffset(settings, printer);
}

QString TPrintChequeForm::printerName()
{
    // A file is no printer: it gets no offset.
    return WritesAFile(printer()) ? QString() : m_printer->printerName();
}

void TPrintChequeForm::setOffset(const QString &printer, const PrinterOffset &offset)
{
    if (m_settingsFile.isEmpty() || printer.isEmpty())
        return;
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    WritePrinterOffset(settings, printer, offset);
}

void TPrintChequeForm::PrintCalibration(const ChequeLayout &layout, const QString &bank, QWidget *parent)
{
    if (!PrintSetup(parent))
        return;
    ApplyChequePage(*m_printer, layout.Portial);
    const QString name = printerName();
    const PrinterOffset offset = offsetOf(name);
    const QString note = QCoreApplication::translate("TPrintChequeForm", "Bank %1; printer %2; offset in force: %3.")
                             .arg(bank, name.isEmpty() ? QCoreApplication::translate("TPrintChequeForm", "none (a file)") : name, DescribeOffset(offset));
    m_failed = false;
    printService().print(*m_printer, [&](QPrinter *target) {
        m_destination = Destination(*target);
        m_lastOffset = offset.inForce();
        QPainter painter;
        if (painter.begin(target)) {
            PaintCalibrationPage(painter, layout, offset.inForce(), note);
            m_failed = !painter.end();
        } else {
            m_failed = true;
        }
    });
    if (m_failed)
        reportFailure(parent, Advice::ChooseInDialog);
}

QString TPrintChequeForm::target()
{
    const QPrinter &p = printer();
    if (WritesAFile(p))
        return p.outputFileName();
    // Kept in the register: never translated.
    return p.printerName().isEmpty() ? QStringLiteral("the default printer") : p.printerName();
}

void TPrintChequeForm::beginRun()
{
    m_inRun = true;
    m_runPages = 0;
}

int TPrintChequeForm::endRun(QWidget *parent)
{
    m_inRun = false;
    if (m_runPainter) {
        const bool written = m_runPainter->end();
        m_runPainter.reset();
        if (!written && !m_failed) {
            m_failed = true;
            reportFailure(parent, Advice::ChooseInDialog);
        }
    }
    return m_runPages;
}

void TPrintChequeForm::Output(const ReportPage &page, bool preview, QWidget *parent, Advice advice)
{
    m_page = page;
    m_failed = false;
    if (!preview && m_inRun && (m_runPainter || WritesAFile(printer()))) {
        // The next page of the run's file.
        if (!m_runPainter) {
            ApplyChequePage(*m_printer, page.portrait);
            m_destination = Destination(*m_printer);
            m_runPainter = std::make_unique<QPainter>();
            m_failed = !m_runPainter->begin(m_printer.get());
            if (m_failed)
                m_runPainter.reset();
        } else {
            m_failed = !m_printer->newPage();
        }
        if (!m_failed) {
            PaintChequePage(*m_runPainter, m_page);
            ++m_runPages;
        } else {
            reportFailure(parent, advice);
        }
        return;
    }
    ApplyChequePage(printer(), page.portrait);
    // The printer's offset, on paper only: never in a preview.
    const QPointF offset = preview ? QPointF() : offsetOf(printerName()).inForce();
    const PrintService::Paint paint = [this, offset](QPrinter *target) {
        // Named before the job: a job that fails forgets its file.
        m_destination = Destination(*target);
        m_lastOffset = offset;
        QPainter painter;
        if (painter.begin(target)) {
            PaintChequePage(painter, m_page, offset);
            m_failed = !painter.end();
        } else {
            m_failed = true;
        }
    };
    if (preview) {
        printService().preview(parent, *m_printer, paint);
        m_failed = false; // the preview's own print button reports its own failures
        return;
    }
    printService().print(*m_printer, paint);
    if (m_failed && m_printer->printerState() == QPrinter::Active) {
        // A job that could not start leaves Qt's printer active for good, and
        // an active printer takes no new settings: start a new one with the
        // choices of the old.
        auto fresh = MakePrinter(page.portrait);
        if (m_printer->outputFormat() == QPrinter::NativeFormat && !m_printer->printerName().isEmpty())
            fresh->setPrinterName(m_printer->printerName());
        fresh->setCopyCount(m_printer->copyCount());
        fresh->setDuplex(m_printer->duplex());
        fresh->setPrintRange(m_printer->printRange());
        fresh->setFromTo(m_printer->fromPage(), m_printer->toPage());
        m_printer = std::move(fresh);
    }
    if (m_failed)
        reportFailure(parent, advice);
    else if (m_inRun)
        ++m_runPages;
}

void TPrintChequeForm::reportFailure(QWidget *parent, Advice advice)
{
    const QString what = advice == Advice::ChooseInDialog
        ? QCoreApplication::translate("TPrintChequeForm", "Choose another printer in the print dialog.")
        : QCoreApplication::translate("TPrintChequeForm","Print a cheque from the main window: its print dialog lets you choose a printer, or "
                         "a PDF file, for the test print too.");
    dialogs().showMessage(
        parent, QCoreApplication::translate("TPrintChequeForm", "Print Cheque"),
        QCoreApplication::translate("TPrintChequeForm", "The cheque was not printed: %1 could not be opened. %2").arg(m_destination, what));
}
