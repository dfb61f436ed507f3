#pragma once

#include <QSqlDatabase>
#include <QString>

namespace hov {

// One open connection to one of the program's database files. The program never
// creates a database file: opening a file that is not there fails with a message
// that names the file and its folder.
class DatabaseFile {
public:
    explicit DatabaseFile(const QString& path);
    ~DatabaseFile();
    DatabaseFile(const DatabaseFile&) = delete;
    DatabaseFile& operator=(const DatabaseFile&) = delete;

    bool isOpen() const { return open_; }
    const QString& path() const { return path_; }
    QSqlDatabase database() const;
    // The last failure in Persian, for the operator.
    const QString& lastError() const { return error_; }
    void setError(const QString& error) { error_ = error; }

    // Persian message for a database file that is missing or cannot be opened.
    static QString missingFileMessage(const QString& path);

private:
    QString path_;
    QString connectionName_;
    QString error_;
    bool open_ = false;
};

// Quotes a table or column name for SQL ("Group", "160").
QString quoted(const QString& identifier);

} // namespace hov
