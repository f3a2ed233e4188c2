// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/designer/chequefield.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include "output/reportpage.h"

ChequeFieldEdit::ChequeFieldEdit(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChequeFieldEdit::setText(const QString &text)
{
    m_text = text;
    m_cursor = int(m_text.size());
    update();
    emit textChanged(m_text);
}

void ChequeFieldEdit::setCursorPosition(int position)
{
    m_cursor = std::clamp(position, 0, int(m_text.size()));
    update();
}

void ChequeFieldEdit::setRightToLeft(bool on)
{
    m_rightToLeft = on;
    setLayoutDirection(on ? Qt::RightToLeft : Qt::LeftToRight);
    update();
}

Qt::Alignment ChequeFieldEdit::alignment() const
{
    return (m_rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute | Qt::AlignTop;
}

void ChequeFieldEdit::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The base colour is the field's background (yellow while it has the
    // focus); a locked field has the disabled look of its palette.
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    painter.setFont(font());
    QTextLayout layout(m_text, font(), this);
    const int lines = LayOutBoxText(layout, size(), m_rightToLeft, this);
    painter.save();
    painter.setClipRect(rect());
    DrawBoxText(painter, layout, lines, QPointF(0, 0));
    if (hasFocus() && isEnabled())
        layout.drawCursor(&painter, QPointF(0, 0), m_cursor);
    painter.restore();
    // The box's edge, drawn over it: the text keeps its place.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ChequeFieldEdit::insert(const QString &text)
{
    m_text.insert(m_cursor, text);
    m_cursor += int(text.size());
    update();
    emit textChanged(m_text);
}

void ChequeFieldEdit::keyPressEvent(QKeyEvent *event)
{
    // Moves and deletions go by whole characters (a surrogate pair, a letter
    // with its marks), never into the middle of one.
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, m_text);
    auto previous = [&] {
        characters.setPosition(m_cursor);
        const qsizetype p = characters.toPreviousBoundary();
        return p < 0 ? 0 : int(p);
    };
    auto next = [&] {
        characters.setPosition(m_cursor);
        const qsizetype p = characters.toNextBoundary();
        return p < 0 ? int(m_text.size()) : int(p);
    };
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (m_cursor > 0) {
            const int from = previous();
            m_text.remove(from, m_cursor - from);
            m_cursor = from;
            emit textChanged(m_text);
        }
        break;
    case Qt::Key_Delete:
        m_text.remove(m_cursor, next() - m_cursor);
        emit textChanged(m_text);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // The arrows move the field (Shift: by millimetres); with Ctrl, left
        // and right move the caret, in the visual direction (left is the
        // next letter of Arabic text).
        if (event->modifiers() & Qt::ControlModifier) {
            if (event->key() == Qt::Key_Left)
                m_cursor = m_rightToLeft ? next() : previous();
            else if (event->key() == Qt::Key_Right)
                m_cursor = m_rightToLeft ? previous() : next();
        } else {
            const int dx = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
            const int dy = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
            emit nudged(dx, dy, event->modifiers() & Qt::ShiftModifier);
        }
        break;
    case Qt::Key_Home: m_cursor = 0; break;
    case Qt::Key_End: m_cursor = int(m_text.size()); break;
    default: {
        const QString typed = event->text();
        if (typed.isEmpty() || !typed.at(0).isPrint() || (event->modifiers() & Qt::ControlModifier)) {
            QWidget::keyPressEvent(event);
            return;
        }
        insert(typed);
        break;
    }
    }
    update();
    event->accept();
}

void ChequeFieldEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty())
        insert(event->commitString());
    event->accept();
}

QVariant ChequeFieldEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImSurroundingText: return m_text;
    case Qt::ImCursorPosition: return m_cursor;
    case Qt::ImEnabled: return isEnabled();
    default: return QWidget::inputMethodQuery(query);
    }
}

// A field is entered and left when the focus moves inside the designer; the
// designer's window losing or regaining the focus (another window activated,
// the designer hidden or closed) neither enters nor leaves its fields.
void ChequeFieldEdit::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    if (event->reason() != Qt::ActiveWindowFocusReason)
        emit entered();
}

void ChequeFieldEdit::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
    if (event->reason() != Qt::ActiveWindowFocusReason)
        emit left();
}

void ChequeFieldEdit::mousePressEvent(QMouseEvent *event)
{
    // A left press gives the focus first, so that the drag acts on this field.
    if (event->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    emit mousePressed(event);
    event->accept();
}

void ChequeFieldEdit::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event);
    event->accept();
}

void ChequeFieldEdit::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseReleased(event);
    event->accept();
}
