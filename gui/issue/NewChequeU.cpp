// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/issue/NewChequeU.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/counttext.h"
#include "core/datafile.h"
#include "core/settingsfile.h"
#include "core/settingskeys.h"
#include "core/version.h"
#include "currency/currencyrecord.h"
#include "currency/moneyfile.h"
#include "desk/registeraccess.h"
#include "gui/currency/monyU.h"
#include "gui/designer/chequeU.h"
#include "gui/list/batchwindow.h"
#include "gui/printer/PrintChequeU.h"
#include "gui/register/registermodel.h"
#include "gui/register/registerwindow.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/webpanel.h"
#include "gui/widgets/widgets.h"
#include "layout/bankfiles.h"
#include "output/amounttext.h"
#include "output/chequepage.h"
#include "output/printrun.h"
#include "register/chequeissuer.h"
#include "register/registerreport.h"

const QString ProductPageURL = QStringLiteral("https://cheque-printer.example/product/");

QUrl ProductPage()
{
    const QByteArray override = qgetenv("CHEQUE_PRODUCT_URL");
    return QUrl(override.isEmpty() ? ProductPageURL : QString::fromUtf8(override));
}

namespace {

// What is said of cheques kept for the office's approval.
QString WaitingForApproval(int count)
{
    return CountText("TNewChequeForm",
                     QT_TRANSLATE_NOOP("TNewChequeForm",
                                       "The cheque needs the office's approval: it is recorded as prepared, "
                                       "without a cheque number, and was not printed. Once another person "
                                       "approves it, print it from the register window (Print Approved)."),
                     QT_TRANSLATE_N_NOOP("TNewChequeForm",
                                         "%n cheques need the office's approval: they are recorded as prepared, "
                                         "without cheque numbers, and were not printed. Once another person "
                                         "approves them, print them from the register window (Print Approved)."),
                     count);
}

QString WindowCaption() { return QCoreApplication::translate("TNewChequeForm", "Print Cheque"); }

QLabel *RightCaption(const QString &text, QWidget *parent, int left, int top, int width, int height)
{
    auto *label = PlainLabel(text, parent);
    label->setGeometry(left, top, width, height);
    label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    return label;
}

QLineEdit *Edit(QWidget *parent, int left, int top, int width, int height)
{
    auto *edit = new QLineEdit(parent);
    edit->setGeometry(left, top, width, height);
    return edit;
}

QLabel *Banner(const QString &text, Qt::LayoutDirection direction, QWidget *parent)
{
    auto *label = PlainLabel(text, parent);
    label->setFixedHeight(18);
    label->setAlignment(Qt::AlignCenter);
    label->setLayoutDirection(direction);
    label->setFont(PixelFont(QStringLiteral("Courier New"), 11));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    return label;
}

} // namespace

TNewChequeForm::TNewChequeForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("NewChequeForm"));
    setWindowTitle(WindowCaption());
    setFont(PixelFont(QStringLiteral("Times New Roman"), 16, true));
    resize(443, 370); // 451 x 404 with the window's frame

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    // The menu bar sits above the window's own controls, which keep their
    // places; the window grows by its height.
    buildMenu();
    outer->setMenuBar(MenuBar);
    resize(width(), height() + MenuBar->sizeHint().height());

    auto *panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedHeight(216);
    auto *top = new QVBoxLayout(panel1);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    QFrame *panel2 = buildChequeBoxes(panel1);
    buildWordLines(panel1);
    QFrame *panel3 = buildButtons(panel1);
    top->addWidget(panel2);
    top->addWidget(EAmountLB);
    top->addWidget(AAmountLB);
    top->addWidget(panel3, 1);
    outer->addWidget(panel1);
    buildBanners(outer);

    connect(AmountED, &QLineEdit::textChanged, this, [this] { AmountEDChange(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(ManyRG, &RadioGroup::clicked, this, [this] { ManyRGClick(); });
    connect(BankNameCB, &QComboBox::currentIndexChanged, this, [this] { BankNameCBChange(); });
    connect(BankNameCB, &BankComboBox::closedUp, this, [this] { BankNameCBChange(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { close(); });
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    FitCaptions(this);
    // In Arabic the captions stand right of their boxes.
    MirrorForRightToLeft(panel2, width());
    MirrorForRightToLeft(ManyPanel, ManyPanel->width());
    MirrorForRightToLeft(panel3, width());
}

void TNewChequeForm::buildMenu()
{
    MenuBar = new QMenuBar(this);
    MenuBar->setObjectName(QStringLiteral("MenuBar"));
    QMenu *fileMenu = MenuBar->addMenu(tr("&File"));
    QAction *printList = fileMenu->addAction(tr("Print from a &List…"));
    printList->setObjectName(QStringLiteral("PrintListAction"));
    printList->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    fileMenu->addSeparator();
    QAction *closeAction = fileMenu->addAction(tr("&Close"));
    QMenu *registerMenu = MenuBar->addMenu(tr("&Register"));
    QAction *showRegister = registerMenu->addAction(tr("Cheque &Register…"));
    showRegister->setObjectName(QStringLiteral("RegisterAction"));
    showRegister->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    QAction *connection = registerMenu->addAction(tr("Register &Connection…"));
    connection->setObjectName(QStringLiteral("ConnectionAction"));
    QMenu *languageMenu = MenuBar->addMenu(tr("L&anguage"));
    QAction *english = languageMenu->addAction(QStringLiteral("English"));
    english->setObjectName(QStringLiteral("EnglishAction"));
    QAction *arabic = languageMenu->addAction(QStringLiteral("العربية"));
    arabic->setObjectName(QStringLiteral("ArabicAction"));
    // The language of this session marked.
    for (QAction *language : {english, arabic})
        language->setCheckable(true);
    (QGuiApplication::isRightToLeft() ? arabic : english)->setChecked(true);
    QMenu *helpMenu = MenuBar->addMenu(tr("&Help"));
    QAction *about = helpMenu->addAction(tr("&About Cheque Printer"));
    about->setObjectName(QStringLiteral("AboutAction"));
    connect(english, &QAction::triggered, this, [this] { chooseLanguage(QStringLiteral("en")); });
    connect(arabic, &QAction::triggered, this, [this] { chooseLanguage(QStringLiteral("ar")); });
    connect(about, &QAction::triggered, this, &TNewChequeForm::showAbout);
    connect(showRegister, &QAction::triggered, this, &TNewChequeForm::showRegister);
    connect(printList, &QAction::triggered, this, &TNewChequeForm::showBatch);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    connect(connection, &QAction::triggered, this, &TNewChequeForm::editRegisterConnection);
}

QFrame *TNewChequeForm::buildChequeBoxes(QFrame *panel1)
{
    auto *panel2 = new QFrame(panel1);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFrameShape(QFrame::StyledPanel);
    panel2->setFixedHeight(128);
    // Made in the keyboard's tab order (Date, Name, Amount, Count, One/Many,
    // Account Only, Bank), which is the order the focus chain takes; the
    // radio buttons, not their group box, take the focus.
    RightCaption(tr("Bank"), panel2, 3, 8, 80, 19);
    RightCaption(tr("Date"), panel2, 3, 36, 80, 19);
    DateEd = Edit(panel2, 88, 36, 121, 27);
    DateEd->setObjectName(QStringLiteral("DateEd"));
    // The desktop's short date, by example.
    DateEd->setPlaceholderText(tr("e.g. %1").arg(WriteShortDate(QDate::currentDate())));
    SpeedButton1 = new QToolButton(panel2);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    // "+1M", not "1M+", in an Arabic interface.
    SpeedButton1->setText(QStringLiteral("\u2066+1M\u2069"));

    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setGeometry(217, 36, 38, 22);
    RightCaption(tr("Name"), panel2, 3, 66, 80, 19);
    NameED = Edit(panel2, 88, 66, 185, 27);
    NameED->setObjectName(QStringLiteral("NameED"));
    NameED->setMaxLength(MaxPayeeChars); // no more than a cheque carries
    RightCaption(tr("Amount"), panel2, 3, 95, 80, 19);
    AmountED = Edit(panel2, 88, 95, 121, 27);
    AmountED->setObjectName(QStringLiteral("AmountED"));
    ManyPanel = new QWidget(panel2);
    ManyPanel->setObjectName(QStringLiteral("ManyPanel"));
    ManyPanel->setGeometry(285, 88, 124, 37);
    ManyPanel->hide();
    auto *count = PlainLabel(tr("Count"), ManyPanel);
    count->setGeometry(3, 7, 40, 19);
    count->setProperty("captionGrowsFrom", 40); // towards its box rather than a smaller font
    CountED = new CountBox(ManyPanel);
    CountED->setObjectName(QStringLiteral("CountED"));
    CountED->setRange(1, 250);
    CountED->setValue(1);
    CountED->setGeometry(54, 5, 53, 29);
    ManyRG = new RadioGroup(QString(), {tr("One"), tr("Many")}, 1, panel2);
    ManyRG->setObjectName(QStringLiteral("ManyRG"));
    ManyRG->setGeometry(285, 27, 125, 59);
    ManyRG->setProperty("captionGrowsFrom", 125); // longer captions widen it rather than shrink
    ManyRG->setItemIndex(0);
    AccOnly = new QCheckBox(tr("Account Only"), panel2);
    AccOnly->setObjectName(QStringLiteral("AccOnly"));
    AccOnly->setGeometry(285, 11, 112, 17);
    AccOnly->setProperty("captionGrowsFrom", 112);
    BankNameCB = new BankComboBox(panel2);
    BankNameCB->setObjectName(QStringLiteral("BankNameCB"));
    BankNameCB->setGeometry(88, 6, 121, 27);
    BankNameCB->addItem(QStringLiteral("SIB"));
    return panel2;
}

void TNewChequeForm::buildWordLines(QFrame *panel1)
{
    const QFont wordsFont = PixelFont(QStringLiteral("Arial"), 11, true);
    EAmountLB = PlainLabel(QStringLiteral("----"), panel1);
    EAmountLB->setObjectName(QStringLiteral("EAmountLB"));
    AAmountLB = PlainLabel(QStringLiteral("-----"), panel1);
    AAmountLB->setObjectName(QStringLiteral("AAmountLB"));
    for (QLabel *label : {EAmountLB, AAmountLB}) {
        label->setFixedHeight(26);
        label->setWordWrap(true);
        label->setFont(wordsFont);
    }
    for (QLabel *label : {EAmountLB, AAmountLB})
        label->setContentsMargins(4, 0, 4, 0); // clear of the window's edges
    EAmountLB->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    AAmountLB->setLayoutDirection(Qt::RightToLeft);
    AAmountLB->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
}

QFrame *TNewChequeForm::buildButtons(QFrame *panel1)
{
    auto *panel3 = new QFrame(panel1);
    panel3->setObjectName(QStringLiteral("Panel3"));
    PrintBtn = new QPushButton(ResourceIcon(QStringLiteral("print")), tr("Print"), panel3);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    PrintBtn->setGeometry(48, 2, 85, 25);
    BitBtn2 = new QPushButton(ResourceIcon(QStringLiteral("setup")), tr("Setup"), panel3);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(176, 2, 85, 25);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), tr("Close"), panel3);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(304, 2, 85, 25);
    for (QPushButton *button : {PrintBtn, BitBtn2, BitBtn1})
        button->setProperty("captionGrowsFrom", 85); // a longer caption widens it rather than shrinks
    return panel3;
}

void TNewChequeForm::buildBanners(QVBoxLayout *outer)
{
    Label1 = Banner(QStringLiteral("طابعة الشيكات بالعربية والإنجليزية"), Qt::RightToLeft, this);
    LabelNewl5 = Banner(QStringLiteral("المبلغ كتابةً باللغتين أثناء الكتابة"), Qt::RightToLeft, this);
    LabelNew4 = Banner(tr("Cheque Printer: Arabic and English cheques"), Qt::LeftToRight, this);
    outer->addWidget(Label1);
    outer->addWidget(LabelNewl5);
    outer->addWidget(LabelNew4);
    WebBrowser2 = new WebPanel(QUrl(QStringLiteral("qrc:/product/index.html")), this);
    WebBrowser2->setObjectName(QStringLiteral("WebBrowser2"));
    WebBrowser2->setMinimumHeight(0);
    outer->addWidget(WebBrowser2, 1);
    StatusLB = WrappingLabel(QStringLiteral("StatusLB"), this);
    StatusLB->setFont(QApplication::font()); // the menus' font, loaded already
    StatusLB->setContentsMargins(4, 1, 4, 1);
    outer->addWidget(StatusLB);
}

TNewChequeForm::~TNewChequeForm() = default;

void TNewChequeForm::setWindows(TChequeForm *cheque, TMoneyForm *money, TPrintChequeForm *print,
                                CurrencyRecord *currency)
{
    m_currency = currency;
    m_designer = cheque;
    m_money = money;
    m_print = print;
    connect(&cheque->Book, &BankBook::saving, this, &TNewChequeForm::MirrorBanks);
    connect(cheque, &TChequeForm::layoutRepaired, this, &TNewChequeForm::layoutRepaired);
    connect(cheque, &TChequeForm::layoutSaved, this, [this] { writeBankFiles(false); });
    cheque->setMoneyForm(money);
    cheque->setPrintForm(print);
}

void TNewChequeForm::report(const QString &text) { dialogs().showMessage(this, WindowCaption(), text); }

void TNewChequeForm::AmountEDChange()
{
    std::string english;
    std::string arabic;
    try {
        AmountToWords(ToStd(NormalizedAmountText(AmountED->text())), m_currency->value(), english, arabic);
    } catch (const ChequeError &error) {
        // While the amount is only the start of a number ("-", "."), the
        // words are those of nothing yet: a message now would take the next
        // keys typed.
        if (!IsUnfinishedAmount(AmountED->text())) {
            report(QString::fromStdString(error.message()));
            return;
        }
        english.clear();
        arabic.clear();
    }
    MarkAmountText(english, arabic, m_designer && m_designer->onlyFirst());
    EAmountLB->setText(FromStd(english));
    AAmountLB->setText(FromStd(arabic));
}

void TNewChequeForm::SpeedButton1Click() { DateEd->setText(WriteShortDate(QDate::currentDate().addDays(30))); }

void TNewChequeForm::ManyRGClick()
{
    ManyPanel->setVisible(ManyRG->itemIndex() == 1);
    if (CountED->cleanText().isEmpty()) {
        CountED->setValue(CountED->minimum() + 1); // the box shows its value again
        CountED->setValue(1);
    }
}

void TNewChequeForm::BankNameCBChange()
{
    if (!m_designer)
        return;
    // The designer's unsaved changes are not dropped without a word.
    if (BankNameCB->currentIndex() != m_designer->Book.Selected && !m_designer->settleChanges(this)) {
        const QSignalBlocker block(BankNameCB);
        BankNameCB->setCurrentIndex(m_designer->Book.Selected);
        return;
    }
    m_designer->SelectBank(BankNameCB->currentIndex());
    m_designer->BankNameCBChange();
    rememberBank();
}

void TNewChequeForm::rememberBank()
{
    if (ExeDir.isEmpty() || BankNameCB->currentIndex() < 0 || SettingsProblem(ExeDir))
        return;
    QSettings settings(settingsFile(), QSettings::IniFormat);
    const QString kept = settings.value(SettingsKey::IssueBank).toString();
    // Nothing is written for the first bank while none has been kept.
    if (kept != BankNameCB->currentText() && !(kept.isEmpty() && BankNameCB->currentIndex() == 0))
        settings.setValue(SettingsKey::IssueBank, BankNameCB->currentText());
}

QString TNewChequeForm::status() const { return StatusLB->text(); }

void TNewChequeForm::MirrorBanks() { ShowBankList(BankNameCB, m_designer->Book); }

void TNewChequeForm::BitBtn2Click()
{
    m_designer->show();
    m_designer->raise();
    m_designer->activateWindow();
}

void TNewChequeForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_started && !event->spontaneous()) {
        m_started = true;
        FormShow();
    }
}

void TNewChequeForm::FormShow()
{
    if (ExeName.isEmpty())
        ExeName = QCoreApplication::applicationFilePath();
    ExeDir = m_dataDir.isEmpty() ? QFileInfo(ExeName).absolutePath() : m_dataDir;
    if (!ExeDir.endsWith(u'/'))
        ExeDir += u'/';

    m_files = std::make_unique<BankFiles>(ExeDir);
    if (const auto problem = SettingsProblem(ExeDir))
        report(*problem);
    m_register = std::make_unique<RegisterAccess>(settingsFile(), ExeDir);
    m_designer->setSettingsFile(settingsFile(), ExeDir);
    loadBankFiles();
    AmountED->selectAll();
    DateEd->setFocus();
    if (const auto problem = m_money->StartUp(ExeDir))
        report(*problem);
    {
        // The bank used last, or the first.
        const QSignalBlocker block(BankNameCB);
        const QSettings settings(settingsFile(), QSettings::IniFormat);
        const int last = BankNameCB->findText(settings.value(SettingsKey::IssueBank).toString());
        BankNameCB->setCurrentIndex(last >= 0 ? last : BankNameCB->count() > 0 ? 0 : -1);
    }
    BankNameCBChange();
    m_files->started(m_designer->Book.Banks, m_designer->Book.Options);
    WebBrowser2->Navigate(ProductPage(), WebPanel::NoHistory | WebPanel::NoCacheRead | WebPanel::NoCacheWrite);
}

void TNewChequeForm::loadBankFiles()
{
    BankBook &book = m_designer->Book;
    const BankFiles::Read read = m_files->read();
    for (const QString &problem : read.problems)
        report(problem);
    book.Banks = read.banks;
    book.Selected = -1;
    m_designer->ShowBanks();
    MirrorBanks();
    if (read.options) {
        book.Options = *read.options;
    } else {
        // Every bank takes the layout on screen, the initial one; the last
        // bank ends up selected, as when each is selected and saved in turn.
        book.Options.clear();
        m_designer->SelectBank(int(book.Banks.size()) - 1);
        m_designer->SaveChequeOptionsForEveryBank();
    }
}

void TNewChequeForm::layoutRepaired(int bank, const QString &reason)
{
    const QString kept = m_files ? m_files->keepDamagedOptions().value_or(QString()) : QString();
    report(tr("The layout of the bank \"%1\" in options.txt is damaged: %2\n\nThe bank now has the "
              "layout that was on screen; check it in Setup. options.txt is written with it at close.%3")
               .arg(m_designer->Book.Banks.value(bank), reason, kept.isEmpty() ? kept : u' ' + kept));
}

void TNewChequeForm::closeEvent(QCloseEvent *event)
{
    if (!FormClose()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

bool TNewChequeForm::FormClose()
{
    if (!m_started || !m_files)
        return true;
    // A layout changed in the designer and not saved: asked about first.
    if (!m_designer->settleChanges(this))
        return false;
    writeBankFiles(true);
    return true;
}

bool TNewChequeForm::writeBankFiles(bool closing)
{
    if (!m_files)
        return false;
    const BankBook &book = m_designer->Book;
    switch (m_files->atClose(book.Banks, book.Options)) {
    case BankFiles::Close::Keep: return false; // nothing of this session replaces what could not be read
    case BankFiles::Close::AskBeforeWriting:
        if (!dialogs().askYesNo(this, WindowCaption(), m_files->replaceQuestion()))
            return false;
        break;
    case BankFiles::Close::Write: break;
    }
    for (;;) {
        try {
            m_files->write(book.Banks, book.Options);
            return true;
        } catch (const ChequeError &error) {
            if (!m_files->changed(book.Banks, book.Options))
                return true; // the files hold what this session has: nothing is lost
            if (!closing) {
                report(tr("%1\n\nThe banks and layouts are kept in the "
                          "program; they are written again at the next "
                          "save and at close.")
                           .arg(QString::fromStdString(error.message())));
                return false;
            }
            const QString question = tr("%1\n\nTry again? Choose No to close without saving the banks "
                                        "and layouts; the files keep what they held.")
                                         .arg(QString::fromStdString(error.message()));
            if (!dialogs().askYesNo(this, WindowCaption(), question))
                return false;
        }
    }
}

void TNewChequeForm::PrintBtnClick()
{
    CountED->interpretText(); // a count still being typed counts as it will on leaving the box
    const auto amount = ReadAmountLoosely(AmountED->text());
    const auto date = ReadTypedDate(DateEd->text());
    if (!amount || !date) {
        // "Error", then what is wrong and how to write it.
        QStringList lines{tr("Error")};
        const QString dateText = DateEd->text().trimmed();
        if (!date && dateText.isEmpty())
            lines << tr("There is no date: %1.").arg(DateFormsText());
        else if (!date)
            lines << tr("The date \"%1\" cannot be read: %2.").arg(Shown(dateText), DateFormsText());
        const QString amountText = AmountED->text().trimmed();
        if (!amount && amountText.isEmpty())
            lines << tr("There is no amount.");
        else if (!amount)
            lines << tr("The amount \"%1\" is not a number.").arg(Shown(amountText));
        report(lines.join(QLatin1String("\n\n")));
        return;
    }
    if (const auto refusal = ShortDateRefusal(*date)) {
        report(tr("Error") + QLatin1String("\n\n") + *refusal + u' ' + tr("Date it otherwise: %1.").arg(DateFormsText()));
        return;
    }
    DateEd->setText(WriteShortDate(*date));
    if (ManyRG->itemIndex() == 0)
        PrintOne(DateEd->text(), true);
    else
        PrintMany(DateEd->text(), CountED->value());
    WebBrowser2->Navigate(ProductPage(), WebPanel::NoHistory | WebPanel::NoCacheRead | WebPanel::NoCacheWrite);
}

ChequeOrProblem TNewChequeForm::typedCheque(const QString &dateText) const
{
    return MakeCheque(BankNameCB->currentText(), dateText, NameED->text(), AmountED->text(), AccOnly->isChecked(),
                      m_currency->value(), m_designer->Layout().BAText, m_designer->onlyFirst());
}

ChequeOrProblem TNewChequeForm::typedCheque(QDate day) const
{
    const QLocale locale;
    return MakeCheque(BankNameCB->currentText(), WriteShortDate(day, locale), day, NameED->text(),
                      ReadChequeAmount(AmountED->text(), m_currency->value(), locale), AccOnly->isChecked(),
                      m_currency->value(), m_designer->Layout().BAText, m_designer->onlyFirst(), locale);
}

LayoutOrProblem TNewChequeForm::layoutFor(const QString &bank) const
{
    // The bank the designer shows prints in the layout on screen, as it
    // stands; another bank in its stored one.
    const BankBook &book = m_designer->Book;
    if (book.hasSelection() && book.Banks.at(book.Selected) == bank)
        return {m_designer->Layout(), QString()};
    return BankLayout(bank, book.Banks, book.Options);
}

std::optional<QString> TNewChequeForm::pageRefusal(const Cheque &cheque) const
{
    const LayoutOrProblem layout = layoutFor(cheque.bank);
    if (!layout.layout)
        return layout.problem;
    if (const auto fault = ChequePageFault(cheque, *layout.layout))
        return DescribePageFault(*fault, *layout.layout) + tr(" Nothing was printed.");
    return std::nullopt;
}

bool TNewChequeForm::refusedBeforeDialog()
{
    // The checks beyond "Error in Amount" come before any printer is chosen
    // for a cheque that would be refused. An amount that is not positive is
    // left to the print run's own message.
    const auto value = ReadAmountStrictly(AmountED->text());
    if (!value || *value <= 0)
        return false;
    const ChequeOrProblem made = typedCheque(DateEd->text());
    if (made.cheque) {
        const auto refusal = pageRefusal(*made.cheque);
        if (!refusal)
            return false;
        report(*refusal);
        return true;
    }
    report(made.problem);
    return true;
}

bool TNewChequeForm::PrintOne(const QString &dateText, bool askPrinter)
{
    if (askPrinter && refusedBeforeDialog())
        return false;
    const bool preview = m_designer->preview();
    bool forApproval = false;
    if (askPrinter && !preview) {
        // Asked before the printer is chosen: a cheque like one printed
        // lately is most often the same payment twice.
        const ChequeOrProblem made = typedCheque(dateText);
        if (made.cheque && !duplicateAccepted(*made.cheque))
            return false;
        // A cheque kept for the office's approval needs no printer yet.
        forApproval = made.cheque && waitsForApproval(*made.cheque);
        if (!forApproval && !m_print->PrintSetup(this))
            return false;
    }
    const ChequeOrProblem made = typedCheque(dateText);
    if (!made.cheque) {
        report(made.problem);
        return false;
    }
    const LayoutOrProblem layout = layoutFor(made.cheque->bank);
    if (!layout.layout) {
        report(layout.problem);
        return false;
    }
    // Both word lines show the words the cheque carries, in the payee's language.
    EAmountLB->setText(made.cheque->words());
    AAmountLB->setText(made.cheque->words());
    if (preview) {
        // A preview puts nothing on paper, and is not recorded.
        showPrinted(*made.cheque, *layout.layout);
        m_print->previewPage(ChequePage(*made.cheque, *layout.layout), this);
        return true;
    }
    if (forApproval) {
        prepareForApproval(*made.cheque);
        return false;
    }
    return issueAll({{*made.cheque, *layout.layout}}, this).printed == 1;
}

void TNewChequeForm::prepareForApproval(const Cheque &cheque)
{
    ChequeRegister *reg = registerForPrinting(this);
    if (!reg)
        return;
    // No printer was chosen: should the office's rules have changed in the
    // meantime, the cheque is not printed but failed, to be printed again.
    const IssueResult result = IssueCheque(*reg, cheque, QString(), [](const ChequeRegister::Recorded &) {
        return std::optional<QString>(tr("no printer was chosen for it"));
    });
    m_register->touch();
    if (result.prepared) {
        StatusLB->setText(tr("%Ln cheques wait for approval.", nullptr, 1));
        dialogs().showMessage(this, WindowCaption(), WaitingForApproval(1));
    } else {
        dialogs().showMessage(this, WindowCaption(), result.problem);
    }
}

void TNewChequeForm::showPrinted(const Cheque &cheque, const ChequeLayout &layout)
{
    // The designer's fields show the cheque, with the directions its page
    // gave them.
    ChequeLayout filled = FillCheque(layout, cheque);
    ApplyPrintedDirections(filled);
    m_designer->showCheque(filled);
}

ChequeRegister *TNewChequeForm::registerForPrinting(QWidget *parent)
{
    QString problem;
    ChequeRegister *reg = m_register ? m_register->open(std::make_unique<WindowUser>(parent, WindowCaption()).get(), &problem) : nullptr;
    if (!reg)
        dialogs().showMessage(parent, WindowCaption(),
                              tr("%1\n\nThe cheque was not printed: every cheque is recorded in the register before it "
                                 "is printed. Choose another register (Register, Register Connection), or move the "
                                 "file away.")
                                  .arg(problem));
    return reg;
}

TNewChequeForm::Issued TNewChequeForm::issueAll(const QList<ChequeJob> &jobs, QWidget *parent,
                                                const std::function<bool(const ChequeJob &, int)> &next)
{
    ChequeRegister *reg = registerForPrinting(parent);
    if (!reg || jobs.isEmpty())
        return {};
    const auto tell = [&](const QString &text) { dialogs().showMessage(parent, WindowCaption(), text); };
    const std::unique_ptr<PageOutput> output = m_print->openOutput();
    ChequeIssuer issuer(*reg, *output);
    const IssueRunResult run = IssueRun(issuer, jobs, next, [&](const QString &problem) {
        tell(problem + tr("\n\nThe cheque was printed; the register shows it as sent."));
    });
    if (const auto &ended = run.ended) {
        if (ended->refused)
            tell(ended->problem + (run.sent == 0 ? tr(" Nothing was printed.") : tr(" Nothing more was printed.")));
        else if (ended->number != 0 && !output->deferred())
            m_print->reportFailure(parent, ended->problem);
        else
            tell(ended->problem);
    }
    const ChequeJob *last = run.last;
    const qint64 lastNumber = run.lastChequeNumber;
    if (const auto failed = issuer.finish())
        tell(*failed);
    m_register->touch();
    const QString destination = DestinationShown(output->destination());
    if (issuer.printed() == 1 && last)
        StatusLB->setText(
            tr("Cheque No. %1 of %2 printed to %3.").arg(QString::number(lastNumber), last->cheque.bank, destination));
    else if (issuer.printed() > 1)
        StatusLB->setText(tr("%Ln cheques printed to %1.", nullptr, issuer.printed()).arg(destination));
    else
        StatusLB->setText(tr("No cheque was printed."));
    if (last && issuer.printed() > 0) {
        showPrinted(last->cheque, last->layout);
        // Time to bring the next cheque book.
        try {
            const auto left = reg->leavesLeft(last->cheque.bank);
            if (left && *left < m_register->lowLeaves())
                tell(*left == 0 ? tr("The cheque book of %1 is used up: add the next one (Cheque Numbers in the "
                                     "register window) before the next cheque.")
                                      .arg(last->cheque.bank)
                                : tr("%Ln leaves are left in the cheque book of %1.", nullptr, int(*left))
                                      .arg(last->cheque.bank));
        } catch (const ChequeError &) {
            // The next print says what is wrong with the register.
        }
    }
    if (run.prepared > 0) {
        if (issuer.printed() == 0)
            StatusLB->setText(tr("%Ln cheques wait for approval.", nullptr, run.prepared));
        tell(WaitingForApproval(run.prepared));
    }
    return {issuer.printed(), run.prepared};
}

bool TNewChequeForm::waitsForApproval(const Cheque &cheque)
{
    if (!m_register || !m_register->connection().isServer())
        return false; // a register file has no approval
    QString problem;  // told when the cheque is recorded
    ChequeRegister *reg = m_register->open(std::make_unique<WindowUser>(this, WindowCaption()).get(), &problem);
    return reg && reg->needsApproval(cheque);
}

bool TNewChequeForm::duplicateAccepted(const Cheque &cheque)
{
    QString problem;
    ChequeRegister *reg = m_register ? m_register->open(std::make_unique<WindowUser>(this, WindowCaption()).get(), &problem) : nullptr;
    if (!reg)
        return true; // the print says why the register cannot be used
    SettleBeforePrinting(*reg);
    const std::optional<RegisteredCheque> earlier = RecentLikeCheque(*reg, cheque);
    if (!earlier)
        return true;
    return dialogs().askYesNo(
        this, WindowCaption(),
        tr("A cheque of %1 to \"%2\" for %3 %4 was printed on %5 (cheque No. %6).\n\nPrint this "
           "cheque as well?")
            .arg(earlier->bank, earlier->payee, MinorUnitsText(earlier->minorUnits, earlier->digits), earlier->currency,
                 WriteShortDate(earlier->printedAt.toLocalTime().date()), QString::number(earlier->chequeNumber)),
        Dialogs::Default::No);
}

void TNewChequeForm::PrintMany(const QString &dateText, int count)
{
    const auto start = ReadTypedDate(dateText);
    if (!start) {
        report(tr("Date Error") + QLatin1String("\n\n")
               + tr("The date \"%1\" cannot be read: %2.").arg(Shown(dateText.trimmed()), DateFormsText()));
        return;
    }
    // Refused once for the whole run: every cheque of it is checked before
    // the printer is chosen.
    if (refusedBeforeDialog())
        return;
    QList<Cheque> cheques;
    const auto value = ReadAmountStrictly(AmountED->text());
    for (int i = 0; i < count; ++i) {
        const ChequeOrProblem made = typedCheque(start->addMonths(i));
        if (made.cheque) {
            cheques << *made.cheque;
        } else if (value && *value > 0) {
            // A later cheque's date the desktop's format cannot hold.
            report(made.problem);
            return;
        }
    }
    for (const Cheque &cheque : std::as_const(cheques)) {
        if (const auto refusal = pageRefusal(cheque)) {
            report(*refusal);
            return;
        }
    }
    // Asked once for the whole run: its cheques are alike by design.
    if (!cheques.isEmpty() && !duplicateAccepted(cheques.first()))
        return;
    if (!m_print->PrintSetup(this))
        return;
    if (cheques.size() < count) {
        // An amount that is not positive: its message for every cheque of
        // the run, and nothing printed.
        for (int i = 0; i < count; ++i)
            report(typedCheque(start->addMonths(i)).problem);
        return;
    }
    const LayoutOrProblem layout = layoutFor(BankNameCB->currentText());
    if (!layout.layout) {
        report(layout.problem);
        return;
    }
    EAmountLB->setText(cheques.first().words());
    AAmountLB->setText(cheques.first().words());
    QList<ChequeJob> jobs;
    for (const Cheque &cheque : std::as_const(cheques))
        jobs.append({cheque, *layout.layout});
    issueAll(jobs, this);
}

QString TNewChequeForm::settingsFile() const { return SettingsFile(ExeDir); }

void TNewChequeForm::showRegister()
{
    if (!m_register)
        return;
    if (!m_registerWindow) {
        m_registerWindow = std::make_unique<RegisterWindow>(*m_register);
        connect(m_registerWindow.get(), &RegisterWindow::reprintRequested, this, &TNewChequeForm::reprint);
        connect(m_registerWindow.get(), &RegisterWindow::printApprovedRequested, this, &TNewChequeForm::printApproved);
    }
    m_registerWindow->setBanks(m_designer->Book.Banks);
    m_registerWindow->setCurrency(m_currency->value());
    m_registerWindow->refresh();
    m_registerWindow->show();
    m_registerWindow->raise();
    m_registerWindow->activateWindow();
}

void TNewChequeForm::editRegisterConnection()
{
    if (!m_register)
        return;
    ConnectionDialog dialog(m_register->connection(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_register->setConnection(dialog.connection());
    QString problem;
    if (!m_register->open(std::make_unique<WindowUser>(this, WindowCaption()).get(), &problem))
        report(problem);
}

void TNewChequeForm::reprint(const RegisteredCheque &original)
{
    QWidget *parent = m_registerWindow ? static_cast<QWidget *>(m_registerWindow.get()) : this;
    if (!m_designer->Book.Banks.contains(original.bank)) {
        dialogs().showMessage(parent, WindowCaption(),
                              tr("The bank \"%1\" is no longer in the bank list: add it (with its layout) "
                                 "in Setup to reprint its cheques.")
                                  .arg(original.bank));
        return;
    }
    const LayoutOrProblem layout = layoutFor(original.bank);
    if (!layout.layout) {
        dialogs().showMessage(parent, WindowCaption(), layout.problem);
        return;
    }
    const ChequeOrProblem made =
        ChequeOfRecord(original, m_currency->value(), layout.layout->BAText, m_designer->onlyFirst());
    if (!made.cheque) {
        dialogs().showMessage(parent, WindowCaption(), made.problem);
        return;
    }
    const Cheque &cheque = *made.cheque;
    if (const auto fault = ChequePageFault(cheque, *layout.layout)) {
        dialogs().showMessage(parent, WindowCaption(),
                              DescribePageFault(*fault, *layout.layout) + tr(" Nothing was printed."));
        return;
    }
    ChequeRegister *reg = registerForPrinting(parent);
    if (!reg)
        return;
    qint64 next = 0;
    try {
        next = reg->nextChequeNumber(original.bank);
    } catch (const ChequeError &error) {
        dialogs().showMessage(parent, WindowCaption(), QString::fromStdString(error.message()));
        return;
    }
    if (!dialogs().askYesNo(parent, WindowCaption(),
                            tr("Print cheque No. %1 to \"%2\" for %3 %4 again, as cheque No. %5 of %6?\n\n"
                               "Cheque No. %1 is then marked spoilt.")
                                .arg(QString::number(original.chequeNumber), original.payee,
                                     MinorUnitsText(original.minorUnits, original.digits), original.currency,
                                     QString::number(next), original.bank),
                            Dialogs::Default::No))
        return;
    if (!m_print->PrintSetup(parent))
        return;
    issueAll({{cheque, *layout.layout, original.number}}, parent);
}

void TNewChequeForm::printApproved(const RegisteredCheque &approved)
{
    QWidget *parent = m_registerWindow ? static_cast<QWidget *>(m_registerWindow.get()) : this;
    const LayoutOrProblem layout = layoutFor(approved.bank);
    if (!m_designer->Book.Banks.contains(approved.bank) || !layout.layout) {
        dialogs().showMessage(parent, WindowCaption(),
                              m_designer->Book.Banks.contains(approved.bank)
                                  ? layout.problem
                                  : tr("The bank \"%1\" is no longer in the bank list: add it (with its layout) "
                                       "in Setup to print its cheques.")
                                        .arg(approved.bank));
        return;
    }
    // Printed as it was prepared and approved.
    const ChequeOrProblem made =
        ChequeOfRecord(approved, m_currency->value(), layout.layout->BAText, m_designer->onlyFirst());
    if (!made.cheque) {
        dialogs().showMessage(parent, WindowCaption(), made.problem);
        return;
    }
    const Cheque &cheque = *made.cheque;
    if (const auto fault = ChequePageFault(cheque, *layout.layout)) {
        dialogs().showMessage(parent, WindowCaption(),
                              DescribePageFault(*fault, *layout.layout) + tr(" Nothing was printed."));
        return;
    }
    if (!dialogs().askYesNo(parent, WindowCaption(),
                            tr("Print the approved cheque to \"%1\" for %2 %3 of %4?")
                                .arg(approved.payee, MinorUnitsText(approved.minorUnits, approved.digits),
                                     approved.currency, approved.bank),
                            Dialogs::Default::Yes))
        return;
    if (!m_print->PrintSetup(parent))
        return;
    // An approved reprint spoils the cheque it replaces once it is printed.
    ChequeJob job{cheque, *layout.layout, approved.replaces};
    job.approved = approved.number;
    issueAll({job}, parent);
}

BatchContext TNewChequeForm::batchContext() const
{
    BatchContext context;
    context.banks = m_designer->Book.Banks;
    context.options = m_designer->Book.Options;
    context.defaultBank = BankNameCB->currentText();
    context.currency = m_currency->value();
    context.onlyFirst = m_designer->onlyFirst();
    return context;
}

void TNewChequeForm::showBatch()
{
    if (!m_batchWindow) {
        m_batchWindow = std::make_unique<BatchWindow>([this] { return batchContext(); });
        connect(m_batchWindow.get(), &BatchWindow::printRequested, this,
                [this](const QList<BatchRow> &rows) { PrintList(rows, m_batchWindow.get()); });
    }
    m_batchWindow->show();
    m_batchWindow->raise();
    m_batchWindow->activateWindow();
    if (m_batchWindow->rows().isEmpty())
        m_batchWindow->openFile();
}

int TNewChequeForm::PrintList(const QList<BatchRow> &rows, QWidget *parent)
{
    QList<const BatchRow *> good;
    for (const BatchRow &row : rows)
        if (row.cheque)
            good << &row;
    if (good.isEmpty())
        return 0;
    const auto tell = [&](const QString &text) {
        if (m_batchWindow && parent == m_batchWindow.get())
            m_batchWindow->setStatus(text);
    };
    ChequeRegister *reg = registerForPrinting(parent);
    if (!reg)
        return 0;
    // Cheques like those of the last 30 days: asked about once, for the list.
    SettleBeforePrinting(*reg);
    QList<const Cheque *> cheques;
    for (const BatchRow *row : good)
        cheques << &*row->cheque;
    const RecentLikeCheques like = FindRecentLikeCheques(*reg, cheques, 5);
    const int count = like.count;
    QStringList alike;
    for (const auto &[index, earlier] : like.first) {
        const BatchRow *row = good[index];
        alike << tr("Row %1 (%2, %3) is like cheque No. %4 of %5, printed on %6.")
                     .arg(row->row)
                     .arg(row->payee, MinorUnitsText(row->cheque->minorUnits, row->cheque->digits),
                          QString::number(earlier.chequeNumber), earlier.bank,
                          WriteShortDate(earlier.printedAt.toLocalTime().date()));
    }
    if (count > 0) {
        if (count > 5)
            alike << tr("And %1 more.").arg(count - 5);
        if (!dialogs().askYesNo(parent, WindowCaption(),
                                tr("%1 of the list's cheques are like cheques printed in the last 30 "
                                   "days:\n\n%2\n\nPrint the whole list all the same?")
                                    .arg(count)
                                    .arg(alike.join(u'\n')),
                                Dialogs::Default::No))
            return 0;
    }
    // The rows print in their banks' stored layouts, as the list was
    // checked: the designer's unsaved changes are asked about first.
    if (!m_designer->settleChanges(parent))
        return 0;
    QList<ChequeJob> jobs;
    for (const BatchRow *row : good) {
        const LayoutOrProblem layout = BankLayout(row->bank, m_designer->Book.Banks, m_designer->Book.Options);
        if (!layout.layout) {
            dialogs().showMessage(parent, WindowCaption(), tr("Row %1: %2").arg(row->row).arg(layout.problem));
            return 0;
        }
        jobs.append({*row->cheque, *layout.layout, 0, row->row});
    }
    if (!m_print->PrintSetup(parent))
        return 0;

    QProgressDialog progress(tr("Printing…"), tr("Cancel"), 0, int(good.size()), parent);
    progress.setObjectName(QStringLiteral("ListProgress"));
    progress.setWindowTitle(WindowCaption());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QString stopped;
    const Issued issued = issueAll(jobs, parent, [&](const ChequeJob &job, int done) {
        progress.setValue(done);
        // Cancel is read between cheques: the cheque in flight is finished.
        if (progress.wasCanceled()) {
            stopped = tr("Cancelled before row %1.").arg(job.row);
            return false;
        }
        progress.setLabelText(tr("Row %1: %2, %3").arg(job.row).arg(job.cheque.payee, job.cheque.figure));
        return true;
    });
    progress.close();
    const int printed = issued.printed;
    if (stopped.isEmpty() && printed + issued.prepared < jobs.size())
        stopped = tr("Stopped at row %1.").arg(jobs.value(printed + issued.prepared).row);
    tell(CountText("TNewChequeForm", QT_TRANSLATE_NOOP("TNewChequeForm", "%L1 of %Ln cheque printed. %2"),
                   QT_TRANSLATE_N_NOOP("TNewChequeForm", "%L1 of %Ln cheques printed. %2"), good.size())
             .arg(printed)
             .arg(stopped)
             .trimmed());
    return printed;
}

void TNewChequeForm::showAbout()
{
    dialogs().showMessage(this, tr("About Cheque Printer"),
                          tr("Cheque Printer %1\n\nPrints bank cheques in Arabic and English.\n\nData folder: %2\n\n"
                             "Free software under the GNU General Public License, version 3 or later.")
                              .arg(QStringLiteral(CHEQUE_PRINTER_VERSION), QDir::toNativeSeparators(ExeDir)));
}

void TNewChequeForm::chooseLanguage(const QString &language)
{
    if (ExeDir.isEmpty())
        return;
    SetInterfaceLanguage(ExeDir, language);
    dialogs().showMessage(this, WindowCaption(),
                          language == QLatin1String("ar")
                              ? QStringLiteral("ستظهر الواجهة بالعربية عند تشغيل البرنامج مرة أخرى.\n\nThe interface "
                                               "will be in Arabic when the program starts again.")
                              : QStringLiteral("The interface will be in English when the program starts again.\n\n"
                                               "ستظهر الواجهة بالإنجليزية عند تشغيل البرنامج مرة أخرى."));
}
