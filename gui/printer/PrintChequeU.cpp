// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/printer/PrintChequeU.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QSettings>

#include "gui/widgets/dialogs.h"
#include "gui/widgets/printing.h"
#include "output/calibration.h"

namespace {

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

TPrintChequeForm::TPrintChequeForm(QObject *parent) : QObject(parent)
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
    const QString note = tr("Bank %1; printer %2; offset in force: %3.")
                             .arg(bank, name.isEmpty() ? tr("none (a file)") : name, DescribeOffset(offset));
    m_failed = false;
    printService().print(*m_printer, [&](QPrinter *target) {
        m_destination = DescribePrinter(*target);
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
        reportFailure(parent,
                      QCoreApplication::translate("PrinterOutput", "%1 could not be opened").arg(m_destination));
}

namespace {

// The printer or file as the register keeps it: never translated.
QString RegisterName(const QPrinter &printer)
{
    if (WritesAFile(printer))
        return printer.outputFileName();
    return printer.printerName().isEmpty() ? QString::fromLatin1(DefaultPrinterName) : printer.printerName();
}

} // namespace

// An output that keeps, on the form, the last page sent and its move, and
// whether the last page failed.
class TPrintChequeForm::Kept final : public PageOutput
{
public:
    Kept(TPrintChequeForm &form, std::unique_ptr<PageOutput> output) : m_form(form), m_output(std::move(output)) {}
    ~Kept() override
    {
        m_output.reset();
        if (m_form.m_failed)
            m_form.renewStuckPrinter();
    }

    QString destination() const override { return m_output->destination(); }
    bool deferred() const override { return m_output->deferred(); }
    QString partPath() const override { return m_output->partPath(); }
    std::optional<QString> start() override { return kept(m_output->start()); }
    QPaintDevice *device(bool portrait) override { return m_output->device(portrait); }
    QPointF offset() const override { return m_output->offset(); }
    std::optional<QString> send(const LaidOutPage &page) override
    {
        m_form.m_page = page.page();
        m_form.m_lastOffset = m_output->offset();
        return kept(m_output->send(page));
    }
    std::optional<QString> finish() override { return kept(m_output->finish()); }
    QByteArray digest() const override { return m_output->digest(); }
    std::optional<QString> commit() override { return kept(m_output->commit()); }
    void discard() override { m_output->discard(); }

private:
    std::optional<QString> kept(std::optional<QString> failed)
    {
        m_form.m_failed = failed.has_value();
        return failed;
    }

    TPrintChequeForm &m_form;
    std::unique_ptr<PageOutput> m_output;
};

std::unique_ptr<PageOutput> TPrintChequeForm::openOutput()
{
    QPrinter &p = printer();
    m_failed = false;
    std::unique_ptr<PageOutput> output;
    if (WritesAFile(p))
        output = std::make_unique<PdfFileOutput>(p.outputFileName());
    else
        output = std::make_unique<PrinterOutput>(p, RegisterName(p), offsetOf(printerName()).inForce());
    return std::make_unique<Kept>(*this, std::move(output));
}

void TPrintChequeForm::previewPage(const ReportPage &page, QWidget *parent)
{
    m_page = page;
    ApplyChequePage(printer(), page.portrait);
    // The printer's offset, on paper only: never in a preview.
    printService().preview(parent, *m_printer, [&page](QPrinter *target) {
        QPainter painter;
        if (painter.begin(target))
            LaidOutPage(page, target).paint(painter);
    });
}

void TPrintChequeForm::Output(const ReportPage &page, bool preview, QWidget *parent, Advice advice)
{
    if (preview) {
        previewPage(page, parent);
        m_failed = false; // the preview's own print button reports its own failures
        return;
    }
    const std::unique_ptr<PageOutput> output = openOutput();
    std::optional<QString> failed = output->start();
    if (!failed)
        failed = output->send(LaidOutPage(page, output->device(page.portrait)));
    if (!failed)
        failed = output->finish();
    if (!failed)
        failed = output->commit();
    if (failed)
        reportFailure(parent, *failed, advice);
}

void TPrintChequeForm::renewStuckPrinter()
{
    if (!m_printer || m_printer->printerState() != QPrinter::Active)
        return;
    auto fresh = MakePrinter(m_page.portrait);
    if (m_printer->outputFormat() == QPrinter::NativeFormat && !m_printer->printerName().isEmpty())
        fresh->setPrinterName(m_printer->printerName());
    fresh->setCopyCount(m_printer->copyCount());
    fresh->setDuplex(m_printer->duplex());
    fresh->setPrintRange(m_printer->printRange());
    fresh->setFromTo(m_printer->fromPage(), m_printer->toPage());
    m_printer = std::move(fresh);
}

void TPrintChequeForm::reportFailure(QWidget *parent, const QString &reason, Advice advice)
{
    const QString what = advice == Advice::ChooseInDialog
        ? tr("Choose another printer in the print dialog.")
        : tr("Print a cheque from the main window: its print dialog lets you choose a printer, or "
             "a PDF file, for the test print too.");
    dialogs().showMessage(parent, tr("Print Cheque"), tr("The cheque was not printed: %1. %2").arg(reason, what));
}
