// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts shown inside sentences of the interface in their own reading order.

#include <QString>

/// `text` isolated when its direction may differ from the interface's (an
/// Arabic interface, or a text with right-to-left characters), so that it
/// reads in its own order within a sentence; as it is otherwise.
QString InReadingOrder(const QString &text);

/// Where pages went, as messages name it: "the default printer", a
/// printer's name, or a file's path in the desktop's form.
QString DestinationShown(const QString &destination);
