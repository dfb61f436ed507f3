#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace hov::csv {

// A value that a spreadsheet would take for a formula (it starts with "=", "+", "-", "@",
// a tab or a carriage return) gets a leading apostrophe, so opening the file runs nothing.
QString neutralised(const QString& value);

// One field as RFC 4180 writes it: neutralised, then enclosed in double quotes (inner
// quotes doubled) when it holds a comma, a quote, a line break or blanks at either end.
QString field(const QString& value);

// A whole file: a UTF-8 byte-order mark (so Excel and LibreOffice read Persian text
// right), then one record per line, fields joined by commas, every line ending in CR LF.
QByteArray document(const QList<QStringList>& records);

} // namespace hov::csv
