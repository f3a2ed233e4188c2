// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/wordsline.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <QString>

#include "core/chequeerror.h"
#include "output/cheque.h"
#include "output/printrun.h"

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

// Whether any of eight bytes is not one that stands as it is in ASCII: a
// byte of 0x80 or above, a control character, DEL or a backslash.
bool AnyNotPlain(std::uint64_t w)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101, kHigh = 0x8080808080808080;
    const auto zeroIn = [](std::uint64_t v) { return (v - kOnes) & ~v & kHigh; };
    return ((w | ((w - kOnes * 0x20) & ~w)) & kHigh) != 0 || zeroIn(w ^ (kOnes * 0x7f)) != 0
        || zeroIn(w ^ (kOnes * '\\')) != 0;
}

// The length of the whole UTF-8 sequence a byte of 0x80 or above starts at
// `i`; 0 when it is no whole sequence.
std::size_t SequenceAt(const char *data, std::size_t size, std::size_t i)
{
    const auto byte = static_cast<unsigned char>(data[i]);
    const std::size_t length = byte >= 0xf0 ? 4 : byte >= 0xe0 ? 3 : byte >= 0xc2 ? 2 : 0;
    if (length == 0 || byte > 0xf4 || i + length > size)
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if (!IsContinuation(data[i + k]))
            return 0;
    const auto second = static_cast<unsigned char>(data[i + 1]);
    if ((byte == 0xe0 && second < 0xa0) || (byte == 0xed && second >= 0xa0) || (byte == 0xf0 && second < 0x90)
        || (byte == 0xf4 && second >= 0x90))
        return 0;
    return length;
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
            else if (byte >= 0xc2 && byte < 0xe0) // the two-byte letters of Arabic
                length = i + 1 < size && IsContinuation(data[i + 1]) ? 2 : 0;
            else
                length = SequenceAt(data, size, i);
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
