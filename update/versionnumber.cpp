#include "update/versionnumber.h"

namespace hov::update {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Compares two digit strings without leading zeros as numbers.
bool greater(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return a.size() > b.size();
    return a > b;
}
} // namespace

QString leadingVersionDigits(const QByteArray& fileText) {
    qsizetype i = 0;
    while (i < fileText.size() && isBlank(fileText.at(i)))
        ++i;
    while (i < fileText.size() && fileText.at(i) == '0' && i + 1 < fileText.size() &&
           isDigit(fileText.at(i + 1)))
        ++i;
    QString digits;
    while (i < fileText.size() && isDigit(fileText.at(i)))
        digits += QLatin1Char(fileText.at(i++));
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}

QString joinedVersion(int major, int minor) {
    return QString::number(QString::number(major).append(QString::number(minor)).toLongLong());
}

bool isNewerVersion(const QByteArray& fileText, int major, int minor) {
    return greater(leadingVersionDigits(fileText), joinedVersion(major, minor));
}

} // namespace hov::update
