// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The interface language: English by default; Arabic when the settings or
// the command line ask for it, with Qt's own Arabic for its dialogs and the
// windows laid out right to left. Texts written into files and onto cheques
// never depend on it.

#include <QString>

class QApplication;

/// Loads the translations of `language` (or of the settings, when empty)
/// into the application, and its layout direction.
void InstallTranslations(QApplication &app, const QString &dataDir, const QString &language);
