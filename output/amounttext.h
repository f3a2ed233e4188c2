// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

/// The issue window's presentation step for the amount in words: removes
/// every "//" from both texts, moves a leading "Only " / "فقط " to the end
/// unless `onlyFirst` (the designer's "Only First" box) is checked, and wraps
/// each text in "// " and " //".
void MarkAmountText(std::string &english, std::string &arabic, bool onlyFirst);
