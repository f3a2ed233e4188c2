// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the designer's units share: its measures, fonts and names, and the
// scan drawn under the fields. For gui/designer/ alone.

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "gui/widgets/widgets.h"
#include "layout/bankfiles.h"

namespace DesignerDetail {

inline constexpr int ColumnWidth = 322;
inline constexpr int TopStripHeight = 47;
inline constexpr int OptionsPanelHeight = 132;
inline constexpr int FieldPanelHeight = 62;
inline const QColor FocusColor(255, 255, 0);
inline const QColor ClearColor(255, 255, 255);

inline QFont ArialBold(int pixels) { return PixelFont(QStringLiteral("Arial"), pixels, true); }

inline QString OptionsFile() { return QString::fromLatin1(OptionsFileName); }

/// The sign that ends an item of an option line.
inline const QString ItemEnd = QStringLiteral("/");

/// The designer's title, on its window and its messages.
QString DesignerTitle();

} // namespace DesignerDetail

/// The scan under the fields: drawn once at the designer's scale, so that
/// a drag repaints only a picture.
class ScanBackdrop : public QWidget
{
public:
    explicit ScanBackdrop(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName(QStringLiteral("ScanBackdrop"));
        hide();
    }
    void setImage(QImage image)
    {
        m_image = std::move(image);
        setVisible(!m_image.isNull());
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.drawImage(event->rect(), m_image, event->rect());
    }

private:
    QImage m_image;
};
