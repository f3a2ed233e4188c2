// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The whole program for window tests: started as the program starts, and
// the issue window filled as a user fills it.

#include <memory>

#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "gui/issue/program.h"
#include "controls.h"
#include "gui/widgets/widgets.h"

/// Starts the program with its executable (and so its data files) in `dir`,
/// its issue window on screen; false when the window never showed.
inline bool StartProgram(std::unique_ptr<ChequeProgram> &program, const QString &dir)
{
    program.reset(); // the one before saves its files first
    program = std::make_unique<ChequeProgram>();
    program->NewChequeForm.setExeName(dir + QStringLiteral("/cheque-printer"));
    program->NewChequeForm.show();
    return QTest::qWaitForWindowExposed(&program->NewChequeForm);
}

/// Types a cheque into the issue window: one cheque, or a monthly run of
/// `count` when it is more than 0.
inline void FillIssueWindow(TNewChequeForm &w, const QString &date, const QString &name, const QString &amount,
                            int count = 0)
{
    Find<QLineEdit>(&w, "DateEd")->setText(date);
    Find<QLineEdit>(&w, "NameED")->setText(name);
    Find<QLineEdit>(&w, "AmountED")->setText(amount);
    Find<RadioGroup>(&w, "ManyRG")->setItemIndex(count > 0 ? 1 : 0);
    if (count > 0)
        Find<QSpinBox>(&w, "CountED")->setValue(count);
}
