// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's data files: whole files of Windows-1256 text lines.

#include <functional>
#include <optional>

#include <QSaveFile>
#include <QString>
#include <QStringList>

#include "core/chequeerror.h"

/// The largest data file the program reads: far above any real bank list
/// (10,000 banks make an options.txt of about 3 MB). Anything larger is not
/// one of its files.
inline constexpr qint64 MaxDataFileBytes = 64 * 1024 * 1024;

/// Reads a whole data file as lines. CR LF, LF and CR all end a line; a last
/// line without an end counts, an end at the very end of the file adds no
/// empty line. The text is Windows-1256, unless the file starts with a UTF-8
/// byte-order mark or is valid UTF-8 holding letters beyond ASCII (a file
/// saved by another editor): then it is read as UTF-8, and written back in
/// Windows-1256 at the next save. Raises ChequeError naming the file when it
/// cannot be read, is not a regular file (a folder, a FIFO, a device) or is
/// larger than MaxDataFileBytes; such a file is never read from, so nothing
/// can hang or exhaust memory on it.
QStringList ReadDataFile(const QString &path);

/// Decodes the bytes of a data file as ReadDataFile does.
QString DecodeDataBytes(const QByteArray &bytes);

/// Splits decoded text into lines as ReadDataFile does.
QStringList SplitDataLines(const QString &text);

/// Writes the lines as Windows-1256 with CR LF after every line, through a
/// temporary file that replaces the old one only once it is complete and on
/// disk. Raises ChequeError naming the file, and leaves the old file as it
/// was, when a line holds a character that Windows-1256 cannot store or a
/// line break, when the target is not a regular file or is a link to nothing,
/// or when the file cannot be written (a full disk included).
void WriteDataFile(const QString &path, const QStringList &lines);

/// A file written whole or not at all, piece by piece (an export of many
/// rows): every piece is checked on its way to the disk, so that a full disk
/// fails at once instead of leaving a short file that reports success, and
/// the file replaces `path` only at commit(). Dropped without commit(), it
/// leaves `path` as it was. Raises ChequeError naming the file (as `named`,
/// when given: a link rather than its target).
class SaveStream
{
public:
    explicit SaveStream(const QString &path, const QString &named = QString());
    void write(QByteArrayView bytes);
    void commit();

private:
    void flush();

    QString m_named;
    QSaveFile m_file;
    QByteArray m_buffer;
};

/// A file and the lines it is to hold.
struct DataFileContent
{
    QString path;
    QStringList lines;
};

/// Writes several files of one folder so that they change together, even
/// when the process dies half-way: every text is checked first; each new
/// file is written in full beside its target (as "NAME.new"); a marker
/// (PendingSaveFileName) then records that they are to replace the targets;
/// the targets are replaced and the marker removed. A marker found at the
/// next start means the replacement goes on (FinishInterruptedSave). Raises
/// ChequeError naming the file that failed; unless the marker was written,
/// no target has changed.
void WriteDataFiles(const QList<DataFileContent> &files);

/// The marker of a save of several files that has not finished.
inline constexpr const char *PendingSaveFileName = "save.pending";

/// What FinishInterruptedSave found and did.
struct SaveRecovery
{
    QStringList finished; ///< targets put in place from an interrupted save
    QStringList removed;  ///< temporary files of interrupted saves, deleted
};

/// Completes or undoes what a save killed half-way left in `dir`, before any
/// data file is read: with a marker, the new files named there replace their
/// targets; without one, new files that never got a marker are deleted (the
/// old ones are whole). Leftover temporary files of the data files `names`
/// ("banks.txt.XXXXXX" and the like) are deleted in both cases.
SaveRecovery FinishInterruptedSave(const QString &dir, const QStringList &names);

/// The steps of WriteDataFiles, for tests that stop a real process between
/// them.
enum class SaveStep { Staged, Marked, Replaced, Done };

/// Runs `hook` after each step (with the index of the file for Staged and
/// Replaced). For tests only; an empty function removes it.
void SetSaveStepHook(std::function<void(SaveStep, int)> hook);

/// Encodes lines as WriteDataFile writes them; `path` only names the file in
/// the error.
QByteArray EncodeDataLines(const QStringList &lines, const QString &path);

/// The first character of `text` that Windows-1256 cannot store, if any.
std::optional<QString> FirstUnencodable(const QString &text);

/// A text from a file or the user as a message quotes it: control
/// characters, line and paragraph separators and the marks that reorder
/// text around them are written as escapes ("\x1b", "\u202e"), so that a
/// message is one line that shows what it says.
QString Shown(const QString &text);

/// `text` with its Arabic-Indic and Eastern Arabic-Indic digits (٠–٩, ۰–۹)
/// as ASCII digits: a date or a number typed on an Arabic keyboard.
QString WithAsciiDigits(QString text);

/// `fileName` as a save under `nameFilter` ("Excel workbooks (*.xlsx)")
/// writes it: with the filter's first suffix when it has none of the
/// filter's own (a name typed without ".xlsx" under that filter is a
/// workbook, not a CSV file).
QString WithSuffixOf(const QString &fileName, const QString &nameFilter);

/// A character for a message: the character itself and its code point, as
/// "«ß» (U+00DF)".
QString DescribeCharacter(const QString &character);

/// Converts between the texts of the amount-in-words code and Qt's.
inline std::string ToStd(const QString &s) { return s.toStdString(); }
inline QString FromStd(const std::string &s) { return QString::fromStdString(s); }
