#pragma once

// The program's four windows, created in this order and alive until the
// program ends.

#include "app/NewChequeU.h"
#include "output/PrintChequeU.h"
#include "layout/chequeU.h"
#include "currency/monyU.h"

struct ChequeProgram
{
    TNewChequeForm NewChequeForm; ///< the main window
    TChequeForm ChequeForm;
    TMoneyForm MoneyForm;
    TPrintChequeForm PrintChequeForm;

    ChequeProgram() { NewChequeForm.setWindows(&ChequeForm, &MoneyForm, &PrintChequeForm); }
};
