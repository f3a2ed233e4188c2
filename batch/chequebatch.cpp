// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/chequebatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#include "core/bidi.h"
#include "core/chequeerror.h"
#include "core/datafile.h"
#include "output/chequepage.h"
#include "output/printrun.h"

namespace {

// A header's name as it is compared: case, Arabic letter forms and blanks
// as a payee is compared in the register.
QString NameKey(const QString &name) { return PayeeKey(name).remove(u' ').remove(u'_'); }

const std::array<QStringList, ListColumnCount> &ColumnNames()
{
    static const std::array<QStringList, ListColumnCount> names{
        QStringList{QStringLiteral("date"), QStringLiteral("التاريخ")},
        QStringList{QStringLiteral("payee"), QStringLiteral("المستفيد")},
        QStringList{QStringLiteral("amount"), QStringLiteral("المبلغ")},
        QStringList{QStringLiteral("bank"), QStringLiteral("البنك")},
        QStringList{QStringLiteral("account only"), QStringLiteral("للمستفيد الأول")},
        QStringList{QStringLiteral("memo"), QStringLiteral("ملاحظة")}};
    return names;
}

// The column's name as a list's first row writes it in English ("Amount").
QString HeaderName(ListColumn column)
{
    static const char *const names[] = {"Date", "Payee", "Amount", "Bank", "Account Only", "Memo"};
    return QString::fromLatin1(names[int(column)]);
}

// The column of a list that gives a field of a layout its text.
ListColumn ColumnOf(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Date: return ListColumn::Date;
    case FieldKind::Name: return ListColumn::Payee;
    case FieldKind::AccountOnly: return ListColumn::AccountOnly;
    default: return ListColumn::Amount;
    }
}

// A sentence said after "Row 7, Amount: ".
QString LowerFirst(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

QString CellText(const QList<ListCell> &row, int index) { return index >= 0 ? row.value(index).text : QString(); }

std::optional<bool> YesOrNo(const QString &text)
{
    const QString t = text.trimmed().toCaseFolded();
    for (const char *yes : {"yes", "y", "true", "1", "x"})
        if (t == QLatin1String(yes))
            return true;
    if (t == QStringLiteral("نعم") || t == QStringLiteral("✓") || t == QStringLiteral("✔"))
        return true;
    for (const char *no : {"", "no", "n", "false", "0"})
        if (t == QLatin1String(no))
            return false;
    if (t == QStringLiteral("لا"))
        return false;
    return std::nullopt;
}

// An amount from a list in the desktop's own form for the cheque rules:
// a spreadsheet's number ("1250.5"), or a text as the desktop writes it,
// its grouping separators dropped when they group by threes.
QString DesktopAmount(const ListCell &cell, const QLocale &locale)
{
    QString plain = cell.kind == ListCell::Kind::Number ? cell.text : NormalizedAmountText(cell.text, locale).trimmed();
    static const QRegularExpression grouped(QStringLiteral("^[-+]?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
    if (plain.contains(u',') && grouped.match(plain).hasMatch())
        plain.remove(u',');
    if (locale.decimalPoint() != QLatin1String("."))
        plain.replace(u'.', locale.decimalPoint());
    return plain;
}

// A list's "." is a decimal point ("1.5" is read as 1.5 on every desktop):
// on a desktop that also groups thousands with it, "1.500" may be 1.5 or
// 1500, and is read as neither.
std::optional<QString> AmbiguousAmount(const ListCell &cell, const QLocale &locale)
{
    static const QRegularExpression oneGroup(QStringLiteral("^[-+]?\\d{1,3}\\.\\d{3}$"));
    const QString text = cell.text.trimmed();
    if (cell.kind != ListCell::Kind::Text || locale.groupSeparator() != QLatin1String(".")
        || !oneGroup.match(text).hasMatch())
        return std::nullopt;
    QString grouped = text;
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const double small = text.toDouble();
    return QCoreApplication::translate("ChequeList", "\"%1\" can be read as %2 or as %3: write it as %3 or as %4")
        .arg(Shown(text), QLocale::c().toString(small, 'g', 15), grouped.remove(u'.'), plain.toString(small, 'g', 15));
}

} // namespace

QString ColumnName(ListColumn column)
{
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("ChequeList", "Date"),         QT_TRANSLATE_NOOP("ChequeList", "Payee"),
        QT_TRANSLATE_NOOP("ChequeList", "Amount"),       QT_TRANSLATE_NOOP("ChequeList", "Bank"),
        QT_TRANSLATE_NOOP("ChequeList", "Account Only"), QT_TRANSLATE_NOOP("ChequeList", "Memo")};
    return QCoreApplication::translate("ChequeList", names[int(column)]);
}

ListColumns FindColumns(const QList<ListCell> &header)
{
    ListColumns columns;
    for (int i = 0; i < header.size(); ++i) {
        const QString key = NameKey(header[i].text);
        for (int c = 0; c < ListColumnCount; ++c) {
            bool named = false;
            for (const QString &name : ColumnNames()[std::size_t(c)])
                named = named || key == NameKey(name);
            if (!named)
                continue;
            if (columns.index[std::size_t(c)] >= 0)
                throw ChequeError(
                    QCoreApplication::translate("ChequeList", "The list names the column %1 twice (columns %2 and %3).")
                        .arg(ColumnName(ListColumn(c)))
                        .arg(columns.index[std::size_t(c)] + 1)
                        .arg(i + 1)
                        .toStdString());
            columns.index[std::size_t(c)] = i;
        }
    }
    QStringList missing;
    for (ListColumn c : {ListColumn::Date, ListColumn::Payee, ListColumn::Amount})
        if (columns[c] < 0)
            missing << QStringLiteral("%1 (%2)").arg(HeaderName(c), ColumnNames()[std::size_t(c)][1]);
    if (!missing.isEmpty())
        throw ChequeError(
            QCoreApplication::translate("ChequeList",
                                        "The first row of the list must name its columns; it has no %1. The "
                                        "columns are Date, Payee, Amount and, if wanted, Bank, Account Only and "
                                        "Memo, in English or Arabic, in any order.")
                .arg(missing.join(QLatin1String(", ")))
                .toStdString());
    return columns;
}

LayoutOrProblem BankLayout(const QString &bank, const QStringList &banks, const QStringList &options)
{
    const qsizetype index = banks.indexOf(bank);
    if (index < 0)
        return {std::nullopt,
                QCoreApplication::translate("ChequeList", "there is no bank \"%1\" in the bank list").arg(bank)};
    const QString line = options.value(index);
    if (line.isEmpty())
        return {
            std::nullopt,
            QCoreApplication::translate("ChequeList", "the bank \"%1\" has no layout yet; set it in Setup").arg(bank)};
    ChequeLayout layout = InitialLayout();
    try {
        ApplyOptionLine(line, layout);
    } catch (const ChequeError &error) {
        return {std::nullopt,
                QCoreApplication::translate("ChequeList",
                                            "the layout of the bank \"%1\" cannot be read (%2); check it in Setup")
                    .arg(bank, QString::fromStdString(error.message()))};
    }
    return {layout, QString()};
}

std::optional<QString> PayeeProblem(const QString &payee)
{
    if (payee.trimmed().isEmpty())
        return QCoreApplication::translate("ChequeList", "it is empty");
    if (payee.size() > MaxPayeeChars)
        return QCoreApplication::translate("ChequeList", "it has %1 characters, and a cheque carries at most %2")
            .arg(payee.size())
            .arg(MaxPayeeChars);
    for (qsizetype i = 0; i < payee.size(); ++i) {
        const char32_t c = payee.at(i).isHighSurrogate() && i + 1 < payee.size()
            ? QChar::surrogateToUcs4(payee.at(i), payee.at(i + 1))
            : payee.at(i).unicode();
        const auto character = [&] { return c > 0xFFFF ? payee.mid(i, 2) : payee.mid(i, 1); };
        // Direction marks and joiners are part of writing Arabic and Latin
        // together; other invisible characters are not.
        const bool mark = IsJoiner(c) || IsDirectionMark(c);
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return QCoreApplication::translate("ChequeList", "it holds %1, which a cheque cannot carry")
                .arg(DescribeCharacter(character()));
        case QChar::Other_Format:
            if (!mark)
                return QCoreApplication::translate("ChequeList", "it holds %1, which a cheque cannot carry")
                    .arg(DescribeCharacter(character()));
            break;
        default: break;
        }
        if (c > 0xFFFF)
            ++i;
    }
    return std::nullopt;
}

QList<BatchRow> CheckList(const ListFile &file, const BatchContext &context)
{
    const auto refuse = [&](const QString &why) {
        throw ChequeError(QCoreApplication::translate("ChequeList", "Cannot read the list \"%1\": %2")
                              .arg(QDir::toNativeSeparators(file.name), why)
                              .toStdString());
    };
    if (file.rows.isEmpty())
        refuse(QCoreApplication::translate("ChequeList",
                                           "it is empty: its first row must name its columns (Date, "
                                           "Payee, Amount)"));
    const ListColumns columns = FindColumns(file.rows.first());
    QHash<QString, LayoutOrProblem> layouts;
    QHash<QString, ChequePageChecker> pages; // by bank
    // A list's dates come again and again: each text read once, each day
    // written once.
    QHash<QString, std::optional<QDate>> typedDates;
    QHash<QDate, std::pair<QString, std::optional<QString>>> writtenDates; // as printed, and why it cannot be
    QList<BatchRow> rows;
    rows.reserve(file.rows.size());
    const auto rowProblem = [](int row, ListColumn column, const QString &what) {
        return QCoreApplication::translate("ChequeList", "Row %1, %2: %3").arg(row).arg(ColumnName(column), what);
    };
    // The pages of the rows' cheques, checked a few hundred at a time: each
    // one as it will be printed, every text whole in its box, every
    // character drawn.
    struct Unchecked
    {
        qsizetype row;
        Cheque cheque;
    };
    QList<Unchecked> unchecked;
    const auto checkPages = [&] {
        QHash<QString, QList<qsizetype>> byBank;
        QStringList banks;
        for (qsizetype i = 0; i < unchecked.size(); ++i) {
            const QString &bank = rows[unchecked[i].row].bank;
            if (!byBank.contains(bank))
                banks << bank;
            byBank[bank] << i;
        }
        for (const QString &bank : std::as_const(banks)) {
            const QList<qsizetype> &of = byBank[bank];
            QList<Cheque> cheques;
            for (qsizetype i : of)
                cheques << unchecked[i].cheque;
            auto checker = pages.find(bank);
            if (checker == pages.end())
                checker = pages.insert(bank, ChequePageChecker(*layouts[bank].layout));
            const QList<std::optional<PageFault>> faults = checker->faults(cheques);
            for (qsizetype k = 0; k < of.size(); ++k) {
                BatchRow &row = rows[unchecked[of[k]].row];
                if (const auto &fault = faults[k]) {
                    const ChequeLayout &layout = *layouts[bank].layout;
                    row.problem = rowProblem(row.row, ColumnOf(layout.Fields[std::size_t(fault->label)].Kind),
                                             LowerFirst(DescribePageFault(*fault, layout)));
                } else {
                    row.cheque = std::move(unchecked[of[k]].cheque);
                }
            }
        }
        unchecked.clear();
    };
    for (qsizetype r = 1; r < file.rows.size(); ++r) {
        const QList<ListCell> &cells = file.rows[r];
        bool empty = true;
        for (const ListCell &cell : cells)
            empty = empty && cell.text.trimmed().isEmpty();
        if (empty)
            continue;
        BatchRow row;
        row.index = r;
        row.row = file.rowNumbers.value(r, int(r) + 1);
        row.bank = CellText(cells, columns[ListColumn::Bank]).trimmed();
        if (row.bank.isEmpty())
            row.bank = context.defaultBank;
        const ListCell dateCell = columns[ListColumn::Date] >= 0 ? cells.value(columns[ListColumn::Date]) : ListCell();
        row.payee = CellText(cells, columns[ListColumn::Payee]);
        const ListCell amountCell = cells.value(columns[ListColumn::Amount]);
        row.amount = amountCell.text;
        row.memo = CellText(cells, columns[ListColumn::Memo]);
        row.date = dateCell.text;

        QStringList problems;
        const auto problem = [&](ListColumn column, const QString &what) {
            problems << rowProblem(row.row, column, what);
        };
        // The date.
        std::optional<QDate> date = dateCell.date;
        QDate day;
        if (!date && dateCell.kind == ListCell::Kind::Text) {
            auto typed = typedDates.find(dateCell.text);
            if (typed == typedDates.end())
                typed = typedDates.insert(dateCell.text, ReadTypedDate(dateCell.text, context.locale));
            date = *typed;
        }
        if (date && date->isValid()) {
            auto written = writtenDates.find(*date);
            if (written == writtenDates.end())
                written = writtenDates.insert(
                    *date, {WriteShortDate(*date, context.locale), ShortDateRefusal(*date, context.locale)});
            row.date = written->first;
            // The register keeps the day the list gives.
            day = *date;
            if (written->second)
                problem(ListColumn::Date, LowerFirst(*written->second));
        } else if (dateCell.text.trimmed().isEmpty())
            problem(ListColumn::Date, QCoreApplication::translate("ChequeList", "there is no date"));
        else
            problem(ListColumn::Date,
                    QCoreApplication::translate("ChequeList", "\"%1\" is not a date; %2")
                        .arg(Shown(dateCell.text.trimmed()), DateFormsText(context.locale)));
        // The payee.
        if (const auto why = PayeeProblem(row.payee))
            problem(ListColumn::Payee, *why);
        // Account only.
        if (const auto yes = YesOrNo(CellText(cells, columns[ListColumn::AccountOnly])))
            row.accountOnly = *yes;
        else
            problem(ListColumn::AccountOnly,
                    QCoreApplication::translate("ChequeList", "\"%1\" is neither yes nor no")
                        .arg(Shown(CellText(cells, columns[ListColumn::AccountOnly]).trimmed())));
        // The bank and its layout.
        if (!layouts.contains(row.bank))
            layouts.insert(
                row.bank,
                row.bank.isEmpty()
                    ? LayoutOrProblem{std::nullopt, QCoreApplication::translate("ChequeList", "there is no bank")}
                    : BankLayout(row.bank, context.banks, context.options));
        const LayoutOrProblem &layout = layouts[row.bank];
        if (!layout.layout)
            problem(ListColumn::Bank, layout.problem);
        // The amount, with the rules of a cheque typed by hand.
        const QString amount = DesktopAmount(amountCell, context.locale);
        const auto value = ReadAmountStrictly(amount, context.locale);
        const ChequeAmount read =
            value && *value > 0 ? ReadChequeAmount(amount, context.currency, context.locale) : ChequeAmount{};
        if (amountCell.formula && file.uncalculatedFormulas) {
            problem(ListColumn::Amount,
                    QCoreApplication::translate("ChequeList",
                                                "it is a formula the workbook has never calculated; open the "
                                                "workbook in a spreadsheet program and save it"));
        } else if (row.amount.trimmed().isEmpty()) {
            problem(ListColumn::Amount, QCoreApplication::translate("ChequeList", "there is no amount"));
        } else if (const auto both = AmbiguousAmount(amountCell, context.locale)) {
            problem(ListColumn::Amount, *both);
        } else if (!value) {
            problem(
                ListColumn::Amount,
                QCoreApplication::translate("ChequeList", "\"%1\" is not an amount").arg(Shown(row.amount.trimmed())));
        } else if (*value <= 0) {
            problem(
                ListColumn::Amount,
                QCoreApplication::translate("ChequeList", "%1 is not more than 0").arg(Shown(row.amount.trimmed())));
        } else if (read.refusal) {
            problem(ListColumn::Amount, LowerFirst(*read.refusal));
        } else if (problems.isEmpty()) {
            const ChequeOrProblem made =
                MakeCheque(row.bank, row.date, day, row.payee, read, row.accountOnly, context.currency,
                           layout.layout->BAText, context.onlyFirst, context.locale);
            if (!made.cheque)
                problem(ListColumn::Payee, LowerFirst(made.problem));
            else
                unchecked.append({rows.size(), *made.cheque});
        }
        row.problem = problems.join(u'\n');
        rows << row;
        if (unchecked.size() >= 512)
            checkPages();
    }
    checkPages();
    if (rows.isEmpty())
        refuse(QCoreApplication::translate("ChequeList",
                                           "it holds no cheques: it has only its first row, which names "
                                           "the columns"));
    return rows;
}

std::optional<BatchRow> CheckListRow(const ListFile &file, qsizetype index, const BatchContext &context)
{
    bool empty = true;
    for (const ListCell &cell : file.rows.value(index))
        empty = empty && cell.text.trimmed().isEmpty();
    if (empty)
        return std::nullopt;
    // The header and the row alone, numbered as in the file.
    ListFile one = file;
    one.rows = {file.rows.value(0), file.rows.value(index)};
    one.rowNumbers = {file.rowNumbers.value(0, 1), file.rowNumbers.value(index, int(index) + 1)};
    QList<BatchRow> rows = CheckList(one, context);
    if (rows.isEmpty())
        return std::nullopt;
    rows.first().index = index;
    return rows.first();
}

bool SetListCell(ListFile &file, qsizetype index, ListColumn column, const QString &text)
{
    const int at = FindColumns(file.rows.value(0))[column];
    if (at < 0 || index <= 0 || index >= file.rows.size())
        return false;
    QList<ListCell> &cells = file.rows[index];
    while (cells.size() <= at)
        cells.append(ListCell());
    cells[at] = ListCell::ofText(text);
    return true;
}

BatchTotals TotalsOf(const QList<BatchRow> &rows)
{
    BatchTotals totals;
    for (const BatchRow &row : rows) {
        if (!row.cheque) {
            ++totals.bad;
            continue;
        }
        if (!row.chosen) {
            ++totals.left;
            continue;
        }
        ++totals.good;
        totals.minorUnits += row.cheque->minorUnits;
        totals.digits = row.cheque->digits;
        totals.currency = FromStd(row.cheque->currency.EMoneyName.str());
        totals.currencyArabic = FromStd(row.cheque->currency.AMoneyName.str());
    }
    return totals;
}
