// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an option line (read as Windows-1256, as options.txt is):
// loading either succeeds or raises the program's error type, and a layout
// that loaded writes a line that loads back to the same layout.

#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QStringDecoder>

#include "layout/chequelayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QStringDecoder decoder("windows-1256");
    const QString line = decoder.decode(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    ChequeLayout layout = InitialLayout();
    try {
        ApplyOptionLine(line, layout);
    } catch (const ChequeError &) {
        // Partly applied: still a layout the program can write and read.
    }
    if (layout.LabelsCount < 1 || layout.LabelsCount > 5 || layout.BAText.size() > 9)
        std::abort();
    for (const ChequeField &f : layout.Fields)
        if (int(f.Kind) < 0 || int(f.Kind) >= FieldKindCount || f.FontName.size() > MaxFontNameChars)
            std::abort();
    // Whatever was read writes a line that reads back whole and the same.
    const QString written = OptionLine(layout);
    ChequeLayout again = InitialLayout();
    try {
        ApplyOptionLine(written, again);
    } catch (const ChequeError &) {
        std::abort();
    }
    if (OptionLine(again) != written)
        std::abort();
    return 0;
}
