// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts that do not fit where they are shown: a caption wider than its
// control, a control that runs past its parent's edge, a wrapped text taller
// than its label. Measured with the control's own font metrics (its size
// hint), in whatever language the captions are.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
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

/// Every text of `window` (shown children only) that is cut, described.
inline QStringList CutTexts(QWidget *window)
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
        if (!why.isEmpty())
            cut << DescribeWidget(w) + QStringLiteral(": ") + why;
    }
    return cut;
}
