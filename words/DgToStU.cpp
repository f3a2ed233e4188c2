// The amount text driver (AmountToWords): an amount as typed becomes the
// English and the Arabic sentence of a cheque.

#include "words/DgToStU.h"

#include <array>

#include "words/detail.h"

namespace words::detail {
namespace {

// Step 3: blanks, an optional sign, digits with an optional "." (digits may
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

// The fixed first parts of the rows that have one, found in one pass; the
// rest of such a row (a name, a fixed end) is then compared where its first
// part ends.
struct Anchors
{
    TextSet befores;
    std::vector<std::size_t> row; ///< the row of each first part
};

const Anchors &FinishingAnchors()
{
    static const Anchors anchors = [] {
        std::vector<std::string_view> texts;
        std::vector<std::size_t> rows;
        for (std::size_t k = 0; k < kFinishing.size(); ++k) {
            if (!kFinishing[k].search.before.empty()) {
                texts.push_back(kFinishing[k].search.before);
                rows.push_back(k);
            }
        }
        return Anchors{TextSet(texts), rows};
    }();
    return anchors;
}

// The rows with a fixed first part whose search text occurs in `text`, as
// bits.
std::uint32_t AnchoredRowsPresent(std::string_view text, const MonyType &c)
{
    std::uint32_t present = 0;
    const Anchors &anchors = FinishingAnchors();
    anchors.befores.forEach(text, [&](std::size_t i, std::size_t end) {
        const std::size_t k = anchors.row[i];
        const Pattern &search = kFinishing[k].search;
        const std::string_view name = NameOf(search.name, c);
        const std::string_view rest = text.substr(end);
        if (rest.size() >= name.size() + search.after.size() && rest.substr(0, name.size()) == name
            && rest.substr(name.size(), search.after.size()) == search.after)
            present |= std::uint32_t{1} << k;
    });
    return present;
}

// Step 11: the rows in their order, each with ReplaceAll when it applies to
// the currency and its search text occurs. The first two (the feminine
// nouns') have no fixed first part and are simply replaced; which of the
// others occur, one pass tells, and it is asked again only after a
// replacement.
void ApplyFinishing(std::string &arabic, const MonyType &c)
{
    std::uint32_t present = 0;
    bool known = false;
    for (std::size_t k = 0; k < kFinishing.size(); ++k) {
        const FinishingRow &row = kFinishing[k];
        if (!Applies(row.when, c))
            continue;
        if (row.search.before.empty()) {
            ReplaceAll(arabic, Text(row.search, c), Text(row.replacement, c));
            known = false;
            continue;
        }
        if (!known) {
            present = AnchoredRowsPresent(arabic, c);
            known = true;
        }
        if ((present & (std::uint32_t{1} << k)) == 0)
            continue;
        ReplaceAll(arabic, Text(row.search, c), Text(row.replacement, c));
        known = false;
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

    // The sentences are built with their blanks collapsed as they grow.
    std::string en, ar;
    en.reserve(192);
    ar.reserve(320);
    try {
        const std::string integerEnglish = NumToEnglish(integer);
        const std::string integerArabic = NumToArabic(integer, currency, currency.MoneyMale);
        const std::string moneyForm = MoneyNounForm();
        const bool onlySubUnits = !fraction.empty() && (integer == "0" || integer == "00" || integer == "000");
        if (negative) {
            AppendCollapsed(en, "Negative ");
            AppendCollapsed(ar, "سالب ");
        }
        AppendCollapsed(en, "Only ");
        AppendCollapsed(ar, "فقط ");
        if (onlySubUnits) {
            AppendCollapsed(ar, NumToArabic(fraction, currency, currency.PartMale));
            AppendCollapsed(ar, " ");
            AppendCollapsed(ar, PartNounForm());
            AppendCollapsed(en, NumToEnglish(fraction));
            AppendCollapsed(en, " ");
            AppendCollapsed(en, currency.EPartName.str());
        } else {
            AppendCollapsed(en, integerEnglish);
            AppendCollapsed(en, " ");
            AppendCollapsed(en, currency.EMoneyName.str());
            AppendCollapsed(ar, integerArabic);
            AppendCollapsed(ar, " ");
            AppendCollapsed(ar, moneyForm);
            if (!fraction.empty()) {
                AppendCollapsed(ar, " و ");
                AppendCollapsed(ar, NumToArabic(fraction, currency, currency.PartMale));
                AppendCollapsed(ar, " ");
                AppendCollapsed(ar, PartNounForm());
                AppendCollapsed(en, " And ");
                AppendCollapsed(en, NumToEnglish(fraction));
                AppendCollapsed(en, " ");
                AppendCollapsed(en, currency.EPartName.str());
            }
        }
    } catch (const ChequeError &) {
        en = "--";
        ar = "--";
    }

    ApplyFinishing(ar, currency);
    english = std::move(en);
    arabic = std::move(ar);
}
