// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an Excel workbook: reading either fails with the program's
// error or gives rows whose numbers rise, never a crash or a hang.

#include <cstdint>
#include <cstdlib>

#include <QBuffer>
#include <QByteArray>

#include "batch/chequelist.h"
#include "core/chequeerror.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer device(&bytes);
    try {
        const ListFile file = ParseWorkbook(&device, QStringLiteral("list.xlsx"));
        if (file.rows.size() != file.rowNumbers.size())
            std::abort();
    } catch (const ChequeError &) {
    }
    return 0;
}
