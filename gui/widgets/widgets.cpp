// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/widgets.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStylePainter>
#include <QToolButton>
#include <QToolTip>

#include "core/bidi.h"
#include "core/datafile.h"

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
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked || m_group->checkedId() < 0)
            emit itemChanged(checked ? id : -1);
    });
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

QAbstractButton *RadioGroup::button(int index) const { return m_group->button(index); }

int RadioGroup::count() const { return int(m_group->buttons().size()); }

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        texts << m_group->button(i)->text();
    return texts;
}

BankComboBox::BankComboBox(QWidget *parent) : QComboBox(parent) { setEditable(false); }

void BankComboBox::hidePopup()
{
    // Qt also calls this while the window is hidden or torn down, with no
    // list on screen: only a list that was open closes up.
    const bool open = view()->isVisible();
    QComboBox::hidePopup();
    if (open)
        emit closedUp();
}

void BankComboBox::showPopup()
{
    if (m_beforePopup && !m_beforePopup())
        return;
    int widest = width();
    const QFontMetrics metrics(view()->font());
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)) + 32); // margins and scroll bar
    view()->setMinimumWidth(widest);
    QComboBox::showPopup();
}

void BankComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QString text = option.currentText;
    if (toolTip() != text)
        setToolTip(text); // the whole name, also when the list was filled without signals
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect room =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this).adjusted(2, 0, -2, 0);
    const bool rightToLeft = text.isRightToLeft();
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    // In the name's own reading order, so that "…" comes at its end.
    const int flags =
        rightToLeft ? Qt::AlignRight | Qt::TextForceRightToLeft : Qt::AlignLeft | Qt::TextForceLeftToRight;
    painter.drawText(room, flags | Qt::AlignAbsolute | Qt::AlignVCenter,
                     fontMetrics().elidedText(text, Qt::ElideRight, room.width()));
}

QValidator::State CountBox::validate(QString &input, int &) const
{
    const QString digits = input.trimmed();
    if (digits.isEmpty()) {
        tell(QString());
        return QValidator::Intermediate;
    }
    const std::optional<qlonglong> read = ReadCount(digits);
    if (!read || digits.contains(u'+') || digits.contains(u'-'))
        return QValidator::Invalid;
    const qlonglong n = *read;
    if (n < minimum() || n > maximum()) {
        tell(QCoreApplication::translate("Widgets",
                                         "The count goes from %1 to %2: %3 becomes %4 when you leave the box.")
                 .arg(minimum())
                 .arg(maximum())
                 .arg(n)
                 .arg(n > maximum() ? maximum() : minimum()));
        return QValidator::Intermediate;
    }
    tell(QString());
    return QValidator::Acceptable;
}

void CountBox::fixup(QString &input) const
{
    const std::optional<qlonglong> n = ReadCount(input.trimmed());
    input = locale().toString(!n ? minimum() : std::clamp<qlonglong>(*n, minimum(), maximum()));
}

std::optional<qlonglong> CountBox::ReadCount(const QString &text) const
{
    // The desktop's digits (Arabic-Indic on some Arabic desktops) or 0 to 9.
    bool ok = false;
    qlonglong n = locale().toLongLong(text, &ok);
    if (!ok)
        n = QLocale::c().toLongLong(text, &ok);
    return ok ? std::optional<qlonglong>(n) : std::nullopt;
}

void CountBox::tell(const QString &why) const
{
    if (toolTip() == why)
        return;
    auto *self = const_cast<CountBox *>(this);
    self->setToolTip(why);
    if (!why.isEmpty() && isVisible())
        QToolTip::showText(mapToGlobal(QPoint(0, height())), why, self);
    else
        QToolTip::hideText();
}

QValidator::State Cp1256Validator::validate(QString &input, int &) const
{
    return RefusedCharacter(input, m_forbidden) ? Invalid : Acceptable;
}

std::optional<QString> RefusedCharacter(const QString &text, const QString &separator)
{
    const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator);
    const auto outside = FirstUnencodable(at < 0 ? text : text.left(at));
    if (outside)
        return outside;
    if (at >= 0)
        return separator;
    return std::nullopt;
}

QString Cp1256RefusalText(const QString &fileName, const QString &separator)
{
    QString text =
        QCoreApplication::translate("Widgets",
                                    "This character cannot be kept in %1, which holds only the letters, digits and "
                                    "signs of the Windows Arabic code page (1256). Arabic-Indic digits, Persian "
                                    "letters and emoji are not among them.")
            .arg(fileName);
    if (!separator.isEmpty())
        text += QCoreApplication::translate("Widgets", " The sign «%1» ends an item there and cannot be typed either.")
                    .arg(separator);
    return text;
}

QLabel *PlainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

int CaptionWidth(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text().isEmpty() || label->wordWrap() ? 0 : label->sizeHint().width();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
        if (button->text().isEmpty())
            return 0;
        if (qobject_cast<const QPushButton *>(control) || qobject_cast<const QToolButton *>(control)) {
            // The size hint of a push button has a minimum width of its own;
            // what matters is that the text and picture fit inside the frame.
            const int frame = control->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control);
            const int picture = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            return button->fontMetrics().horizontalAdvance(button->text()) + picture + 2 * frame + 2;
        }
        return button->sizeHint().width();
    }
    if (const auto *group = qobject_cast<const QGroupBox *>(control))
        return group->title().isEmpty() ? 0 : group->fontMetrics().horizontalAdvance(group->title()) + 16;
    return 0;
}

namespace {

// True for a widget whose bounds a layout sets and follows (the window's own
// layout, stretching with the window): its caption is not held to fixed
// bounds. Widgets in a layout inside a box of fixed bounds (a radio group)
// are held to them.
bool Stretches(const QWidget *w, const QWidget *window)
{
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (!p->layout())
            return false;
        if (p == window)
            return true;
        w = p;
    }
    return false;
}

// Puts the widgets of `w`'s layout in place now, as showing it will.
void PlaceLayout(QWidget *w)
{
    if (QLayout *layout = w->layout())
        layout->setGeometry(w->testAttribute(Qt::WA_LayoutOnEntireRect) ? w->rect() : w->contentsRect());
}

// A control that may grow takes the width its captions need (its own, or
// those of the buttons it holds), up to its parent's edge or the next
// control to its right, from the width it was given.
void Grow(QWidget *w, int from)
{
    QWidget *parent = w->parentWidget();
    w->resize(from, w->height());
    PlaceLayout(w);
    int needed = CaptionWidth(w);
    for (const QAbstractButton *b : w->findChildren<QAbstractButton *>(Qt::FindDirectChildrenOnly))
        needed = std::max(needed, from + CaptionWidth(b) - b->width());
    int room = parent->contentsRect().right() + 1 - w->x();
    for (const QWidget *s : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (s != w && s->x() >= w->x() + from && s->y() < w->geometry().bottom() && s->geometry().bottom() > w->y())
            room = std::min(room, s->x() - w->x());
    w->resize(std::clamp(needed, from, std::max(from, room)), w->height());
    PlaceLayout(w);
}

} // namespace

void FitCaptions(QWidget *window)
{
    // Measured as shown: with the style's metrics, and the layouts' places
    // (from the window down), also in a window that has not been shown yet.
    window->ensurePolished();
    PlaceLayout(window);
    const QList<QWidget *> children = window->findChildren<QWidget *>(); // parents before their children
    for (QWidget *w : children)
        PlaceLayout(w);
    for (QWidget *w : children)
        if (const QVariant from = w->property("captionGrowsFrom"); from.isValid() && w->parentWidget())
            Grow(w, from.toInt());
    for (QWidget *w : children) {
        if (CaptionWidth(w) == 0 || Stretches(w, window))
            continue;
        // Always from the first font: the captions may have changed since.
        const QVariant first = w->property("captionFont");
        if (first.isValid())
            w->setFont(first.value<QFont>());
        else
            w->setProperty("captionFont", w->font());
        const bool asWide = w->property("captionAsWide").toBool();
        QWidget *parent = w->parentWidget();
        auto fitWidth = [&] {
            if (asWide && w->width() != w->sizeHint().width())
                w->adjustSize();
        };
        auto room = [&] { return asWide && parent ? parent->contentsRect().right() + 1 - w->x() : w->width(); };
        fitWidth();
        QFont font = w->font();
        while (CaptionWidth(w) > room()) {
            if (font.pixelSize() > 7)
                font.setPixelSize(font.pixelSize() - 1);
            else if (font.pixelSize() < 0 && font.pointSizeF() > 5.5)
                font.setPointSizeF(font.pointSizeF() - 0.5);
            else
                break;
            w->setFont(font);
            fitWidth();
        }
    }
}

QLabel *Caption(const QString &text, QWidget *parent, int left, int top)
{
    auto *label = PlainLabel(text, parent);
    label->setProperty("captionAsWide", true); // FitCaptions makes it as wide as its text
    label->move(left, top);
    return label;
}

namespace {

class FirstShow : public QObject
{
public:
    FirstShow(QWidget *window, std::function<void()> work) : QObject(window), m_work(std::move(work))
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == parent()) {
            watched->removeEventFilter(this);
            const std::function<void()> work = std::move(m_work);
            deleteLater();
            work();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void OnFirstShow(QWidget *window, std::function<void()> work)
{
    if (window->isVisible())
        work();
    else
        new FirstShow(window, std::move(work));
}

QIcon ResourceIcon(const QString &name)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(name).arg(size), QSize(size, size));
    return icon;
}

QFont PixelFont(const QString &family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void RestrictToCp1256(QLineEdit *edit, const QString &fileName, const QString &separator)
{
    edit->setValidator(new Cp1256Validator(edit, separator));
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [edit, fileName, separator] {
        const QString why = Cp1256RefusalText(fileName, separator);
        edit->setProperty("rejection", why);
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), why, edit);
    });
}

void MirrorForRightToLeft(QWidget *container, int width)
{
    if (container->layoutDirection() != Qt::RightToLeft)
        return;
    for (QObject *child : container->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow() || (container->layout() && container->layout()->indexOf(w) >= 0))
            continue;
        const QRect r = w->geometry();
        w->move(width - r.x() - r.width(), r.y());
        if (auto *label = qobject_cast<QLabel *>(w); label && (label->alignment() & Qt::AlignAbsolute)) {
            Qt::Alignment a = label->alignment();
            if (a & Qt::AlignRight)
                a = (a & ~Qt::AlignRight) | Qt::AlignLeft;
            else if (a & Qt::AlignLeft)
                a = (a & ~Qt::AlignLeft) | Qt::AlignRight;
            label->setAlignment(a);
        }
    }
}

QLabel *WrappingLabel(const QString &name, QWidget *parent)
{
    QLabel *label = PlainLabel(QString(), parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QPushButton *Button(const QString &text, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void DateInWritingOrder(QDateEdit *date)
{
    const QString format = WithoutDirectionMarks(date->displayFormat());
    date->setLayoutDirection(Qt::LeftToRight);
    date->setDisplayFormat(format);
}
