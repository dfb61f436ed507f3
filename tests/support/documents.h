#pragma once

// Reading back what the program writes, as other programs would: a .docx through
// python-docx (tests/support/docx_inspect.py), a PDF through poppler's pdftotext and pdfinfo.

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace hovtest {

// What python-docx reads from the document: {"paragraphs": [{text, bidi, justified, rtlRuns,
// picture}], "pictures": [{pxWidth, pxHeight, contentType, emuWidth, emuHeight}],
// "sectionBidi"}; the first picture's file is written to `picturePath` when given. Empty when
// python-docx could not read it.
inline QJsonObject inspectDocx(const QString& path, const QString& picturePath = QString()) {
    QProcess python;
    QStringList args{QStringLiteral(HOV_SOURCE_DIR "/tests/support/docx_inspect.py"), path};
    if (!picturePath.isEmpty())
        args << picturePath;
    python.start(QStringLiteral("/usr/bin/python3"), args);
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning().noquote() << "python-docx could not read" << path
                             << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// Text made comparable with pdftotext's output: presentation forms folded (NFKC), directional
// marks and all blanks dropped. The lam-alef ligature is dropped too: the PDF maps one glyph
// to one letter, so the two letters of the ligature do not come back out.
inline QString normalised(QString text) {
    text = text.normalized(QString::NormalizationForm_KC);
    static const QRegularExpression noise(
        QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}\\s]"));
    return text.remove(noise).remove(QStringLiteral("لا"));
}

// The text of a PDF (one page, or all for 0), normalised.
inline QString pdfText(const QString& pdf, int page = 0) {
    QStringList args{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << pdf << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    return normalised(QString::fromUtf8(p.readAllStandardOutput()));
}

inline int pdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace hovtest
