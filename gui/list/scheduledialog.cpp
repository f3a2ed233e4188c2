// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/list/scheduledialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/widgets/widgets.h"

ScheduleDialog::ScheduleDialog(const QStringList &banks, const QString &bank, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ScheduleDialog"));
    setWindowTitle(tr("Schedule of Cheques"));
    const auto named = [](QWidget *w, const char *name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    PayeeEd = new QLineEdit(this);
    AmountEd = new QLineEdit(this);
    AmountEd->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    BankCB = new QComboBox(this);
    BankCB->addItems(banks);
    BankCB->setCurrentIndex(std::max(0, int(banks.indexOf(bank))));
    FirstDate = new QDateEdit(QDate::currentDate(), this);
    FirstDate->setCalendarPopup(true);
    DateInWritingOrder(FirstDate);
    CountSB = new QSpinBox(this);
    CountSB->setRange(1, MaxScheduleCheques);
    CountSB->setValue(12);
    FrequencyCB = new QComboBox(this);
    FrequencyCB->addItem(tr("Monthly"), int(Frequency::Monthly));
    FrequencyCB->addItem(tr("Quarterly"), int(Frequency::Quarterly));
    FrequencyCB->addItem(tr("Half-yearly"), int(Frequency::HalfYearly));
    FrequencyCB->addItem(tr("Yearly"), int(Frequency::Yearly));
    AccountChk = new QCheckBox(tr("Account payee only"), this);
    MemoEd = new QLineEdit(this);
    auto *form = new QFormLayout;
    form->addRow(tr("Payee:"), named(PayeeEd, "PayeeEd"));
    form->addRow(tr("Amount of each cheque:"), named(AmountEd, "AmountEd"));
    form->addRow(tr("Bank:"), named(BankCB, "BankCB"));
    form->addRow(tr("First date:"), named(FirstDate, "FirstDate"));
    form->addRow(tr("Cheques:"), named(CountSB, "CountSB"));
    form->addRow(tr("Every:"), named(FrequencyCB, "FrequencyCB"));
    form->addRow(QString(), named(AccountChk, "AccountChk"));
    form->addRow(tr("Memo:"), named(MemoEd, "MemoEd"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Make the List"));
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

Schedule ScheduleDialog::schedule() const
{
    Schedule s;
    s.payee = PayeeEd->text();
    s.amount = AmountEd->text();
    s.bank = BankCB->currentText();
    s.first = FirstDate->date();
    s.count = CountSB->value();
    s.frequency = Frequency(FrequencyCB->currentData().toInt());
    s.accountOnly = AccountChk->isChecked();
    s.memo = MemoEd->text();
    return s;
}

void ScheduleDialog::setSchedule(const Schedule &s)
{
    PayeeEd->setText(s.payee);
    AmountEd->setText(s.amount);
    if (const int bank = BankCB->findText(s.bank); bank >= 0)
        BankCB->setCurrentIndex(bank);
    FirstDate->setDate(s.first);
    CountSB->setValue(s.count);
    FrequencyCB->setCurrentIndex(std::max(0, FrequencyCB->findData(int(s.frequency))));
    AccountChk->setChecked(s.accountOnly);
    MemoEd->setText(s.memo);
}
