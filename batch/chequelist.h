// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A list of cheques as an office keeps it: a CSV file or an Excel workbook,
// read into rows of cells, the first row naming the columns. No widgets.

#include <optional>

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

class QIODevice;

/// A cell as the file holds it: text, or what a spreadsheet stored (a
/// number, a date, a true/false value).
struct ListCell
{
    enum class Kind { Text, Number, Date, Bool, Error };
    Kind kind = Kind::Text;
    QString text;              ///< the text; a number as a spreadsheet shows it (15 digits), a date as yyyy-MM-dd
    std::optional<QDate> date; ///< for a date
    bool formula = false;      ///< the value of a formula

    static ListCell ofText(const QString &text) { return {Kind::Text, text, std::nullopt, false}; }
    friend bool operator==(const ListCell &, const ListCell &) = default;
};

/// The rows of a list file, each with its number as a spreadsheet program
/// shows it (1 for the header row; an empty line is a row too).
struct ListFile
{
    QList<QList<ListCell>> rows;
    QList<int> rowNumbers;
    /// A workbook whose formulas were never calculated (a generated file
    /// that asks the spreadsheet program to calculate on opening): the
    /// values stored for its formulas are not to be trusted.
    bool uncalculatedFormulas = false;
    QString name; ///< the file's, for messages
};

// The limits of a list, far beyond any real list of cheques, so that a file
// made to exhaust the memory (a few kilobytes that unpack to gigabytes) is
// refused, with its reason, before anything is printed.

/// The largest list file read.
inline constexpr qint64 MaxListFileBytes = 16 * 1024 * 1024;
/// The most rows a list has, its header row aside.
inline constexpr int MaxListRows = 10000;
/// The most columns read; cells beyond them are left alone.
inline constexpr int MaxListColumns = 64;
/// The longest cell, in characters.
inline constexpr int MaxCellChars = 4000;
/// The most characters all the cells of a list hold together (and all the
/// shared texts of a workbook).
inline constexpr qint64 MaxListChars = 8 * 1000 * 1000;
/// The most any part of a workbook may unpack to.
inline constexpr qint64 MaxWorkbookPartBytes = 32 * 1024 * 1024;

/// Reads a CSV file (RFC 4180: quoted fields, doubled quotes, line breaks
/// inside quotes; the delimiter, comma, semicolon or tab, found from the
/// first line; UTF-8 with or without a byte-order mark, else Windows-1256)
/// or an Excel workbook (.xlsx, its first sheet), whichever the file is.
/// Raises ChequeError naming the file, and the line, when it cannot be read
/// or goes beyond the limits above.
ListFile ReadListFile(const QString &path);

/// The CSV reading of ReadListFile on bytes; `name` is the file's, for messages.
ListFile ParseCsv(const QByteArray &bytes, const QString &name);

/// The delimiter of a CSV text: the one of comma, semicolon and tab found
/// most often outside quotes in its first line that is not empty (a comma
/// when none is).
char CsvDelimiter(const QByteArray &utf8);

/// The workbook reading of ReadListFile, from a file or from any device
/// (`name` names it in messages).
ListFile ParseWorkbook(const QString &path);
ListFile ParseWorkbook(QIODevice *device, const QString &name);

/// A spreadsheet's day number as a date, in the 1900 system (where day 60
/// is the 29 February 1900 that never was) or the 1904 system.
std::optional<QDate> SpreadsheetDate(double serial, bool system1904);

/// True when a number format (its built-in number or its code) shows a date.
bool IsDateFormat(int id, const QString &code);
