// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/dialogs.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "core/datafile.h"
#include "gui/widgets/widgets.h"
#include "output/printrun.h"

namespace {

// The files of Qt's own file dialog as a right-to-left interface shows
// them: sizes and kinds in the interface's language (Qt writes them in the
// desktop's, "61 bytes", "plain text document"), names and dates each in its
// own reading order (a date and a time would otherwise be laid out right to
// left, "19:01:21 2026 Dec 7").
class InterfaceFilesProxy : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files)
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        switch (index.column()) {
        case 1: return info.isDir() ? QString() : InReadingOrder(SizeText(info.size()));
        case 2:
            if (info.isDir())
                return QCoreApplication::translate("FileDialog", "Folder");
            return info.suffix().isEmpty() ? QCoreApplication::translate("FileDialog", "File")
                                           : QCoreApplication::translate("FileDialog", "%1 file").arg(info.suffix());
        case 3: return InReadingOrder(WriteShortDateTime(info.lastModified()));
        default: return InReadingOrder(QIdentityProxyModel::data(index, role).toString());
        }
    }

private:
    static QString SizeText(qint64 bytes)
    {
        if (bytes < 1000)
            return QCoreApplication::translate("FileDialog", "%L1 bytes").arg(bytes);
        if (bytes < 1000 * 1000)
            return QCoreApplication::translate("FileDialog", "%L1 KB").arg(double(bytes) / 1000, 0, 'f', 1);
        return QCoreApplication::translate("FileDialog", "%L1 MB").arg(double(bytes) / 1000 / 1000, 0, 'f', 1);
    }
};

// Paints a combo box's text left to right: Qt's painter takes the
// interface's direction, whatever the widget's, and a path would read
// "tmp/lists/" for "/tmp/lists".
class LeftToRightPainting : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *combo = qobject_cast<QComboBox *>(watched);
        if (!combo || event->type() != QEvent::Paint)
            return false;
        QStylePainter painter(combo);
        painter.setLayoutDirection(Qt::LeftToRight);
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.direction = Qt::LeftToRight;
        option.iconSize = combo->iconSize();
        option.currentIcon = combo->itemIcon(combo->currentIndex());
        const QRect field =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        option.currentText = option.fontMetrics.elidedText(combo->currentText(), Qt::ElideMiddle,
                                                           field.width() - option.iconSize.width() - 4);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
        return true;
    }
};

// A file to open or to save, asked in the platform's dialog, or in Qt's own
// (then showing its files in the interface's language and reading order). `suggested`: the name a
// file to save is offered under.
std::optional<QString> AskFile(QWidget *parent, const QString &title, const QString &suggested, const QString &filter,
                               QFileDialog::AcceptMode mode, QString *chosenFilter = nullptr)
{
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    if (QGuiApplication::isRightToLeft()) {
        dialog.setProxyModel(new InterfaceFilesProxy(&dialog));
        // A folder's path reads left to right ("/home/…", not "home/…/").
        if (auto *lookIn = dialog.findChild<QComboBox *>(QStringLiteral("lookInCombo"))) {
            lookIn->setLayoutDirection(Qt::LeftToRight);
            lookIn->installEventFilter(new LeftToRightPainting(lookIn));
            lookIn->setProperty("paintsLeftToRight", true);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    // The filter chosen decides what a file saved is.
    if (mode == QFileDialog::AcceptSave)
        return WithSuffixOf(dialog.selectedFiles().first(), dialog.selectedNameFilter());
    return dialog.selectedFiles().first();
}

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
    void showMessage(QWidget *parent, const QString &title, const QString &text, Tone tone) override
    {
        QMessageBox box(tone == Tone::Warning ? QMessageBox::Warning : QMessageBox::Information, title, text,
                        QMessageBox::Ok, parent);
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

    std::optional<QString> askText(QWidget *parent, const QString &title, const QString &label, const QString &initial,
                                   Echo echo) override
    {
        QInputDialog dialog(parent);
        dialog.setWindowTitle(title);
        // Shown as it stands: the label carries a payee's or a file's name,
        // whose "&" is no shortcut and whose "<" no markup.
        dialog.setLabelText(QString(label).replace(u'&', QLatin1String("&&")));
        if (auto *text = dialog.findChild<QLabel *>())
            text->setTextFormat(Qt::PlainText);
        dialog.setTextEchoMode(echo == Echo::Password ? QLineEdit::Password : QLineEdit::Normal);
        dialog.setTextValue(initial);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    }

    std::optional<QString> askSaveFile(QWidget *parent, const QString &title, const QString &suggested,
                                       const QString &filter, QString *chosenFilter) override
    {
        return AskFile(parent, title, suggested, filter, QFileDialog::AcceptSave, chosenFilter);
    }

    std::optional<QString> askOpenFile(QWidget *parent, const QString &title, const QString &filter) override
    {
        return AskFile(parent, title, QString(), filter, QFileDialog::AcceptOpen);
    }

    Changes askSaveChanges(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, title, text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
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

void WindowUser::tell(const QString &text) { dialogs().showMessage(m_parent, m_caption, text); }

bool WindowUser::ask(const QString &question, bool yesByDefault)
{
    return dialogs().askYesNo(m_parent, m_caption, question,
                              yesByDefault ? Dialogs::Default::Yes : Dialogs::Default::No);
}

std::optional<QString> WindowUser::askPassword(const QString &question)
{
    return dialogs().askText(m_parent, QCoreApplication::translate("RegisterWindow", "Cheque Register"), question,
                             QString(), Dialogs::Echo::Password);
}
