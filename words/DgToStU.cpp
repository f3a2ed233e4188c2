// SPDX-License-Identifier: GPL-3.0-or-later
// The amount text driver (AmountToWords): an amount as typed becomes the
// English and the Arabic sentence of a cheque.

#include "words/DgToStU.h"

#include <array>

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
enum class Name { None, AM, AP, M2 };

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

constexpr std::array<FinishingRow, 17> kFinishing = {{
    {When::MoneyFeminine, {"", Name::AM, "اً"}, {"", Name::AM, "ً"}},
    {When::PartFeminine, {"", Name::AP, "اً"}, {"", Name::AP, "ً"}},
    {When::Always, {"فقط ", Name::AM, ""}, {"لا شيء", Name::None, ""}},
    {When::Always, {"إثنان ", Name::AM, "اً"}, {"", Name::M2, " لاغير"}},
    {When::Always, {"إثنتان ", Name::AM, "ً"}, {"", Name::M2, " لاغير"}},
    {When::Always, {"واحد ", Name::AM, "اً"}, {"", Name::AM, " واحد لا غير"}},
    {When::Always, {"واحدة ", Name::AM, "ً"}, {"", Name::AM, " واحدة لا غير"}},
    {When::Always, {"مائتان ", Name::AM, ""}, {"مائتا ", Name::AM, ""}},
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

// True when `search`, with `name` in it, occurs in `text` with its name (or,
// for an empty name, the end of its first part) at `at`.
bool RowAt(std::string_view text, const Pattern &search, std::string_view name, std::size_t at)
{
    const std::size_t before = search.before.size(), after = search.after.size();
    return at >= before && text.substr(at - before, before) == search.before && at + name.size() + after <= text.size()
        && text.substr(at, name.size()) == name && text.substr(at + name.size(), after) == search.after;
}

// The rows that are fixed phrases (no name), and the beginning they share:
// one search finds the places where any of them can stand.
struct Phrases
{
    std::uint32_t rows = 0;
    std::string_view shared;
};

const Phrases &FixedPhrases()
{
    static const Phrases phrases = [] {
        Phrases p;
        for (std::size_t k = 0; k < kFinishing.size(); ++k) {
            const Pattern &search = kFinishing[k].search;
            if (search.name != Name::None || search.before.empty())
                continue;
            if (p.rows == 0) {
                p.shared = search.before;
            } else {
                std::size_t common = 0;
                while (common < p.shared.size() && common < search.before.size()
                       && p.shared[common] == search.before[common])
                    ++common;
                p.shared = p.shared.substr(0, common);
            }
            p.rows |= std::uint32_t{1} << k;
        }
        return p;
    }();
    return phrases;
}

// The places of a few texts in the sentence, each looked for once (and again
// after the sentence changes). A text found more often than there is room
// for is looked for again each time.
class Places
{
public:
    explicit Places(const std::string &text) : m_text(text) {}

    /// Forgets every place: the sentence has changed.
    void clear() { m_count = 0; }

    /// Calls found(place) for each place of `needle`, in order, until it
    /// returns true; returns whether one did.
    template <class Found>
    bool any(std::string_view needle, Found found)
    {
        const List &list = of(needle);
        if (list.size <= list.places.size()) {
            for (std::size_t i = 0; i < list.size; ++i)
                if (found(list.places[i]))
                    return true;
            return false;
        }
        for (std::size_t at = Find(m_text, needle); at != std::string_view::npos; at = Find(m_text, needle, at + 1))
            if (found(at))
                return true;
        return false;
    }

private:
    struct List
    {
        std::string_view needle;
        std::array<std::size_t, 6> places{};
        std::size_t size = 0; ///< more than places.size(): too many to keep
    };

    const List &of(std::string_view needle)
    {
        for (std::size_t i = 0; i < m_count; ++i)
            if (m_lists[i].needle == needle)
                return m_lists[i];
        if (m_count == m_lists.size())
            m_count = 0; // more texts than room for them: start again
        List &list = m_lists[m_count++];
        list.needle = needle;
        list.size = 0;
        for (std::size_t at = Find(m_text, needle); at != std::string_view::npos; at = Find(m_text, needle, at + 1)) {
            if (list.size < list.places.size())
                list.places[list.size] = at;
            if (++list.size > list.places.size())
                break;
        }
        return list;
    }

    const std::string &m_text;
    std::array<List, 4> m_lists;
    std::size_t m_count = 0;
};

// True when row k's search text occurs in the sentence: looked for by the
// currency's name it holds; a fixed phrase (no name) by the beginning the
// phrases share; a row whose name is empty by its first or last part.
bool RowOccurs(std::string_view text, Places &places, const Pattern &search, const MonyType &c)
{
    const std::string_view name = NameOf(search.name, c);
    if (!name.empty())
        return places.any(name, [&](std::size_t at) { return RowAt(text, search, name, at); });
    const std::string_view needle = search.name == Name::None ? FixedPhrases().shared
        : !search.before.empty()                              ? search.before
                                                              : search.after;
    const std::size_t shift = search.before.empty() ? 0 : search.before.size();
    return places.any(needle, [&](std::size_t at) { return RowAt(text, search, name, at + shift); });
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

// The finishing rows in their order, each with ReplaceAll when it applies to
// the currency and its search text occurs.
void ApplyFinishing(std::string &arabic, const MonyType &c)
{
    Places places(arabic);
    for (const FinishingRow &row : kFinishing) {
        if (!Applies(row.when, c) || !RowOccurs(arabic, places, row.search, c))
            continue;
        ReplaceAll(arabic, Text(row.search, c), Text(row.replacement, c));
        places.clear();
    }
}

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
