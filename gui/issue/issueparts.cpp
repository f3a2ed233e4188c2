// SPDX-License-Identifier: GPL-3.0-or-later
// The issue window's controls, made in the keyboard's tab order.
#include "gui/issue/NewChequeU.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/widgets/webpanel.h"
#include "gui/widgets/widgets.h"
#include "output/printrun.h"

namespace {

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

namespace {

// The Close button's picture: the style's own, read from its resources at
// once rather than first searched for in the desktop's icon themes (which
// reads folders at start, before the window is first drawn).
QIcon CloseIcon()
{
    QIcon icon;
    for (int size : {16, 32, 128}) {
        const QString file =
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-close-%1.png").arg(size);
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    return icon.isNull() ? QApplication::style()->standardIcon(QStyle::SP_DialogCloseButton) : icon;
}

} // namespace

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
    BitBtn1 = new QPushButton(CloseIcon(), tr("Close"), panel3);
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
    // Room for two lines from the start: a longer status does not move
    // the window's parts.
    StatusLB->setMinimumHeight(2 * StatusLB->fontMetrics().lineSpacing() + 2);
    StatusLB->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    outer->addWidget(StatusLB);
}
