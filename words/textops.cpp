// SPDX-License-Identifier: GPL-3.0-or-later
// The text operations of the amount in words, the integer reading, the
// currency presets and the search machinery its finishing steps share.

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "words/DgToStU.h"
#include "words/detail.h"

namespace words::detail {

bool IsDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool AllZeros(std::string_view text)
{
    for (char c : text)
        if (c != '0')
            return false;
    return true;
}

std::size_t Find(std::string_view text, std::string_view needle, std::size_t from)
{
    if (from > text.size())
        return std::string_view::npos;
    const void *hit = ::memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
    return hit ? static_cast<std::size_t>(static_cast<const char *>(hit) - text.data()) : std::string_view::npos;
}

std::int32_t SmallValue(std::string_view digits)
{
    std::int32_t v = 0;
    for (char c : digits)
        v = v * 10 + (c - '0');
    return v;
}

void AppendCollapsed(std::string &sentence, std::string_view text)
{
    if (!text.empty() && text.front() == ' ' && !sentence.empty() && sentence.back() == ' ')
        text.remove_prefix(1);
    if (text.find("  ") == std::string_view::npos) {
        sentence += text; // the common case: the pieces of the sentences have single blanks
        return;
    }
    for (char c : text) {
        if (c == ' ' && !sentence.empty() && sentence.back() == ' ')
            continue;
        sentence += c;
    }
}

TextSet::TextSet(const std::vector<std::string_view> &texts)
{
    // The bytes the texts hold, each a class of its own.
    for (std::string_view t : texts)
        for (char c : t)
            if (m_class[static_cast<unsigned char>(c)] == 0)
                m_class[static_cast<unsigned char>(c)] = static_cast<std::uint8_t>(m_classes++);

    // The trie of the texts.
    std::vector<std::vector<std::int32_t>> child(1, std::vector<std::int32_t>(m_classes, -1));
    m_ends.assign(1, 0);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        m_longest = std::max(m_longest, texts[i].size());
        if (texts[i].empty())
            continue; // never reported
        std::size_t state = 0;
        for (char c : texts[i]) {
            const std::uint8_t k = m_class[static_cast<unsigned char>(c)];
            if (child[state][k] < 0) {
                child[state][k] = static_cast<std::int32_t>(child.size());
                child.emplace_back(m_classes, -1);
                m_ends.push_back(0);
            }
            state = static_cast<std::size_t>(child[state][k]);
        }
        m_ends[state] |= std::uint32_t{1} << i;
    }

    // Breadth first: each state's failure link, and the full transition
    // table, so that the scan follows one entry per byte.
    std::vector<std::size_t> next(child.size() * m_classes, 0), fail(child.size(), 0), queue;
    for (std::size_t k = 1; k < m_classes; ++k) {
        if (child[0][k] >= 0) {
            next[k] = static_cast<std::size_t>(child[0][k]);
            queue.push_back(static_cast<std::size_t>(child[0][k]));
        }
    }
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const std::size_t state = queue[q];
        m_ends[state] |= m_ends[fail[state]];
        for (std::size_t k = 0; k < m_classes; ++k) {
            const std::int32_t to = k == 0 ? -1 : child[state][k];
            if (to < 0) {
                next[state * m_classes + k] = next[fail[state] * m_classes + k];
                continue;
            }
            fail[static_cast<std::size_t>(to)] = next[fail[state] * m_classes + k];
            next[state * m_classes + k] = static_cast<std::size_t>(to);
            queue.push_back(static_cast<std::size_t>(to));
        }
    }

    // The states renumbered, those where no text ends first (the start
    // among them), and each kept as the place of its row in the table: the
    // scan then needs neither a multiplication nor a look at the ends for
    // every byte.
    std::vector<std::size_t> order{0}, row(child.size());
    for (std::size_t s = 1; s < child.size(); ++s)
        if (m_ends[s] == 0)
            order.push_back(s);
    m_firstEnd = order.size() * m_classes;
    for (std::size_t s = 1; s < child.size(); ++s)
        if (m_ends[s] != 0)
            order.push_back(s);
    for (std::size_t i = 0; i < order.size(); ++i)
        row[order[i]] = i * m_classes;
    m_next.resize(next.size());
    std::vector<std::uint32_t> ends(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        ends[i] = m_ends[order[i]];
        for (std::size_t k = 0; k < m_classes; ++k)
            m_next[i * m_classes + k] = static_cast<std::uint32_t>(row[next[order[i] * m_classes + k]]);
    }
    m_ends = std::move(ends);
}

template <std::size_t Lanes>
std::uint32_t TextSet::occurringIn(std::string_view in) const
{
    std::uint32_t found = 0;
    const auto step = [&](std::uint32_t &at, char c) {
        at = m_next[at + m_class[static_cast<unsigned char>(c)]];
        if (at >= m_firstEnd) [[unlikely]]
            found |= m_ends[at / m_classes];
    };
    // The text is read in `Lanes` parts side by side, each step waiting on
    // the one before it in its own part only. A part starts as many bytes
    // before its place as a search text can reach back across it, less one,
    // and runs as long as the others; the last reads on to the end.
    const std::size_t reach = Lanes > 1 ? m_longest - 1 : 0, part = in.size() / Lanes, steps = part + reach;
    std::array<std::uint32_t, Lanes> at{}; // each part's state, as the row of it
    std::array<const char *, Lanes> from{};
    from[0] = in.data();
    for (std::size_t k = 1; k < Lanes; ++k)
        from[k] = in.data() + k * part - reach;
    for (std::size_t i = 0; i < steps; ++i)
        for (std::size_t k = 0; k < Lanes; ++k)
            step(at[k], from[k][i]);
    for (std::size_t i = Lanes * part; i < in.size(); ++i)
        step(at[Lanes - 1], in[i]);
    return found;
}

std::uint32_t TextSet::occurring(std::string_view in) const
{
    // Parts no shorter than the longest search text, so that each reaches
    // back within the text; a short text is read in one.
    if (m_longest == 0)
        return 0;
    if (in.size() >= 4 * m_longest)
        return occurringIn<4>(in);
    if (in.size() >= 2 * m_longest)
        return occurringIn<2>(in);
    return occurringIn<1>(in);
}

namespace {

std::vector<std::string_view> Searches(const std::vector<std::pair<std::string_view, std::string_view>> &rows)
{
    std::vector<std::string_view> searches;
    for (const auto &row : rows)
        searches.push_back(row.first);
    return searches;
}

} // namespace

ReplacementList::ReplacementList(std::vector<std::pair<std::string_view, std::string_view>> rows)
    : m_rows(std::move(rows))
    , m_searches(Searches(m_rows))
{}

std::uint32_t ReplacementList::apply(std::string &text, std::size_t from, std::uint32_t present) const
{
    auto tail = [&] { return std::string_view(text).substr(from); };
    for (std::size_t i = 0; present != 0 && i < m_rows.size(); ++i) {
        if ((present & (std::uint32_t{1} << i)) == 0)
            continue;
        if (from == 0) {
            ReplaceAll(text, m_rows[i].first, m_rows[i].second);
        } else {
            std::string part(tail());
            ReplaceAll(part, m_rows[i].first, m_rows[i].second);
            text.replace(from, std::string::npos, part);
        }
        present = m_searches.occurring(tail());
    }
    return present;
}

NounForm NounFormRule(std::int32_t v, NounForm current)
{
    if (v == 1 || v == 2 || (v >= 11 && v <= 20) || (v >= 30 && v <= 90 && v % 10 == 0))
        current = NounForm::Accusative;
    else if (v >= 3 && v <= 10)
        current = NounForm::Plural;
    else if (v == 100 || v == 1000 || v == 1000000 || v == 1000000000)
        current = NounForm::Singular;
    if (v % 100 == 0)
        current = NounForm::Singular;
    return current;
}

} // namespace words::detail

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

MonyType UaeMoney() { return {"درهم", "Dhs", "فلس", "Fils", "درهمان", "فلسان", "دراهم", "فلوس", 2, true, true, "DHs"}; }

MonyType SyrMoney()
{
    return {"ليرة", "S.POUND", "قرش", "QRSH", "ليرتان", "قرشان", "ليرات", "قروش", 2, false, true, "SP"};
}

void ReplaceAll(std::string &text, std::string_view search, std::string_view replacement)
{
    if (search.empty())
        return;
    std::size_t pos = words::detail::Find(text, search);
    if (pos == std::string::npos)
        return;
    std::string result;
    result.reserve(text.size() + replacement.size());
    std::size_t from = 0;
    do {
        result.append(text, from, pos - from);
        result.append(replacement);
        from = pos + search.size();
        pos = words::detail::Find(text, search, from);
    } while (pos != std::string::npos);
    result.append(text, from, std::string::npos);
    text = std::move(result);
}

std::string CollapseSpaces(std::string text)
{
    std::string out;
    out.reserve(text.size());
    words::detail::AppendCollapsed(out, text);
    return out;
}

std::int32_t StrToInt(std::string_view text)
{
    auto fail = [&text]() -> std::int32_t {
        throw ChequeError("'" + std::string(text) + "' is not a valid integer value");
    };
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return fail();
    const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return fail();
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            return fail();
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}
