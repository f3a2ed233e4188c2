// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts that do not fit where they are shown: a caption wider than its
// control, a control that runs past its parent's edge, a wrapped text taller
// than its label. Measured with the control's own font metrics (its size
// hint), in whatever language the captions are. Also texts shown in another
// language than the interface's, and dates, times and amounts whose
// characters are not drawn in their reading order.

#include <algorithm>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRegularExpression>
#include <QStringList>
#include <QTextLayout>
#include <QWidget>

inline QString DescribeWidget(const QWidget *w)
{
    QString text;
    if (auto *l = qobject_cast<const QLabel *>(w))
        text = l->text();
    else if (auto *b = qobject_cast<const QAbstractButton *>(w))
        text = b->text();
    else if (auto *g = qobject_cast<const QGroupBox *>(w))
        text = g->title();
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), text);
}

/// Every text of `window` (shown children only) that is cut (with
/// `orShrunk`, or made smaller than its first font to fit), described.
inline QStringList CutTexts(QWidget *window, bool orShrunk = false)
{
    QStringList cut;
    const QList<QWidget *> all = window->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (!w->isVisibleTo(window) || w->width() <= 0)
            continue;
        const auto *label = qobject_cast<QLabel *>(w);
        const auto *button = qobject_cast<QAbstractButton *>(w);
        const auto *group = qobject_cast<QGroupBox *>(w);
        QString why;
        if (label && !label->text().isEmpty()) {
            if (label->wordWrap()) {
                if (label->heightForWidth(label->width()) > label->height())
                    why = QStringLiteral("needs %1 px of height, has %2")
                              .arg(label->heightForWidth(label->width()))
                              .arg(label->height());
            } else if (label->sizeHint().width() > label->width()) {
                why = QStringLiteral("needs %1 px, has %2").arg(label->sizeHint().width()).arg(label->width());
            }
        } else if (button && !button->text().isEmpty()) {
            // A push button's size hint has a minimum width of its own: the
            // text and picture must fit inside its frame (2 px a side).
            const bool push = button->inherits("QPushButton") || button->inherits("QToolButton");
            const int needed = push ? button->fontMetrics().horizontalAdvance(button->text())
                    + (button->icon().isNull() ? 0 : button->iconSize().width() + 4) + 4
                                    : button->sizeHint().width();
            if (needed > button->width())
                why = QStringLiteral("needs %1 px, has %2").arg(needed).arg(button->width());
        } else if (group && !group->title().isEmpty()) {
            const int title = group->fontMetrics().horizontalAdvance(group->title()) + 16;
            if (title > group->width())
                why = QStringLiteral("title needs %1 px, has %2").arg(title).arg(group->width());
        } else {
            continue;
        }
        // Inside every parent up to the window: a parent's edge cuts too.
        if (why.isEmpty()) {
            for (QWidget *p = w->parentWidget(); p && p != window->parentWidget(); p = p->parentWidget()) {
                const QRect inParent(w->mapTo(p, QPoint(0, 0)), w->size());
                if (!p->rect().contains(inParent)) {
                    why = QStringLiteral("runs past the edge of %1").arg(DescribeWidget(p));
                    break;
                }
                if (p->isWindow())
                    break;
            }
        }
        if (const QVariant first = w->property("captionFont");
            orShrunk && why.isEmpty() && first.isValid() && first.value<QFont>() != w->font())
            why = QStringLiteral("shrunk to fit");
        if (!why.isEmpty())
            cut << DescribeWidget(w) + QStringLiteral(": ") + why;
    }
    return cut;
}

/// The texts `window` shows (captions, buttons, titles, placeholders, menu
/// entries, list items, column titles, and with `cells` the first rows of
/// its tables) that hold words in Latin letters, but for `allowed` (bank
/// names, file names, names of formats).
inline QStringList LatinTexts(QWidget *window, const QStringList &allowed, bool cells = false)
{
    QStringList texts{window->windowTitle()};
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *l = qobject_cast<QLabel *>(w))
            texts << l->text();
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            texts << b->text();
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            texts << g->title();
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            texts << e->placeholderText();
        if (auto *c = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        if (auto *h = qobject_cast<QHeaderView *>(w); h && h->model())
            for (int i = 0; i < h->count(); ++i)
                texts << h->model()->headerData(i, h->orientation()).toString();
        else if (auto *v = qobject_cast<QAbstractItemView *>(w); cells && v && v->model())
            for (int row = 0; row < std::min(v->model()->rowCount(v->rootIndex()), 20); ++row)
                for (int column = 0; column < v->model()->columnCount(v->rootIndex()); ++column)
                    texts << v->model()->index(row, column, v->rootIndex()).data().toString();
        if (auto *m = qobject_cast<QMenuBar *>(w))
            for (QAction *a : m->actions()) {
                texts << a->text();
                if (a->menu())
                    for (QAction *entry : a->menu()->actions())
                        texts << entry->text();
            }
    }
    QStringList latin;
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (QString text : texts) {
        for (const QString &a : allowed)
            text.remove(a);
        if (text.contains(word))
            latin << text;
    }
    latin.removeDuplicates();
    return latin;
}

/// The characters of `text` (but spaces and marks, which draw nothing) in
/// the order they are drawn from left to right when `text` is laid out in
/// `direction`: each is drawn in a colour of its own and found in the
/// picture.
inline QList<int> DrawnOrder(const QString &text, QFont font, Qt::LayoutDirection direction)
{
    font.setStyleStrategy(QFont::NoAntialias); // colours drawn exactly
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(direction);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    layout.setTextOption(option);
    QList<QTextLayout::FormatRange> colours;
    for (int i = 0; i < text.size() && i < 4000; ++i) {
        QTextCharFormat format;
        format.setForeground(QColor((i + 1) % 64 * 4, (i + 1) / 64 * 4, 200));
        colours.append({i, 1, format});
    }
    layout.setFormats(colours);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(100000);
    layout.endLayout();
    QImage picture(int(line.naturalTextWidth()) + 40, int(line.height()) + 4, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        layout.draw(&painter, QPointF(20, 2));
    }
    QList<int> order;
    QList<bool> seen(text.size(), false);
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < picture.height(); ++y) {
            const QColor c = picture.pixelColor(x, y);
            const int index = c.green() / 4 * 64 + c.red() / 4 - 1;
            if (c.blue() == 200 && index >= 0 && index < text.size() && !seen[index]) {
                seen[index] = true;
                order << index;
            }
        }
    return order;
}

/// The runs of `text` that read left to right whatever surrounds them (a
/// date, a time, an amount, a number and its sign, file patterns) whose
/// characters are not drawn left to right when `text` is laid out in
/// `direction`.
inline QStringList ScrambledRuns(const QString &text, const QFont &font, Qt::LayoutDirection direction)
{
    static const QRegularExpression run(
        QStringLiteral("[+\\-]?\\d[0-9A-Za-z/:.,+\\-]*(?: [0-9A-Za-z/:.,+\\-]*[0-9A-Za-z])*|"
                       "\\*\\.[0-9A-Za-z]+(?: \\*\\.[0-9A-Za-z]+)*"));
    QStringList scrambled;
    QList<int> order;
    for (auto it = run.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        int end = int(m.capturedEnd());
        while (end > m.capturedStart() && QStringLiteral(".,:/+-").contains(text[end - 1]))
            --end; // a sentence's own stop after a number
        if (end - m.capturedStart() < 2)
            continue;
        if (order.isEmpty())
            order = DrawnOrder(text, font, direction);
        QList<int> inRun;
        for (int i : order)
            if (i >= m.capturedStart() && i < end)
                inRun << i;
        if (!std::is_sorted(inRun.begin(), inRun.end()))
            scrambled << text.mid(m.capturedStart(), end - m.capturedStart());
    }
    return scrambled;
}

/// The texts `window` shows out of their reading order: dates, times and
/// amounts in captions (laid out in their own text's direction), buttons,
/// choices and cells not drawn as their texts read on their own, and a date
/// box whose text is not its date in the desktop's short format (direction
/// marks aside).
inline QStringList UnorderedTexts(QWidget *window)
{
    QStringList unordered;
    const auto check = [&](const QString &text, const QFont &font, Qt::LayoutDirection direction) {
        for (const QString &run : ScrambledRuns(text, font, direction))
            unordered << QStringLiteral("\"%1\" in \"%2\"").arg(run, text);
    };
    static const QRegularExpression marks(QStringLiteral("[\\x{200E}\\x{200F}\\x{061C}]"));
    // Qt paints a control's text in the interface's direction, whatever
    // the control's own (a control painted otherwise says so).
    const auto painted = [](const QWidget *w) {
        return w->property("paintsLeftToRight").toBool() ? Qt::LeftToRight : QGuiApplication::layoutDirection();
    };
    // A button's or a cell's text is drawn as it reads on its own.
    const auto whole = [&](const QString &text, const QFont &font, Qt::LayoutDirection direction) {
        if (!text.isEmpty()
            && DrawnOrder(text, font, direction)
                != DrawnOrder(text, font, text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight))
            unordered << QStringLiteral("\"%1\"").arg(text);
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *l = qobject_cast<QLabel *>(w))
            check(l->text(), l->font(), l->text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            whole(b->text(), b->font(), painted(b));
        else if (auto *d = qobject_cast<QDateTimeEdit *>(w); d
                 && QString(d->text()).remove(marks)
                     != d->locale().toString(d->date(), QLocale::ShortFormat).remove(marks))
            unordered << QStringLiteral("date box \"%1\"").arg(d->text());
        else if (auto *c = qobject_cast<QComboBox *>(w)) {
            whole(c->currentText(), c->font(), painted(c));
            check(c->currentText(), c->font(), painted(c));
        }
        if (auto *v = qobject_cast<QAbstractItemView *>(w); v && v->model() && !qobject_cast<QHeaderView *>(v))
            for (int row = 0; row < std::min(v->model()->rowCount(v->rootIndex()), 20); ++row)
                for (int column = 0; column < v->model()->columnCount(v->rootIndex()); ++column)
                    whole(v->model()->index(row, column, v->rootIndex()).data().toString(), v->font(),
                          v->layoutDirection());
    }
    return unordered;
}
