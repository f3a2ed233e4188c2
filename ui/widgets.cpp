#include "widgets.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolTip>

#include "datafile.h"

RadioGroup::RadioGroup(const QString &title, const QStringList &items, int columns, QWidget *parent)
    : QGroupBox(title, parent)
    , m_group(new QButtonGroup(this))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setSpacing(0);
    const int rows = (int(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        m_group->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::itemIndex() const { return m_group->checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *button = m_group->button(index)) {
        button->setChecked(true);
    } else if (QAbstractButton *checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
}

int RadioGroup::count() const { return int(m_group->buttons().size()); }

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        texts << m_group->button(i)->text();
    return texts;
}

QValidator::State Cp1256Validator::validate(QString &input, int &) const
{
    for (QChar c : m_forbidden)
        if (input.contains(c))
            return Invalid;
    return FirstUnencodable(input) ? Invalid : Acceptable;
}

QString Cp1256RefusalText(const QString &fileName)
{
    return QStringLiteral("This character cannot be kept in %1, which holds only the letters, digits and "
                          "signs of the Windows Arabic code page (1256). Arabic-Indic digits, Persian "
                          "letters and emoji are not among them.")
        .arg(fileName);
}

void RestrictToCp1256(QLineEdit *edit, const QString &fileName, const QString &separator)
{
    edit->setValidator(new Cp1256Validator(edit, separator));
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [edit, fileName, separator] {
        QString why = Cp1256RefusalText(fileName);
        if (!separator.isEmpty())
            why += QStringLiteral(" The sign «%1» ends an item there and cannot be typed either.").arg(separator);
        edit->setProperty("rejection", why);
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), why, edit);
    });
}
