// Any bytes as money.txt: reading never fails on content, always gives a
// record, and the record written back reads the same.

#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QStringDecoder>

#include "datafile.h"
#include "moneyfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QStringDecoder decoder("windows-1256");
    const QString text = decoder.decode(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    const MoneyRead read = MoneyFromLines(SplitDataLines(text), QStringLiteral("money.txt"));
    if (read.damage && read.money.PartDigits != 2)
        std::abort();
    const QStringList lines = MoneyToLines(read.money);
    if (lines.size() != 12)
        std::abort();
    // Names hold no line break, except the short name, which is any line.
    const QByteArray bytes = EncodeDataLines(lines, QStringLiteral("money.txt"));
    const MoneyRead again = MoneyFromLines(SplitDataLines(decoder.decode(bytes)), QStringLiteral("money.txt"));
    if (again.damage || !(again.money == read.money))
        std::abort();
    return 0;
}
