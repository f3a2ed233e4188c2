// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/cheque.h"

#include <cmath>

#include <QCoreApplication>

#include "core/datafile.h"
#include "output/amounttext.h"
#include "output/printrun.h"

QString Cheque::words() const { return IsRightToLeftText(payee) ? arabic : english; }

QString Cheque::amountText() const { return money().text(); }

namespace {

// The currency as a cheque writes it: its words with the figure's decimals,
// whatever number of sub-unit digits the record holds.
const MonyType &WithFigureDigits(const MonyType &currency, MonyType &copy)
{
    if (currency.PartDigits == FigureDigits(currency))
        return currency;
    copy = currency;
    copy.PartDigits = FigureDigits(currency);
    return copy;
}

} // namespace

ChequeAmount ReadChequeAmount(const QString &amount, const MonyType &given, const QLocale &locale)
{
    MonyType copy;
    const MonyType &currency = WithFigureDigits(given, copy);
    ChequeAmount read;
    if (ReadPlainAmount(amount, currency, locale, read.value, read.words))
        return read;
    const auto value = ReadAmountStrictly(amount, locale);
    const QString notPositive = QCoreApplication::translate("PrintRun", "Error in Amount, it must be >0");
    if (!value) {
        // What keeps the text from being read, after the message Print has
        // always given.
        const auto form = AmountFormProblem(amount, locale);
        read.refusal = form ? notPositive
                + QCoreApplication::translate("PrintRun", ". The amount \"%1\" cannot be read: %2.")
                      .arg(Shown(amount.trimmed()), *form)
                            : notPositive;
    } else if (*value <= 0) {
        read.refusal = notPositive;
    } else {
        read.refusal = AmountMismatch(amount, *value, currency, locale, &read.words);
    }
    read.value = value.value_or(0);
    return read;
}

std::optional<QString> AmountRefusal(const QString &amount, const MonyType &currency, const QLocale &locale)
{
    return ReadChequeAmount(amount, currency, locale).refusal;
}

ChequeOrProblem MakeCheque(const QString &bank, const QString &date, const QString &payee, const QString &amount,
                           bool accountOnly, const MonyType &currency, const QString &baText, bool onlyFirst,
                           const QLocale &locale)
{
    return MakeCheque(bank, date, ReadShortDate(date, locale).value_or(QDate()), payee,
                      ReadChequeAmount(amount, currency, locale), accountOnly, currency, baText, onlyFirst, locale);
}

ChequeOrProblem MakeCheque(const QString &bank, const QString &date, QDate day, const QString &payee,
                           const ChequeAmount &amount, bool accountOnly, const MonyType &currency,
                           const QString &baText, bool onlyFirst, const QLocale &locale)
{
    if (amount.refusal)
        return {std::nullopt,
                amount.value <= 0 ? *amount.refusal
                                  : *amount.refusal + QCoreApplication::translate("PrintRun", " Nothing was printed.")};
    // The date is recorded as given: its printed text must say the same day.
    if (day.isValid() && date == WriteShortDate(day, locale))
        if (const auto refusal = ShortDateRefusal(day, locale))
            return {std::nullopt, *refusal + QCoreApplication::translate("PrintRun", " Nothing was printed.")};
    if (payee.size() > MaxPayeeChars)
        return {std::nullopt,
                QCoreApplication::translate("PrintRun",
                                            "The payee has %1 characters; a cheque carries at "
                                            "most %2. Nothing was printed.")
                    .arg(payee.size())
                    .arg(MaxPayeeChars)};

    Cheque cheque;
    cheque.bank = bank;
    cheque.date = date;
    cheque.day = day;
    cheque.payee = payee;
    cheque.accountOnly = accountOnly;
    cheque.currency = currency;
    cheque.digits = FigureDigits(currency);
    cheque.currency.PartDigits = cheque.digits;
    cheque.minorUnits = std::llround(amount.value * std::pow(10.0, cheque.digits));
    cheque.figure = baText + FormatAmount(amount.value, cheque.digits, locale) + baText;
    std::string english = amount.words.english, arabic = amount.words.arabic;
    MarkAmountText(english, arabic, onlyFirst);
    cheque.english = FromStd(english);
    cheque.arabic = FromStd(arabic);
    return {cheque, QString()};
}

QString PayeeKey(const QString &payee)
{
    // Latin accents go with the decomposition; Arabic vowel marks are marks
    // too (and shadda with them).
    const QString decomposed = payee.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (QChar c : decomposed) {
        const char16_t u = c.unicode();
        if (c.category() == QChar::Mark_NonSpacing || u == 0x0640) // marks, tatweel
            continue;
        switch (u) {
        case 0x0622:
        case 0x0623:
        case 0x0625:
        case 0x0671: key += QChar(0x0627); break; // alef
        case 0x0649:
        case 0x0626: key += QChar(0x064A); break; // yaa
        case 0x0629: key += QChar(0x0647); break; // taa marbuta
        case 0x0624: key += QChar(0x0648); break; // waw with hamza
        default: key += c; break;
        }
    }
    key = key.toCaseFolded().simplified();
    return key;
}

ChequeLayout FillCheque(ChequeLayout layout, const Cheque &cheque)
{
    const bool rightToLeft = IsRightToLeftText(cheque.payee);
    for (ChequeField &field : layout.Fields) {
        switch (field.Kind) {
        case FieldKind::Date: field.Text = cheque.date; break;
        case FieldKind::Name:
            field.Text = cheque.payee;
            field.Right = rightToLeft;
            break;
        case FieldKind::Amount: field.Text = cheque.figure; break;
        case FieldKind::EnTextAmount:
        case FieldKind::ArTextAmount: field.Text = cheque.words(); break;
        case FieldKind::AccountOnly:
            field.Visible = cheque.accountOnly;
            field.Text = QStringLiteral("Account Only");
            break;
        }
    }
    return layout;
}
