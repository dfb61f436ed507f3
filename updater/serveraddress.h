#pragma once

#include <QString>

namespace hovupdate {

// Our placeholder host; update-server.txt in the updater's folder names the real one.
// (The main program reads the same file with its own code: the two share none.)
inline const QString kDefaultServer = QStringLiteral("https://update.hov480.example.com");
inline const QString kServerFileName = QStringLiteral("update-server.txt");
inline const QString kInstallerPath = QStringLiteral("/Soft/hov/480/setup-Hov-480.exe");

struct ServerAddress {
    QString base;
    bool valid = true; // false: the file is there but names no http(s) address
};

// The first line of update-server.txt when the folder has one, else the default.
ServerAddress serverAddress(const QString& folder);

} // namespace hovupdate
