// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's four windows, created in this order and alive until the
// program ends.

#include "currency/currencyrecord.h"
#include "gui/currency/monyU.h"
#include "gui/designer/chequeU.h"
#include "gui/issue/NewChequeU.h"
#include "gui/printer/PrintChequeU.h"

struct ChequeProgram
{
    CurrencyRecord MonyRec;       ///< the current currency, which the currency window edits
    TNewChequeForm NewChequeForm; ///< the main window
    TChequeForm ChequeForm;
    TMoneyForm MoneyForm{MonyRec};
    TPrintChequeForm PrintChequeForm;

    ChequeProgram() { NewChequeForm.setWindows(&ChequeForm, &MoneyForm, &PrintChequeForm, &MonyRec); }
};
