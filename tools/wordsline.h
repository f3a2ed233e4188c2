// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One output line of cheque-words: the amount's English words, a TAB, its
// Arabic words, or "error", a TAB and why; nothing in it splits the line.

#include <string>

#include <QLocale>

#include "words/DgToStU.h"

/// `text` with control characters (a TAB or a line break would split the
/// line), a backslash and bytes that are not UTF-8 written as escapes
/// ("\\x0a", "\\\\"), so that every input gives exactly one line.
std::string Printable(const std::string &text);

/// Appends the line of `amount` to `out`, without its line break. Amounts
/// are read as the program's Print reads them, with the same refusals;
/// `asTyped` gives the words the issue window shows while an amount is
/// typed, and `locale` is the desktop's number format Print reads them in.
/// False when the amount was refused.
bool AppendWordsLine(std::string &out, const std::string &amount, const MonyType &money, bool asTyped,
                     const QLocale &locale);
