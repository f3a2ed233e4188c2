// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A field of the designer's cheque area: a box showing its text exactly as
// the cheque page prints it (the same layout, from the box's top-left corner
// or top-right for right-to-left text, wrapped at words, whole lines only),
// which the user can also type into while the designer is unlocked.

#include <QWidget>

class ChequeFieldEdit : public QWidget
{
    Q_OBJECT

public:
    explicit ChequeFieldEdit(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    void setCursorPosition(int position);
    int cursorPosition() const { return m_cursor; }

    /// Right-to-left reading, set against the right edge; else left-to-right.
    void setRightToLeft(bool on);
    bool isRightToLeft() const { return m_rightToLeft; }
    Qt::Alignment alignment() const;

signals:
    void entered();
    void left();
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);
    /// An arrow key: move the field by (dx, dy) pixels, or millimetres with Shift.
    void nudged(int dx, int dy, bool millimetres);
    /// The text changed, typed or set.
    void textChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void insert(const QString &text);

    QString m_text;
    int m_cursor = 0;
    bool m_rightToLeft = false;
};
