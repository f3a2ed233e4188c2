// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Dialogs answered by a test: messages are recorded, questions get the
// answers queued beforehand.

#include <QQueue>
#include <QStringList>

#include "gui/widgets/dialogs.h"

class TestDialogs final : public Dialogs
{
public:
    TestDialogs() { setDialogs(this); }
    ~TestDialogs() override { setDialogs(nullptr); }

    QStringList messages;
    QQueue<bool> yesNoAnswers;
    QQueue<std::optional<QString>> textAnswers;
    QQueue<std::optional<QFont>> fontAnswers;
    QStringList questions;

    void showMessage(QWidget *, const QString &title, const QString &text, Tone) override
    {
        messages << title + ": " + text;
    }
    QList<Default> questionDefaults; ///< the answer Enter would give, per question

    bool askYesNo(QWidget *, const QString &, const QString &text, Default answer) override
    {
        questions << text;
        questionDefaults << answer;
        return !yesNoAnswers.isEmpty() && yesNoAnswers.dequeue();
    }
    QList<Echo> echoes; ///< how each text query showed the text
    std::optional<QString> askText(QWidget *, const QString &, const QString &label, const QString &,
                                   Echo echo) override
    {
        questions << label;
        echoes << echo;
        return textAnswers.isEmpty() ? std::nullopt : textAnswers.dequeue();
    }
    QQueue<std::optional<QString>> fileAnswers; ///< the files the file dialogs choose
    QStringList fileTitles;
    std::optional<QString> askSaveFile(QWidget *, const QString &title, const QString &, const QString &,
                                       QString *) override
    {
        fileTitles << title;
        return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.dequeue();
    }
    std::optional<QString> askOpenFile(QWidget *, const QString &title, const QString &) override
    {
        fileTitles << title;
        return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.dequeue();
    }
    QQueue<Changes> changesAnswers; ///< Cancel when empty
    QStringList changesAsked;
    Changes askSaveChanges(QWidget *, const QString &, const QString &text) override
    {
        changesAsked << text;
        return changesAnswers.isEmpty() ? Changes::Cancel : changesAnswers.dequeue();
    }

    QList<QFont> fontsAsked; ///< the font each font dialog opened on

    std::optional<QFont> askFont(QWidget *, const QFont &initial) override
    {
        fontsAsked << initial;
        return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.dequeue();
    }
};
