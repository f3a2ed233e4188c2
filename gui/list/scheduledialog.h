// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The schedule of post-dated cheques the list window makes a list of: the
// payee, the amount, the bank, the first date, how many and how far apart.

#include <QDialog>

#include "batch/schedule.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;

class ScheduleDialog : public QDialog
{
    Q_OBJECT

public:
    /// `banks`: those to choose from; `bank` chosen at first.
    ScheduleDialog(const QStringList &banks, const QString &bank, QWidget *parent = nullptr);
    Schedule schedule() const;
    void setSchedule(const Schedule &schedule);

private:
    QLineEdit *PayeeEd;
    QLineEdit *AmountEd;
    QComboBox *BankCB;
    QDateEdit *FirstDate;
    QSpinBox *CountSB;
    QComboBox *FrequencyCB;
    QCheckBox *AccountChk;
    QLineEdit *MemoEd;
};
