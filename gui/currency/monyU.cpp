// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/currency/monyU.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "core/datafile.h"
#include "currency/currencyrecord.h"
#include "currency/moneyfile.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/widgets.h"

namespace {

QLineEdit *Edit(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, width, height);
    RestrictToCp1256(edit, QString::fromLatin1(MoneyFileName));
    return edit;
}

} // namespace

TMoneyForm::TMoneyForm(CurrencyRecord &currency, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
    , MonyRec(currency)
{
    setObjectName(QStringLiteral("MoneyForm"));
    setWindowTitle(tr("Mony Type مواصفات العملة"));
    setFixedSize(454, 265);

    auto *panel1 = new QFrame(this);
    panel1->setFrameShape(QFrame::StyledPanel);
    panel1->setGeometry(3, 17, 346, 122);
    Caption(tr("Mony Name اسم العملة"), panel1, 249, 9);
    Caption(tr("Part Name اسم الجزء"), panel1, 47, 9);
    Caption(QStringLiteral("عربي"), panel1, 303, 27);
    Caption(tr("انجليزي"), panel1, 303, 46);
    Caption(tr("Arabic"), panel1, 10, 30);
    Caption(tr("English"), panel1, 5, 48);
    AMoneyNameEd = Edit(panel1, "AMoneyNameEd", 246, 28, 52, 22);
    EMoneyNameEd = Edit(panel1, "EMoneyNameEd", 246, 50, 52, 22);
    APartNameEd = Edit(panel1, "APartNameEd", 44, 28, 53, 22);
    EPartNameEd = Edit(panel1, "EPartNameEd", 44, 50, 53, 22);
    PartsRB = new RadioGroup(tr("Divided to"), {QStringLiteral("100"), QStringLiteral("1000")}, 2, panel1);
    PartsRB->setObjectName(QStringLiteral("PartsRB"));
    PartsRB->setGeometry(103, 28, 122, 36);
    PartsRB->setItemIndex(0);
    Caption(tr("Money Short Name"), panel1, 62, 98);
    MoneySNameEd = Edit(panel1, "MoneySNameEd", 169, 97, 53, 22);

    auto *forms = new QWidget(this);
    forms->setGeometry(2, 144, 352, 70);
    Caption(QStringLiteral("المثنى"), forms, 310, 3);
    Caption(QStringLiteral("الجمع"), forms, 312, 28);
    Money2NameEd = Edit(forms, "Money2NameEd", 247, 1, 52, 22);
    Money3NameEd = Edit(forms, "Money3NameEd", 247, 27, 52, 22);
    Part2NameEd = Edit(forms, "Part2NameEd", 46, 2, 53, 22);
    part3NameEd = Edit(forms, "part3NameEd", 46, 28, 53, 22);
    MoneyMaleChk = new QCheckBox(QStringLiteral("العملة مذكر"), forms);
    MoneyMaleChk->setObjectName(QStringLiteral("MoneyMaleChk"));
    MoneyMaleChk->setGeometry(241, 50, 80, 19);
    MoneyMaleChk->setLayoutDirection(Qt::RightToLeft); // the box right of the caption
    MoneyMaleChk->setChecked(true);
    PartMaleChk = new QCheckBox(QStringLiteral("أجزاء العملة مذكر"), forms);
    PartMaleChk->setObjectName(QStringLiteral("PartMaleChk"));
    PartMaleChk->setGeometry(4, 50, 108, 19);
    PartMaleChk->setLayoutDirection(Qt::RightToLeft);
    PartMaleChk->setChecked(true);

    // Placeholder texts until the start-up fills the controls.
    for (QLineEdit *edit : {AMoneyNameEd, EMoneyNameEd, APartNameEd, EPartNameEd, MoneySNameEd, Money2NameEd,
                            Money3NameEd, Part2NameEd, part3NameEd})
        edit->setText(edit == MoneySNameEd ? QStringLiteral("Short") : tr("Name"));

    CountryRB = new RadioGroup(tr(" Country"), {tr("Chose"), tr("SYR"), tr("UAE ")}, 1, this);
    CountryRB->setObjectName(QStringLiteral("CountryRB"));
    CountryRB->setGeometry(359, 17, 84, 127);
    CountryRB->setItemIndex(2);
    connect(CountryRB, &RadioGroup::clicked, this, [this] { CountryRBClick(); });

    MonyOkBtn = new QPushButton(tr("OK"), this);
    MonyOkBtn->setObjectName(QStringLiteral("MonyOkBtn"));
    MonyOkBtn->setGeometry(267, 225, 87, 27);
    MonyOkBtn->setDefault(true);
    BitBtn2 = new QPushButton(tr("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(60, 225, 105, 27);
    connect(MonyOkBtn, &QPushButton::clicked, this, [this] { MonyOkBtnClick(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, [this] { BitBtn2Click(); });
    // The window's font is taken when it is first shown: the start-up fills
    // and reads its boxes without loading a font of its own.
    OnFirstShow(this, [this] {
        setFont(PixelFont(QStringLiteral("Arial"), 11));
        FitCaptions(this);
    });
}

QString TMoneyForm::moneyPath() const { return m_dataDir + QString::fromLatin1(MoneyFileName); }

void TMoneyForm::EdToMoney()
{
    MonyType money;
    money.AMoneyName = ToStd(AMoneyNameEd->text());
    money.EMoneyName = ToStd(EMoneyNameEd->text());
    money.APartName = ToStd(APartNameEd->text());
    money.EPartName = ToStd(EPartNameEd->text());
    money.Money2Name = ToStd(Money2NameEd->text());
    money.Part2Name = ToStd(Part2NameEd->text());
    money.Money3Name = ToStd(Money3NameEd->text());
    money.Part3Name = ToStd(part3NameEd->text());
    money.MoneySName = ToStd(MoneySNameEd->text());
    money.PartDigits = PartsRB->itemIndex() == 0 ? 2 : 3;
    money.MoneyMale = MoneyMaleChk->isChecked();
    money.PartMale = PartMaleChk->isChecked();
    MonyRec.setValue(money);
}

void TMoneyForm::MoneyToEd() { ShowMoney(MonyRec.value()); }

void TMoneyForm::ShowMoney(const MonyType &money)
{
    AMoneyNameEd->setText(FromStd(money.AMoneyName));
    EMoneyNameEd->setText(FromStd(money.EMoneyName));
    APartNameEd->setText(FromStd(money.APartName));
    EPartNameEd->setText(FromStd(money.EPartName));
    Money2NameEd->setText(FromStd(money.Money2Name));
    Part2NameEd->setText(FromStd(money.Part2Name));
    Money3NameEd->setText(FromStd(money.Money3Name));
    part3NameEd->setText(FromStd(money.Part3Name));
    MoneySNameEd->setText(FromStd(money.MoneySName));
    PartsRB->setItemIndex(money.PartDigits == 2 ? 0 : 1);
    MoneyMaleChk->setChecked(money.MoneyMale);
    PartMaleChk->setChecked(money.PartMale);
}

void TMoneyForm::SaveOpt()
{
    OptMemo = MoneyToLines(MonyRec.value());
    WriteDataFile(moneyPath(), OptMemo);
}

bool TMoneyForm::LoadOpt()
{
    const std::optional<MoneyRead> read = ReadMoneyAtStart(moneyPath());
    return read && takeMoney(*read);
}

bool TMoneyForm::takeMoney(const MoneyRead &read)
{
    const QString path = moneyPath();
    OptMemo = read.lines;
    if (read.damage)
        dialogs().showMessage(this, tr("Error"), KeepDamagedMoneyFile(path, read));
    MonyRec.setValue(read.money);
    MoneyToEd();
    return read.damage.has_value();
}

void TMoneyForm::setCountry(int item) { CountryRB->setItemIndex(item); }

std::optional<QString> TMoneyForm::StartUp(const QString &dataDir)
{
    setDataDir(dataDir);
    const MoneyStart start = StartWithMoneyFile(moneyPath());
    const std::optional<MoneyRead> &read = start.read;
    const std::optional<QString> &problem = start.unreadable;
    // A money.txt (readable or not) is taken as it stands; without one, the
    // UAE preset.
    setCountry(read || problem ? 0 : 2);
    // The window's own steps, without putting it on screen for an instant:
    // closing it still writes money.txt.
    CountryRBClick();
    const bool damaged = read && takeMoney(*read);
    if (problem) {
        setCountry(2);
        CountryRBClick();
        keepFileUntilOk();
        EdToMoney(); // the file stays as it is
    } else {
        MonyOkBtnClick(); // writes money.txt; a failure was reported there
    }
    if (damaged)
        show(); // for the user to check what could be read
    return problem;
}

void TMoneyForm::CountryRBClick()
{
    // The presets are the built-in currencies; "Chose" has none.
    const int item = CountryRB->itemIndex();
    if (item == 1)
        ShowMoney(SyrMoney());
    else if (item == 2)
        ShowMoney(UaeMoney());
}

void TMoneyForm::MonyOkBtnClick()
{
    EdToMoney();
    m_okPressed = true;
    close();
    m_okPressed = false;
}

void TMoneyForm::BitBtn2Click()
{
    MoneyToEd();
    close();
}

void TMoneyForm::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the button that has the focus, as in any dialog; it is
    // OK, the default button, only while the focus is in an edit box.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QWidget *focus = focusWidget();
        if (auto *button = qobject_cast<QPushButton *>(focus))
            button->click();
        else if (qobject_cast<QLineEdit *>(focus))
            MonyOkBtnClick();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TMoneyForm::closeEvent(QCloseEvent *event)
{
    if (m_keepFile && !m_okPressed) {
        event->accept(); // the unreadable file stays until the user chooses a currency
        return;
    }
    try {
        SaveOpt();
        m_keepFile = false;
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, tr("Error"), QString::fromStdString(error.what()));
        event->ignore(); // stays open: the user can fix the cause and close again
        return;
    }
    event->accept();
}
