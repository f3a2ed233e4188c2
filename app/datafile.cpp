#include "datafile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <memory>
#include <vector>

namespace {

constexpr const char *kCodePage = "windows-1256";

[[noreturn]] void Fail(const QString &message) { throw ChequeError(message.toStdString()); }

QString Native(const QString &path) { return QDir::toNativeSeparators(path); }

} // namespace

QStringList SplitDataLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList ReadDataFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("Cannot read the file \"%1\": %2").arg(Native(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        Fail(QStringLiteral("Cannot read the file \"%1\": %2").arg(Native(path), file.errorString()));
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid())
        Fail(QStringLiteral("Cannot read the file \"%1\": the Windows-1256 code page is not available")
                 .arg(Native(path)));
    const QString text = decoder.decode(bytes);
    return SplitDataLines(text);
}

std::optional<QString> FirstUnencodable(const QString &text)
{
    QStringEncoder whole(kCodePage);
    const QByteArray all = whole.encode(text);
    if (!whole.hasError())
        return std::nullopt;
    // The encoder's error flag is sticky: each character gets a fresh one.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        QStringEncoder one(kCodePage);
        const QByteArray bytes = one.encode(ch);
        if (one.hasError() || ch.at(0).isSurrogate())
            return ch;
        i += len;
    }
    return text.left(1); // not reached: the whole text failed, so one character did
}

QString DescribeCharacter(const QString &character)
{
    const uint code = character.isEmpty() ? 0 : character.toUcs4().value(0);
    const bool printable = character.size() > 0 && (character.at(0).isPrint() || character.at(0).isSurrogate());
    const QString hex = QStringLiteral("U+%1").arg(code, 4, 16, QLatin1Char('0')).toUpper();
    return printable ? QStringLiteral("\u00AB%1\u00BB (%2)").arg(character, hex) : hex;
}

QByteArray EncodeDataLines(const QStringList &lines, const QString &path)
{
    QByteArray out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.contains(u'\r') || line.contains(u'\n'))
            Fail(QStringLiteral("Cannot write the file \"%1\": line %2 holds a line break.")
                     .arg(Native(path))
                     .arg(i + 1));
        QStringEncoder encoder(kCodePage); // its error flag is sticky: one per line
        if (!encoder.isValid())
            Fail(QStringLiteral("Cannot write the file \"%1\": the Windows-1256 code page is not available")
                     .arg(Native(path)));
        const QByteArray bytes = encoder.encode(line);
        if (encoder.hasError())
            Fail(QStringLiteral("Cannot write the file \"%1\": the character %2 on line %3 cannot be "
                                "stored in the Windows-1256 code page.")
                     .arg(Native(path), DescribeCharacter(FirstUnencodable(line).value_or(QString())))
                     .arg(i + 1));
        out += bytes;
        out += "\r\n";
    }
    return out;
}

namespace {

[[noreturn]] void FailWrite(const QString &path, const QString &reason)
{
    Fail(QStringLiteral("Cannot write the file \"%1\": %2").arg(Native(path), reason));
}

// A file written in full beside its target, not yet put in its place.
struct StagedFile
{
    std::unique_ptr<QSaveFile> file;
    QString path;
    std::optional<QByteArray> oldBytes; // what the target held, to put back
};

StagedFile Stage(const QString &path, const QByteArray &bytes, bool keepOld)
{
    StagedFile staged{std::make_unique<QSaveFile>(path), path, std::nullopt};
    if (QFile old(path); keepOld && old.exists() && old.open(QIODevice::ReadOnly))
        staged.oldBytes = old.readAll();
    if (!staged.file->open(QIODevice::WriteOnly))
        FailWrite(path, staged.file->errorString());
    if (staged.file->write(bytes) != bytes.size()) {
        const QString reason = staged.file->errorString();
        staged.file->cancelWriting();
        FailWrite(path, reason);
    }
    return staged;
}

// Puts back what a target held before its staged file replaced it.
void Restore(const StagedFile &staged)
{
    if (!staged.oldBytes) {
        QFile::remove(staged.path);
        return;
    }
    QSaveFile restore(staged.path);
    if (restore.open(QIODevice::WriteOnly) && restore.write(*staged.oldBytes) == staged.oldBytes->size())
        restore.commit();
}

} // namespace

void WriteDataFiles(const QList<DataFileContent> &files)
{
    // Every text is checked before any file is touched.
    QList<QByteArray> encoded;
    for (const DataFileContent &f : files)
        encoded.append(EncodeDataLines(f.lines, f.path));

    // Old contents are only needed to undo one file of several.
    std::vector<StagedFile> staged;
    for (qsizetype i = 0; i < files.size(); ++i)
        staged.push_back(Stage(files.at(i).path, encoded.at(i), files.size() > 1));

    for (std::size_t i = 0; i < staged.size(); ++i) {
        if (staged[i].file->commit())
            continue;
        const QString reason = staged[i].file->errorString();
        for (std::size_t later = i + 1; later < staged.size(); ++later)
            staged[later].file->cancelWriting();
        for (std::size_t earlier = 0; earlier < i; ++earlier)
            Restore(staged[earlier]);
        FailWrite(staged[i].path, reason);
    }
}

void WriteDataFile(const QString &path, const QStringList &lines)
{
    WriteDataFiles({{path, lines}});
}
