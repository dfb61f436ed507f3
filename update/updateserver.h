#pragma once

#include <QString>
#include <QUrl>

namespace hov::update {

// Our placeholder host; a distributor names its own server in update-server.txt.
inline const QString kDefaultUpdateServer = QStringLiteral("https://update.hov480.example.com");
// The file in the application folder that replaces the default server address.
inline const QString kUpdateServerFileName = QStringLiteral("update-server.txt");
inline const QString kVersionFilePath = QStringLiteral("/Soft/hov/480/LastVersion.txt");

// Where the update server is: the first line of update-server.txt in the application
// folder, or the compiled-in default when there is no such file. A file that is there but
// holds no usable address is reported (valid false), never silently replaced.
struct ServerAddress {
    QString base;
    bool fromFile = false;
    bool valid = true;
};
ServerAddress updateServerBase(const QString& appFolderPath);

// An address from update-server.txt: one line, http or https with a host, trailing "/"
// dropped. Empty when the text is not such an address.
QString parseServerBase(const QByteArray& fileText);

// The version file on the given server.
QUrl versionFileUrl(const QString& serverBase);

} // namespace hov::update

namespace hov::update {

// The updater program in the application folder.
#ifdef Q_OS_WIN
inline const QString kUpdaterProgramName = QStringLiteral("Hovupdate.exe");
#else
inline const QString kUpdaterProgramName = QStringLiteral("Hovupdate");
#endif

} // namespace hov::update
