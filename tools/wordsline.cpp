// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/wordsline.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include <QString>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/chequeerror.h"
#include "core/utf8.h"
#include "output/cheque.h"
#include "output/printrun.h"

namespace {

// How many of eight bytes, the first at the start of a character, stand as
// they are: printable ASCII but the backslash, and whole two-byte sequences
// (Arabic's letters). 8, or 7 when the last byte starts a pair; 0 when any
// other byte is among them.
std::size_t PlainBytes(std::uint64_t w)
{
    if constexpr (std::endian::native != std::endian::little)
        return 0; // the pairs' order below is the little-endian one
    const std::uint64_t high = w & kEveryHighBit, second = w << 1, third = w << 2;
    const std::uint64_t follows = high & ~second;       // 10xxxxxx
    const std::uint64_t leads = high & second & ~third; // 110xxxxx
    const bool wide = (high & second & third) != 0;     // 111xxxxx: not a pair
    const bool control = ((w - kEveryByte * 0x20) & ~w & kEveryHighBit) != 0;
    if (wide || control || follows != leads << 8 || HoldsByte(w, 0x7f) || HoldsByte(w, '\\')
        || HoldsByte(w & ~kEveryByte, 0xc0)) // C0 and C1 start overlong forms
        return 0;
    return leads >> 56 != 0 ? 7 : 8;
}

#if defined(__SSE2__)
// PlainBytes for sixteen bytes at `p`: 16, 15 or 0.
std::size_t PlainBytes16(const char *p)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    const __m128i shifted = _mm_add_epi8(v, v); // each byte's bit 6 in its bit 7
    const auto bits = [](__m128i m) { return static_cast<unsigned>(_mm_movemask_epi8(m)); };
    const unsigned high = bits(v), second = bits(shifted), third = bits(_mm_add_epi8(shifted, shifted));
    const unsigned follows = high & ~second, leads = high & second & ~third, wide = high & second & third;
    // Below 0x20 as signed bytes: the controls, and every byte of 0x80 or above.
    const unsigned control = bits(_mm_cmplt_epi8(v, _mm_set1_epi8(0x20))) & ~high;
    const unsigned other =
        bits(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(0x7f)), _mm_cmpeq_epi8(v, _mm_set1_epi8('\\'))),
                          _mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xfe))),
                                         _mm_set1_epi8(static_cast<char>(0xc0))))); // DEL, backslash, C0 and C1
    if (wide || control || other || follows != ((leads << 1) & 0xffff))
        return 0;
    return (leads & 0x8000) != 0 ? 15 : 16;
}
#endif

// Appends `text` escaped as Printable says.
void AppendPrintable(std::string &out, const std::string &text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const std::size_t size = text.size();
    const char *const data = text.data();
    // Bytes that stand as they are go out in runs, not one by one, and are
    // looked at sixteen or eight at a time.
    std::size_t run = 0;
    for (std::size_t i = 0; i < size;) {
#if defined(__SSE2__)
        if (i + 16 <= size) {
            if (const std::size_t plain = PlainBytes16(data + i)) {
                i += plain;
                continue;
            }
        }
#endif
        std::uint64_t w;
        if (i + 8 <= size) {
            std::memcpy(&w, data + i, 8);
            if (const std::size_t plain = PlainBytes(w)) {
                i += plain;
                continue;
            }
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

bool AppendWordsLine(std::string &out, const std::string &amount, const MonyType &money, bool asTyped,
                     const QLocale &locale)
{
    if (!asTyped) {
        // As Print reads it: in the desktop's number format, refused as a
        // cheque would be; the words are those it checked.
        const ChequeAmount read = ReadChequeAmount(QString::fromStdString(amount), money, locale);
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
