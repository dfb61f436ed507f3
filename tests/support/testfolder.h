#pragma once

#include "data/appfolder.h"

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

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};

} // namespace hovtest
