// SPDX-License-Identifier: GPL-3.0-or-later
// AmountToWords, and a line of cheque-words from end to end, against ICU's
// rule-based spell-out of the same amounts in English and Arabic, measured
// in the same binary.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <unicode/locid.h>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>

#include "tools/wordsline.h"
#include "words/DgToStU.h"

namespace {

// 1 to 10 integer digits, with and without a fraction.
const std::vector<std::string> &Amounts()
{
    static const std::vector<std::string> amounts = [] {
        std::vector<std::string> v;
        const char *integers[] = {"7",      "42",      "305",      "5000",      "12345",
                                  "300000", "1000500", "23456789", "101000000", "2147483647"};
        for (const char *i : integers) {
            v.emplace_back(i);
            v.emplace_back(std::string(i) + ".75");
        }
        return v;
    }();
    return amounts;
}

void BM_AmountToWords(benchmark::State &state)
{
    const MonyType money = state.range(0) == 0 ? UaeMoney() : SyrMoney();
    const auto &amounts = Amounts();
    std::string en, ar;
    std::size_t i = 0;
    for (auto _ : state) {
        AmountToWords(amounts[i], money, en, ar);
        benchmark::DoNotOptimize(en.data());
        benchmark::DoNotOptimize(ar.data());
        i = (i + 1) % amounts.size();
    }
    state.SetLabel(state.range(0) == 0 ? "UAE" : "SYR");
}
BENCHMARK(BM_AmountToWords)->Arg(0)->Arg(1);

// One line of cheque-words from end to end: the amount read as Print reads
// it and checked, its words, the line escaped for output.
void BM_ChequeWordsLine(benchmark::State &state)
{
    const MonyType money = UaeMoney();
    const auto &amounts = Amounts();
    const QLocale locale;
    std::string line;
    std::size_t i = 0;
    for (auto _ : state) {
        line.clear();
        if (!AppendWordsLine(line, amounts[i], money, false, locale))
            state.SkipWithError("an amount was refused");
        benchmark::DoNotOptimize(line.data());
        i = (i + 1) % amounts.size();
    }
}
BENCHMARK(BM_ChequeWordsLine);

void BM_IcuSpellOutEnglishAndArabic(benchmark::State &state)
{
    UErrorCode status = U_ZERO_ERROR;
    auto en = std::make_unique<icu::RuleBasedNumberFormat>(icu::URBNF_SPELLOUT, icu::Locale("en"), status);
    auto ar = std::make_unique<icu::RuleBasedNumberFormat>(icu::URBNF_SPELLOUT, icu::Locale("ar"), status);
    if (U_FAILURE(status)) {
        state.SkipWithError("ICU spell-out not available");
        return;
    }
    std::vector<double> values;
    for (const std::string &a : Amounts())
        values.push_back(std::stod(a));
    std::size_t i = 0;
    std::string enOut, arOut;
    for (auto _ : state) {
        icu::UnicodeString e, a;
        en->format(values[i], e);
        ar->format(values[i], a);
        enOut.clear();
        arOut.clear();
        e.toUTF8String(enOut);
        a.toUTF8String(arOut);
        benchmark::DoNotOptimize(enOut.data());
        benchmark::DoNotOptimize(arOut.data());
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_IcuSpellOutEnglishAndArabic);

} // namespace

BENCHMARK_MAIN();
