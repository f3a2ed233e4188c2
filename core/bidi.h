// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The invisible characters that set the direction of text, named once:
// those a reader of amounts and payees lets pass, and those that change how
// the rest of a line reads.

/// A mark that only sets the direction of the text around it: left-to-right,
/// right-to-left and Arabic letter marks.
constexpr bool IsDirectionMark(char32_t c) { return c == 0x200E || c == 0x200F || c == 0x061C; }

/// A joiner or non-joiner: part of writing Arabic.
constexpr bool IsJoiner(char32_t c) { return c == 0x200C || c == 0x200D; }

/// An embedding, override or isolate, or the pop of one: it changes how the
/// rest of a line reads.
constexpr bool IsDirectionalFormatting(char32_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

#include <QString>

/// `text` without its direction marks: the dates an Arabic desktop writes
/// carry them around their numbers.
inline QString WithoutDirectionMarks(QString text)
{
    text.removeIf([](QChar c) { return IsDirectionMark(c.unicode()); });
    return text;
}
