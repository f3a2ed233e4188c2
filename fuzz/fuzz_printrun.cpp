// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a typed date or amount, in several desktop formats: reading
// never crashes, a date that reads writes back to a text that reads as the
// same date, and an amount that reads can be checked against its words.

#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QLocale>
#include <QString>

#include "output/printrun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const QLocale locales[] = {QLocale("en_US"), QLocale("en_GB"), QLocale("de_DE"),
                                      QLocale("ar_AE"), QLocale::c(),     QLocale("fr_FR")};
    const QLocale &locale = locales[data[0] % std::size(locales)];
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QDate today(2026, 12, 7);

    if (const auto date = ReadShortDate(text, locale, today)) {
        const auto again = ReadShortDate(WriteShortDate(*date, locale), locale, today);
        if (!again || *again != *date)
            std::abort();
    }
    const auto tolerant = ReadAmountLoosely(text, locale);
    if (const auto value = ReadAmountStrictly(text, locale)) {
        if (!tolerant && !text.contains(u','))
            std::abort(); // what reads strictly also reads tolerantly
        MonyType money = UaeMoney();
        for (int digits : {2, 3}) {
            money.PartDigits = digits;
            if (*value > 0)
                (void)AmountMismatch(text, *value, money, locale);
        }
    }
    return 0;
}
