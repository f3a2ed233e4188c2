#pragma once

// The dialogs the windows ask through, so that tests can answer them.

#include <optional>

#include <QFont>
#include <QString>

class QWidget;

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    /// A modal message with an OK button.
    virtual void showMessage(QWidget *parent, const QString &title, const QString &text) = 0;
    /// A Yes/No question with the question icon; true for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &title, const QString &text) = 0;
    /// A text query; nothing when cancelled.
    virtual std::optional<QString> askText(QWidget *parent, const QString &title, const QString &label,
                                           const QString &initial) = 0;
    /// The platform's font dialog; nothing when cancelled.
    virtual std::optional<QFont> askFont(QWidget *parent, const QFont &initial) = 0;
};

/// The dialogs in use: Qt's own unless a test installed others.
Dialogs &dialogs();

/// Installs other dialogs (nullptr puts Qt's back); the caller keeps ownership.
void setDialogs(Dialogs *replacement);
