// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's four windows, created in this order and alive until the
// program ends.

#include "app/NewChequeU.h"
#include "currency/currencyrecord.h"
#include "currency/monyU.h"
#include "layout/chequeU.h"
#include "output/PrintChequeU.h"

struct ChequeProgram
{
    CurrencyRecord MonyRec;       ///< the current currency, which the currency window edits
    TNewChequeForm NewChequeForm; ///< the main window
    TChequeForm ChequeForm;
    TMoneyForm MoneyForm{MonyRec};
    TPrintChequeForm PrintChequeForm;

    ChequeProgram() { NewChequeForm.setWindows(&ChequeForm, &MoneyForm, &PrintChequeForm, &MonyRec); }
};
