// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/wordsline.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <QString>

#include "core/chequeerror.h"
#include "core/utf8.h"
#include "output/cheque.h"
#include "output/printrun.h"

namespace {

// Whether any of eight bytes is not one that stands as it is in ASCII: a
// byte of 0x80 or above, a control character, DEL or a backslash.
bool AnyNotPlain(std::uint64_t w)
{
    return HoldsNonAscii(w | ((w - kEveryByte * 0x20) & ~w)) || HoldsByte(w, 0x7f) || HoldsByte(w, '\\');
}

// Appends `text` escaped as Printable says.
void AppendPrintable(std::string &out, const std::string &text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const std::size_t size = text.size();
    const char *const data = text.data();
    // Bytes that stand as they are go out in runs, not one by one; plain
    // ASCII is looked at eight bytes at a time.
    std::size_t run = 0;
    for (std::size_t i = 0; i < size;) {
        std::uint64_t w;
        if (i + 8 <= size && (std::memcpy(&w, data + i, 8), !AnyNotPlain(w))) {
            i += 8;
            continue;
        }
        // The next eight bytes or so, one by one.
        for (const std::size_t stop = std::min(size, i + 8); i < stop;) {
            const auto byte = static_cast<unsigned char>(data[i]);
            std::size_t length = 0;
            if (byte < 0x80)
                length = byte >= 0x20 && byte != 0x7f && byte != '\\' ? 1 : 0;
            else
                length = Utf8PairAt(text, i) ? 2 : Utf8SequenceAt(text, i);
            if (length) { // stands as it is
                i += length;
                continue;
            }
            out.append(data + run, i - run);
            if (byte == '\\') {
                out += "\\\\";
            } else {
                const char hex[] = {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
                out.append(hex, 4);
            }
            run = ++i;
        }
    }
    out.append(data + run, size - run);
}

} // namespace

std::string Printable(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    AppendPrintable(out, text);
    return out;
}

bool AppendWordsLine(std::string &out, const std::string &amount, const MonyType &money, bool asTyped)
{
    if (!asTyped) {
        // As Print reads it: in the desktop's number format, refused as a
        // cheque would be; the words are those it checked.
        const ChequeAmount read = ReadChequeAmount(QString::fromStdString(amount), money);
        if (read.refusal) {
            out += "error\t";
            AppendPrintable(out, read.refusal->toStdString());
            return false;
        }
        AppendPrintable(out, read.words.english);
        out += '\t';
        AppendPrintable(out, read.words.arabic);
        return true;
    }
    std::string english, arabic;
    try {
        AmountToWords(amount, money, english, arabic);
    } catch (const ChequeError &error) {
        out += "error\t";
        AppendPrintable(out, error.message());
        return false;
    }
    AppendPrintable(out, english);
    out += '\t';
    AppendPrintable(out, arabic);
    return true;
}
