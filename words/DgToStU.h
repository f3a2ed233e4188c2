// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Amount in words: the currency description, the two text operations, the
// English and Arabic number words and the amount text driver.
//
// Texts are UTF-8. Every character the program uses is one byte of the
// Windows-1256 code page on disk, so lengths here are counted in characters
// (code points), never in bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/chequeerror.h"

/// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view text);

/// The first `count` characters of a UTF-8 text.
std::string Utf8Left(std::string_view text, std::size_t count);

/// A currency or sub-unit name: at most 9 characters. Anything longer that is
/// stored into it keeps its first 9 characters.
class ShortName
{
public:
    static constexpr std::size_t MaxChars = 9;

    ShortName() = default;
    ShortName(std::string_view text) : m_text(Utf8Left(text, MaxChars)) {}    // NOLINT: implicit by design
    ShortName(const char *text) : ShortName(std::string_view(text)) {}        // NOLINT
    ShortName(const std::string &text) : ShortName(std::string_view(text)) {} // NOLINT

    const std::string &str() const { return m_text; }
    operator const std::string &() const { return m_text; } // NOLINT
    bool empty() const { return m_text.empty(); }

    friend bool operator==(const ShortName &, const ShortName &) = default;

private:
    std::string m_text;
};

/// The currency description; passed by value to every conversion.
struct MonyType
{
    ShortName AMoneyName;        ///< Arabic currency noun, singular
    ShortName EMoneyName;        ///< English currency name
    ShortName APartName;         ///< Arabic sub-unit noun, singular
    ShortName EPartName;         ///< English sub-unit name
    ShortName Money2Name;        ///< Arabic currency noun, dual
    ShortName Part2Name;         ///< Arabic sub-unit noun, dual
    ShortName Money3Name;        ///< Arabic currency noun, plural
    ShortName Part3Name;         ///< Arabic sub-unit noun, plural
    std::int32_t PartDigits = 0; ///< 2 for 100 sub-units, 3 for 1000
    bool MoneyMale = false;
    bool PartMale = false;
    std::string MoneySName; ///< short symbol, any length; no conversion reads it

    friend bool operator==(const MonyType &, const MonyType &) = default;
};

/// The sub-unit digits a currency is written with: money.txt may hold any
/// whole number, and a cheque's figure and words are always written with
/// the nearest of the two the currency window offers (100 or 1000 parts).
constexpr std::int32_t NearestPartDigits(std::int32_t digits) { return digits >= 3 ? 3 : 2; }

/// The UAE dirham and the Syrian pound, as the currency window's presets.
MonyType UaeMoney();
MonyType SyrMoney();

/// Replaces every occurrence of `search` in `text`, left to right, without
/// searching the inserted replacement again. An empty search never matches.
void ReplaceAll(std::string &text, std::string_view search, std::string_view replacement);

/// Reduces every run of blanks (code 32 only) to one blank; nothing is trimmed.
std::string CollapseSpaces(std::string text);

/// Reads a signed 32-bit decimal integer: an optional sign and decimal digits,
/// nothing else. Raises ChequeError "'%s' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

/// English number words of a digit string (no currency, no "Only", no sign).
/// Raises ChequeError when the string is not a signed 32-bit integer.
std::string NumToEnglish(std::string_view digits);

/// Arabic number words of a digit string, with the forms of the currency's
/// and the sub-unit's names that follow the number.
struct ArabicNumber
{
    std::string words;
    std::string moneyNoun; ///< empty where the number chooses no form
    std::string partNoun;
};

/// Arabic number words of a digit string, agreeing with a masculine or a
/// feminine counted noun, and the noun forms that have to follow the number.
/// Raises ChequeError like NumToEnglish.
ArabicNumber NumToArabic(std::string_view digits, const MonyType &currency, bool Masculine);

/// Turns the amount as typed into the English and the Arabic sentence.
/// Raises ChequeError "'%s' is not a valid floating point value" when the
/// text, once its commas are removed, is not a decimal number; both outputs
/// are then left as they were.
void AmountToWords(std::string_view amount, const MonyType &currency, std::string &english, std::string &arabic);
