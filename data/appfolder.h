#pragma once

#include <QDir>
#include <QString>
#include <utility>

namespace hov {

// The folder that holds the program and every file it works with. Everything that
// touches a file takes one of these, so a test can run the whole program in a
// temporary folder.
class AppFolder {
public:
    explicit AppFolder(QString path) : path_(QDir::cleanPath(std::move(path))) {}

    // The folder of the running executable.
    static AppFolder ofExecutable();

    const QString& path() const { return path_; }
    QString file(const QString& name) const { return path_ + QLatin1Char('/') + name; }

    QString subjectDatabase() const { return file(QStringLiteral("HOVDB.mdb")); }
    QString settingsDatabase() const { return file(QStringLiteral("Theme.adz")); }
    QString normsDatabase() const { return file(QStringLiteral("dab.adz")); }
    QString skinFolder() const { return file(QStringLiteral("skin")); }
    QString skinNumberFile() const { return skinFolder() + QStringLiteral("/skin.txt"); }
    QString skinFile(int number) const {
        return skinFolder() + QLatin1Char('/') + QString::number(number) + QStringLiteral(".skn");
    }
    QString backupFolder() const { return file(QStringLiteral("Back")); }

private:
    QString path_;
};

} // namespace hov
