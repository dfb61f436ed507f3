#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace hov::report {

// What goes into an exported document: optionally a picture, then the text, one paragraph
// per line (CR LF, LF or CR end a line).
struct DocxContent {
    QString text;
    // Null for a document of text only. With a picture the body is: an empty paragraph,
    // the picture inline, three empty paragraphs, then the text.
    QImage picture;
};

// The family written for every run: a free face with Persian letters; a word processor
// without it falls back to another face that has them.
inline const QString kDocxFontFamily = QStringLiteral("Noto Naskh Arabic");

// A .docx (WordprocessingML in a stored zip) with right-to-left, justified paragraphs. The
// picture is embedded as PNG at its pixel size, shown at 96 dpi and scaled down to the text
// width when wider. Characters that XML 1.0 forbids are dropped. Empty on failure.
std::optional<QByteArray> buildDocx(const DocxContent& content, QString* error = nullptr);

// Builds the document and writes it through a temporary file that replaces `path` only once
// it is complete: on any failure `path` keeps its earlier content and false comes back with
// the reason in *error.
bool saveDocx(const QString& path, const DocxContent& content, QString* error = nullptr);

// Writes bytes to `path` the same way (temporary file, then rename).
bool saveFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The text without the characters XML 1.0 forbids (C0 controls other than tab, LF and CR,
// the C1 controls, U+FFFE, U+FFFF and unpaired surrogates).
QString xmlSafeText(const QString& text);

} // namespace hov::report
