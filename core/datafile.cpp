// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "core/bidi.h"

namespace {

constexpr const char *kCodePage = "windows-1256";

[[noreturn]] void Fail(const QString &message) { throw ChequeError(message.toStdString()); }

QString Native(const QString &path) { return QDir::toNativeSeparators(path); }

[[noreturn]] void FailRead(const QString &path, const QString &reason)
{
    Fail(QCoreApplication::translate("DataFile", "Cannot read the file \"%1\": %2").arg(Native(path), reason));
}

std::function<void(SaveStep, int)> &StepHook()
{
    static std::function<void(SaveStep, int)> hook;
    return hook;
}

void Step(SaveStep step, int index = 0)
{
    if (StepHook())
        StepHook()(step, index);
}

} // namespace

void SetSaveStepHook(std::function<void(SaveStep, int)> hook) { StepHook() = std::move(hook); }

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

QString DecodeDataBytes(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        return QString(utf8.decode(QByteArrayView(bytes).sliced(3))).remove(QChar(0xFEFF));
    }
    // Bytes of Windows-1256 letters almost never form valid UTF-8 sequences;
    // a file that does hold such sequences, and nothing else beyond ASCII,
    // was saved as UTF-8.
    const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
    if (beyondAscii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text.remove(QChar(0xFEFF)); // byte-order marks of files joined together
    }
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes);
}

QStringList ReadDataFile(const QString &path)
{
    // Looked at before it is opened: opening a FIFO waits for a writer, and
    // a device such as /dev/zero never ends.
    const QFileInfo info(path);
    if (!info.exists())
        FailRead(path, QCoreApplication::translate("DataFile", "No such file or directory"));
    if (!info.isFile())
        FailRead(
            path,
            QCoreApplication::translate("DataFile", "it is not a regular file (it is a folder, a FIFO or a device)"));
    if (info.size() > MaxDataFileBytes)
        FailRead(
            path,
            QCoreApplication::translate("DataFile", "at %1 MB it is far larger than any file of this program can be")
                .arg(info.size() / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        FailRead(path, file.errorString());
    const QByteArray bytes = file.read(MaxDataFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        FailRead(path, file.errorString());
    if (bytes.size() > MaxDataFileBytes)
        FailRead(path,
                 QCoreApplication::translate("DataFile", "it is far larger than any file of this program can be"));
    if (!QStringDecoder(kCodePage).isValid())
        FailRead(path, QCoreApplication::translate("DataFile", "the Windows-1256 code page is not available"));
    return SplitDataLines(DecodeDataBytes(bytes));
}

namespace {

// The text as the code page stores it, and whether it comes back whole: the
// encoder writes a substitute byte for a character it lacks (with its error
// flag set), and drops some (a zero-width no-break space) without a word.
bool Encodes(const QString &text, QByteArray *bytes = nullptr)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray out = encoder.encode(text);
    if (encoder.hasError())
        return false;
    QStringDecoder decoder(kCodePage);
    if (QString(decoder.decode(out)) != text)
        return false;
    if (bytes)
        *bytes = out;
    return true;
}

} // namespace

std::optional<QString> FirstUnencodable(const QString &text)
{
    if (Encodes(text))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        if (ch.at(0).isSurrogate() || !Encodes(ch))
            return ch;
        i += len;
    }
    return text.left(1); // not reached: the whole text failed, so one character did
}

QString Shown(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool control =
            u < 0x20 || (u >= 0x7f && u < 0xa0) || u == 0x2028 || u == 0x2029 || IsDirectionalFormatting(u);
        if (!control)
            shown += c;
        else if (u < 0x100)
            shown += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            shown += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
    }
    return shown;
}

QString DescribeCharacter(const QString &character)
{
    const uint code = character.isEmpty() ? 0 : character.toUcs4().value(0);
    const bool printable = character.size() > 0 && (character.at(0).isPrint() || character.at(0).isSurrogate());
    const QString hex = QStringLiteral("U+%1").arg(code, 4, 16, QLatin1Char('0')).toUpper();
    return printable ? QCoreApplication::translate("DataFile", "\u00AB%1\u00BB (%2)").arg(character, hex) : hex;
}

QByteArray EncodeDataLines(const QStringList &lines, const QString &path)
{
    // The whole file goes through one encoder; only a file that does not
    // encode is taken line by line, to name what cannot be stored.
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += u"\r\n";
    }
    QByteArray bytes;
    const bool whole = Encodes(text, &bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.contains(u'\r') || line.contains(u'\n'))
            Fail(QCoreApplication::translate("DataFile", "Cannot write the file \"%1\": line %2 holds a line break.")
                     .arg(Native(path))
                     .arg(i + 1));
        if (whole)
            continue;
        if (!QStringEncoder(kCodePage).isValid())
            Fail(QCoreApplication::translate(
                     "DataFile", "Cannot write the file \"%1\": the Windows-1256 code page is not available")
                     .arg(Native(path)));
        if (const auto bad = FirstUnencodable(line))
            Fail(QCoreApplication::translate("DataFile",
                                             "Cannot write the file \"%1\": the character %2 on line %3 cannot be "
                                             "stored in the Windows-1256 code page.")
                     .arg(Native(path), DescribeCharacter(*bad))
                     .arg(i + 1));
    }
    return bytes;
}

namespace {

[[noreturn]] void FailWrite(const QString &path, const QString &reason)
{
    Fail(QCoreApplication::translate("DataFile", "Cannot write the file \"%1\": %2").arg(Native(path), reason));
}

// The file a save really replaces: a link is written through, as an editor
// would; a link to nothing is refused rather than followed to create a file
// somewhere else, and anything but a regular file is never replaced.
QString WriteTarget(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QFileInfo target(info.symLinkTarget());
        if (!target.exists())
            FailWrite(path,
                      QCoreApplication::translate("DataFile", "it is a link to \"%1\", which does not exist")
                          .arg(Native(info.symLinkTarget())));
    }
    if (info.exists() && !info.isFile())
        FailWrite(
            path,
            QCoreApplication::translate("DataFile", "it is not a regular file (it is a folder, a FIFO or a device)"));
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

// Writes `bytes` as the whole of `path`, through a temporary file that
// replaces it only once every byte is on disk.
void SaveWhole(const QString &path, const QByteArray &bytes, const QString &named)
{
    SaveStream file(path, named);
    file.write(bytes);
    file.commit();
}

bool Replace(const QString &from, const QString &to)
{
    // rename(2) puts the new file in place of the old one in one step;
    // QFile::rename refuses an existing target.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString StagedName(const QString &target) { return target + QStringLiteral(".new"); }

} // namespace

// Unbuffered, with a buffer of its own: a buffered save file that cannot
// flush its last bytes still reports success and puts the short file in
// place.
SaveStream::SaveStream(const QString &path, const QString &named)
    : m_named(named.isEmpty() ? path : named)
    , m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        FailWrite(m_named, m_file.errorString());
}

void SaveStream::write(QByteArrayView bytes)
{
    constexpr qsizetype kChunk = 1 << 20;
    m_buffer.append(bytes);
    if (m_buffer.size() >= kChunk)
        flush();
}

void SaveStream::flush()
{
    qint64 written = 0;
    while (written < m_buffer.size()) {
        const qint64 n = m_file.write(m_buffer.constData() + written, m_buffer.size() - written);
        if (n <= 0) {
            const QString reason = m_file.errorString();
            m_file.cancelWriting();
            FailWrite(m_named, reason);
        }
        written += n;
    }
    m_buffer.resize(0); // keeps its room for the next chunk
}

void SaveStream::commit()
{
    flush();
    if (!m_file.commit())
        FailWrite(m_named, m_file.errorString());
}

void WriteDataFile(const QString &path, const QStringList &lines)
{
    const QByteArray bytes = EncodeDataLines(lines, path);
    SaveWhole(WriteTarget(path), bytes, path);
}

void WriteDataFiles(const QList<DataFileContent> &files)
{
    if (files.size() == 1) {
        WriteDataFile(files.first().path, files.first().lines);
        return;
    }
    if (files.isEmpty())
        return;

    // Every text and every target is checked before anything is written.
    QList<QByteArray> encoded;
    QStringList targets;
    for (const DataFileContent &f : files) {
        encoded.append(EncodeDataLines(f.lines, f.path));
        targets.append(WriteTarget(f.path));
    }

    const QString marker = QFileInfo(files.first().path).absoluteDir().filePath(QLatin1String(PendingSaveFileName));
    auto dropStaged = [&] {
        for (const QString &target : targets)
            QFile::remove(StagedName(target));
    };
    try {
        for (qsizetype i = 0; i < files.size(); ++i) {
            SaveWhole(StagedName(targets.at(i)), encoded.at(i), files.at(i).path);
            Step(SaveStep::Staged, int(i));
        }
        SaveWhole(marker, targets.join(u'\n').toUtf8() + '\n', marker);
    } catch (const ChequeError &) {
        QFile::remove(marker);
        dropStaged();
        throw;
    }
    Step(SaveStep::Marked);

    for (qsizetype i = 0; i < targets.size(); ++i) {
        if (!Replace(StagedName(targets.at(i)), targets.at(i))) {
            // The marker stays: the next start puts the rest in place, so the
            // files still change together.
            FailWrite(files.at(i).path, QString::fromLocal8Bit(std::strerror(errno)));
        }
        Step(SaveStep::Replaced, int(i));
    }
    QFile::remove(marker);
    Step(SaveStep::Done);
}

SaveRecovery FinishInterruptedSave(const QString &dir, const QStringList &names)
{
    SaveRecovery recovery;
    const QDir folder(dir);
    const QString marker = folder.filePath(QLatin1String(PendingSaveFileName));
    if (QFileInfo(marker).isFile()) {
        QFile file(marker);
        if (file.size() <= MaxDataFileBytes && file.open(QIODevice::ReadOnly)) {
            const QStringList targets = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
            for (const QString &target : targets) {
                const QString staged = StagedName(target);
                if (QFileInfo(staged).isFile() && Replace(staged, target))
                    recovery.finished << target;
            }
        }
        QFile::remove(marker);
    }

    // What is left are new files whose save never reached its marker, and
    // the save files' own temporary files (NAME.XXXXXX, six random letters
    // and digits). Six lower-case letters are left alone: "banks.txt.backup"
    // is more likely a user's copy than a temporary file.
    for (const QString &name : names) {
        const QRegularExpression leftover(
            QStringLiteral("^%1(\\.new)?(\\.([A-Za-z0-9]{6}))?$").arg(QRegularExpression::escape(name)));
        for (const QFileInfo &entry : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
            const QString file = entry.fileName();
            const QRegularExpressionMatch m = leftover.match(file);
            if (file == name || !m.hasMatch() || !entry.isFile())
                continue;
            const QString random = m.captured(3);
            const bool word = !random.isEmpty() && m.captured(1).isEmpty()
                && std::all_of(random.begin(), random.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
            if (word)
                continue;
            if (QFile::remove(entry.absoluteFilePath()))
                recovery.removed << file;
        }
    }
    return recovery;
}

QString WithSuffixOf(const QString &fileName, const QString &nameFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*(\\.[^ );]+)"));
    QStringList suffixes;
    for (auto it = pattern.globalMatch(nameFilter); it.hasNext();)
        suffixes << it.next().captured(1);
    if (suffixes.isEmpty())
        return fileName;
    for (const QString &suffix : std::as_const(suffixes))
        if (fileName.endsWith(suffix, Qt::CaseInsensitive))
            return fileName;
    return fileName + suffixes.first();
}

QString WithAsciiDigits(QString text)
{
    for (QChar &c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x0660 && u <= 0x0669)
            c = QChar(u'0' + (u - 0x0660));
        else if (u >= 0x06F0 && u <= 0x06F9)
            c = QChar(u'0' + (u - 0x06F0));
    }
    return text;
}
