// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads an amount in Arabic words back into its value, as someone reading a
// cheque reads it: from the grammar of Arabic numbers, not from the
// converter's tables. Parts stand largest first, each smaller than the one
// before it, joined by "و" (written apart or against the next word); a
// scale word (thousand, million, milliard) counts the number written right
// before it, without "و", or else stands for one (in the singular) or two
// (in the dual) of itself; the plural needs its count. Units come before tens ("ثلاثة
// وعشرون"), a unit before "عشر"/"عشرة" makes a teen, and hundreds are one
// word ("ثلاثمائة") or a unit and "مائة". A group after a smaller one, a
// dual with a count, a word that is not a number: nothing is read. The
// currency's nouns end the whole part (the dual counts two, "واحد" after
// the noun one) and the sub-units; "لا غير" closes the amount and may stand
// only at its very end.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "words/DgToStU.h"

namespace arabic_reader {

enum class Kind { Unit, TeenUnit, Ten, Tens, Hundreds, Scale, And };
enum class Form { Singular, Dual, Plural };

struct Word
{
    Kind kind;
    std::int64_t value = 0; ///< the unit, ten, hundreds; the scale
    Form form = Form::Singular;
};

inline const std::unordered_map<std::string_view, Word> &Words()
{
    static const std::unordered_map<std::string_view, Word> words = [] {
        std::unordered_map<std::string_view, Word> w;
        const auto unit = [&](std::int64_t v, std::initializer_list<std::string_view> forms) {
            for (std::string_view f : forms)
                w.emplace(f, Word{Kind::Unit, v});
        };
        unit(1, {"واحد", "واحدة"});
        unit(2, {"اثنان", "إثنان", "اثنتان", "إثنتان", "اثنين", "اثنتين"});
        unit(3, {"ثلاثة", "ثلاث"});
        unit(4, {"أربعة", "أربع"});
        unit(5, {"خمسة", "خمس"});
        unit(6, {"ستة", "ست"});
        unit(7, {"سبعة", "سبع"});
        unit(8, {"ثمانية", "ثمان", "ثماني"});
        unit(9, {"تسعة", "تسع"});
        // Only before "عشر"/"عشرة": eleven and twelve.
        for (std::string_view f : {"أحد", "إحدى"})
            w.emplace(f, Word{Kind::TeenUnit, 1});
        for (std::string_view f : {"اثنا", "إثنا", "اثنتا", "إثنتا"})
            w.emplace(f, Word{Kind::TeenUnit, 2});
        for (std::string_view f : {"عشر", "عشرة"})
            w.emplace(f, Word{Kind::Ten, 10});
        const std::pair<std::string_view, std::int64_t> tens[] = {{"عشرون", 20},  {"ثلاثون", 30}, {"أربعون", 40},
                                                                  {"خمسون", 50},  {"ستون", 60},   {"سبعون", 70},
                                                                  {"ثمانون", 80}, {"تسعون", 90}};
        for (const auto &[f, v] : tens)
            w.emplace(f, Word{Kind::Tens, v});
        const std::pair<std::string_view, std::int64_t> hundreds[] = {
            {"مائة", 100},    {"مئة", 100},      {"مائتان", 200},  {"مائتا", 200},     {"مئتان", 200},
            {"مئتا", 200},    {"ثلاثمائة", 300}, {"ثلاثمئة", 300}, {"أربعمائة", 400},  {"أربعمئة", 400},
            {"خمسمائة", 500}, {"خمسمئة", 500},   {"ستمائة", 600},  {"ستمئة", 600},     {"سبعمائة", 700},
            {"سبعمئة", 700},  {"ثمانمائة", 800}, {"ثمانمئة", 800}, {"ثمانيمائة", 800}, {"تسعمائة", 900},
            {"تسعمئة", 900}};
        for (const auto &[f, v] : hundreds)
            w.emplace(f, Word{Kind::Hundreds, v});
        const auto scale = [&](std::int64_t v, Form form, std::initializer_list<std::string_view> forms) {
            for (std::string_view f : forms)
                w.emplace(f, Word{Kind::Scale, v, form});
        };
        scale(1000, Form::Singular, {"ألف", "ألفاً"});
        scale(1000, Form::Dual, {"ألفان", "ألفا", "ألفين"});
        scale(1000, Form::Plural, {"آلاف"});
        scale(1000000, Form::Singular, {"مليون", "مليوناً"});
        scale(1000000, Form::Dual, {"مليونان", "مليونا", "مليونين"});
        scale(1000000, Form::Plural, {"ملايين"});
        scale(1000000000, Form::Singular, {"مليار", "ملياراً"});
        scale(1000000000, Form::Dual, {"ملياران", "مليارا", "مليارين"});
        scale(1000000000, Form::Plural, {"مليارات"});
        w.emplace("و", Word{Kind::And});
        return w;
    }();
    return words;
}

/// The value of a run of number words (a whole part or a sub-unit part);
/// nothing when it does not read as one number.
inline std::optional<std::int64_t> NumberValue(const std::vector<std::string_view> &tokens)
{
    std::int64_t total = 0;
    std::int64_t group = 0;         // the number below a thousand being read
    std::int64_t below = INT64_MAX; // every part must be smaller than the one before
    bool counted = false;           // the last word was a number (no "و" since)
    std::optional<Word> last;
    for (std::string_view token : tokens) {
        const auto found = Words().find(token);
        if (found == Words().end())
            return std::nullopt;
        const Word &w = found->second;
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
            if (counted)
                return std::nullopt;
            group += w.value;
            counted = true;
            break;
        case Kind::Unit:
            if (counted)
                return std::nullopt; // two numbers without "و"
            group += w.value;
            counted = true;
            break;
        case Kind::Ten:
            // A teen after its unit, or ten itself.
            if (counted && last && (last->kind == Kind::Unit || last->kind == Kind::TeenUnit) && last->value < 10)
                group += 10;
            else if (!counted)
                group += 10;
            else
                return std::nullopt;
            counted = true;
            break;
        case Kind::Tens:
            if (counted)
                return std::nullopt;
            group += w.value;
            counted = true;
            break;
        case Kind::Hundreds:
            // Hundreds open a group; "ثلاث مائة" is three hundred.
            if (counted && last && last->kind == Kind::Unit && w.value == 100 && group == last->value)
                group = last->value * 100;
            else if (!counted && group == 0)
                group = w.value;
            else
                return std::nullopt;
            counted = true;
            break;
        case Kind::Scale: {
            std::int64_t count = 0;
            if (w.form == Form::Dual) {
                if (counted || group != 0)
                    return std::nullopt; // a dual takes no count, nor a group before it
                count = 2;
            } else if (counted) {
                count = group; // the number right before it counts it
                if (w.form == Form::Plural && count < 3)
                    return std::nullopt;
            } else {
                if (w.form == Form::Plural || group != 0)
                    return std::nullopt; // a group before a larger one
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
    if (group >= below || (!counted && !(last && last->kind == Kind::Scale)) || (last && last->kind == Kind::TeenUnit))
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
    const auto nounOf = [&](std::string_view t, const std::string &name, const std::string &dual,
                            const std::string &plural) -> std::optional<std::int64_t> {
        // How many the noun itself counts: two for the dual, none otherwise.
        if (t == name || t == name + "اً" || t == name + "ً" || t == plural)
            return 0;
        if (t == dual)
            return 2;
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
        const auto money2 = nounOf(t, am, money.Money2Name.str(), money.Money3Name.str());
        const auto part2 = nounOf(t, ap, money.Part2Name.str(), money.Part3Name.str());
        if (!money2 && !part2) {
            run.push_back(t);
            continue;
        }
        // A noun ends a number: the whole part, or the sub-units.
        const bool isWhole = money2 && !sawWhole && !sawPart;
        std::int64_t value = *(isWhole ? money2 : part2);
        // "درهم واحد": the one after its noun.
        if (at + 1 < tokens.size() && (tokens[at + 1] == "واحد" || tokens[at + 1] == "واحدة")) {
            if (value != 0)
                return std::nullopt;
            value = 1;
            ++at;
        }
        if (!run.empty()) {
            // "ألف و درهمان": the noun that counts itself is the last group.
            if (run.back() == "و" && value != 0)
                run.pop_back();
            const auto read = NumberValue(run);
            if (!read)
                return std::nullopt;
            value += *read;
        }
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
