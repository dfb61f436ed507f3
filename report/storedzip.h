#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace hov::report {

struct ZipEntry {
    QString name; // path inside the archive, "/"-separated
    QByteArray data;
};

// A zip archive built in memory (libzip) with every entry stored uncompressed, in the
// given order. The entries' times are fixed, so the same entries give the same bytes.
// Empty on failure, with libzip's reason in *error.
std::optional<QByteArray> storedZip(const QList<ZipEntry>& entries, QString* error = nullptr);

} // namespace hov::report
