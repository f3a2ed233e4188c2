// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calibration page of a layout: on the cheque page (Envelope No. 10,
// the layout's orientation), a millimetre grid labelled every 10 mm from the
// paper's top-left corner, crosshairs at the cheque area's origin (the
// layout's margins), and each field's box outlined and named by its kind.
// Laid over a real cheque, it shows how far the printer puts things off.

#include <QPointF>
#include <QString>

#include "layout/chequelayout.h"

class QPainter;

/// Paints the page with a painter open on a paged device whose page is
/// ChequePageLayout(layout.Portial), everything moved by `offsetMm` (the
/// printer's offset), which `note` describes on the page.
void PaintCalibrationPage(QPainter &painter, ChequeLayout layout, QPointF offsetMm, const QString &note);
