// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The message of the program's error an action raises; empty when it
// raises none.

#include <functional>

#include <QString>

#include "core/chequeerror.h"

inline QString ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ChequeError &e) {
        return QString::fromStdString(e.message());
    }
    return {};
}
