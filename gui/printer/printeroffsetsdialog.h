// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialog of the printers' offsets: how far each printer puts pages off,
// read from the calibration page, and whether it is applied.

#include <QDialog>

#include "output/printeroffsets.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class TPrintChequeForm;

/// A printer's offset, entered for the printers installed.
class PrinterOffsetsDialog : public QDialog
{
public:
    PrinterOffsetsDialog(TPrintChequeForm &print, const QString &current, QWidget *parent);
    PrinterOffset offset() const;

private:
    void show(const QString &printer);

    TPrintChequeForm &m_print;
    QComboBox *m_printer;
    QDoubleSpinBox *m_right, *m_down;
    QCheckBox *m_apply;
};
