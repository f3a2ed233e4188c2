// SPDX-License-Identifier: GPL-3.0-or-later
// Arabic number words (NumToArabic), with the gender of the counted noun and
// the form of the noun that follows the number.

#include <algorithm>
#include <array>

#include "words/DgToStU.h"
#include "words/detail.h"

namespace words::detail {
namespace {

constexpr std::array<std::string_view, 20> kMasculine = {"",         "واحد",    "إثنان",    "ثلاثة",      "أربعة",
                                                         "خمسة",     "ستة",     "سبعة",     "ثمانية",     "تسعة",
                                                         "عشرة",     "أحد عشر", "إثنا عشر", "ثلاثة عشر",  "أربعة عشر",
                                                         "خمسة عشر", "ستة عشر", "سبعة عشر", "ثمانية عشر", "تسعة عشر"};

constexpr std::array<std::string_view, 20> kFeminine = {
    "",          "واحدة",    "إثنتان",  "ثلاث",     "أربع",       "خمس",        "ست",
    "سبع",       "ثمان",     "تسع",     "عشر",      "إحدى عشرة",  "إثنتا عشرة", "ثلاث عشرة",
    "أربع عشرة", "خمس عشرة", "ست عشرة", "سبع عشرة", "ثماني عشرة", "تسع عشرة"};

constexpr std::array<std::string_view, 10> kTens = {"",      "",     "عشرون", "ثلاثون", "أربعون",
                                                    "خمسون", "ستون", "سبعون", "ثمانون", "تسعون"};

const std::string_view *TableWord(std::int32_t v, bool masculine)
{
    if (v >= 0 && v < 20)
        return &(masculine ? kMasculine : kFeminine)[static_cast<std::size_t>(v)];
    if (v >= 20 && v <= 90 && v % 10 == 0)
        return &kTens[static_cast<std::size_t>(v / 10)];
    return nullptr;
}

struct Scale
{
    std::size_t restDigits;
    std::string_view alone; ///< nothing follows
    std::string_view more;  ///< more follows
    std::string_view split; ///< between the hundreds of a count and the rest of it
};

const Scale *ScaleFor(std::size_t length)
{
    static constexpr Scale thousand{3, " ألف ", " ألفاً و ", "و "};
    static constexpr Scale million{6, " مليوناً ", " مليوناً و", "و"};
    static constexpr Scale milliard{9, " ملياراً ", " ملياراً و", "و"};
    if (length >= 4 && length <= 6)
        return &thousand;
    if (length >= 7 && length <= 9)
        return &million;
    if (length >= 10 && length <= 12)
        return &milliard;
    return nullptr;
}

// ArabicCleanup: the cleanup rows in the order they are applied.
const ReplacementList &Cleanup()
{
    static const ReplacementList cleanup({
        {"واحد ألفاً", "ألف"},
        {"واحدةمائة", "مائة"},
        {"إثنتانمائة", "مائتان"},
        {"ةمائة", "مائة"},
        {"ثمانيمائة", "ثمانمائة"},
        {"مائتان ألف", "مائتا ألف"},
        {"مائتان ملي", "مائتا ملي"},
        {"إثنان ألفاً", "ألفان"},
        {"إثنان ألف", "ألفا"},
        {"ة ألفاً و", "ة آلاف و"},
        {"ة ألف", "ة آلاف"},
        {"ة مليوناً", "ة ملايين"},
        {"ة ملياراً", "ة مليارات"},
        {"واحد مليوناً", "مليون"},
        {"واحد ملياراً", "مليار"},
        {"إثنان مليوناً", "مليونان"},
        {"إثنان ملياراً", "ملياران"},
    });
    return cleanup;
}

// Steps 3 to 5 of a conversion: blanks collapsed, the cleanup, the rule.
std::string Finish(std::string text, std::int32_t v, NounForm &form)
{
    text = CollapseSpaces(std::move(text));
    Cleanup().apply(text);
    form = NounFormRule(v, form);
    return text;
}

// The digit-by-digit recursion, every call ending with its noun-form
// rule: for texts that are not plain digits (a sign), and to fill the table
// of groups below. A call that fails leaves `form` as its sub-calls set it.
std::string Recursive(std::string_view d, bool masculine, NounForm &form)
{
    const std::int32_t v = StrToInt(d);
    if (const std::string_view *word = TableWord(v, masculine)) {
        form = NounFormRule(v, form);
        return std::string(*word);
    }
    std::string result;
    const std::size_t length = d.size();
    if (length == 2) {
        const std::string units = Recursive(d.substr(1, 1), masculine, form);
        const std::string tens = Recursive(std::string{d[0], '0'}, masculine, form);
        result = units + " و" + tens;
    } else if (length == 3) {
        const std::string_view lastTwo = d.substr(1);
        const std::string r = Recursive(lastTwo, false, form);
        if (!r.empty()) {
            if (d[0] != '0')
                result = Recursive(d.substr(0, 1), false, form) + "مائة و ";
            result += Recursive(lastTwo, masculine, form);
        } else {
            result = Recursive(d.substr(0, 1), false, form) + "مائة ";
        }
    } else if (const Scale *scale = ScaleFor(length)) {
        const std::string_view lead = d.substr(0, length - scale->restDigits);
        const std::string_view rest = d.substr(length - scale->restDigits);
        if (AllZeros(lead)) {
            result = Recursive(rest, masculine, form);
        } else if (Recursive(rest, true, form).empty()) {
            result = Recursive(lead, true, form) + std::string(scale->alone);
        } else {
            const std::string first = Recursive(lead, true, form);
            const std::string second = Recursive(rest, masculine, form);
            result = first + std::string(scale->more) + second;
        }
    }
    return Finish(std::move(result), v, form);
}

// A group of up to three digits: its words, the noun form it leaves, and
// the cleanup's search texts that its words still hold (the cleanup can
// make an earlier row's search text; none of the groups does, but the
// composition below does not rely on it).
struct Group
{
    std::string words;
    NounForm form = NounForm::Unchanged;
    std::uint32_t residue = 0;
};

// Every group, in both genders: their words depend on the value and the
// gender alone, and every larger number is made of them.
const Group &GroupOf(std::int32_t v, bool masculine)
{
    static const std::array<std::array<Group, 1000>, 2> groups = [] {
        std::array<std::array<Group, 1000>, 2> g;
        for (int gender = 0; gender < 2; ++gender) {
            for (int value = 0; value < 1000; ++value) {
                Group &group = g[static_cast<std::size_t>(gender)][static_cast<std::size_t>(value)];
                group.words = Recursive(std::to_string(value), gender == 1, group.form);
                group.residue = Cleanup().occurring(group.words);
            }
        }
        return g;
    }();
    return groups[masculine ? 1 : 0][static_cast<std::size_t>(v)];
}

// A count of thousands or millions whose last two digits are 01 or 02 after
// hundreds would lose its one or two to the cleanup ("إثنان ألف" becomes
// "ألفا", a thousand, or "واحد ألفاً" "ألف"), which then reads as joined to
// the hundreds: 102,000 as "مائة و ألفا", two thousand one hundred. Such a
// count is written as its hundreds of the scale and the rest of it: "مائة
// ألف و ألفا". A count of 101 (301 …) of an exact thousand, or of millions,
// the finishing writes clearly ("مائة وواحد ألف"), and keeps.
bool SplitCount(std::int32_t count, const Scale &scale, bool restFollows)
{
    const std::int32_t hundreds = count / 100, last = count % 100;
    if (hundreds == 0 || scale.restDigits > 6)
        return false;
    return last == 2 || (last == 1 && (hundreds == 2 || (scale.restDigits == 3 && restFollows)));
}

// Appends the words of a digit string (digits only, v its value) to `out`,
// as the recursion makes them, with its groups taken from the table: at most
// three calls of more than three digits remain, each joining a lead group
// and the rest. Each such call's cleanup is due only where a search text can
// newly occur, across its joining text, unless a part's own words still
// hold one. Returns the search texts its words hold.
std::uint32_t AppendDigits(std::string &out, std::string_view d, std::int32_t v, bool masculine, NounForm &form)
{
    if (d.size() <= 3 || TableWord(v, masculine)) {
        const Group &group = GroupOf(v, masculine);
        if (group.form != NounForm::Unchanged)
            form = group.form;
        AppendPiece(out, group.words);
        return group.residue;
    }
    const std::size_t from = out.size();
    std::uint32_t residue = 0;
    if (const Scale *scale = ScaleFor(d.size())) {
        const std::string_view lead = d.substr(0, d.size() - scale->restDigits);
        const std::string_view rest = d.substr(d.size() - scale->restDigits);
        const std::int32_t count = SmallValue(lead);
        if (AllZeros(lead)) {
            residue = AppendDigits(out, rest, SmallValue(rest), masculine, form);
        } else {
            // A count that the cleanup would spoil: its hundreds of the scale
            // first, then the rest of the count with what follows.
            const bool split = SplitCount(count, *scale, !AllZeros(rest));
            const std::string hundreds =
                split ? std::to_string(count / 100 * 100) + std::string(scale->restDigits, '0') : std::string();
            const std::string others = split ? std::to_string(count % 100) + std::string(rest) : std::string();
            residue = split ? AppendDigits(out, hundreds, SmallValue(hundreds), masculine, form)
                            : AppendDigits(out, lead, count, true, form);
            const std::size_t joinFrom = out.size();
            AppendPiece(out, split ? scale->split : AllZeros(rest) ? scale->alone : scale->more);
            const std::size_t joinTo = out.size();
            if (split)
                residue |= AppendDigits(out, others, SmallValue(others), masculine, form);
            else if (!AllZeros(rest))
                residue |= AppendDigits(out, rest, SmallValue(rest), masculine, form);
            // A search text that the parts do not hold must reach across the
            // joining text.
            const std::size_t reach = Cleanup().longest() - 1;
            const std::size_t windowFrom = std::max(from, joinFrom > reach ? joinFrom - reach : 0);
            residue |= Cleanup().occurring(std::string_view(out).substr(windowFrom, joinTo + reach - windowFrom));
        }
    }
    if (residue != 0)
        residue = Cleanup().apply(out, from, residue);
    form = NounFormRule(v, form);
    return residue;
}

} // namespace
} // namespace words::detail

words::detail::NounForm words::detail::AppendArabic(std::string &sentence, std::string_view digits, bool masculine)
{
    NounForm form = NounForm::Unchanged;
    if (!IsDigits(digits)) {
        AppendCollapsed(sentence, Recursive(digits, masculine, form));
        return form;
    }
    const std::int32_t v = StrToInt(digits); // raises for a value above 2147483647
    AppendDigits(sentence, digits, v, masculine, form);
    return form;
}

std::string words::detail::NounName(NounForm form, const MonyType &currency, bool part)
{
    switch (form) {
    case NounForm::Unchanged: break;
    case NounForm::Accusative: {
        // A currency without a name has no ending either.
        const std::string &name = (part ? currency.APartName : currency.AMoneyName).str();
        return name.empty() ? name : name + "اً";
    }
    case NounForm::Plural: return (part ? currency.Part3Name : currency.Money3Name).str();
    case NounForm::Singular: return (part ? currency.APartName : currency.AMoneyName).str();
    }
    return {};
}

ArabicNumber NumToArabic(std::string_view digits, const MonyType &currency, bool Masculine)
{
    using words::detail::NounName;
    ArabicNumber number;
    number.words.reserve(160);
    const words::detail::NounForm form = words::detail::AppendArabic(number.words, digits, Masculine);
    number.moneyNoun = NounName(form, currency, false);
    number.partNoun = NounName(form, currency, true);
    return number;
}
