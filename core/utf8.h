// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Looking through UTF-8 bytes: whole sequences, and eight bytes at a time.

#include <cstdint>
#include <string_view>

/// The length of the UTF-8 sequence at `i`: 1 for an ASCII byte, 2 to 4 for
/// a whole sequence; 0 when it is none (a stray byte, an overlong form, a
/// surrogate, beyond U+10FFFF, cut short).
inline std::size_t Utf8SequenceAt(std::string_view text, std::size_t i)
{
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80)
        return 1;
    const std::size_t length = lead > 0xf4 ? 0 : lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 ? 2 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((at(i + k) & 0xc0) != 0x80)
            return 0;
    const unsigned char second = at(i + 1);
    if ((lead == 0xe0 && second < 0xa0) || (lead == 0xed && second >= 0xa0) || (lead == 0xf0 && second < 0x90)
        || (lead == 0xf4 && second >= 0x90))
        return 0;
    return length;
}

/// Whether Arabic's two-byte letters (and any other two-byte sequence)
/// start at `i`: a quicker Utf8SequenceAt for the common case.
inline bool Utf8PairAt(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    return lead >= 0xc2 && lead < 0xe0 && i + 1 < text.size()
        && (static_cast<unsigned char>(text[i + 1]) & 0xc0) == 0x80;
}

inline constexpr std::uint64_t kEveryByte = 0x0101010101010101, kEveryHighBit = 0x8080808080808080;

/// Whether any of eight bytes (read as one word) is `byte`.
inline bool HoldsByte(std::uint64_t eight, unsigned char byte)
{
    const std::uint64_t v = eight ^ (kEveryByte * byte);
    return ((v - kEveryByte) & ~v & kEveryHighBit) != 0;
}

/// Whether any of eight bytes is 0x80 or above.
inline bool HoldsNonAscii(std::uint64_t eight) { return (eight & kEveryHighBit) != 0; }
