// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading a printed PDF back: its words with their boxes (pdftotext -bbox)
// and its page size (pdfinfo).

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

inline constexpr double kMmPerPt = 25.4 / 72.0;

struct Word
{
    QString text;
    double xMin, yMin, xMax, yMax; // millimetres
};

/// What a poppler tool prints for `pdf`; with `page` (counted from 1), for
/// that page alone.
inline QString PopplerOutput(const QString &tool, QStringList args, const QString &pdf, int page = 0)
{
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    args << pdf;
    if (tool == QLatin1String("pdftotext"))
        args << "-";
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

/// The words of a PDF, or of its page `page` (counted from 1) alone.
inline QList<Word> WordsOf(const QString &pdf, int page = 0)
{
    const QString html = PopplerOutput("pdftotext", {"-bbox"}, pdf, page);
    static const QRegularExpression re(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QList<Word> words;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(5);
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'");
        text.replace("&amp;", "&");
        words.append({text, m.captured(1).toDouble() * kMmPerPt, m.captured(2).toDouble() * kMmPerPt,
                      m.captured(3).toDouble() * kMmPerPt, m.captured(4).toDouble() * kMmPerPt});
    }
    return words;
}

inline int PageCount(const QString &pdf)
{
    static const QRegularExpression re(R"re(Pages:\s+(\d+))re");
    return re.match(PopplerOutput("pdfinfo", {}, pdf)).captured(1).toInt();
}

inline QString PageSize(const QString &pdf)
{
    static const QRegularExpression re(R"re(Page size:\s+([\d.]+ x [\d.]+) pts)re");
    return re.match(PopplerOutput("pdfinfo", {}, pdf)).captured(1);
}

// The words of a PDF (or of one page), in reading order, without their boxes.
inline QStringList TextsOf(const QString &pdf, int page = 0)
{
    QStringList texts;
    for (const Word &w : WordsOf(pdf, page))
        texts << w.text;
    return texts;
}

// The text of a PDF (or of one page) as one string of letters for finding
// words in: poppler gives Arabic as presentation forms, a letter at a time
// between direction marks; they are brought back to plain letters, and
// blanks and line ends dropped.
inline QString LettersOf(const QString &pdf, int page = 0)
{
    QString text = PopplerOutput("pdftotext", {"-raw"}, pdf, page).normalized(QString::NormalizationForm_KC);
    text.remove(QRegularExpression(QStringLiteral("[\\s\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]")));
    return text;
}
