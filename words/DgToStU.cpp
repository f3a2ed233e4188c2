// SPDX-License-Identifier: GPL-3.0-or-later
// The amount text driver (AmountToWords): an amount as typed becomes the
// English and the Arabic sentence of a cheque.

#include "words/DgToStU.h"

#include <array>
#include <optional>
#include <vector>

#include "words/detail.h"

namespace words::detail {
namespace {

// A number the driver takes: blanks, an optional sign, digits with an optional "." (digits may
// be missing on either side, not on both), an optional exponent, blanks.
// False when the text is not such a number; `isZero` tells whether its
// value is zero.
bool ParseDecimal(std::string_view s, bool &isZero)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    auto digit = [&] { return i < n && s[i] >= '0' && s[i] <= '9'; };
    while (i < n && s[i] == ' ')
        ++i;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t mantissa = 0;
    isZero = true;
    for (; digit(); ++i, ++mantissa)
        isZero = isZero && s[i] == '0';
    if (i < n && s[i] == '.')
        for (++i; digit(); ++i, ++mantissa)
            isZero = isZero && s[i] == '0';
    if (mantissa == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t exponent = 0;
        for (; digit(); ++i)
            ++exponent;
        if (exponent == 0)
            return false;
    }
    while (i < n && s[i] == ' ')
        ++i;
    return i == n;
}

void StripLeadingZeros(std::string &s)
{
    std::size_t n = 0;
    while (s.size() - n >= 2 && s[n] == '0')
        ++n;
    s.erase(0, n);
}

// ArabicFinishing: each search and replacement is a fixed text, one of the
// currency's names and another fixed text.
enum class When { Always, MoneyFeminine, PartFeminine };
enum class Name { None, AM, AP, M2, P2 };

struct Pattern
{
    std::string_view before;
    Name name;
    std::string_view after;
};

struct FinishingRow
{
    When when;
    Pattern search;
    Pattern replacement;
};

constexpr std::array<FinishingRow, 20> kFinishing = {{
    {When::MoneyFeminine, {"", Name::AM, "اً"}, {"", Name::AM, "ً"}},
    {When::PartFeminine, {"", Name::AP, "اً"}, {"", Name::AP, "ً"}},
    {When::Always, {"فقط ", Name::AM, ""}, {"لا شيء", Name::None, ""}},
    {When::Always, {"إثنان ", Name::AM, "اً"}, {"", Name::M2, " لاغير"}},
    {When::Always, {"إثنتان ", Name::AM, "ً"}, {"", Name::M2, " لاغير"}},
    {When::Always, {"واحد ", Name::AM, "اً"}, {"", Name::AM, " واحد لا غير"}},
    {When::Always, {"واحدة ", Name::AM, "ً"}, {"", Name::AM, " واحدة لا غير"}},
    // Two sub-units are their dual noun, as two units are.
    {When::Always, {"إثنان ", Name::AP, "اً"}, {"", Name::P2, ""}},
    {When::Always, {"إثنتان ", Name::AP, "ً"}, {"", Name::P2, ""}},
    {When::Always, {"مائتان ", Name::AM, ""}, {"مائتا ", Name::AM, ""}},
    {When::Always, {"مائتان ", Name::AP, ""}, {"مائتا ", Name::AP, ""}},
    {When::Always, {"مليونان ", Name::AM, ""}, {"مليونا ", Name::AM, ""}},
    {When::Always, {"ملياران ", Name::AM, ""}, {"مليارا ", Name::AM, ""}},
    {When::Always, {"مائة ملايين ", Name::AM, ""}, {"مائة مليون ", Name::AM, ""}},
    {When::Always, {"مائة مليارات ", Name::AM, ""}, {"مائة مليار ", Name::AM, ""}},
    {When::Always, {"مائة آلاف ", Name::None, ""}, {"مائة ألف ", Name::None, ""}},
    {When::Always, {"واحد ألف ", Name::AM, ""}, {"ألف ", Name::AM, ""}},
    {When::Always, {"مائة و ألف ", Name::AM, ""}, {"مائة وواحد ألف ", Name::AM, ""}},
    {When::Always, {"مائة و مليون ", Name::None, ""}, {"مائة وواحد مليوناً ", Name::None, ""}},
    {When::Always, {"مائة و مليار ", Name::None, ""}, {"مائة وواحد ملياراً ", Name::None, ""}},
}};

std::string_view NameOf(Name name, const MonyType &c)
{
    switch (name) {
    case Name::None: return {};
    case Name::AM: return c.AMoneyName.str();
    case Name::AP: return c.APartName.str();
    case Name::M2: return c.Money2Name.str();
    case Name::P2: return c.Part2Name.str();
    }
    return {};
}

std::string Text(const Pattern &p, const MonyType &c)
{
    std::string text(p.before);
    text += NameOf(p.name, c);
    text += p.after;
    return text;
}

bool Applies(When when, const MonyType &c)
{
    return when == When::Always || (when == When::MoneyFeminine && !c.MoneyMale)
        || (when == When::PartFeminine && !c.PartMale);
}

// "لا غير" (nothing more) closes an amount: written after the currency
// noun, it goes to the end when the sub-units follow, or it would read as
// the end of the amount before them.
void CloseAtTheEnd(std::string &arabic)
{
    for (const std::string_view closing : {std::string_view(" لا غير"), std::string_view(" لاغير")}) {
        const std::size_t at = Find(arabic, closing);
        if (at == std::string::npos || at + closing.size() == arabic.size())
            continue;
        arabic.erase(at, closing.size());
        arabic += closing;
        return;
    }
}

// The finishing rows that apply to a currency, with its names put in: one
// pass over the sentence tells which of them occur. Kept for the last few
// currencies converted (the issue window also reads amounts in the
// dirham's grammar).
const ReplacementList &FinishingFor(const MonyType &c)
{
    struct Made
    {
        std::string money, part, money2, part2;
        bool moneyMale = false, partMale = false;
        std::vector<std::string> texts; // search, replacement, search, …
        std::optional<ReplacementList> rows;

        bool isFor(const MonyType &c) const
        {
            return rows && money == c.AMoneyName.str() && part == c.APartName.str() && money2 == c.Money2Name.str()
                && part2 == c.Part2Name.str() && moneyMale == c.MoneyMale && partMale == c.PartMale;
        }
    };
    thread_local std::array<Made, 4> kept;
    thread_local std::size_t oldest = 0;
    for (const Made &made : kept)
        if (made.isFor(c))
            return *made.rows;
    Made &made = kept[oldest];
    oldest = (oldest + 1) % kept.size();
    made.rows.reset(); // its texts change below
    made.money = c.AMoneyName.str();
    made.part = c.APartName.str();
    made.money2 = c.Money2Name.str();
    made.part2 = c.Part2Name.str();
    made.moneyMale = c.MoneyMale;
    made.partMale = c.PartMale;
    made.texts.clear();
    for (const FinishingRow &row : kFinishing) {
        // A row that does not apply, or is built on a name the currency
        // does not have ("فقط " would turn every amount into nothing),
        // never replaces.
        std::string search = Text(row.search, c);
        if (!Applies(row.when, c) || (row.search.name != Name::None && NameOf(row.search.name, c).empty())
            || (row.replacement.name != Name::None && NameOf(row.replacement.name, c).empty()))
            continue;
        made.texts.push_back(std::move(search));
        made.texts.push_back(Text(row.replacement, c));
    }
    std::vector<std::pair<std::string_view, std::string_view>> rows;
    for (std::size_t i = 0; i < made.texts.size(); i += 2)
        rows.emplace_back(made.texts[i], made.texts[i + 1]);
    made.rows.emplace(std::move(rows));
    return *made.rows;
}

// The finishing rows in their order, each with ReplaceAll when it applies to
// the currency and its search text occurs.
void ApplyFinishing(std::string &arabic, const MonyType &c) { FinishingFor(c).apply(arabic); }

} // namespace
} // namespace words::detail

void AmountToWords(std::string_view amount, const MonyType &currency, std::string &english, std::string &arabic)
{
    using namespace words::detail;
    if (amount.empty()) {
        english.clear();
        arabic.clear();
        return;
    }

    std::string text;
    text.reserve(amount.size());
    for (char c : amount)
        if (c != ',')
            text += c;

    bool isZero = false;
    if (!ParseDecimal(text, isZero))
        throw ChequeError("'" + text + "' is not a valid floating point value");
    if (isZero)
        text.clear();

    std::string integer = text;
    std::string fraction;
    if (const std::size_t point = text.find('.'); point != std::string::npos) {
        fraction = text.substr(point + 1);
        if (fraction.size() == 1)
            fraction += '0';
        if (currency.PartDigits == 3 && fraction.size() == 2)
            fraction += '0';
        const std::size_t keep = currency.PartDigits > 0 ? static_cast<std::size_t>(currency.PartDigits) : 0;
        if (fraction.size() > keep)
            fraction.resize(keep);
        integer = text.substr(0, point);
    }
    bool fractionZero = false;
    if (!fraction.empty() && ParseDecimal(fraction, fractionZero) && fractionZero)
        fraction.clear();

    if (integer.empty()) {
        english = "-";
        arabic = "-";
        return;
    }
    StripLeadingZeros(integer);
    // A plus sign says nothing of the amount: its digits are read as they
    // stand without it (with it, their groups would be counted from the sign).
    if (integer.front() == '+') {
        integer.erase(0, 1);
        StripLeadingZeros(integer);
    }
    bool negative = false;
    if (integer.front() == '-') {
        integer.erase(0, 1);
        negative = true;
        // Zeros after the sign go as well, so that a negative amount reads
        // exactly like its positive value.
        StripLeadingZeros(integer);
    }

    // The sentences are built with their blanks collapsed as they grow: the
    // number words straight into them, the currency's names (which may hold
    // anything) collapsed on the way in.
    std::string en, ar;
    en.reserve(192);
    ar.reserve(320);
    // The sub-units alone stand for an integer part of zero; its words
    // (none) would be written over.
    const bool onlySubUnits = !fraction.empty() && (integer == "0" || integer == "00" || integer == "000");
    // The noun form a number chose stays for the next number of the sentence
    // where that one chooses none.
    NounForm form = NounForm::Unchanged;
    const auto appendArabic = [&](std::string_view digits, bool masculine, bool part) {
        if (const NounForm chosen = AppendArabic(ar, digits, masculine); chosen != NounForm::Unchanged)
            form = chosen;
        AppendPiece(ar, " ");
        AppendCollapsed(ar, NounName(form, currency, part));
    };
    try {
        if (negative) {
            AppendPiece(en, "Negative ");
            AppendPiece(ar, "سالب ");
        }
        AppendPiece(en, "Only ");
        AppendPiece(ar, "فقط ");
        if (onlySubUnits) {
            appendArabic(fraction, currency.PartMale, true);
            AppendEnglish(en, fraction);
            AppendPiece(en, " ");
            AppendCollapsed(en, currency.EPartName.str());
        } else {
            AppendEnglish(en, integer);
            AppendPiece(en, " ");
            AppendCollapsed(en, currency.EMoneyName.str());
            appendArabic(integer, currency.MoneyMale, false);
            if (!fraction.empty()) {
                AppendPiece(ar, " و ");
                appendArabic(fraction, currency.PartMale, true);
                AppendPiece(en, " And ");
                AppendEnglish(en, fraction);
                AppendPiece(en, " ");
                AppendCollapsed(en, currency.EPartName.str());
            }
        }
    } catch (const ChequeError &) {
        en = "--";
        ar = "--";
    }

    ApplyFinishing(ar, currency);
    if (!fraction.empty() && !onlySubUnits && ar != "--")
        CloseAtTheEnd(ar);
    english = std::move(en);
    arabic = std::move(ar);
}
