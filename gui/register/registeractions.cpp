// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's actions beyond a cheque's state: its history, the
// cheque numbers, the due dates, the accounts, reconciling, exporting and
// the report, the connection.
#include "gui/register/registerwindow.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "batch/reconcile.h"
#include "core/bidi.h"
#include "core/chequeerror.h"
#include "core/counttext.h"
#include "core/datafile.h"
#include "desk/registeraccess.h"
#include "gui/register/duewindow.h"
#include "gui/register/registermodel.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/printing.h"
#include "gui/widgets/widgets.h"
#include "output/printrun.h"
#include "register/registerexport.h"
#include "register/registerreport.h"

namespace {

QString Title() { return QCoreApplication::translate("RegisterWindow", "Cheque Register"); }

} // namespace

void RegisterWindow::showHistory()
{
    const RegisteredCheque *c = selected();
    ChequeRegister *reg = openRegister();
    if (!c || !reg)
        return;
    try {
        QStringList lines;
        for (const ChequeEvent &e : reg->history(c->number)) {
            const auto state = StateFromName(e.kind);
            const QString what = state ? StateText(*state) : tr("in the register before its history began");
            const QDateTime at = QDateTime::fromString(e.at, Qt::ISODateWithMs);
            QString line = tr("%1, %2: %3").arg(at.isValid() ? WriteShortDateTime(at) : e.at, e.actor, what);
            if (!e.detail.isEmpty())
                line += tr(" (%1)").arg(EventDetailText(e.detail));
            lines << line;
        }
        if (lines.isEmpty())
            lines << tr("No events.");
        dialogs().showMessage(this, Title(),
                              tr("Cheque No. %1 of %2 (%3):").arg(QString::number(c->chequeNumber), c->bank, c->payee)
                                  + QStringLiteral("\n\n") + lines.join(u'\n'));
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
    }
}

void RegisterWindow::editChequeNumbers()
{
    ChequeRegister *reg = openRegister();
    if (!reg)
        return;
    ChequeNumbersDialog dialog(*reg, m_access, m_banks, this);
    dialog.exec();
    setBanks(m_banks);
}

void RegisterWindow::showDueDates()
{
    if (!m_due)
        m_due = std::make_unique<DueWindow>(m_access);
    else
        m_due->refresh();
    m_due->show();
    m_due->raise();
}

void RegisterWindow::editAccounts()
{
    ChequeRegister *reg = openRegister();
    if (!reg)
        return;
    try {
        QStringList lines;
        bool known = false;
        const QString bank = BankCB->currentIndex() > 0 ? BankCB->currentText() : QString();
        for (const ChequeRegister::Account &a : reg->accounts()) {
            lines << tr("%1: %2, %3 sub-unit digits").arg(a.bank, a.currency).arg(a.digits);
            known = known || a.bank == bank;
        }
        const QString list = lines.isEmpty() ? tr("The register has no account yet.")
                                             : tr("The register's accounts:\n%1").arg(lines.join(u'\n'));
        if (bank.isEmpty() || known) {
            dialogs().showMessage(this, Title(),
                                  list + QStringLiteral("\n\n")
                                      + tr("To add an account, choose its bank in the bank filter first."));
            return;
        }
        if (!dialogs().askYesNo(this, Title(),
                                list + QStringLiteral("\n\n")
                                    + tr("Add the account of %1 in %2, with %3 sub-unit digits?")
                                          .arg(bank, FromStd(m_currency.EMoneyName.str()))
                                          .arg(FigureDigits(m_currency)),
                                Dialogs::Default::No))
            return;
        reg->addAccount(bank, m_currency);
        m_access.touch();
        status(tr("The account of %1 was added.").arg(bank));
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
    }
}

void RegisterWindow::reconcile()
{
    ChequeRegister *reg = openRegister();
    if (!reg)
        return;
    if (BankCB->currentIndex() <= 0) {
        dialogs().showMessage(this, Title(), tr("Choose the statement's bank in the bank filter first."));
        return;
    }
    const QString bank = BankCB->currentText();
    const auto file = dialogs().askOpenFile(this, tr("The Statement of %1").arg(bank),
                                            tr("Bank statements (*.csv *.xlsx *.txt);;All files (*)"));
    if (!file)
        return;
    Reconciliation done;
    try {
        done = ReconcileStatement(*reg, *file, bank);
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
        return;
    }
    m_access.touch();
    QStringList lines = DescribeReconciliation(done);
    if (lines.size() > 20) {
        const int more = int(lines.size()) - 20;
        lines = lines.mid(0, 20);
        lines << tr("…and %Ln more.", nullptr, more);
    }
    const QString summary =
        tr("%Ln cheques of %1 cleared; %2 lines of the statement do not match.", nullptr, done.cleared)
            .arg(bank)
            .arg(done.mismatched());
    if (!dialogs().askYesNo(this, Title(),
                            summary + (lines.isEmpty() ? QString() : QStringLiteral("\n\n") + lines.join(u'\n'))
                                + QStringLiteral("\n\n") + tr("Save the reconciliation's report as a PDF file?"),
                            Dialogs::Default::Yes))
        return;
    const auto target =
        dialogs().askSaveFile(this, tr("Save the Reconciliation"), QStringLiteral("reconciliation-%1.pdf").arg(bank),
                              tr("PDF files (*.pdf)"));
    if (!target)
        return;
    try {
        SaveReconciliationReport(*target, done);
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
    }
}

void RegisterWindow::exportShown()
{
    const auto v = view();
    ChequeRegister *reg = openRegister();
    if (!v || !reg)
        return;
    // A CSV file's headers are English unless asked otherwise (programs
    // read it); the other choice is offered when the interface speaks
    // another language.
    const QString csv = tr("CSV files (*.csv)");
    const QString csvHere = tr("CSV files, headers in this language (*.csv)");
    const QString workbook = tr("Excel workbooks (*.xlsx)");
    const bool translated = InterfaceExportColumns() != ExportColumns();
    const QStringList filters = translated ? QStringList{csv, csvHere, workbook} : QStringList{csv, workbook};
    QString chosen;
    const auto file = dialogs().askSaveFile(this, tr("Export Cheques"), QStringLiteral("cheques.csv"),
                                            filters.join(QStringLiteral(";;")), &chosen);
    if (!file)
        return;
    const ExportFormat format = FormatOf(*file) == ExportFormat::Csv && translated && chosen == csvHere
        ? ExportFormat::CsvInterfaceHeaders
        : FormatOf(*file);
    QProgressDialog progress(tr("Exporting the cheques…"), tr("Cancel"), 0, 0, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    try {
        const qint64 written = ExportRegister(*reg, *v, format, *file, [&](qint64 done) {
            progress.setLabelText(tr("Exporting the cheques… %1").arg(QLocale().toString(done)));
            return !progress.wasCanceled();
        });
        status(written < 0 ? tr("The export was cancelled; nothing was written.")
                           : tr("%1 cheques exported to \"%2\".").arg(QLocale().toString(written), *file));
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
    }
}

void RegisterWindow::saveReport()
{
    const auto v = view();
    ChequeRegister *reg = openRegister();
    if (!v || !reg)
        return;
    const auto file =
        dialogs().askSaveFile(this, tr("Save Report"), QStringLiteral("cheque-register.pdf"), tr("PDF files (*.pdf)"));
    if (!file)
        return;
    try {
        const int pages = SaveRegisterReport(*file, Title(), *reg, *v);
        status(CountText("RegisterWindow",
                         QT_TRANSLATE_NOOP("RegisterWindow", "The report (one page) was saved to \"%1\"."),
                         QT_TRANSLATE_N_NOOP("RegisterWindow", "The report (%Ln pages) was saved to \"%1\"."), pages)
                   .arg(*file));
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
    }
}

void RegisterWindow::printReport()
{
    const auto v = view();
    ChequeRegister *reg = openRegister();
    if (!v || !reg)
        return;
    QPrinter printer(QPrinter::HighResolution);
    PageForReport(printer);
    if (!printService().setup(this, printer))
        return;
    PageForReport(printer); // the dialog may have put another page on it
    QString problem;
    printService().print(printer, [&](QPrinter *target) {
        try {
            PaintRegisterReport(*target, *reg, *v);
        } catch (const ChequeError &error) {
            problem = QString::fromStdString(error.message());
        }
    });
    if (!problem.isEmpty())
        dialogs().showMessage(this, Title(), problem);
}

void RegisterWindow::editConnection()
{
    ConnectionDialog dialog(m_access.connection(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_access.setConnection(dialog.connection());
    setBanks(m_banks);
    refresh();
}
