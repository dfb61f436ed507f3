#pragma once

#include "data/appfolder.h"
#include "data/subject.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace hovtest {

// A private application folder made from the built one: the three database files and
// skin/, copied into a temporary folder for one test.
class TestAppFolder {
public:
    TestAppFolder();
    bool isValid() const { return ok_; }
    hov::AppFolder folder() const { return hov::AppFolder(dir_.path()); }
    QString path() const { return dir_.path(); }
    // Runs SQL on one of the folder's files (fixtures only: tests may paste SQL).
    bool exec(const QString& fileName, const QString& sql);
    // A single value, or an invalid QVariant when there is no row.
    QVariant value(const QString& fileName, const QString& sql);

    // Makes one table of a database file refuse the given writes, each failing with
    // `reason` as the driver's text (a full disk, a locked file: SQLite's own failures are
    // hard to bring about on purpose). allowWrites() undoes it.
    enum Write { Insert = 1, Update = 2, Delete = 4, AnyWrite = Insert | Update | Delete };
    bool refuseWrites(const QString& fileName, const QString& table, int writes = AnyWrite,
                      const QString& reason = QStringLiteral("disk full"));
    bool allowWrites(const QString& fileName, const QString& table);

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};

// The one sample subject of the tests: every registration field filled with an ordinary
// value (مريم رضايي, 29, مجرد, group C, ليسانس, 1403/01/05 09:05:07). Tests set the fields
// they look at.
hov::Subject sampleSubject(const QString& code, const QString& sex = QStringLiteral("زن"));

} // namespace hovtest
