// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/amounttext.h"

#include <string_view>

#include "words/DgToStU.h"

namespace {

void MoveClosingWord(std::string &text, std::string_view word)
{
    if (text.compare(0, word.size(), word) != 0)
        return;
    text.erase(0, word.size());
    text += ' ';
    text += word; // the word with its blank: " Only " / " فقط "
}

} // namespace

void MarkAmountText(std::string &english, std::string &arabic, bool onlyFirst)
{
    ReplaceAll(arabic, "//", "");
    ReplaceAll(english, "//", "");
    if (!onlyFirst) {
        MoveClosingWord(english, "Only ");
        MoveClosingWord(arabic, "فقط ");
    }
    english = "// " + english + " //";
    arabic = "// " + arabic + " //";
}
