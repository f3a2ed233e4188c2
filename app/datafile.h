#pragma once

// The program's data files: whole files of Windows-1256 text lines.

#include <optional>

#include <QString>
#include <QStringList>

#include "chequeerror.h"

/// Reads a whole Windows-1256 text file as lines. CR LF, LF and CR all end a
/// line; a last line without an end counts, an end at the very end of the file
/// adds no empty line. Raises ChequeError naming the file when it cannot be
/// read.
QStringList ReadDataFile(const QString &path);

/// Splits decoded text into lines as ReadDataFile does.
QStringList SplitDataLines(const QString &text);

/// Writes the lines as Windows-1256 with CR LF after every line, through a
/// temporary file that replaces the old one only once it is complete. Raises
/// ChequeError naming the file, and leaves the old file as it was, when a
/// line holds a character that Windows-1256 cannot store or a line break, or
/// when the file cannot be written.
void WriteDataFile(const QString &path, const QStringList &lines);

/// A file and the lines it is to hold.
struct DataFileContent
{
    QString path;
    QStringList lines;
};

/// Writes several files so that they change together: every text is checked
/// first, nothing is replaced until all files are complete beside their
/// targets, and if one cannot be put in place the ones already replaced get
/// their old contents back. Raises ChequeError naming the file that failed.
void WriteDataFiles(const QList<DataFileContent> &files);

/// Encodes lines as WriteDataFile writes them; `path` only names the file in
/// the error.
QByteArray EncodeDataLines(const QStringList &lines, const QString &path);

/// The first character of `text` that Windows-1256 cannot store, if any.
std::optional<QString> FirstUnencodable(const QString &text);

/// A character for a message: the character itself and its code point, as
/// "«ß» (U+00DF)".
QString DescribeCharacter(const QString &character);

/// Converts between the texts of the amount-in-words code and Qt's.
inline std::string ToStd(const QString &s) { return s.toStdString(); }
inline QString FromStd(const std::string &s) { return QString::fromStdString(s); }
