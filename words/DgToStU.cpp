#include "words/DgToStU.h"

#include <array>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------- helpers

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllZeros(std::string_view s)
{
    for (char c : s)
        if (c != '0')
            return false;
    return true;
}

std::string Quoted(std::string_view text, const char *what)
{
    std::string msg;
    msg.reserve(text.size() + 40);
    msg += '\'';
    msg += text;
    msg += "' is not a valid ";
    msg += what;
    msg += " value";
    return msg;
}

// ---------------------------------------------------------------- English

constexpr std::array<const char *, 20> kEnglishSmall = {
    "",        "One",     "Two",       "Three",    "Four",     "Five",    "Six",
    "Seven",   "Eight",   "Nine",      "Ten",      "Eleven",   "Twelve",  "Thirteen",
    "Fourteen", "Fifteen", "Sixteen",  "Seventeen", "Eighteen", "Nineteen"};

constexpr std::array<const char *, 10> kEnglishTens = {
    "", "", "Twenty", "Thirty", "Forty", "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};

// The word of a value that the table holds (0 to 20 and the multiples of ten
// up to 90), or nullptr.
const char *EnglishWord(std::int32_t v)
{
    if (v >= 0 && v < 20)
        return kEnglishSmall[static_cast<std::size_t>(v)];
    if (v >= 20 && v <= 90 && v % 10 == 0)
        return kEnglishTens[static_cast<std::size_t>(v / 10)];
    return nullptr;
}

struct Scale
{
    std::size_t restDigits;
    const char *english;
    const char *arabicAlone;
    const char *arabicMore;
};

// Thousands, millions and milliards, by the length of the digit string.
const Scale *ScaleFor(std::size_t length)
{
    static const Scale thousand{3, " Thousand,", " ألف ", " ألفاً و "};
    static const Scale million{6, " Million,", " مليوناً ", " مليوناً و"};
    static const Scale milliard{9, " Billion,", " ملياراً ", " ملياراً و"};
    if (length >= 4 && length <= 6)
        return &thousand;
    if (length >= 7 && length <= 9)
        return &million;
    if (length >= 10 && length <= 12)
        return &milliard;
    return nullptr;
}

// ---------------------------------------------------------------- Arabic

constexpr std::array<const char *, 20> kArabicMasculine = {
    "",          "واحد",       "إثنان",      "ثلاثة",     "أربعة",
    "خمسة",      "ستة",        "سبعة",       "ثمانية",    "تسعة",
    "عشرة",      "أحد عشر",    "إثنا عشر",   "ثلاثة عشر", "أربعة عشر",
    "خمسة عشر",  "ستة عشر",    "سبعة عشر",   "ثمانية عشر", "تسعة عشر"};

constexpr std::array<const char *, 20> kArabicFeminine = {
    "",          "واحدة",      "إثنتان",     "ثلاث",      "أربع",
    "خمس",       "ست",         "سبع",        "ثمان",      "تسع",
    "عشر",       "إحدى عشرة",  "إثنتا عشرة", "ثلاث عشرة", "أربع عشرة",
    "خمس عشرة",  "ست عشرة",    "سبع عشرة",   "ثماني عشرة", "تسع عشرة"};

constexpr std::array<const char *, 10> kArabicTens = {
    "", "", "عشرون", "ثلاثون", "أربعون", "خمسون", "ستون", "سبعون", "ثمانون", "تسعون"};

const char *ArabicWord(std::int32_t v, bool masculine)
{
    if (v >= 0 && v < 20)
        return (masculine ? kArabicMasculine : kArabicFeminine)[static_cast<std::size_t>(v)];
    if (v >= 20 && v <= 90 && v % 10 == 0)
        return kArabicTens[static_cast<std::size_t>(v / 10)];
    return nullptr;
}

constexpr const char *kAccusative = "اً";

// ReplaceAll, telling whether it replaced anything.
bool ReplaceEvery(std::string &text, std::string_view search, std::string_view replacement)
{
    if (search.empty())
        return false;
    // Arabic letters all start with one of two lead bytes, which defeats a
    // search that looks for the first byte; memmem does not care.
    auto find = [&](std::size_t from) -> std::size_t {
        const void *hit = ::memmem(text.data() + from, text.size() - from, search.data(), search.size());
        return hit ? static_cast<std::size_t>(static_cast<const char *>(hit) - text.data()) : std::string::npos;
    };
    std::size_t pos = find(0);
    if (pos == std::string::npos)
        return false;
    std::string result;
    result.reserve(text.size() + replacement.size());
    std::size_t from = 0;
    do {
        result.append(text, from, pos - from);
        result.append(replacement);
        from = pos + search.size();
        pos = find(from);
    } while (pos != std::string::npos);
    result.append(text, from, std::string::npos);
    text = std::move(result);
    return true;
}

// The runs of four bytes (two Arabic letters) of a text, hashed into a set
// of 4096 bits: a quick way to see that a text cannot hold a search text,
// since every run of the search must occur in it. Single letters would not
// do: the few letters of the number words occur in nearly every text.
constexpr std::size_t kGram = 4;

unsigned GramHash(const char *p)
{
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return (v * 2654435761u) >> 20; // 12 bits
}

struct ByteSet
{
    std::array<std::uint64_t, 64> bits{};

    ByteSet() = default;
    explicit ByteSet(std::string_view text)
    {
        for (std::size_t i = 0; i + kGram <= text.size(); ++i) {
            const unsigned h = GramHash(text.data() + i);
            bits[h >> 6] |= std::uint64_t{1} << (h & 63);
        }
    }
    bool has(unsigned h) const { return (bits[h >> 6] >> (h & 63)) & 1u; }
};

// The hashed runs of a search text.
struct SearchGrams
{
    std::vector<unsigned> hashes;

    SearchGrams() = default;
    explicit SearchGrams(std::string_view search)
    {
        for (std::size_t i = 0; i + kGram <= search.size(); ++i)
            hashes.push_back(GramHash(search.data() + i));
    }
    bool mayOccurIn(const ByteSet &text) const
    {
        for (unsigned h : hashes)
            if (!text.has(h))
                return false;
        return true;
    }
};

// Applies one replacement when the text may hold the search text, and keeps
// the byte set a superset of the text's bytes.
void ReplaceKnown(std::string &text, ByteSet &present, std::string_view search, const SearchGrams &needed,
                  std::string_view replacement)
{
    if (!needed.mayOccurIn(present))
        return;
    if (text.size() >= search.size() && ReplaceEvery(text, search, replacement))
        present = ByteSet(text); // pairs across the edges of a replacement are new
}

struct Replacement
{
    std::string_view search;
    std::string_view replacement;
};

// The ordered repairs that end every NumToArabic call.
constexpr std::array<Replacement, 17> kArabicCleanup = {{
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
}};

// The ordered repairs of the driver's finished Arabic sentence. Each text is
// a fixed part, one of the currency's names, and another fixed part.
enum class When { Always, MoneyFeminine, PartFeminine };
enum class Name { None, AM, AP, M2 }; // singular, sub-unit singular, dual

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

constexpr std::array<FinishingRow, 17> kArabicFinishing = {{
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

std::string Expand(const Pattern &p, const MonyType &c)
{
    std::string out(p.before);
    switch (p.name) {
    case Name::None: break;
    case Name::AM: out += c.AMoneyName.str(); break;
    case Name::AP: out += c.APartName.str(); break;
    case Name::M2: out += c.Money2Name.str(); break;
    }
    out += p.after;
    return out;
}

struct ExpandedRow
{
    std::string search;
    SearchGrams needed;
    std::string replacement;
};

// The finishing rows that apply to a currency, with its names put in. The
// rows of the last currency are kept, since it rarely changes between calls.
const std::vector<ExpandedRow> &FinishingFor(const MonyType &c)
{
    static MonyType lastCurrency;
    static std::vector<ExpandedRow> rows;
    static bool filled = false;
    if (filled && c.AMoneyName == lastCurrency.AMoneyName && c.APartName == lastCurrency.APartName
        && c.Money2Name == lastCurrency.Money2Name && c.MoneyMale == lastCurrency.MoneyMale
        && c.PartMale == lastCurrency.PartMale)
        return rows;
    rows.clear();
    for (const FinishingRow &row : kArabicFinishing) {
        if ((row.when == When::MoneyFeminine && c.MoneyMale) || (row.when == When::PartFeminine && c.PartMale))
            continue;
        std::string search = Expand(row.search, c);
        SearchGrams needed(search);
        rows.push_back({std::move(search), std::move(needed), Expand(row.replacement, c)});
    }
    lastCurrency = c;
    filled = true;
    return rows;
}

std::string g_moneyNounForm;
std::string g_partNounForm;

void ApplyNounFormRule(std::int32_t v, const MonyType &c)
{
    if (v == 1 || v == 2 || (v >= 11 && v <= 20) || (v >= 30 && v <= 90 && v % 10 == 0)) {
        g_moneyNounForm = c.AMoneyName.str() + kAccusative;
        g_partNounForm = c.APartName.str() + kAccusative;
    } else if (v >= 3 && v <= 10) {
        g_moneyNounForm = c.Money3Name.str();
        g_partNounForm = c.Part3Name.str();
    } else if (v == 100 || v == 1000 || v == 1000000 || v == 1000000000) {
        g_moneyNounForm = c.AMoneyName.str();
        g_partNounForm = c.APartName.str();
    }
    if (v % 100 == 0) {
        g_moneyNounForm = c.AMoneyName.str();
        g_partNounForm = c.APartName.str();
    }
}


std::string ArabicOf(std::string_view d, const MonyType &c, bool masculine);
std::string ArabicCompute(std::string_view d, const MonyType &c, bool masculine);

// The words of groups of up to three digits do not depend on the currency,
// only the noun forms they leave behind do, and those are always one of the
// three forms of the rule. A group's words and form are worked out once, on a
// stand-in currency whose forms tell the three apart, and then looked up:
// the larger numbers are mostly made of such groups.
enum class NounKind : unsigned char { Accusative, Plural, Singular, Unchanged };

struct SmallGroup
{
    bool known = false;
    NounKind kind = NounKind::Unchanged;
    std::string words;
};

std::string ArabicOfSmallGroup(std::string_view d, const MonyType &c, bool masculine)
{
    static std::array<SmallGroup, 2 * 1110> groups;
    static const MonyType probe = [] {
        MonyType m;
        m.AMoneyName = m.APartName = "S";
        m.Money3Name = m.Part3Name = "P";
        return m;
    }();
    const std::size_t offsets[] = {0, 0, 10, 110};
    std::size_t value = 0;
    for (char ch : d)
        value = value * 10 + static_cast<std::size_t>(ch - '0');
    SmallGroup &group = groups[(masculine ? 1110 : 0) + offsets[d.size()] + value];
    if (!group.known) {
        g_moneyNounForm.clear();
        group.words = ArabicCompute(d, probe, masculine); // its sub-groups are looked up in turn
        group.kind = g_moneyNounForm == "Sاً" ? NounKind::Accusative
                   : g_moneyNounForm == "P"   ? NounKind::Plural
                   : g_moneyNounForm == "S"   ? NounKind::Singular
                                              : NounKind::Unchanged;
        group.known = true;
    }
    switch (group.kind) {
    case NounKind::Accusative:
        g_moneyNounForm = c.AMoneyName.str() + kAccusative;
        g_partNounForm = c.APartName.str() + kAccusative;
        break;
    case NounKind::Plural:
        g_moneyNounForm = c.Money3Name.str();
        g_partNounForm = c.Part3Name.str();
        break;
    case NounKind::Singular:
        g_moneyNounForm = c.AMoneyName.str();
        g_partNounForm = c.APartName.str();
        break;
    case NounKind::Unchanged:
        break;
    }
    return group.words;
}

bool IsSmallGroup(std::string_view d)
{
    if (d.empty() || d.size() > 3)
        return false;
    for (char ch : d)
        if (!IsDigit(ch))
            return false;
    return true;
}

std::string ArabicOf(std::string_view d, const MonyType &c, bool masculine)
{
    return IsSmallGroup(d) ? ArabicOfSmallGroup(d, c, masculine) : ArabicCompute(d, c, masculine);
}

std::string ArabicCompute(std::string_view d, const MonyType &c, bool masculine)
{
    const std::int32_t v = StrToInt(d);
    if (const char *word = ArabicWord(v, masculine)) {
        // A single table word has no double blank and holds none of the
        // cleanup's search texts.
        ApplyNounFormRule(v, c);
        return word;
    }
    std::string result;
    if (d.size() == 2) {
        const std::string units = ArabicOf(d.substr(1, 1), c, masculine);
        const std::string tens = ArabicOf(std::string{d[0], '0'}, c, masculine);
        result = units + " و" + tens;
    } else if (d.size() == 3) {
        const std::string_view lastTwo = d.substr(1);
        // The words of the last two digits are empty exactly when they are
        // "00". Converting them only to look (as the feminine group) would
        // change nothing: every branch below converts again afterwards and so
        // sets the noun forms anew.
        if (!AllZeros(lastTwo)) {
            if (d[0] != '0')
                result = ArabicOf(d.substr(0, 1), c, false) + "مائة و ";
            result += ArabicOf(lastTwo, c, masculine);
        } else {
            result = ArabicOf(d.substr(0, 1), c, false) + "مائة ";
        }
    } else if (const Scale *scale = ScaleFor(d.size())) {
        const std::string_view lead = d.substr(0, d.size() - scale->restDigits);
        const std::string_view rest = d.substr(d.size() - scale->restDigits);
        if (AllZeros(lead)) {
            result = ArabicOf(rest, c, masculine);
        } else if (AllZeros(rest)) { // the rest has no words (see the hundreds above)
            result = ArabicOf(lead, c, true) + scale->arabicAlone;
        } else {
            const std::string first = ArabicOf(lead, c, true);
            const std::string second = ArabicOf(rest, c, masculine);
            result = first + scale->arabicMore + second;
        }
    }
    result = CollapseSpaces(std::move(result));
    static const auto needed = [] {
        std::array<SearchGrams, kArabicCleanup.size()> sets;
        for (std::size_t i = 0; i < sets.size(); ++i)
            sets[i] = SearchGrams(kArabicCleanup[i].search);
        return sets;
    }();
    ByteSet present(result);
    for (std::size_t i = 0; i < kArabicCleanup.size(); ++i)
        ReplaceKnown(result, present, kArabicCleanup[i].search, needed[i], kArabicCleanup[i].replacement);
    ApplyNounFormRule(v, c);
    return result;
}

// Step 3 of the driver: blanks, an optional sign, digits with an optional
// "." (digits may be missing on either side, not on both), an optional
// exponent, blanks. Returns false when the text is not such a number;
// `isZero` tells whether its value is zero.
bool ParseDecimal(std::string_view s, bool &isZero)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n && s[i] == ' ')
        ++i;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t mantissaDigits = 0;
    isZero = true;
    while (i < n && IsDigit(s[i])) {
        isZero = isZero && s[i] == '0';
        ++mantissaDigits;
        ++i;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && IsDigit(s[i])) {
            isZero = isZero && s[i] == '0';
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < n && IsDigit(s[i])) {
            ++expDigits;
            ++i;
        }
        if (expDigits == 0)
            return false;
    }
    while (i < n && s[i] == ' ')
        ++i;
    return i == n;
}

} // namespace

// ---------------------------------------------------------------- public

std::size_t Utf8Length(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

std::string Utf8Left(std::string_view text, std::size_t count)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == count)
                return std::string(text.substr(0, i));
            ++chars;
        }
    }
    return std::string(text);
}

MonyType UaeMoney()
{
    return {"درهم", "Dhs", "فلس", "Fils", "درهمان", "فلسان", "دراهم", "فلوس", 2, true, true, "DHs"};
}

MonyType SyrMoney()
{
    return {"ليرة", "S.POUND", "قرش", "QRSH", "ليرتان", "قرشان", "ليرات", "قروش", 2, false, true, "SP"};
}

void ReplaceAll(std::string &text, std::string_view search, std::string_view replacement)
{
    ReplaceEvery(text, search, replacement);
}

std::string CollapseSpaces(std::string text)
{
    const std::size_t first = text.find("  ");
    if (first == std::string::npos)
        return text;
    std::size_t out = first + 1;
    for (std::size_t i = first + 1; i < text.size(); ++i) {
        if (text[i] == ' ' && text[out - 1] == ' ')
            continue;
        text[out++] = text[i];
    }
    text.resize(out);
    return text;
}

std::int32_t StrToInt(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        throw ChequeError(Quoted(text, "integer"));
    const std::int64_t limit = negative ? std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1
                                        : std::int64_t{std::numeric_limits<std::int32_t>::max()};
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            throw ChequeError(Quoted(text, "integer"));
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            throw ChequeError(Quoted(text, "integer"));
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::string NumToEnglish(std::string_view d)
{
    const std::int32_t v = StrToInt(d);
    if (const char *word = EnglishWord(v))
        return word;
    const std::size_t length = d.size();
    if (length == 2)
        return NumToEnglish(std::string{d[0], '0'}) + "-" + NumToEnglish(d.substr(1, 1));
    if (length == 3) {
        std::string rest = NumToEnglish(d.substr(1));
        if (d[0] == '0')
            return rest;
        if (rest.empty())
            return NumToEnglish(d.substr(0, 1)) + " Hundred";
        return NumToEnglish(d.substr(0, 1)) + " Hundred" + " and " + rest;
    }
    if (const Scale *scale = ScaleFor(length)) {
        const std::string_view lead = d.substr(0, length - scale->restDigits);
        const std::string_view rest = d.substr(length - scale->restDigits);
        if (AllZeros(lead))
            return NumToEnglish(rest);
        return NumToEnglish(lead) + scale->english + " " + NumToEnglish(rest);
    }
    return {};
}

std::string NumToArabic(std::string_view digits, MonyType currency, bool Masculine)
{
    return ArabicOf(digits, currency, Masculine);
}

const std::string &MoneyNounForm() { return g_moneyNounForm; }
const std::string &PartNounForm() { return g_partNounForm; }

void AmountToWords(std::string_view amount, MonyType currency, std::string &english,
                   std::string &arabic)
{
    if (amount.empty()) {
        english.clear();
        arabic.clear();
        return;
    }

    std::string text(amount);
    ReplaceAll(text, ",", "");

    bool isZero = false;
    if (!ParseDecimal(text, isZero))
        throw ChequeError(Quoted(text, "floating point"));
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

    if (!fraction.empty()) {
        bool fractionZero = false;
        if (ParseDecimal(fraction, fractionZero) && fractionZero)
            fraction.clear();
    }

    if (integer.empty()) {
        english = "-";
        arabic = "-";
        return;
    }

    auto stripLeadingZeros = [](std::string &s) {
        std::size_t n = 0;
        while (s.size() - n >= 2 && s[n] == '0')
            ++n;
        s.erase(0, n);
    };
    stripLeadingZeros(integer);

    bool negative = false;
    if (integer.front() == '-') {
        integer.erase(0, 1);
        negative = true;
        // Zeros after the sign go as well, so that a negative amount reads
        // exactly like its positive value.
        stripLeadingZeros(integer);
    }

    std::string en;
    std::string ar;
    try {
        en = "Only " + NumToEnglish(integer) + " " + currency.EMoneyName.str();
        ar = "فقط " + NumToArabic(integer, currency, currency.MoneyMale) + " " + MoneyNounForm();
        if (!fraction.empty()) {
            if (integer != "0" && integer != "00" && integer != "000") {
                ar += " و " + NumToArabic(fraction, currency, currency.PartMale) + " " + PartNounForm();
                en += " And " + NumToEnglish(fraction) + " " + currency.EPartName.str();
            } else {
                ar = "فقط " + NumToArabic(fraction, currency, currency.PartMale) + " " + PartNounForm();
                en = "Only " + NumToEnglish(fraction) + " " + currency.EPartName.str();
            }
        }
        if (negative) {
            ar = "سالب " + ar;
            en = "Negative " + en;
        }
    } catch (const ChequeError &) {
        en = "--";
        ar = "--";
    }

    en = CollapseSpaces(std::move(en));
    ar = CollapseSpaces(std::move(ar));

    ByteSet present(ar);
    for (const ExpandedRow &row : FinishingFor(currency))
        ReplaceKnown(ar, present, row.search, row.needed, row.replacement);

    english = std::move(en);
    arabic = std::move(ar);
}
