#include "databasewriter.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <functional>

namespace hov::mkdb {

namespace {

struct Column {
    QString name;
    QString type;
};

QString quoted(const QString& identifier) {
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

QList<Column> textColumns(const QStringList& names) {
    QList<Column> columns;
    for (const QString& name : names) {
        columns.append({name, QStringLiteral("TEXT")});
    }
    return columns;
}

QStringList numberedColumns(int first, int last) {
    QStringList names;
    for (int n = first; n <= last; ++n) {
        names.append(QString::number(n));
    }
    return names;
}

// One open database file; every statement goes through run(), which turns a failure
// into an exception that names the file.
class Database {
public:
    explicit Database(const QString& path) : path_(path), name_(QStringLiteral("mkdb:") + path) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
            db.setDatabaseName(path);
            if (!db.open()) {
                fail(db.lastError().text());
            }
        }
        // Keep the file self-contained: no WAL side files for a byte copy to miss.
        exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        if (!handle().transaction()) {
            fail(handle().lastError().text());
        }
    }
    ~Database() {
        {
            QSqlDatabase db = handle();
            if (db.isOpen()) {
                db.rollback();
                db.close();
            }
        }
        QSqlDatabase::removeDatabase(name_);
    }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void createTable(const QString& table, const QList<Column>& columns) {
        QStringList definitions;
        for (const Column& column : columns) {
            definitions.append(quoted(column.name) + QLatin1Char(' ') + column.type);
        }
        exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table), definitions.join(u", ")));
    }

    // Inserts rows; the statement is prepared once and every value is bound.
    void insert(const QString& table, const QStringList& columns, const QList<QVariantList>& rows) {
        QStringList names;
        for (const QString& column : columns) {
            names.append(quoted(column));
        }
        QSqlQuery query(handle());
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(quoted(table), names.join(u", "),
                                     QStringList(columns.size(), QStringLiteral("?")).join(u", "));
        if (!query.prepare(sql)) {
            fail(query.lastError().text());
        }
        for (const QVariantList& row : rows) {
            for (qsizetype i = 0; i < row.size(); ++i) {
                query.bindValue(static_cast<int>(i), row[i]);
            }
            if (!query.exec()) {
                fail(query.lastError().text());
            }
        }
    }

    void commit() {
        if (!handle().commit()) {
            fail(handle().lastError().text());
        }
        handle().close();
    }

private:
    QSqlDatabase handle() const { return QSqlDatabase::database(name_, false); }

    void exec(const QString& sql) {
        QSqlQuery query(handle());
        if (!query.exec(sql)) {
            fail(query.lastError().text());
        }
    }

    [[noreturn]] void fail(const QString& why) const {
        throw std::runtime_error(QStringLiteral("%1: %2").arg(path_, why).toStdString());
    }

    QString path_;
    QString name_;
};

const QStringList kSettingsColumns{
    QStringLiteral("Name"), QStringLiteral("Adress"), QStringLiteral("T1"),
    QStringLiteral("T2"),   QStringLiteral("T3"),     QStringLiteral("T4"),
    QStringLiteral("T5"),   QStringLiteral("T6"),     QStringLiteral("T11"),
    QStringLiteral("TH"),   QStringLiteral("logo"),   QStringLiteral("Check1"),
};

// The clinic settings table; the same layout lives in Theme.adz and HOVDB.mdb.
void writeSettings(Database& db, const Settings& s) {
    QList<Column> columns = textColumns(kSettingsColumns.mid(0, 10));
    columns.append({QStringLiteral("logo"), QStringLiteral("BLOB")});
    columns.append({QStringLiteral("Check1"), QStringLiteral("INTEGER")});
    db.createTable(QStringLiteral("Theme"), columns);
    db.insert(QStringLiteral("Theme"), kSettingsColumns,
              {{s.name, s.adress, s.t1, s.t2, s.t3, s.t4, s.t5, s.t6, s.t11, s.th,
                QVariant(QMetaType::fromType<QByteArray>()), s.check1}});
}

void writeSubjectDatabase(Database& db, const Assets& assets) {
    const QList<Column> key{
        {QStringLiteral("ID"), QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")},
        {QStringLiteral("Code"), QStringLiteral("TEXT NOT NULL UNIQUE")},
    };
    // The raw score of scale Ie is kept in column "Le".
    db.createTable(QStringLiteral("IDE"),
                   key + textColumns({"FName", "LName", "Sen", "Jens", "Taahol", "Group", "Tahsil",
                                      "Date",  "Time",  "Taf", "Do",   "Cs",     "Sy",    "Sp",
                                      "Sa",    "Wb",    "Re",  "So",   "Sc",     "To",    "Gi",
                                      "Cm",    "Ac",    "Ai",  "Le",   "Py",     "Fx",    "Fe"}));
    db.createTable(QStringLiteral("Answer1"), key + textColumns(numberedColumns(1, 160)));
    db.createTable(QStringLiteral("Answer2"), key + textColumns(numberedColumns(161, 320)));
    db.createTable(QStringLiteral("Answer3"), key + textColumns(numberedColumns(321, 480)));

    db.createTable(QStringLiteral("QUS"),
                   {{QStringLiteral("Code"), QStringLiteral("TEXT NOT NULL UNIQUE")},
                    {QStringLiteral("QU"), QStringLiteral("TEXT")}});
    QList<QVariantList> items;
    for (qsizetype i = 0; i < assets.items.size(); ++i) {
        items.append({QString::number(i + 1), assets.items[i]});
    }
    db.insert(QStringLiteral("QUS"), {QStringLiteral("Code"), QStringLiteral("QU")}, items);

    writeSettings(db, assets.settings);
}

void writeNormsDatabase(Database& db, const Assets& assets) {
    const QStringList tpColumns = QStringList{QStringLiteral("Score")} + normColumns();
    db.createTable(QStringLiteral("tp"), textColumns(tpColumns));
    QList<QVariantList> norms;
    for (const NormRow& row : assets.norms) {
        QVariantList values{row.score};
        for (const QString& t : row.tScores) {
            values.append(t);
        }
        norms.append(values);
    }
    db.insert(QStringLiteral("tp"), tpColumns, norms);

    const QStringList tafColumns{QStringLiteral("id"), QStringLiteral("Name"), QStringLiteral("1"),
                                 QStringLiteral("2"),  QStringLiteral("3"),    QStringLiteral("4"),
                                 QStringLiteral("5")};
    db.createTable(QStringLiteral("Taf"), textColumns(tafColumns));
    QList<QVariantList> paragraphs;
    for (qsizetype i = 0; i < assets.paragraphs.size(); ++i) {
        const ParagraphRow& row = assets.paragraphs[i];
        QVariantList values{QString::number(i + 1), row.name};
        for (const QString& paragraph : row.paragraphs) {
            values.append(paragraph);
        }
        paragraphs.append(values);
    }
    db.insert(QStringLiteral("Taf"), tafColumns, paragraphs);
}

void removeFile(const QString& path) {
    if (QFile::exists(path) && !QFile::remove(path)) {
        throw std::runtime_error(
            QStringLiteral("%1: cannot remove the old file").arg(path).toStdString());
    }
}

// Builds one file under a temporary name, then puts it in place of the old one.
void writeFile(const QString& path, const std::function<void(Database&)>& fill) {
    const QString partial = path + QStringLiteral(".part");
    removeFile(partial);
    try {
        Database db(partial);
        fill(db);
        db.commit();
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    removeFile(path);
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw std::runtime_error(QStringLiteral("%1: cannot be written").arg(path).toStdString());
    }
}

} // namespace

void DatabaseWriter::writeAll(const Assets& assets) const {
    const auto file = [&](const char* name) {
        return outFolder_ + QLatin1Char('/') + QLatin1String(name);
    };
    writeFile(file("HOVDB.mdb"), [&](Database& db) { writeSubjectDatabase(db, assets); });
    writeFile(file("Theme.adz"), [&](Database& db) { writeSettings(db, assets.settings); });
    writeFile(file("dab.adz"), [&](Database& db) { writeNormsDatabase(db, assets); });
}

} // namespace hov::mkdb
