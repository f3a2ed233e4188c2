// SPDX-License-Identifier: GPL-3.0-or-later
// Prints N cheques to PDF files with their records in a register, as the
// program does (the one path from cheque data to paper, recorded before
// paper), for tests that run several of it at once or kill it:
//   registerprint REGISTER OUTDIR COUNT [DELAY-MS] [BANK]
// REGISTER is an SQLite file, or "pg:" for the PostgreSQL server of the
// environment (CHEQUE_PG_HOST, CHEQUE_PG_PORT, CHEQUE_PG_DATABASE, CHEQUE_PG_USER).
// Each printed cheque is OUTDIR/cheque-<register number>.pdf, and a line
// with the count printed so far on standard output; the exit status is 0
// when all were printed.

#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QThread>

#include "layout/chequelayout.h"
#include "output/chequepage.h"
#include "register/chequeissuer.h"

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
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
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));

    ChequeRegister reg(connection);
    int printed = 0;
    for (int i = 0; i < count; ++i) {
        const ChequeOrProblem made = MakeCheque(bank, QStringLiteral("1/31/26"), QStringLiteral("Payee %1").arg(i),
                                                QStringLiteral("%1.25").arg(100 + i), false, UaeMoney(), "#", false);
        if (!made.cheque)
            return 3;
        const auto print = [&](const ChequeRegister::Recorded &recorded) -> std::optional<QString> {
            ChequeLayout layout = FillCheque(InitialLayout(), *made.cheque);
            QPdfWriter pdf(out.filePath(QStringLiteral("cheque-%1.pdf").arg(recorded.number)));
            if (!RenderChequePage(pdf, PageFromLayout(layout)))
                return QStringLiteral("the PDF could not be written");
            return std::nullopt;
        };
        const IssueResult result = IssueCheque(reg, *made.cheque, QStringLiteral("PDF files"), print);
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
