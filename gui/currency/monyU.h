// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The currency window: edits the one currency record of the program and
// keeps it in money.txt.

#include <optional>

#include <QStringList>
#include <QWidget>

#include "currency/moneyfile.h"
#include "words/DgToStU.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class CurrencyRecord;
class RadioGroup;

class TMoneyForm : public QWidget
{
    Q_OBJECT

public:
    /// `currency` is the program's current currency (MonyRec), which this
    /// window edits.
    explicit TMoneyForm(CurrencyRecord &currency, QWidget *parent = nullptr);

    /// The directory of the data files, with its trailing separator.
    void setDataDir(const QString &dir) { m_dataDir = dir; }
    QString moneyPath() const;

    void EdToMoney();
    void MoneyToEd();
    /// Writes MonyRec to money.txt; raises ChequeError naming the file.
    void SaveOpt();
    /// Reads money.txt into MonyRec and the controls, when it exists. A
    /// damaged file is kept as money.txt.bak and reported once; what could be
    /// read is kept, and the window is left on screen for the user to check.
    /// Returns true for a damaged file. Raises ChequeError when the file
    /// cannot be read.
    bool LoadOpt();

    /// money.txt could not be read: it is kept as it is until the user sets
    /// the currency and presses OK; Cancel and the close box leave it alone.
    void keepFileUntilOk() { m_keepFile = true; }

    void CountryRBClick();
    void MonyOkBtnClick();
    void BitBtn2Click();

    /// The lines last read from or written to money.txt (OptMemo).
    QStringList lines() const { return OptMemo; }

    /// The currency part of the start-up, on this window (shown for its
    /// length): money.txt is read, or the UAE preset taken when there is
    /// none, and the record is applied and written back. Returns the message
    /// for the user when money.txt exists but cannot be read (the UAE preset
    /// is used then, and the file kept until OK). A damaged file leaves this
    /// window open for the user to check.
    std::optional<QString> StartUp(const QString &dataDir);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    /// Takes what was read of money.txt into MonyRec and the controls; a
    /// damaged file is kept as money.txt.bak and reported. True for damage.
    bool takeMoney(const MoneyRead &read);
    void ShowMoney(const MonyType &money);
    void setCountry(int item);

    // Controls (object names as the controls' names).
    QLineEdit *AMoneyNameEd;
    QLineEdit *EMoneyNameEd;
    QLineEdit *APartNameEd;
    QLineEdit *EPartNameEd;
    RadioGroup *PartsRB;
    QLineEdit *MoneySNameEd;
    QLineEdit *Money2NameEd;
    QLineEdit *Money3NameEd;
    QLineEdit *Part2NameEd;
    QLineEdit *part3NameEd;
    QCheckBox *MoneyMaleChk;
    QCheckBox *PartMaleChk;
    RadioGroup *CountryRB;
    QPushButton *MonyOkBtn;
    QPushButton *BitBtn2;
    QStringList OptMemo;

    CurrencyRecord &MonyRec;
    QString m_dataDir;
    bool m_keepFile = false;
    bool m_okPressed = false;
};
