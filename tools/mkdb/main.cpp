// hov_mkdb <assets-dir> <out-dir>
//
// Builds the program's three database files from the text assets. Every asset is
// read and checked before anything is written, so a malformed one stops the build
// with a message and leaves the previous files alone.

#include "assetfiles.h"
#include "databasewriter.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: hov_mkdb <assets-dir> <out-dir>\n");
        return 2;
    }
    try {
        const hov::mkdb::Assets assets = hov::mkdb::readAssets(QDir::cleanPath(args[1]));
        if (!QDir().mkpath(args[2])) {
            throw std::runtime_error(
                QStringLiteral("%1: cannot create the folder").arg(args[2]).toStdString());
        }
        hov::mkdb::DatabaseWriter(QDir::cleanPath(args[2])).writeAll(assets);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "hov_mkdb: %s\n", error.what());
        return 1;
    }
    return 0;
}
