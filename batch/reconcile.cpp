// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/reconcile.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include "core/chequeerror.h"
#include "output/printrun.h"
#include "register/registercolumns.h"
#include "register/registerreport.h"

namespace {

enum Column { Date, Number, Amount, Description, ColumnCount };

// The names each column goes by in banks' statements, compared without
// case and blanks at the ends.
const QStringList &NamesOf(Column column)
{
    static const QStringList names[ColumnCount] = {
        {"date", "value date", "transaction date", "posting date", "التاريخ", "تاريخ القيمة", "تاريخ الحركة"},
        {"cheque number", "cheque no", "cheque no.", "cheque", "chq no", "chq no.", "check number", "رقم الشيك",
         "الشيك"},
        {"amount", "debit", "withdrawal", "withdrawals", "المبلغ", "مدين", "سحب", "المسحوبات"},
        {"description", "details", "narration", "particulars", "البيان", "الوصف", "التفاصيل"},
    };
    return names[column];
}

QString ColumnTitle(Column column)
{
    switch (column) {
    case Date: return QCoreApplication::translate("Reconcile", "date");
    case Number: return QCoreApplication::translate("Reconcile", "cheque number");
    default: return QCoreApplication::translate("Reconcile", "amount");
    }
}

// Digits of any script (Arabic-Indic, Persian) as 0 to 9.
QString LatinDigits(const QString &text)
{
    QString latin;
    latin.reserve(text.size());
    for (const QChar c : text)
        latin += c.isDigit() ? QChar(u'0' + c.digitValue()) : c == u'\u066B' ? QChar(u'.') : c;
    return latin;
}

// The cheque number of a cell: its digits.
QString NumberDigits(const QString &text)
{
    QString digits;
    for (const QChar c : LatinDigits(text))
        if (c.isDigit())
            digits += c;
    return digits;
}

std::optional<QDate> LineDate(const ListCell &cell, const QLocale &locale)
{
    if (cell.date)
        return cell.date;
    const QString text = LatinDigits(cell.text.trimmed());
    if (const QDate iso = QDate::fromString(text, Qt::ISODate); iso.isValid())
        return iso;
    // The day first, as the Gulf's banks write dates, then the desktop's.
    for (const char *format : {"d/M/yyyy", "d-M-yyyy", "d.M.yyyy", "d/M/yy", "d-M-yy", "d.M.yy"}) {
        QDate day = QDate::fromString(text, QLatin1String(format));
        if (day.isValid() && day.year() < 1970)
            day = day.addYears(100); // two digits of this century
        if (day.isValid())
            return day;
    }
    return ReadTypedDate(text, locale);
}

// A line's amount as a bank writes it ("5,000.00", "-5,000.00", "Dhs.
// 5,000.00", "5,000.00 DR"); a credit ("CR") is no cheque paid.
enum class AmountKind { Empty, Credit, Unreadable, Read };
std::pair<AmountKind, double> LineAmount(const QString &cell)
{
    const QString text = LatinDigits(cell).trimmed();
    if (text.isEmpty())
        return {AmountKind::Empty, 0};
    static const QRegularExpression credit(QStringLiteral("(\\bCR\\b|دائن)"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (text.contains(credit))
        return {AmountKind::Credit, 0};
    static const QRegularExpression number(QStringLiteral("[0-9][0-9,]*(\\.[0-9]+)?"));
    const QRegularExpressionMatch m = number.match(text);
    bool ok = false;
    const double amount = m.hasMatch() ? QLocale::c().toDouble(m.captured(0).remove(u','), &ok) : 0;
    if (!ok || amount <= 0 || amount > 1e12)
        return {AmountKind::Unreadable, 0};
    return {AmountKind::Read, amount};
}

} // namespace

QList<StatementLine> ReadStatement(const ListFile &file, const QLocale &locale)
{
    QList<StatementLine> lines;
    if (file.rows.isEmpty())
        return lines;
    int index[ColumnCount] = {-1, -1, -1, -1};
    const QList<ListCell> &header = file.rows.first();
    for (int i = 0; i < header.size(); ++i) {
        const QString name = header[i].text.trimmed().toCaseFolded();
        for (int c = 0; c < ColumnCount; ++c)
            if (index[c] < 0 && NamesOf(Column(c)).contains(name))
                index[c] = i;
    }
    for (Column c : {Date, Number, Amount})
        if (index[c] < 0)
            throw ChequeError(QCoreApplication::translate("Reconcile", "%1 has no %2 column in its first row")
                                  .arg(file.name, ColumnTitle(c))
                                  .toStdString());
    for (int r = 1; r < file.rows.size(); ++r) {
        const QList<ListCell> &cells = file.rows[r];
        const QString number = NumberDigits(cells.value(index[Number]).text);
        const auto [kind, amount] = LineAmount(cells.value(index[Amount]).text);
        // Not a cheque paid: a transfer, a fee, money coming in.
        if (number.isEmpty() || kind == AmountKind::Empty || kind == AmountKind::Credit)
            continue;
        StatementLine line;
        line.row = file.rowNumbers.value(r, r + 1);
        line.chequeNumber = number.toLongLong();
        if (index[Description] >= 0)
            line.description = cells.value(index[Description]).text.trimmed();
        const auto date = LineDate(cells.value(index[Date]), locale);
        if (!date)
            line.problem = QCoreApplication::translate("Reconcile", "its date cannot be read");
        else if (kind == AmountKind::Unreadable)
            line.problem = QCoreApplication::translate("Reconcile", "its amount cannot be read");
        else {
            line.date = *date;
            line.thousandths = std::llround(amount * 1000);
        }
        lines << line;
    }
    return lines;
}

QList<StatementMatch> MatchStatement(ChequeRegister &reg, const QString &bank, const QList<StatementLine> &lines)
{
    QList<qint64> numbers;
    for (const StatementLine &line : lines)
        if (line.problem.isEmpty())
            numbers << line.chequeNumber;
    const QHash<qint64, RegisteredCheque> cheques = reg.chequesByNumber(bank, numbers);
    QList<StatementMatch> matches;
    QSet<qint64> seen;
    for (const StatementLine &line : lines) {
        StatementMatch m;
        m.line = line;
        const auto cheque = line.problem.isEmpty() ? cheques.constFind(line.chequeNumber) : cheques.cend();
        if (!line.problem.isEmpty()) {
            m.kind = StatementMatch::Kind::Unreadable;
        } else if (cheque == cheques.cend()) {
            m.kind = StatementMatch::Kind::NotInRegister;
        } else {
            m.cheque = *cheque;
            if (m.cheque->money().thousandths() != line.thousandths)
                m.kind = StatementMatch::Kind::AmountDiffers;
            else if (seen.contains(line.chequeNumber) || m.cheque->state == ChequeState::Cleared)
                m.kind = StatementMatch::Kind::ClearedTwice;
            else if (!CanChangeState(m.cheque->state, ChequeState::Cleared))
                m.kind = StatementMatch::Kind::NotPayable;
            else if (line.date < LocalDay(m.cheque->printedAt))
                m.kind = StatementMatch::Kind::BeforePrinted;
        }
        if (m.kind == StatementMatch::Kind::Cleared)
            seen.insert(line.chequeNumber);
        matches << m;
    }
    return matches;
}

int ClearMatched(ChequeRegister &reg, const QList<StatementMatch> &matches)
{
    QList<std::pair<qint64, QDate>> cleared;
    for (const StatementMatch &m : matches)
        if (m.kind == StatementMatch::Kind::Cleared)
            cleared.append({m.cheque->number, m.line.date});
    if (!cleared.isEmpty())
        reg.markClearedAll(cleared);
    return int(cleared.size());
}

std::optional<QString> DescribeEarly(const StatementMatch &m, const QLocale &locale)
{
    if (m.kind != StatementMatch::Kind::Cleared || !m.cheque || !m.cheque->day.isValid()
        || m.line.date >= m.cheque->day)
        return std::nullopt;
    return QCoreApplication::translate("Reconcile", "Line %1, cheque %2: paid on %3, before its date %4")
        .arg(m.line.row)
        .arg(m.line.chequeNumber)
        .arg(WriteShortDate(m.line.date, locale), WriteShortDate(m.cheque->day, locale));
}

QString DescribeMismatch(const StatementMatch &m, const QString &bank, const QLocale &locale)
{
    // In the cheque's own decimals where the register has it.
    const bool three = m.cheque ? m.cheque->digits == 3 : m.line.thousandths % 10 != 0;
    const QString amount =
        three ? MinorUnitsText(m.line.thousandths, 3, locale) : MinorUnitsText(m.line.thousandths / 10, 2, locale);
    QString why;
    switch (m.kind) {
    case StatementMatch::Kind::Cleared: return {};
    case StatementMatch::Kind::Unreadable: why = m.line.problem; break;
    case StatementMatch::Kind::NotInRegister:
        why = QCoreApplication::translate("Reconcile", "the register has no such cheque of %1").arg(bank);
        break;
    case StatementMatch::Kind::AmountDiffers:
        why = QCoreApplication::translate("Reconcile", "the register's cheque is for %1")
                  .arg(MinorUnitsText(m.cheque->minorUnits, m.cheque->digits, locale));
        break;
    case StatementMatch::Kind::ClearedTwice:
        why = QCoreApplication::translate("Reconcile", "the cheque is cleared already");
        break;
    case StatementMatch::Kind::BeforePrinted:
        why = QCoreApplication::translate("Reconcile", "the statement pays it on %1, before it was printed on %2")
                  .arg(WriteShortDate(m.line.date, locale),
                       WriteShortDate(m.cheque->printedAt.toLocalTime().date(), locale));
        break;
    case StatementMatch::Kind::NotPayable:
        why = QCoreApplication::translate("Reconcile", "the register has the cheque as %1")
                  .arg(StateText(m.cheque->state));
        break;
    }
    return QCoreApplication::translate("Reconcile", "Line %1, cheque %2, %3: %4")
        .arg(m.line.row)
        .arg(m.line.chequeNumber)
        .arg(m.line.problem.isEmpty() ? amount : QStringLiteral("?"), why);
}

int Reconciliation::mismatched() const
{
    return int(std::count_if(matches.begin(), matches.end(),
                             [](const StatementMatch &m) { return m.kind != StatementMatch::Kind::Cleared; }));
}

QStringList DescribeReconciliation(const Reconciliation &done, const QLocale &locale)
{
    QStringList lines;
    for (const StatementMatch &m : done.matches)
        if (m.kind != StatementMatch::Kind::Cleared)
            lines << DescribeMismatch(m, done.bank, locale);
    for (const StatementMatch &m : done.matches)
        if (const auto early = DescribeEarly(m, locale))
            lines << *early;
    return lines;
}

Reconciliation ReconcileStatement(ChequeRegister &reg, const QString &path, const QString &bank, const QLocale &locale)
{
    Reconciliation done;
    const ListFile file = ReadListFile(path);
    done.statement = file.name;
    done.bank = bank;
    done.matches = MatchStatement(reg, bank, ReadStatement(file, locale));
    done.cleared = ClearMatched(reg, done.matches);
    // The report shows the cheques as they stand now: cleared, on the
    // statement's day.
    for (StatementMatch &m : done.matches)
        if (m.kind == StatementMatch::Kind::Cleared && m.cheque) {
            m.cheque->state = ChequeState::Cleared;
            m.cheque->stateDay = m.line.date;
        }
    return done;
}

int SaveReconciliationReport(const QString &fileName, const Reconciliation &done, const QLocale &locale)
{
    QList<ReportEntry> entries;
    for (const StatementMatch &m : done.matches)
        if (m.kind == StatementMatch::Kind::Cleared)
            entries.append(
                {m.cheque,
                 (DescribeEarly(m, locale)
                      ? QCoreApplication::translate("Reconcile", "Cleared on %1 (statement line %2), before its date")
                      : QCoreApplication::translate("Reconcile", "Cleared on %1 (statement line %2)"))
                     .arg(WriteShortDate(m.line.date, locale))
                     .arg(m.line.row)});
    for (const StatementMatch &m : done.matches)
        if (m.kind != StatementMatch::Kind::Cleared)
            entries.append(
                {std::nullopt,
                 DescribeMismatch(m, done.bank, locale)
                     + (m.line.description.isEmpty() ? QString() : QStringLiteral(" (") + m.line.description + u')')});
    return SaveChequesReport(
        fileName,
        QCoreApplication::translate("Reconcile", "Statement %1 of %2, reconciled").arg(done.statement, done.bank),
        entries,
        QCoreApplication::translate("Reconcile", "%1 cheques cleared; %2 lines do not match")
            .arg(done.cleared)
            .arg(done.mismatched()),
        {QCoreApplication::translate("Reconcile", "Statement: %1, %2 lines with a cheque number")
             .arg(done.statement)
             .arg(done.matches.size())},
        locale);
}
