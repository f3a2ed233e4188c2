// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// A short message ("Error") makes a box narrower than its own title, which
// the window's frame then cuts to its first letter: the box is made wide
// enough for the title and the frame's buttons beside it.
void FitTitle(QMessageBox &box)
{
    const int needed = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 160;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

class QtDialogs final : public Dialogs
{
public:
    void showMessage(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        FitTitle(box);
        box.exec();
    }

    bool askYesNo(QWidget *parent, const QString &title, const QString &text, Default answer) override
    {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
        box.setTextFormat(Qt::PlainText);
        FitTitle(box);
        box.setDefaultButton(answer == Default::Yes ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    std::optional<QString> askText(QWidget *parent, const QString &title, const QString &label,
                                   const QString &initial, Echo echo) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, title, label,
                                                   echo == Echo::Password ? QLineEdit::Password : QLineEdit::Normal,
                                                   initial, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }

    std::optional<QString> askSaveFile(QWidget *parent, const QString &title, const QString &suggested,
                                       const QString &filter) override
    {
        const QString name = QFileDialog::getSaveFileName(parent, title, suggested, filter);
        if (name.isEmpty())
            return std::nullopt;
        return name;
    }

    std::optional<QString> askOpenFile(QWidget *parent, const QString &title, const QString &filter) override
    {
        const QString name = QFileDialog::getOpenFileName(parent, title, QString(), filter);
        if (name.isEmpty())
            return std::nullopt;
        return name;
    }

    Changes askSaveChanges(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                        parent);
        box.setTextFormat(Qt::PlainText);
        FitTitle(box);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Save: return Changes::Save;
        case QMessageBox::Discard: return Changes::Discard;
        default: return Changes::Cancel;
        }
    }

    std::optional<QFont> askFont(QWidget *parent, const QFont &initial) override
    {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent, QString(), QFontDialog::DontUseNativeDialog);
        if (!ok)
            return std::nullopt;
        return font;
    }
};

QtDialogs g_qtDialogs;
Dialogs *g_dialogs = &g_qtDialogs;

} // namespace

Dialogs &dialogs() { return *g_dialogs; }

void setDialogs(Dialogs *replacement) { g_dialogs = replacement ? replacement : &g_qtDialogs; }
