// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the program's start-up: a small Qt Widgets form of the
// same size (a title, four captioned boxes, three buttons, a line of
// text), linked to Qt Widgets alone, ending as soon as it is exposed
// (with "stay", kept open: to be timed to its first drawing).

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <QWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Print Cheque"));
    auto *form = new QFormLayout(&window);
    for (const char *caption : {"Bank", "Date", "Name", "Amount"})
        form->addRow(QString::fromLatin1(caption), new QLineEdit(&window));
    auto *buttons = new QHBoxLayout;
    for (const char *caption : {"Print", "Setup", "Close"})
        buttons->addWidget(new QPushButton(QString::fromLatin1(caption), &window));
    form->addRow(buttons);
    form->addRow(new QLabel(QStringLiteral("Cheque Printer: Arabic and English cheques"), &window));
    window.resize(451, 404);
    window.show();
    if (argc > 1 && QLatin1String(argv[1]) == QLatin1String("stay")) // drawn and kept (xdamage_start ends it)
        return app.exec();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::fflush(nullptr);
    std::_Exit(0);
}
