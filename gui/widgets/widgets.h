// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small widgets the windows share.

#include <functional>
#include <optional>

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QSpinBox>
#include <QStringList>
#include <QValidator>

#include "output/readingorder.h"

class QAbstractButton;
class QButtonGroup;
class QDateEdit;
class QLabel;
class QPushButton;
class QLineEdit;

/// A titled group of radio buttons with one selected item, as the windows use
/// them: the selection is read and set by position, and `clicked` tells that
/// the user chose an item.
class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    RadioGroup(const QString &title, const QStringList &items, int columns, QWidget *parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index); ///< -1 clears; emits no click (itemChanged only)
    int count() const;
    QStringList items() const;
    /// The radio button of item `index` (for the keyboard's tab order: the
    /// group box itself takes no focus).
    QAbstractButton *button(int index) const;

signals:
    /// The user chose item `index`.
    void clicked(int index);
    /// The item checked changed, chosen or set (-1: none).
    void itemChanged(int index);

private:
    QButtonGroup *m_group;
};

/// A push button of a window's row of actions, named for tests; Enter does
/// not press it.
QPushButton *Button(const QString &text, const QString &name, QWidget *parent);

/// A plain-text label that wraps its lines, named for tests (a window's
/// totals or status line).
QLabel *WrappingLabel(const QString &name, QWidget *parent);

/// In a right-to-left interface, mirrors the controls a container places
/// itself (not those of its layout) within its `width`: a caption left of
/// its box comes to stand right of it, and a caption set against one side
/// is set against the other. Nothing in a left-to-right interface.
void MirrorForRightToLeft(QWidget *container, int width);

/// `text` (a date, a time, an amount, a file name) kept in its own reading
/// order where it stands among words of the other direction: wrapped in a
/// first-strong isolate in a right-to-left interface, or where it holds
/// right-to-left characters; as it is otherwise.

/// A bank choice (choose only, no typing) that tells when its list closes,
/// chosen or not, and shows a name longer than its box without cutting its
/// start: the name is set against the side it begins on (the right for an
/// Arabic name) and ends in "…", the whole name in the tool tip and in a
/// list as wide as the longest name.
class BankComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit BankComboBox(QWidget *parent = nullptr);

    void hidePopup() override;
    void showPopup() override;
    /// Asked before the list opens; false keeps it closed.
    void setBeforePopup(std::function<bool()> check) { m_beforePopup = std::move(check); }

signals:
    /// The drop-down list has closed.
    void closedUp();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::function<bool()> m_beforePopup;
};

/// A whole-number box that takes any number as it is typed (a keystroke is
/// never dropped) and brings it into its range when the user leaves it: too
/// large gives the maximum, too small or empty the minimum. While the typed
/// number is out of range its tool tip says so.
class CountBox : public QSpinBox
{
    Q_OBJECT

public:
    using QSpinBox::QSpinBox;

    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    std::optional<qlonglong> ReadCount(const QString &text) const;
    void tell(const QString &why) const;
};

/// Accepts only text that the Windows-1256 code page of the data files can
/// hold. The line edit then keeps its previous text when such a character is
/// typed or pasted.
class Cp1256Validator : public QValidator
{
    Q_OBJECT

public:
    /// `forbidden`: characters refused as well, such as a file's separator.
    explicit Cp1256Validator(QObject *parent = nullptr, QString forbidden = {})
        : QValidator(parent)
        , m_forbidden(std::move(forbidden))
    {}
    State validate(QString &input, int &pos) const override;

private:
    QString m_forbidden;
};

/// Puts a Cp1256Validator on `edit` and, when input is refused, tells the
/// user why (a tool tip at the box; the text is also kept in the edit's
/// "rejection" property). `fileName` is the file the text is kept in;
/// `separator`, when given, is the sign that ends an item there, refused too.
void RestrictToCp1256(QLineEdit *edit, const QString &fileName, const QString &separator = {});

/// The first character of `text` that a data file cannot keep: one outside
/// the Windows-1256 code page, or `separator`, the sign that ends an item
/// in that file. Nothing when every character can be kept.
std::optional<QString> RefusedCharacter(const QString &text, const QString &separator = {});

/// The sentence shown when a character cannot be kept in `fileName`.
QString Cp1256RefusalText(const QString &fileName, const QString &separator = {});

/// A label that shows its text as it stands, never as markup (a text from a
/// data file could otherwise show pictures or read local files).
QLabel *PlainLabel(const QString &text, QWidget *parent);

/// A date box that shows day, month and year in the order the desktop
/// writes them, in either direction of the interface (a right-to-left box
/// turns the format's order round), without the direction marks of an
/// Arabic desktop's format: as the cheques' dates are written.
void DateInWritingOrder(QDateEdit *date);

/// Fits every caption of `window` into its control: where a fixed bound is
/// too small for its own caption in the fonts this platform has (or a
/// caption as wide as its text would run past its parent's edge), that
/// caption's font is made smaller until it fits; the bounds stay (but for
/// a control given a "captionGrowsFrom" width: it grows from that width
/// towards its parent's edge first). Run again
/// after the captions change (a new language): it starts from the fonts the
/// captions had first.
void FitCaptions(QWidget *window);

/// Runs `work` once, when `window` is first shown (before it is painted):
/// what only a shown window needs (measuring its captions, which loads
/// their fonts) is not done at start for a window nobody opens.
void OnFirstShow(QWidget *window, std::function<void()> work);

/// The width a caption needs in its control: the text and what the control
/// draws around it (a check box's box, a button's frame and picture).
int CaptionWidth(const QWidget *control);

/// A caption at (left, top), as wide as its text (once FitCaptions has run).
QLabel *Caption(const QString &text, QWidget *parent, int left, int top);

/// A picture of the program's own (print, setup), in every size it has.
QIcon ResourceIcon(const QString &name);

/// A font with its size in pixels.
QFont PixelFont(const QString &family, int pixels, bool bold = false);
