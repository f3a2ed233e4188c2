// SPDX-License-Identifier: GPL-3.0-or-later
// Prints N cheques to PDF files with their records in a register, as the
// program does (the one path from cheque data to paper, recorded before
// paper), for tests that run several of it at once or kill it:
//   registerprint REGISTER OUTDIR COUNT [DELAY-MS] [BANK]
// or N cheques into one PDF file, killed (SIGKILL) just before or just after
// the complete file takes its place:
//   registerprint --file REGISTER TARGET COUNT before|after
// REGISTER is an SQLite file, or "pg:" for the PostgreSQL server of the
// environment (CHEQUE_PG_HOST, CHEQUE_PG_PORT, CHEQUE_PG_DATABASE, CHEQUE_PG_USER).
// Each printed cheque is OUTDIR/cheque-<register number>.pdf, and a line
// with the count printed so far on standard output; the exit status is 0
// when all were printed.

#include <csignal>
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QThread>

#include "core/partfile.h"
#include "layout/chequelayout.h"
#include "output/chequepage.h"
#include "register/chequeissuer.h"

namespace {

Cheque Numbered(const QString &bank, int i)
{
    return *MakeCheque(bank, QStringLiteral("1/31/26"), QStringLiteral("Payee %1").arg(i),
                       QStringLiteral("%1.25").arg(100 + i), false, UaeMoney(), "#", false)
                .cheque;
}

int PrintToOneFile(const QStringList &args)
{
    RegisterConnection connection;
    connection.file = args.value(2);
    const PartStep killAt = args.value(5) == QLatin1String("after") ? PartStep::AfterRename : PartStep::BeforeRename;
    SetPartStepHook([killAt](PartStep step) {
        if (step == killAt)
            std::raise(SIGKILL);
    });
    ChequeRegister reg(connection);
    PdfFileOutput output(args.value(3));
    ChequeIssuer issuer(reg, output);
    for (int i = 0; i < args.value(4).toInt(); ++i)
        if (!issuer.issue(Numbered(QStringLiteral("SIB"), i), InitialLayout()).printed)
            return 3;
    issuer.finish();
    return 1; // not reached: the step always comes
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    if (args.value(1) == QLatin1String("--file"))
        return PrintToOneFile(args);
    if (args.size() < 4)
        return 2;
    RegisterConnection connection;
    if (args[1] == QLatin1String("pg:")) {
        connection.driver = QStringLiteral("QPSQL");
        connection.host = qEnvironmentVariable("CHEQUE_PG_HOST");
        connection.database = qEnvironmentVariable("CHEQUE_PG_DATABASE");
        connection.user = qEnvironmentVariable("CHEQUE_PG_USER");
        connection.port = qEnvironmentVariableIntValue("CHEQUE_PG_PORT");
    } else {
        connection.file = args[1];
    }
    const QDir out(args[2]);
    const int count = args[3].toInt();
    const int delay = args.value(4).toInt();
    const QString bank = args.value(5, QStringLiteral("SIB"));

    ChequeRegister reg(connection);
    int printed = 0;
    for (int i = 0; i < count; ++i) {
        const Cheque cheque = Numbered(bank, i);
        const auto print = [&](const ChequeRegister::Recorded &recorded) -> std::optional<QString> {
            ChequeLayout layout = FillCheque(InitialLayout(), cheque);
            QPdfWriter pdf(out.filePath(QStringLiteral("cheque-%1.pdf").arg(recorded.number)));
            if (!RenderChequePage(pdf, PageFromLayout(layout)))
                return QStringLiteral("the PDF could not be written");
            return std::nullopt;
        };
        const IssueResult result = IssueCheque(reg, cheque, QStringLiteral("PDF files"), print);
        if (!result.printed) {
            fprintf(stderr, "%s\n", qPrintable(result.problem));
            return 1;
        }
        ++printed;
        // Told as it goes, for a test that kills the run part-way.
        fprintf(stdout, "%d\n", printed);
        fflush(stdout);
        if (delay > 0)
            QThread::msleep(static_cast<unsigned long>(delay));
    }
    return printed == count ? 0 : 1;
}
