#pragma once

// The program's four windows, created in this order and alive until the
// program ends.

#include "NewChequeU.h"
#include "PrintChequeU.h"
#include "chequeU.h"
#include "monyU.h"

struct ChequeProgram
{
    TNewChequeForm NewChequeForm; ///< the main window
    TChequeForm ChequeForm;
    TMoneyForm MoneyForm;
    TPrintChequeForm PrintChequeForm;

    ChequeProgram() { NewChequeForm.setWindows(&ChequeForm, &MoneyForm, &PrintChequeForm); }
};
