// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a CSV list: reading either fails with the program's error or
// gives rows that, written back with every field quoted, read the same.

#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QStringList>

#include "batch/chequelist.h"
#include "core/chequeerror.h"

namespace {

QByteArray Quoted(const ListFile &file)
{
    QByteArray out;
    for (const auto &row : file.rows) {
        QStringList fields;
        for (const ListCell &cell : row)
            fields << u'"' + QString(cell.text).replace(u'"', QLatin1String("\"\"")) + u'"';
        out += fields.join(u',').toUtf8() + "\r\n";
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ListFile file;
    try {
        file = ParseCsv(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), QStringLiteral("list.csv"));
    } catch (const ChequeError &) {
        return 0;
    }
    if (file.rows.size() != file.rowNumbers.size())
        std::abort();
    for (qsizetype i = 1; i < file.rowNumbers.size(); ++i)
        if (file.rowNumbers[i] <= file.rowNumbers[i - 1])
            std::abort();
    ListFile again;
    try {
        again = ParseCsv(Quoted(file), QStringLiteral("again.csv"));
    } catch (const ChequeError &) {
        std::abort();
    }
    if (again.rows != file.rows)
        std::abort();
    return 0;
}
