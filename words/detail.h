// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The amount in words' own parts, shared by its files and hidden from the
// rest of the program.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "words/DgToStU.h"

namespace words::detail {

/// True for a non-empty text of the digits 0 to 9 only.
bool IsDigits(std::string_view text);

/// True when every character is "0" (also for the empty text).
bool AllZeros(std::string_view text);

/// Where `needle` occurs in `text` from `from` on; npos when it does not.
/// (memmem, not find: every Arabic letter starts with one of two bytes,
/// which defeats a search that looks for the first byte first.)
std::size_t Find(std::string_view text, std::string_view needle, std::size_t from = 0);

/// The value of a text of at most nine digits.
std::int32_t SmallValue(std::string_view digits);

/// Appends `text` to a sentence without ever making a run of blanks: a
/// blank after a blank is left out. A sentence built only so reads as
/// CollapseSpaces would leave it.
void AppendCollapsed(std::string &sentence, std::string_view text);

/// AppendCollapsed for a piece of the program's own that holds no run of
/// blanks (a number word, a joining text): only its first blank may go.
inline void AppendPiece(std::string &sentence, std::string_view piece)
{
    if (!piece.empty() && piece.front() == ' ' && !sentence.empty() && sentence.back() == ' ')
        piece.remove_prefix(1);
    sentence += piece;
}

/// Up to 32 fixed texts looked for in one pass over a text (an Aho-Corasick
/// automaton over the bytes, built once). An empty text is never reported.
class TextSet
{
public:
    explicit TextSet(const std::vector<std::string_view> &texts);

    /// Bit i set when text i occurs in `in`.
    std::uint32_t occurring(std::string_view in) const;
    /// The length of the longest text.
    std::size_t longest() const { return m_longest; }

private:
    template <std::size_t Lanes>
    std::uint32_t occurringIn(std::string_view in) const;

    std::array<std::uint8_t, 256> m_class{}; ///< bytes that no text holds share class 0
    std::size_t m_classes = 1;
    std::vector<std::uint32_t> m_next; ///< (state's row + class) → next state's row
    std::vector<std::uint32_t> m_ends; ///< the texts that end at a state
    std::size_t m_firstEnd = 0;        ///< the row of the first state where a text ends
    std::size_t m_longest = 0;
};

/// An ordered list of replacements, applied as ReplaceAll applies them one
/// after the other: a row is applied only when its search text occurs, which
/// one pass over the text tells for every row, and the text is looked at
/// again after every replacement made.
class ReplacementList
{
public:
    explicit ReplacementList(std::vector<std::pair<std::string_view, std::string_view>> rows);

    /// Applies the rows to `text` from position `from` on, `present` being
    /// the rows whose search text occurs there (occurring() tells). Returns
    /// the rows whose search text occurs afterwards.
    std::uint32_t apply(std::string &text, std::size_t from, std::uint32_t present) const;
    void apply(std::string &text) const { apply(text, 0, occurring(text)); }

    /// The rows whose search text occurs in `text`, as bits.
    std::uint32_t occurring(std::string_view text) const { return m_searches.occurring(text); }
    /// The length of the longest search text.
    std::size_t longest() const { return m_searches.longest(); }

private:
    std::vector<std::pair<std::string_view, std::string_view>> m_rows;
    TextSet m_searches;
};

/// Which form of a noun a number asks for, before a currency's names are put
/// in: the accusative singular, the plural or the singular; `Unchanged` when
/// no rule has chosen one.
enum class NounForm : std::uint8_t { Unchanged, Accusative, Plural, Singular };

/// The noun-form rule applied at the end of every Arabic conversion of v.
NounForm NounFormRule(std::int32_t v, NounForm current);

/// NumToEnglish appended to a sentence (as AppendPiece).
void AppendEnglish(std::string &sentence, std::string_view digits);

/// NumToArabic's words appended to a sentence (as AppendPiece): its cleanup
/// sees its own words only. Returns the noun form the number asks for.
NounForm AppendArabic(std::string &sentence, std::string_view digits, bool masculine);

/// A currency's name (or its sub-unit's) in a noun form; empty for `Unchanged`.
std::string NounName(NounForm form, const MonyType &currency, bool part);

} // namespace words::detail
