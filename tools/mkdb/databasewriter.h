#pragma once

#include "assetfiles.h"

#include <QString>

namespace hov::mkdb {

// Writes HOVDB.mdb, Theme.adz and dab.adz into a folder. Each file is built under a
// temporary name and renamed into place only when complete, so a failed run never
// leaves a half-filled database where the program would open it.
class DatabaseWriter {
public:
    explicit DatabaseWriter(QString outFolder) : outFolder_(std::move(outFolder)) {}

    // Throws std::runtime_error with a message naming the file on any database error.
    void writeAll(const Assets& assets) const;

private:
    QString outFolder_;
};

} // namespace hov::mkdb
