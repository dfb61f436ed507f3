#pragma once

#include <QByteArray>
#include <QString>

namespace hov::update {

// The number at the start of the version file: leading blanks skipped, then the longest
// run of decimal digits, the rest ignored. Kept as digits (leading zeros dropped, "0" when
// there is none) so that a file of any length compares without overflow.
QString leadingVersionDigits(const QByteArray& fileText);

// The running version in the file's joined form: 2.1 gives 21, 2.10 gives 210.
QString joinedVersion(int major, int minor);

// An update exists exactly when the server's number is greater than the running one.
bool isNewerVersion(const QByteArray& fileText, int major, int minor);

} // namespace hov::update
