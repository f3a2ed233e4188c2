// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads an amount in Arabic words back into its value, as someone reading a
// cheque reads it: from the grammar of Arabic numbers, not from the
// converter's tables. Parts stand largest first, each smaller than the one
// before it, joined by "و" (written apart or against the next word); a
// scale word (thousand, million, milliard) counts the number written right
// before it, without "و", or else stands for one (in the singular) or two
// (in the dual) of itself. Units come before tens ("ثلاثة وعشرون"), a unit
// before "عشر"/"عشرة" makes a teen, and hundreds are one word ("ثلاثمائة")
// or a unit and "مائة". The currency's nouns end the whole part (the dual
// counts two, "واحد" after the noun one) and the sub-units; "لا غير" closes
// the amount and may stand only at its very end.
//
// It reads the grammar, not the value alone: 1, 2, 3–10 and the teens agree
// with the noun they count (the currency's or the sub-unit's gender; a
// scale word is masculine), 3–10 in the reverse gender; the noun after a
// number is its dual for 2, its plural after 3–10, its accusative singular
// after 11–99 and its singular after hundreds and round thousands; a dual
// before a noun is its construct ("مائتا درهم", "ألفا درهم"), before "و"
// free; a scale word takes the same forms after its count. The program's
// own forms that a reader accepts are accepted by name: "واحد فلساً", a
// count of hundreds before "ملايين", "مائتا ألفاً", a count of 11–99 (or
// 101) before "مليوناً"/"ملياراً" and the noun, "مائة وواحد ألف".
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "words/DgToStU.h"

namespace arabic_reader {

enum class Kind { Unit, TeenUnit, Ten, Tens, Hundreds, Scale, And };
enum class Form { Singular, Accusative, Dual, Construct, Plural };
enum Agree { Any, Male, Female }; ///< the gender of noun a unit word counts when it stands alone

struct Word
{
    Kind kind;
    std::int64_t value = 0; ///< the unit, ten, hundreds; the scale
    Form form = Form::Singular;
    Agree agree = Any;
};

inline const std::unordered_map<std::string_view, Word> &Words()
{
    static const std::unordered_map<std::string_view, Word> words = [] {
        std::unordered_map<std::string_view, Word> w;
        const auto add = [&](Kind kind, std::int64_t v, Agree agree, std::initializer_list<std::string_view> forms) {
            for (std::string_view f : forms)
                w.emplace(f, Word{kind, v, Form::Singular, agree});
        };
        // The units (3–10 take the reverse gender: "ثلاثة" counts a masculine noun).
        const std::string_view male[] = {"واحد", "إثنان", "ثلاثة", "أربعة", "خمسة", "ستة", "سبعة", "ثمانية", "تسعة"};
        const std::string_view female[] = {"واحدة", "إثنتان", "ثلاث", "أربع", "خمس", "ست", "سبع", "ثمان", "تسع"};
        for (int v = 1; v <= 9; ++v) {
            add(Kind::Unit, v, Male, {male[v - 1]});
            add(Kind::Unit, v, Female, {female[v - 1]});
        }
        add(Kind::Unit, 2, Male, {"اثنان"});
        add(Kind::Unit, 2, Female, {"اثنتان"});
        add(Kind::Unit, 8, Female, {"ثماني"});
        // Only before "عشر"/"عشرة": eleven and twelve.
        add(Kind::TeenUnit, 1, Male, {"أحد"});
        add(Kind::TeenUnit, 1, Female, {"إحدى"});
        add(Kind::TeenUnit, 2, Male, {"اثنا", "إثنا"});
        add(Kind::TeenUnit, 2, Female, {"اثنتا", "إثنتا"});
        add(Kind::Ten, 10, Male, {"عشرة"}); // in a teen, the other way round
        add(Kind::Ten, 10, Female, {"عشر"});
        const std::pair<std::string_view, std::int64_t> tens[] = {{"عشرون", 20},  {"ثلاثون", 30}, {"أربعون", 40},
                                                                  {"خمسون", 50},  {"ستون", 60},   {"سبعون", 70},
                                                                  {"ثمانون", 80}, {"تسعون", 90}};
        for (const auto &[f, v] : tens)
            add(Kind::Tens, v, Any, {f});
        const std::pair<std::string_view, std::int64_t> hundreds[] = {
            {"مائة", 100},     {"مئة", 100},      {"ثلاثمائة", 300}, {"ثلاثمئة", 300}, {"أربعمائة", 400},
            {"أربعمئة", 400},  {"خمسمائة", 500},  {"خمسمئة", 500},   {"ستمائة", 600},  {"ستمئة", 600},
            {"سبعمائة", 700},  {"سبعمئة", 700},   {"ثمانمائة", 800}, {"ثمانمئة", 800}, {"ثمانيمائة", 800},
            {"تسعمائة", 900},  {"تسعمئة", 900}};
        for (const auto &[f, v] : hundreds)
            add(Kind::Hundreds, v, Any, {f});
        const auto form = [&](Kind kind, std::int64_t v, Form form, std::initializer_list<std::string_view> forms) {
            for (std::string_view f : forms)
                w.emplace(f, Word{kind, v, form});
        };
        form(Kind::Hundreds, 200, Form::Dual, {"مائتان", "مئتان"});
        form(Kind::Hundreds, 200, Form::Construct, {"مائتا", "مئتا"});
        const std::pair<std::int64_t, std::array<std::string_view, 5>> scales[] = {
            {1000, {"ألف", "ألفاً", "ألفان", "ألفا", "آلاف"}},
            {1000000, {"مليون", "مليوناً", "مليونان", "مليونا", "ملايين"}},
            {1000000000, {"مليار", "ملياراً", "ملياران", "مليارا", "مليارات"}}};
        for (const auto &[v, forms] : scales)
            for (int f = 0; f < 5; ++f)
                form(Kind::Scale, v, Form(f), {forms[std::size_t(f)]});
        w.emplace("و", Word{Kind::And});
        return w;
    }();
    return words;
}

/// The form a noun takes after a count of `n` (of which its last two digits
/// decide): its singular after hundreds and round thousands, its plural
/// after 3–10, its accusative after 11–99; 1 and 2 are the noun itself.
inline Form FormAfter(std::int64_t n)
{
    const std::int64_t last = n % 100;
    return last == 0 ? Form::Singular : last >= 3 && last <= 10 ? Form::Plural : Form::Accusative;
}

/// The value of a run of number words (a whole part or a sub-unit part)
/// counting a noun of the given gender, followed by that noun or by "و"
/// (`andFollows`), read by the grammar above; nothing when it does not read
/// as one number.
inline std::optional<std::int64_t> NumberValue(const std::vector<std::string_view> &tokens, bool male,
                                               bool andFollows = false)
{
    std::int64_t total = 0;
    std::int64_t group = 0;         // the number below a thousand being read
    std::int64_t below = INT64_MAX; // every part must be smaller than the one before
    bool counted = false;           // the last word was a number (no "و" since)
    std::vector<Agree> genders;     // of the units of the group being read
    const auto agrees = [&genders](bool male) {
        for (Agree a : genders)
            if (a != (male ? Male : Female))
                return false;
        genders.clear();
        return true;
    };
    std::optional<Word> last;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const auto found = Words().find(tokens[i]);
        if (found == Words().end())
            return std::nullopt;
        const Word &w = found->second;
        const bool ends = i + 1 == tokens.size() && !andFollows; // the noun follows
        const std::string_view next = i + 1 < tokens.size() ? tokens[i + 1] : andFollows ? "و" : "";
        // "أحد" and "اثنا" only before their ten; after a scale word, "و".
        if (last && last->kind == Kind::TeenUnit && w.kind != Kind::Ten)
            return std::nullopt;
        if (last && last->kind == Kind::Scale && w.kind != Kind::And)
            return std::nullopt;
        switch (w.kind) {
        case Kind::And:
            if (!counted && !(last && last->kind == Kind::Scale))
                return std::nullopt; // "و" joins two parts
            counted = false;
            break;
        case Kind::TeenUnit:
        case Kind::Unit:
        case Kind::Tens:
            if (counted)
                return std::nullopt; // two numbers without "و"
            group += w.value;
            counted = true;
            if (w.agree != Any)
                genders.push_back(w.agree);
            break;
        case Kind::Ten:
            // A teen after its unit (its ten in the other gender), or ten itself.
            if (counted && last && (last->kind == Kind::Unit || last->kind == Kind::TeenUnit) && last->value < 10)
                genders.push_back(w.agree == Male ? Female : Male);
            else if (!counted)
                genders.push_back(w.agree);
            else
                return std::nullopt;
            group += 10;
            counted = true;
            break;
        case Kind::Hundreds:
            // Hundreds open a group; "ثلاث مائة" is three hundred. Two
            // hundred is the construct before what it counts, free before "و".
            if (w.value == 200 && (w.form == Form::Dual) != (next == "و"))
                return std::nullopt;
            if (counted && last && last->kind == Kind::Unit && w.value == 100 && group == last->value)
                genders.clear(), group = last->value * 100;
            else if (!counted && group == 0)
                group = w.value;
            else
                return std::nullopt;
            counted = true;
            break;
        case Kind::Scale: {
            std::int64_t count = 0;
            if (w.form == Form::Dual || w.form == Form::Construct) {
                // A dual takes no count: its construct before the noun, free before "و".
                if (counted || group != 0 || (w.form == Form::Dual) != (next == "و"))
                    return std::nullopt;
                count = 2;
            } else if (counted) {
                count = group; // the number right before it counts it, as a masculine noun
                const bool houseForm = (w.form == Form::Plural && w.value > 1000 && count % 100 == 0)
                    || (w.form == Form::Accusative && w.value > 1000 && (count % 100 > 10 || count % 100 == 1))
                    || (w.form == Form::Accusative && last && last->form == Form::Construct)
                    || (w.form == Form::Singular && w.value == 1000 && count % 100 == 1);
                const Form due = FormAfter(count) == Form::Accusative && ends ? Form::Singular : FormAfter(count);
                if (!agrees(true) || count < 3 || (w.form != due && !houseForm))
                    return std::nullopt;
            } else {
                if (w.form != Form::Singular || group != 0)
                    return std::nullopt; // one of it: its singular
                count = 1;
            }
            // Each part smaller than the one before it: "مائة ألف و ألف".
            if (count == 0 || count * w.value >= below)
                return std::nullopt;
            below = count * w.value;
            total += count * w.value;
            group = 0;
            counted = false;
            break;
        }
        }
        last = w;
    }
    if (group >= below || (!counted && !(last && last->kind == Kind::Scale)) || (last && last->kind == Kind::TeenUnit)
        || !agrees(male))
        return std::nullopt;
    return total + group;
}

/// The words of `sentence`, the "و" written against a word split off.
inline std::vector<std::string_view> Tokens(std::string_view sentence)
{
    static constexpr std::string_view kAnd = "و";
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < sentence.size()) {
        while (i < sentence.size() && sentence[i] == ' ')
            ++i;
        const std::size_t end = std::min(sentence.find(' ', i), sentence.size());
        if (end > i) {
            std::string_view token = sentence.substr(i, end - i);
            if (token.size() > kAnd.size() && token.starts_with(kAnd) && !Words().contains(token)) {
                tokens.push_back(kAnd);
                token.remove_prefix(kAnd.size());
            }
            tokens.push_back(token);
        }
        i = end;
    }
    return tokens;
}

/// The amount of an Arabic sentence of a cheque in sub-units (of `money`,
/// with its PartDigits); nothing when it does not read as an amount.
inline std::optional<std::int64_t> ReadArabicAmount(std::string_view sentence, const MonyType &money)
{
    std::vector<std::string_view> tokens = Tokens(sentence);
    std::int64_t scale = 1;
    for (int i = 0; i < money.PartDigits; ++i)
        scale *= 10;
    bool negative = false;
    std::size_t at = 0;
    if (at < tokens.size() && tokens[at] == "سالب") {
        negative = true;
        ++at;
    }
    if (tokens.size() - at == 2 && tokens[at] == "لا" && tokens[at + 1] == "شيء")
        return 0;
    if (at == tokens.size() || tokens[at] != "فقط")
        return std::nullopt;
    ++at;
    // The closing words end the amount.
    if (tokens.size() >= at + 2 && tokens[tokens.size() - 2] == "لا" && tokens.back() == "غير")
        tokens.resize(tokens.size() - 2);
    else if (!tokens.empty() && tokens.back() == "لاغير")
        tokens.pop_back();
    const std::string am = money.AMoneyName.str(), ap = money.APartName.str();
    // A noun's form (its accusative as its gender writes it).
    const auto nounOf = [&](std::string_view t, const std::string &name, const std::string &dual,
                            const std::string &plural, bool male) -> std::optional<Form> {
        if (t == name)
            return Form::Singular;
        if (t == plural)
            return Form::Plural;
        if (t == name + (male ? "اً" : "ً"))
            return Form::Accusative;
        if (t == dual)
            return Form::Dual;
        return std::nullopt;
    };
    std::int64_t whole = 0, part = 0;
    bool sawWhole = false, sawPart = false;
    std::vector<std::string_view> run;
    for (; at < tokens.size(); ++at) {
        const std::string_view t = tokens[at];
        const bool closing = t == "لا" || t == "غير" || t == "لاغير" || t == "فقط";
        if (closing)
            return std::nullopt; // closing words in the middle of the amount
        const auto money2 = nounOf(t, am, money.Money2Name.str(), money.Money3Name.str(), money.MoneyMale);
        const auto part2 = nounOf(t, ap, money.Part2Name.str(), money.Part3Name.str(), money.PartMale);
        if (!money2 && !part2) {
            run.push_back(t);
            continue;
        }
        // A noun ends a number: the whole part, or the sub-units.
        const bool isWhole = money2 && !sawWhole && !sawPart;
        const Form form = *(isWhole ? money2 : part2);
        const bool male = isWhole ? money.MoneyMale : money.PartMale;
        // How many the noun itself counts: two for the dual, one with "واحد" after it.
        std::int64_t value = form == Form::Dual ? 2 : 0;
        if (at + 1 < tokens.size() && tokens[at + 1] == (male ? "واحد" : "واحدة")) {
            if (form != Form::Singular)
                return std::nullopt;
            value = 1;
            ++at;
        }
        const std::int64_t own = value;
        if (!run.empty()) {
            // "ألف و درهمان": the noun that counts itself is the last group.
            const bool joined = run.back() == "و" && value != 0;
            if (joined)
                run.pop_back();
            else if (value != 0)
                return std::nullopt;
            const auto read = NumberValue(run, male, joined);
            if (!read)
                return std::nullopt;
            value += *read;
        }
        // The noun's form after its number ("واحد فلساً" the program's own).
        const std::int64_t last = value % 100;
        if (last == 1 ? !((own == 1 && form == Form::Singular) || (own == 0 && form == Form::Accusative))
                      : last == 2 ? form != Form::Dual : form != FormAfter(value))
            return std::nullopt;
        if (isWhole) {
            whole = value;
            sawWhole = true;
        } else if (!sawPart) {
            part = value;
            sawPart = true;
        } else {
            return std::nullopt;
        }
        run.clear();
        // What follows the whole part: "و" and the sub-units.
        if (isWhole && at + 1 < tokens.size()) {
            if (tokens[at + 1] != "و")
                return std::nullopt;
            ++at;
        }
    }
    if (!run.empty() || (!sawWhole && !sawPart) || part >= scale)
        return std::nullopt;
    const std::int64_t amount = whole * scale + part;
    return negative ? -amount : amount;
}

} // namespace arabic_reader
