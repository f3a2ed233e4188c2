// SPDX-License-Identifier: GPL-3.0-or-later
// English number words (NumToEnglish).

#include <array>

#include "words/DgToStU.h"
#include "words/detail.h"

namespace words::detail {
namespace {

constexpr std::array<std::string_view, 20> kSmall = {
    "",    "One",    "Two",    "Three",    "Four",     "Five",    "Six",     "Seven",     "Eight",    "Nine",
    "Ten", "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};

constexpr std::array<std::string_view, 10> kTens = {"",      "",      "Twenty",  "Thirty", "Forty",
                                                    "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};

// The word of a value the table holds (0 to 19 and the tens up to 90).
const std::string_view *TableWord(std::int32_t v)
{
    if (v >= 0 && v < 20)
        return &kSmall[static_cast<std::size_t>(v)];
    if (v >= 20 && v <= 90 && v % 10 == 0)
        return &kTens[static_cast<std::size_t>(v / 10)];
    return nullptr;
}

struct Scale
{
    std::size_t restDigits;
    std::string_view name;
};

// The scale word for a digit string of `length` digits, if it has one.
const Scale *ScaleFor(std::size_t length)
{
    static constexpr Scale thousand{3, " Thousand,"}, million{6, " Million,"}, billion{9, " Billion,"};
    if (length >= 4 && length <= 6)
        return &thousand;
    if (length >= 7 && length <= 9)
        return &million;
    if (length >= 10 && length <= 12)
        return &billion;
    return nullptr;
}

// The digit-by-digit recursion: for texts that are not plain digits
// (a sign), and to fill the table of groups below.
std::string Recursive(std::string_view d)
{
    const std::int32_t v = StrToInt(d);
    if (const std::string_view *word = TableWord(v))
        return std::string(*word);
    const std::size_t length = d.size();
    if (length == 2)
        return Recursive(std::string{d[0], '0'}) + "-" + Recursive(d.substr(1, 1));
    if (length == 3) {
        const std::string rest = Recursive(d.substr(1));
        if (d[0] == '0')
            return rest;
        if (rest.empty())
            return Recursive(d.substr(0, 1)) + " Hundred";
        return Recursive(d.substr(0, 1)) + " Hundred and " + rest;
    }
    if (const Scale *scale = ScaleFor(length)) {
        const std::string_view lead = d.substr(0, length - scale->restDigits);
        const std::string_view rest = d.substr(length - scale->restDigits);
        if (AllZeros(lead))
            return Recursive(rest);
        return Recursive(lead) + std::string(scale->name) + " " + Recursive(rest);
    }
    return {};
}

// The words of every group of up to three digits: they depend on its value
// alone, and every larger number is made of them.
const std::array<std::string, 1000> &Groups()
{
    static const std::array<std::string, 1000> groups = [] {
        std::array<std::string, 1000> g;
        for (int v = 0; v < 1000; ++v)
            g[static_cast<std::size_t>(v)] = Recursive(std::to_string(v));
        return g;
    }();
    return groups;
}

// The words of a digit string (digits only) appended to `out`: a table word,
// a group, or a lead group with its scale word and the rest.
void AppendDigits(std::string &out, std::string_view d)
{
    if (d.size() <= 3) {
        out += Groups()[static_cast<std::size_t>(SmallValue(d))];
        return;
    }
    const Scale *scale = ScaleFor(d.size());
    if (!scale)
        return; // longer than twelve digits (and not a table word): no words
    const std::string_view lead = d.substr(0, d.size() - scale->restDigits);
    const std::string_view rest = d.substr(d.size() - scale->restDigits);
    if (!AllZeros(lead)) {
        out += Groups()[static_cast<std::size_t>(SmallValue(lead))];
        out += scale->name;
        out += ' ';
    }
    AppendDigits(out, rest);
}

} // namespace
} // namespace words::detail

void words::detail::AppendEnglish(std::string &sentence, std::string_view digits)
{
    const std::int32_t v = StrToInt(digits); // raises for what is not a 32-bit integer
    if (!IsDigits(digits))
        AppendCollapsed(sentence, Recursive(digits));
    else if (const std::string_view *word = TableWord(v))
        AppendPiece(sentence, *word);
    else
        AppendDigits(sentence, digits);
}

std::string NumToEnglish(std::string_view digits)
{
    std::string words;
    words::detail::AppendEnglish(words, digits);
    return words;
}
