// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialogs the windows ask through, so that tests can answer them.

#include <optional>

#include <QFont>
#include <QString>

#include "desk/deskuser.h"

class QWidget;

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    /// Which answer Enter gives to a question.
    enum class Default { Yes, No };

    // Texts are shown as they stand, never as markup: they may hold file
    // names, bank names or lines of the data files.

    /// What a message is: a warning, or information (About).
    enum class Tone { Warning, Information };
    /// A modal message with an OK button.
    virtual void showMessage(QWidget *parent, const QString &title, const QString &text, Tone tone = Tone::Warning) = 0;
    /// A Yes/No question with the question icon; true for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &title, const QString &text,
                          Default answer = Default::Yes) = 0;
    /// How a text query shows what is typed.
    enum class Echo { Normal, Password };

    /// A text query; nothing when cancelled.
    virtual std::optional<QString> askText(QWidget *parent, const QString &title, const QString &label,
                                           const QString &initial, Echo echo = Echo::Normal) = 0;
    /// The file dialog for a file to write, offering `suggested`; `filter`
    /// as Qt's file dialogs take it ("CSV files (*.csv);;…"), the one
    /// chosen told in `chosenFilter` when given. Nothing when cancelled.
    virtual std::optional<QString> askSaveFile(QWidget *parent, const QString &title, const QString &suggested,
                                               const QString &filter, QString *chosenFilter = nullptr) = 0;
    /// The file dialog for a file to read; nothing when cancelled.
    virtual std::optional<QString> askOpenFile(QWidget *parent, const QString &title, const QString &filter) = 0;
    /// What to do with changes that are not saved.
    enum class Changes { Save, Discard, Cancel };
    /// The question Save, Discard or Cancel; Enter saves, Escape cancels.
    virtual Changes askSaveChanges(QWidget *parent, const QString &title, const QString &text) = 0;

    /// The platform's font dialog; nothing when cancelled.
    virtual std::optional<QFont> askFont(QWidget *parent, const QFont &initial) = 0;
};

/// The dialogs in use: Qt's own unless a test installed others.
Dialogs &dialogs();

/// Installs other dialogs (nullptr puts Qt's back); the caller keeps ownership.
void setDialogs(Dialogs *replacement);

/// The person at a window, as the desk asks them: through the dialogs in
/// use, over `parent`, under the window's `caption`.
class WindowUser final : public DeskUser
{
public:
    WindowUser(QWidget *parent, QString caption) : m_parent(parent), m_caption(std::move(caption)) {}
    void tell(const QString &text) override;
    bool ask(const QString &question, bool yesByDefault) override;
    std::optional<QString> askPassword(const QString &question) override;
    QWidget *parent() const { return m_parent; }

private:
    QWidget *m_parent;
    QString m_caption;
};
