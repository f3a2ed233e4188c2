// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as money.txt (Windows-1256 or UTF-8): reading never fails on
// content, always gives a record without control characters, and the record
// written back reads the same.

#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QStringDecoder>

#include "core/datafile.h"
#include "currency/moneyfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text =
        DecodeDataBytes(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    const MoneyRead read = MoneyFromLines(SplitDataLines(text), QStringLiteral("money.txt"));
    // Whatever the bytes, the record holds no control character.
    for (const QString &line : MoneyToLines(read.money))
        for (QChar c : line)
            if (c.category() == QChar::Other_Control)
                std::abort();
    const QStringList lines = MoneyToLines(read.money);
    if (lines.size() != 12)
        std::abort();
    // A UTF-8 file may hold letters the code page lacks: writing it back is
    // then refused, as for a typed name.
    QByteArray bytes;
    try {
        bytes = EncodeDataLines(lines, QStringLiteral("money.txt"));
    } catch (const ChequeError &) {
        return 0;
    }
    QStringDecoder cp1256("windows-1256");
    const MoneyRead again = MoneyFromLines(SplitDataLines(cp1256.decode(bytes)), QStringLiteral("money.txt"));
    if (again.damage || !(again.money == read.money))
        std::abort();
    return 0;
}
