// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Layouts for tests of the designer and the program.

#include "layout/chequelayout.h"

// The initial layout with every field moved `by` pixels to the right.
inline ChequeLayout Shifted(int by)
{
    ChequeLayout l = InitialLayout();
    for (ChequeField &f : l.Fields)
        f.Left += by;
    return l;
}
