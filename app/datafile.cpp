#include "datafile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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
    QStringEncoder encoder(kCodePage);
    if (!encoder.isValid())
        Fail(QStringLiteral("Cannot write the file \"%1\": the Windows-1256 code page is not available")
                 .arg(Native(path)));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.contains(u'\r') || line.contains(u'\n'))
            Fail(QStringLiteral("Cannot write the file \"%1\": line %2 holds a line break.")
                     .arg(Native(path))
                     .arg(i + 1));
        if (const auto bad = FirstUnencodable(line))
            Fail(QStringLiteral("Cannot write the file \"%1\": the character %2 on line %3 cannot be "
                                "stored in the Windows-1256 code page.")
                     .arg(Native(path), DescribeCharacter(*bad))
                     .arg(i + 1));
        const QByteArray bytes = encoder.encode(line);
        out += bytes;
        out += "\r\n";
    }
    return out;
}

void WriteDataFile(const QString &path, const QStringList &lines)
{
    const QByteArray bytes = EncodeDataLines(lines, path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        Fail(QStringLiteral("Cannot write the file \"%1\": %2").arg(Native(path), file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        Fail(QStringLiteral("Cannot write the file \"%1\": %2").arg(Native(path), reason));
    }
    if (!file.commit())
        Fail(QStringLiteral("Cannot write the file \"%1\": %2").arg(Native(path), file.errorString()));
}
