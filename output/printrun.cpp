// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/printrun.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <mutex>

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>

#include "core/bidi.h"
#include "core/chequeerror.h"
#include "core/datafile.h"

bool IsRightToLeftText(const QString &text)
{
    if (text.isEmpty())
        return true;
    // The first strong letter decides; what an isolate holds does not count.
    int isolated = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        switch (QChar::direction(c)) {
        case QChar::DirL:
            if (isolated == 0)
                return false;
            break;
        case QChar::DirR:
        case QChar::DirAL:
            if (isolated == 0)
                return true;
            break;
        case QChar::DirLRI:
        case QChar::DirRLI:
        case QChar::DirFSI: ++isolated; break;
        case QChar::DirPDI: isolated = std::max(0, isolated - 1); break;
        default: break;
        }
    }
    return false;
}

QString FormatAmount(double value, int digits, const QLocale &locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(value, 'f', digits);
}

QString NormalizedAmountText(const QString &text, const QLocale &locale)
{
    const QString point = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const QChar localPoint = point.size() == 1 ? point.at(0) : QChar(u'.');
    const QChar localGroup = group.size() == 1 ? group.at(0) : QChar();
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x0660 && u <= 0x0669)
            out += QChar(u'0' + (u - 0x0660));
        else if (u >= 0x06F0 && u <= 0x06F9)
            out += QChar(u'0' + (u - 0x06F0));
        else if (IsDirectionMark(u))
            continue;
        else if (c == localPoint || u == 0x066B)
            out += u'.';
        else if ((!localGroup.isNull() && c == localGroup) || u == 0x066C)
            out += u',';
        else
            out += c;
    }
    return out;
}

namespace {

// A number in the driver's form: blanks around it, digits with at most one
// ".", an optional exponent; no grouping. Finite.
// Digits with at most one "." (as nearly every amount is typed), read
// straight to the same double as the C locale reads them; nothing for any
// other text.
std::optional<double> ReadDigits(std::string_view text)
{
    bool point = false;
    for (char c : text) {
        if (c == '.' && !point)
            point = true;
        else if (c < '0' || c > '9')
            return std::nullopt;
    }
    double v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || text == "." || error != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<double> ReadPlain(const QString &text)
{
    if (text.size() < 64) {
        char ascii[64];
        bool latin = true;
        for (qsizetype i = 0; latin && i < text.size(); ++i) {
            latin = text.at(i).unicode() < 0x80;
            ascii[i] = char(text.at(i).unicode());
        }
        if (latin)
            if (const auto v = ReadDigits(std::string_view(ascii, std::size_t(text.size()))))
                return v;
    }
    static const QLocale plain = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        return c;
    }();
    bool ok = false;
    const double v = plain.toDouble(text, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

QString MinorUnitsText(qint64 minorUnits, int digits, const QLocale &locale)
{
    qint64 scale = 1;
    for (int i = 0; i < digits; ++i)
        scale *= 10;
    const qint64 whole = minorUnits / scale;
    const qint64 part = minorUnits % scale < 0 ? -(minorUnits % scale) : minorUnits % scale;
    QString text = locale.toString(whole < 0 ? -whole : whole);
    if (digits > 0)
        text += locale.decimalPoint() + QStringLiteral("%1").arg(part, digits, 10, QLatin1Char('0'));
    if (minorUnits < 0)
        text.prepend(locale.negativeSign());
    return text;
}

std::optional<double> ReadAmountStrictly(const QString &text, const QLocale &locale)
{
    return ReadPlain(NormalizedAmountText(text, locale));
}

std::optional<double> ReadAmountLoosely(const QString &text, const QLocale &locale)
{
    QString t = NormalizedAmountText(text, locale);
    t.remove(u',');
    t.remove(u' ');
    return ReadPlain(t);
}

bool IsUnfinishedAmount(const QString &text, const QLocale &locale)
{
    // Every unfinished number of the driver's grammar becomes one with a
    // digit more: "-" "-0", "." ".0", "1e-" "1e-0".
    const std::string driver = ToStd(NormalizedAmountText(text, locale));
    std::string english, arabic;
    auto converts = [&](const std::string &t) {
        try {
            AmountToWords(t, UaeMoney(), english, arabic);
            return true;
        } catch (const ChequeError &) {
            return false;
        }
    };
    return !converts(driver) && converts(driver + '0');
}

QDate Today()
{
    using Clock = std::chrono::steady_clock;
    static std::mutex lock;
    static Clock::time_point read;
    static QDate today;
    const std::lock_guard locked(lock);
    const Clock::time_point now = Clock::now();
    if (!today.isValid() || now - read >= std::chrono::seconds(1)) {
        today = QDate::currentDate();
        read = now;
    }
    return today;
}

std::optional<QDate> ReadShortDate(const QString &text, const QLocale &locale, QDate today)
{
    const QString format = WithoutDirectionMarks(locale.dateFormat(QLocale::ShortFormat));
    const QString input = WithoutDirectionMarks(text).trimmed();
    if (input.isEmpty())
        return std::nullopt;

    const bool twoDigitYears = !format.contains(QLatin1String("yyyy"));
    QString four = format;
    if (twoDigitYears)
        four.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    QDate date = locale.toDate(input, four);
    if (date.isValid()) {
        // Written back with two digits, a year outside the window would read
        // as another century.
        if (twoDigitYears && (date.year() <= today.year() - 50 || date.year() > today.year() + 50))
            return std::nullopt;
        return date;
    }

    // A two-digit year: put the century in, then read it as four digits, so
    // that 29 February is checked against the right year.
    static const QRegularExpression number(QStringLiteral("\\d+"));
    const int yearField = [&] {
        // Which numeric field of the format is the year.
        static const QRegularExpression fields(QStringLiteral("d+|M+|y+"));
        int index = 0;
        for (auto it = fields.globalMatch(format); it.hasNext(); ++index)
            if (it.next().captured().startsWith(u'y'))
                return index;
        return -1;
    }();
    if (yearField < 0)
        return std::nullopt;
    int index = 0;
    for (auto it = number.globalMatch(input); it.hasNext(); ++index) {
        const auto m = it.next();
        if (index != yearField)
            continue;
        if (m.capturedLength() != 2)
            return std::nullopt;
        const int yy = m.captured().toInt();
        int year = today.year() - today.year() % 100 + yy;
        if (year > today.year() + 50)
            year -= 100;
        else if (year <= today.year() - 50)
            year += 100;
        QString expanded = input;
        expanded.replace(m.capturedStart(), 2, QString::number(year));
        date = locale.toDate(expanded, four);
        return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<QDate> ReadTypedDate(const QString &text, const QLocale &locale, QDate today)
{
    // ISO dates first: what systems export, and quick to tell.
    static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    // As typed, then with the digits of an Arabic keyboard read as ASCII.
    for (const QString &typed : {text, WithAsciiDigits(text)}) {
        const QString trimmed = typed.trimmed();
        if (iso.match(trimmed).hasMatch()) {
            const QDate date = QDate::fromString(trimmed, Qt::ISODate);
            return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
        }
        if (const auto date = ReadShortDate(typed, locale, today))
            return date;
    }
    return std::nullopt;
}

namespace {

// What a function of a day gives in one locale (and on one day), kept while
// the locale stays the same: a list names the same few days on row after
// row, and writing or reading a date is slow (reading asks for the time
// zone each time).
template <typename T>
class DayMemo
{
public:
    template <typename Make>
    const T &get(QDate day, const QLocale &locale, QDate today, Make make)
    {
        if (!(locale == m_locale) || today != m_today || m_known.size() >= 4096) {
            m_known.clear();
            m_locale = locale;
            m_today = today;
        }
        auto at = m_known.constFind(day.toJulianDay());
        if (at == m_known.cend())
            at = m_known.insert(day.toJulianDay(), make());
        return *at;
    }

private:
    QLocale m_locale;
    QDate m_today;
    QHash<qint64, T> m_known;
};

} // namespace

std::optional<QString> ShortDateRefusal(QDate day, const QLocale &locale, QDate today)
{
    thread_local DayMemo<std::optional<QDate>> readBack;
    const QString text = WriteShortDate(day, locale);
    const std::optional<QDate> read =
        readBack.get(day, locale, today, [&] { return ReadShortDate(text, locale, today); });
    if (read == day)
        return std::nullopt;
    return QCoreApplication::translate("PrintRun",
                                       "The date %1 would be printed as %2, which reads as %3: the desktop writes "
                                       "years with two digits, which hold the years within 50 of today.")
        .arg(day.toString(Qt::ISODate), text,
             read ? read->toString(Qt::ISODate) : QCoreApplication::translate("PrintRun", "no date"));
}

QString DateFormsText(const QLocale &locale, QDate today)
{
    return QCoreApplication::translate("PrintRun", "write it as %1 (the desktop's short date) or as %2")
        .arg(WriteShortDate(today, locale), today.toString(Qt::ISODate));
}

QString WriteShortDateTime(const QDateTime &moment, const QLocale &locale)
{
    return WithoutDirectionMarks(locale.toString(moment.toLocalTime(), QLocale::ShortFormat));
}

QString EventDetailText(const QString &detail, const QLocale &locale)
{
    const QDate day = QDate::fromString(detail.left(10), Qt::ISODate);
    if (!day.isValid() || (detail.size() > 10 && detail.at(10) != u':'))
        return detail;
    return WriteShortDate(day, locale) + detail.mid(10);
}

QString WriteShortDate(QDate date, const QLocale &locale)
{
    thread_local DayMemo<QString> written;
    return written.get(date, locale, QDate(),
                       [&] { return WithoutDirectionMarks(locale.toString(date, QLocale::ShortFormat)); });
}

namespace {

// Whole digits with at most `digits` decimals, in the driver's form: the
// words read them as they read the figure (leading zeros dropped, decimals
// padded with zeros), so they have the figure's words.
bool ReadAsFigure(std::string_view driver, int digits)
{
    const std::size_t point = driver.find('.');
    const std::size_t whole = std::min(point, driver.size());
    const std::size_t decimals = point == std::string_view::npos ? 0 : driver.size() - point - 1;
    if (whole == 0 || (point != std::string_view::npos && (decimals == 0 || decimals > std::size_t(digits))))
        return false;
    for (std::size_t i = 0; i < driver.size(); ++i)
        if (i != point && (driver[i] < '0' || driver[i] > '9'))
            return false;
    return true;
}

} // namespace

bool ReadPlainAmount(const QString &text, const MonyType &currency, const QLocale &locale, double &value,
                     AmountWords &words)
{
    if (text.isEmpty() || text.size() > 32)
        return false;
    std::string driver(std::size_t(text.size()), '\0');
    bool point = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if ((c < u'0' || c > u'9') && c != u'.')
            return false;
        point = point || c == u'.';
        driver[std::size_t(i)] = char(c);
    }
    // The desktop's form of these is the driver's unless "." means anything
    // but a decimal point there.
    if (point) {
        const QString localPoint = locale.decimalPoint();
        if (localPoint != QLatin1String(".")
            && (localPoint.size() != 1 || locale.groupSeparator() == QLatin1String(".")))
            return false;
    }
    if (!ReadAsFigure(driver, FigureDigits(currency)))
        return false;
    const auto read = ReadDigits(driver);
    if (!read || *read <= 0 || *read >= 2147483648.0)
        return false;
    try {
        AmountToWords(driver, currency, words.english, words.arabic);
    } catch (const ChequeError &) {
        return false;
    }
    value = *read;
    return true;
}

std::optional<QString> AmountFormProblem(const QString &text, const QLocale &locale)
{
    const QString plain = NormalizedAmountText(text, locale).trimmed();
    if (plain.isEmpty())
        return QCoreApplication::translate("PrintRun", "there is no amount");
    bool point = false;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const QChar c = plain.at(i);
        if (c.isDigit() && c.unicode() < 0x80)
            continue;
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if ((c == u'-' || c == u'+') && i == 0)
            continue;
        if (c == u'.')
            return QCoreApplication::translate("PrintRun", "it has more than one decimal point");
        if (c == u',')
            return QCoreApplication::translate("PrintRun",
                                               "it has a grouping separator (\"%1\"); type the amount without it")
                .arg(locale.groupSeparator());
        if (c.isSpace())
            return QCoreApplication::translate("PrintRun", "it has a blank inside");
        if ((c == u'e' || c == u'E') && i > 0 && plain.at(i - 1).isDigit())
            return QCoreApplication::translate("PrintRun", "it is written with an exponent; type the amount in digits");
        const qsizetype length = c.isHighSurrogate() && i + 1 < plain.size() ? 2 : 1;
        return QCoreApplication::translate("PrintRun", "it holds %1, which is not part of an amount")
            .arg(DescribeCharacter(plain.mid(i, length)));
    }
    if (std::none_of(plain.begin(), plain.end(), [](QChar c) { return c.isDigit(); }))
        return QCoreApplication::translate("PrintRun", "it has no digits");
    return std::nullopt;
}

int TypedDecimals(const QString &text, const QLocale &locale)
{
    const QString plain = NormalizedAmountText(text, locale).trimmed();
    const qsizetype point = plain.indexOf(u'.');
    if (point < 0)
        return 0;
    qsizetype end = point + 1;
    while (end < plain.size() && plain.at(end).isDigit())
        ++end;
    return int(end - point - 1);
}

std::optional<QString> AmountMismatch(const QString &text, double value, const MonyType &currency,
                                      const QLocale &locale, AmountWords *typed)
{
    const int digits = FigureDigits(currency);
    if (value >= 2147483648.0)
        return QCoreApplication::translate(
                   "PrintRun", "The amount %1 is too large to be written in words; the largest amount is %2.")
            .arg(text.trimmed(), FormatAmount(2147483647, 0, locale));
    if (const auto form = AmountFormProblem(text, locale))
        return QCoreApplication::translate("PrintRun", "The amount %1 cannot be printed: %2.")
            .arg(Shown(text.trimmed()), *form);
    // More decimals than the currency has, zeros too: the figure would be
    // rounded, or the amount typed meant as another one ("1.500").
    const QString exact = QString::number(value, 'f', digits);
    if (TypedDecimals(text, locale) > digits || ReadPlain(exact) != value)
        return QCoreApplication::translate(
                   "PrintRun",
                   "The amount %1 has more decimals than the currency's %2; the cheque would read %3 "
                   "in figures. Type the amount with at most %2 decimals.")
            .arg(text.trimmed())
            .arg(digits)
            .arg(FormatAmount(value, digits, locale));

    // The words of what was typed must be the words of the figure (the
    // same, without a second conversion, for whole digits with at most the
    // currency's decimals).
    AmountWords own;
    AmountWords &words = typed ? *typed : own;
    AmountWords figureWords;
    const std::string driver = ToStd(NormalizedAmountText(text, locale));
    const bool readAsFigure = ReadAsFigure(driver, digits);
    try {
        AmountToWords(driver, currency, words.english, words.arabic);
        if (!readAsFigure)
            AmountToWords(ToStd(exact), currency, figureWords.english, figureWords.arabic);
    } catch (const ChequeError &) {
        return QCoreApplication::translate("PrintRun", "The amount %1 cannot be written in words.").arg(text.trimmed());
    }
    if (!readAsFigure && (words.english != figureWords.english || words.arabic != figureWords.arabic))
        return QCoreApplication::translate("PrintRun",
                                           "The amount %1 would be written in words as \"%2\", which is not %3.")
            .arg(text.trimmed(), FromStd(words.english), FormatAmount(value, digits, locale));
    return std::nullopt;
}
