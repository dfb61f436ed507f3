// The application folder's data files: what the build puts there, that a replaced asset
// reaches them, and that a malformed asset stops the generator.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <tuple>

namespace {

const QString kTemplateDir = QStringLiteral(HOV_APP_TEMPLATE_DIR);
const QString kAssetsDir = QStringLiteral(HOV_SOURCE_DIR "/assets");
const QString kMkdb = QStringLiteral(HOV_MKDB);
const QStringList kAssetFiles{QStringLiteral("items.txt"), QStringLiteral("norms.csv"),
                              QStringLiteral("paragraphs.txt"), QStringLiteral("settings.txt")};
const QStringList kDatabaseFiles{QStringLiteral("HOVDB.mdb"), QStringLiteral("Theme.adz"),
                                 QStringLiteral("dab.adz")};

// One SQLite connection for the lifetime of the object.
class Db {
public:
    explicit Db(const QString& path) : name_(QStringLiteral("test_assets_%1").arg(++counter_)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        ok_ = QFile::exists(path) && db.open();
    }
    ~Db() {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    bool ok() const { return ok_; }
    QSqlDatabase handle() const { return QSqlDatabase::database(name_, false); }

    QStringList columns(const QString& table) const {
        QStringList names;
        const QSqlRecord record = handle().record(table);
        for (int i = 0; i < record.count(); ++i) {
            names.append(record.fieldName(i));
        }
        return names;
    }

    // Every row of the query, as variants.
    QList<QVariantList> rows(const QString& sql, const QVariantList& binds = {}) const {
        QSqlQuery query(handle());
        query.prepare(sql);
        for (qsizetype i = 0; i < binds.size(); ++i) {
            query.bindValue(static_cast<int>(i), binds[i]);
        }
        QList<QVariantList> result;
        if (!query.exec()) {
            qWarning() << sql << query.lastError().text();
            return result;
        }
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i) {
                row.append(query.value(i));
            }
            result.append(row);
        }
        return result;
    }

    QVariant value(const QString& sql, const QVariantList& binds = {}) const {
        const QList<QVariantList> all = rows(sql, binds);
        return all.isEmpty() ? QVariant() : all.front().value(0);
    }

private:
    static inline int counter_ = 0;
    QString name_;
    bool ok_ = false;
};

QStringList numbered(int first, int last) {
    QStringList names;
    for (int n = first; n <= last; ++n) {
        names.append(QString::number(n));
    }
    return names;
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool writeText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Copies the asset files into a fresh folder, to be changed there.
bool copyAssets(const QString& to) {
    for (const QString& name : kAssetFiles) {
        if (!QFile::copy(kAssetsDir + u'/' + name, to + u'/' + name)) {
            return false;
        }
    }
    return true;
}

// Puts the built database files into a folder, as a previous build would have left them.
bool copyBuiltDatabases(const QString& to) {
    for (const QString& name : kDatabaseFiles) {
        if (!QFile::copy(kTemplateDir + u'/' + name, to + u'/' + name)) {
            return false;
        }
    }
    return true;
}

struct Run {
    int exitCode;
    QString errors;
};

Run runMkdb(const QString& assets, const QString& out) {
    QProcess process;
    process.start(kMkdb, {assets, out});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        return {-1, QStringLiteral("hov_mkdb did not finish")};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const QStringList kSettingsColumns{
    QStringLiteral("Name"), QStringLiteral("Adress"), QStringLiteral("T1"),
    QStringLiteral("T2"),   QStringLiteral("T3"),     QStringLiteral("T4"),
    QStringLiteral("T5"),   QStringLiteral("T6"),     QStringLiteral("T11"),
    QStringLiteral("TH"),   QStringLiteral("logo"),   QStringLiteral("Check1"),
};

QStringList normColumns() {
    const QStringList scales =
        QStringLiteral("Do Cs Sy Sp Sa Wb Re So Sc To Gi Cm Ac Ai Ie Py Fx Fe").split(u' ');
    QStringList columns;
    for (const QString& sex : {QStringLiteral("m"), QStringLiteral("f")}) {
        for (const QString& scale : scales) {
            columns.append(scale + sex);
        }
    }
    return columns;
}

} // namespace

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void tablesHaveTheirColumns_data();
    void tablesHaveTheirColumns();
    void tablesHoldTheirRows_data();
    void tablesHoldTheirRows();
    void settingsRowIsTheDefault_data();
    void settingsRowIsTheDefault();
    void idIsAssignedAndCodeIsUnique_data();
    void idIsAssignedAndCodeIsUnique();
    void themesAreInTheSkinFolder();
    void instructionsAreInTheResources();
    void replacedAssetsReachTheDatabases();
    void malformedAssetStopsTheGenerator_data();
    void malformedAssetStopsTheGenerator();
};

void TestAssets::tablesHaveTheirColumns_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");

    const QStringList key{QStringLiteral("ID"), QStringLiteral("Code")};
    // "Group" and "Date" are SQL words, "Le" holds the raw score of scale Ie.
    QTest::newRow("IDE") << "HOVDB.mdb"
                         << "IDE"
                         << key +
                                QStringLiteral("FName LName Sen Jens Taahol Group Tahsil Date Time "
                                               "Taf Do Cs Sy Sp Sa Wb Re So Sc To Gi Cm Ac Ai "
                                               "Le Py Fx Fe")
                                    .split(u' ');
    QTest::newRow("Answer1") << "HOVDB.mdb"
                             << "Answer1" << key + numbered(1, 160);
    QTest::newRow("Answer2") << "HOVDB.mdb"
                             << "Answer2" << key + numbered(161, 320);
    QTest::newRow("Answer3") << "HOVDB.mdb"
                             << "Answer3" << key + numbered(321, 480);
    QTest::newRow("QUS") << "HOVDB.mdb"
                         << "QUS" << QStringList{"Code", "QU"};
    QTest::newRow("Theme in HOVDB.mdb") << "HOVDB.mdb"
                                        << "Theme" << kSettingsColumns;
    QTest::newRow("Theme in Theme.adz") << "Theme.adz"
                                        << "Theme" << kSettingsColumns;
    QTest::newRow("tp") << "dab.adz"
                        << "tp" << QStringList{"Score"} + normColumns();
    QTest::newRow("Taf") << "dab.adz"
                         << "Taf" << QStringList{"id", "Name", "1", "2", "3", "4", "5"};
}

void TestAssets::tablesHaveTheirColumns() {
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    Db db(kTemplateDir + u'/' + file);
    QVERIFY2(db.ok(), qPrintable(file));
    QCOMPARE(db.columns(table), columns);
}

void TestAssets::tablesHoldTheirRows_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("keyColumn");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("textColumn");

    QTest::newRow("QUS") << "HOVDB.mdb"
                         << "QUS"
                         << "Code" << numbered(1, 480) << "QU";
    QTest::newRow("tp") << "dab.adz"
                        << "tp"
                        << "Score" << numbered(0, 56) << "Dom";
    QTest::newRow("Taf") << "dab.adz"
                         << "Taf"
                         << "id" << numbered(1, 19) << "Name";
    QTest::newRow("IDE starts empty") << "HOVDB.mdb"
                                      << "IDE"
                                      << "Code" << QStringList() << "";
    QTest::newRow("Answer1 starts empty") << "HOVDB.mdb"
                                          << "Answer1"
                                          << "Code" << QStringList() << "";
}

// Rows in the table's natural order, the order the windows see them in.
void TestAssets::tablesHoldTheirRows() {
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, keyColumn);
    QFETCH(QStringList, keys);
    QFETCH(QString, textColumn);
    Db db(kTemplateDir + u'/' + file);
    QVERIFY(db.ok());
    const QString text = textColumn.isEmpty() ? keyColumn : textColumn;
    const auto rows =
        db.rows(QStringLiteral("SELECT \"%1\", \"%2\" FROM \"%3\"").arg(keyColumn, text, table));
    QStringList found;
    for (const QVariantList& row : rows) {
        found.append(row[0].toString());
        QVERIFY2(!row[1].toString().isEmpty(), qPrintable(table + u' ' + row[0].toString()));
    }
    QCOMPARE(found, keys);
}

void TestAssets::settingsRowIsTheDefault_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("Theme.adz") << "Theme.adz";
    QTest::newRow("HOVDB.mdb") << "HOVDB.mdb";
}

void TestAssets::settingsRowIsTheDefault() {
    QFETCH(QString, file);
    Db db(kTemplateDir + u'/' + file);
    QVERIFY(db.ok());
    const auto rows = db.rows(QStringLiteral("SELECT * FROM \"Theme\""));
    QCOMPARE(rows.size(), 1);
    const QVariantList& row = rows.front();
    for (int i = 0; i < 8; ++i) { // Name, Adress, T1 .. T6: empty text, not NULL
        QVERIFY2(!row[i].isNull() && row[i].toString().isEmpty(), qPrintable(kSettingsColumns[i]));
    }
    QCOMPARE(row[8].toString(),
             QStringLiteral("\u06a9\u062f \u0622\u0632\u0645\u0648\u062f\u0646\u064a"));
    QCOMPARE(row[9].toString(), QStringLiteral("1"));
    QVERIFY(row[10].isNull());
    QCOMPARE(row[11].toInt(), 0);
    QVERIFY(!row[11].isNull());
}

void TestAssets::idIsAssignedAndCodeIsUnique_data() {
    QTest::addColumn<QString>("table");
    for (const char* table : {"IDE", "Answer1", "Answer2", "Answer3"}) {
        QTest::newRow(table) << table;
    }
}

// The stores rely on the database for ID and on Code being a unique text key.
void TestAssets::idIsAssignedAndCodeIsUnique() {
    QFETCH(QString, table);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("HOVDB.mdb"));
    QVERIFY(QFile::copy(kTemplateDir + QStringLiteral("/HOVDB.mdb"), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    const QString name = QStringLiteral("test_assets_write");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(copy);
        QVERIFY(db.open());
        QSqlQuery insert(db);
        QVERIFY(
            insert.prepare(QStringLiteral("INSERT INTO \"%1\" (\"Code\") VALUES (?)").arg(table)));
        for (const char* code : {"7", "07"}) { // different texts, different subjects
            insert.bindValue(0, QString::fromLatin1(code));
            QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        }
        insert.bindValue(0, QStringLiteral("7"));
        QVERIFY(!insert.exec());

        QSqlQuery ids(QStringLiteral("SELECT \"ID\" FROM \"%1\"").arg(table), db);
        QList<qlonglong> assigned;
        while (ids.next()) {
            QVERIFY(!ids.value(0).isNull());
            assigned.append(ids.value(0).toLongLong());
        }
        QCOMPARE(assigned.size(), 2);
        QVERIFY(assigned[0] != assigned[1]);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void TestAssets::themesAreInTheSkinFolder() {
    const QString folder = kTemplateDir + QStringLiteral("/skin");
    // The program reads and rewrites this file as it is: a number and CRLF.
    QCOMPARE(readBytes(folder + QStringLiteral("/skin.txt")), QByteArray("1\r\n"));

    const QStringList colourKeys{"window",     "text",      "base",          "baseText", "button",
                                 "buttonText", "highlight", "highlightText", "label",    "accent"};
    // foreground, background, least contrast ratio that stays legible
    const QList<std::tuple<QString, QString, double>> pairs{
        {"text", "window", 4.5},       {"baseText", "base", 4.5},
        {"buttonText", "button", 4.5}, {"highlightText", "highlight", 4.5},
        {"label", "window", 4.5},      {"accent", "window", 3.0},
    };
    const QRegularExpression colour(QStringLiteral("^#[0-9a-f]{6}$"));
    QSet<QString> names, looks;
    int dark = 0;
    for (int n = 1; n <= 48; ++n) {
        const QString path = folder + QStringLiteral("/%1.skn").arg(n);
        const QString text = readText(path);
        QVERIFY2(!text.isEmpty(), qPrintable(path));
        QHash<QString, QString> values;
        for (const QString& line : text.split(u'\n')) {
            if (line.trimmed().isEmpty() || line.startsWith(u'#')) {
                continue;
            }
            const qsizetype equals = line.indexOf(u'=');
            QVERIFY2(equals > 0, qPrintable(path + u' ' + line));
            values.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
        }
        for (const QString& key : colourKeys) {
            QVERIFY2(colour.match(values.value(key)).hasMatch(), qPrintable(path + u' ' + key));
        }
        for (const auto& [fg, bg, least] : pairs) {
            const double ratio = contrast(QColor(values[fg]), QColor(values[bg]));
            QVERIFY2(
                ratio >= least,
                qPrintable(
                    QStringLiteral("%1: %2 on %3 has contrast %4").arg(path, fg, bg).arg(ratio)));
        }
        QVERIFY2(values.value("dark") == QLatin1String("0") ||
                     values.value("dark") == QLatin1String("1"),
                 qPrintable(path));
        dark += values.value("dark").toInt();
        QVERIFY2(!values.value("name").isEmpty(), qPrintable(path));
        names.insert(values.value("name"));
        looks.insert(values["window"] + values["button"] + values["highlight"]);
    }
    QCOMPARE(names.size(), 48);
    QCOMPARE(looks.size(), 48);
    QVERIFY(dark > 0 && dark < 48);
}

void TestAssets::instructionsAreInTheResources() {
    // The resource lives in a static library: pull it in the way the program does.
    Q_INIT_RESOURCE(texts);
    const QString text = readText(QStringLiteral(":/texts/instructions.txt"));
    // The two answers the subject is told about, with their Arabic yeh.
    QVERIFY(text.contains(QStringLiteral("\u0628\u0644\u064a")));
    QVERIFY(text.contains(QStringLiteral("\u062e\u064a\u0631")));
}

void TestAssets::replacedAssetsReachTheDatabases() {
    QTemporaryDir assets, out;
    QVERIFY(assets.isValid() && out.isValid());
    QVERIFY(copyAssets(assets.path()));
    // A previous build's files are there already; they must be replaced, not added to.
    QVERIFY(copyBuiltDatabases(out.path()));

    // Item 17 becomes a two-line text, in a file saved with CRLF line ends.
    const QString itemsPath = assets.filePath(QStringLiteral("items.txt"));
    QString items = readText(itemsPath);
    const QRegularExpression item17(QStringLiteral("\n%%\n17\n[^\n]*\n"));
    QVERIFY(item17.match(items).hasMatch());
    items.replace(item17,
                  QStringLiteral("\n%%\n17\nمتن تازه‌ی یک\nسطر دوم آن\n"));
    items.replace(u'\n', QStringLiteral("\r\n"));
    QVERIFY(writeText(itemsPath, items));

    // Row 12, column Csf becomes 99.
    const QString normsPath = assets.filePath(QStringLiteral("norms.csv"));
    QStringList lines = readText(normsPath).split(u'\n');
    const qsizetype csf = normColumns().indexOf(QStringLiteral("Csf")) + 1;
    QString oldCsm;
    for (QString& line : lines) {
        if (line.startsWith(QStringLiteral("12,"))) {
            QStringList fields = line.split(u',');
            oldCsm = fields[2];
            fields[csf] = QStringLiteral("99");
            line = fields.join(u',');
        }
    }
    QVERIFY(!oldCsm.isEmpty());
    QVERIFY(writeText(normsPath, lines.join(u'\n')));

    const Run run = runMkdb(assets.path(), out.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));

    Db subjects(out.filePath(QStringLiteral("HOVDB.mdb")));
    QVERIFY(subjects.ok());
    QCOMPARE(subjects.value(QStringLiteral("SELECT \"QU\" FROM \"QUS\" WHERE \"Code\" = ?"), {"17"})
                 .toString(),
             QStringLiteral("متن تازه‌ی یک\nسطر دوم آن"));
    QCOMPARE(subjects.value(QStringLiteral("SELECT COUNT(*) FROM \"QUS\"")).toInt(), 480);
    QCOMPARE(subjects.value(QStringLiteral("SELECT COUNT(*) FROM \"Theme\"")).toInt(), 1);

    Db norms(out.filePath(QStringLiteral("dab.adz")));
    QVERIFY(norms.ok());
    const auto row = norms.rows(
        QStringLiteral("SELECT \"Csm\", \"Csf\" FROM \"tp\" WHERE \"Score\" = ?"), {"12"});
    QCOMPARE(row.size(), 1);
    QCOMPARE(row[0][0].toString(), oldCsm);
    QCOMPARE(row[0][1].toString(), QStringLiteral("99"));
    QCOMPARE(norms.value(QStringLiteral("SELECT COUNT(*) FROM \"tp\"")).toInt(), 57);

    // Nothing but the finished files is left behind.
    QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name),
             QStringList({"HOVDB.mdb", "Theme.adz", "dab.adz"}));
}

void TestAssets::malformedAssetStopsTheGenerator_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("pattern"); // what to replace; empty: delete the file
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("message");

    QTest::newRow("item missing") << "items.txt"
                                  << "\n%%\n17\n[^\n]*\n"
                                  << "\n"
                                  << "479 items";
    QTest::newRow("item twice") << "items.txt"
                                << "\n%%\n18\n"
                                << "\n%%\n17\n"
                                << "item 17 appears twice";
    QTest::newRow("item number not canonical") << "items.txt"
                                               << "\n%%\n17\n"
                                               << "\n%%\n017\n"
                                               << "\"017\" is not an item number";
    QTest::newRow("item beyond 480") << "items.txt"
                                     << "\n%%\n480\n"
                                     << "\n%%\n481\n"
                                     << "\"481\" is not an item number";
    QTest::newRow("item without text") << "items.txt"
                                       << "\n%%\n17\n[^\n]*\n"
                                       << "\n%%\n17\n"
                                       << "item 17 has no text";
    QTest::newRow("norm row missing") << "norms.csv"
                                      << "\n30,[^\n]*"
                                      << ""
                                      << "no row for Score 30";
    QTest::newRow("norm row twice") << "norms.csv"
                                    << "\n31,"
                                    << "\n30,"
                                    << "second row for Score 30";
    QTest::newRow("norm value not a number") << "norms.csv"
                                             << "\n12,\\d+,"
                                             << "\n12,x,"
                                             << "column Dom: \"x\" is not a T score";
    // Every scale reaches raw score 12, so an empty cell there would leave a T score blank.
    QTest::newRow("norm value empty") << "norms.csv"
                                      << "\n12,\\d+,"
                                      << "\n12,,"
                                      << "column Dom: \"\" is not a T score";
    QTest::newRow("norm row short") << "norms.csv"
                                    << "\n12,\\d+,"
                                    << "\n12,"
                                    << "36 fields";
    QTest::newRow("norm header wrong") << "norms.csv"
                                       << "Score,Dom,"
                                       << "Score,Dx,"
                                       << "header";
    QTest::newRow("paragraph row missing") << "paragraphs.txt"
                                           << "\n%%\n19\n[\\s\\S]*$"
                                           << "\n"
                                           << "no row 19";
    QTest::newRow("paragraph field missing") << "paragraphs.txt"
                                             << "\n\\[3\\]\n[^\n]*\n"
                                             << "\n"
                                             << "row 1 has no [3] field";
    QTest::newRow("paragraph name empty") << "paragraphs.txt"
                                          << "\\[Name\\]\n[^\n]*\n"
                                          << "[Name]\n"
                                          << "row 1 has an empty name";
    QTest::newRow("setting missing") << "settings.txt"
                                     << "\nTH = [^\n]*"
                                     << ""
                                     << "no value for TH";
    QTest::newRow("setting unknown") << "settings.txt"
                                     << "\nTH = "
                                     << "\nTheme = "
                                     << "unknown key";
    QTest::newRow("Check1 not a flag") << "settings.txt"
                                       << "Check1 = 0"
                                       << "Check1 = yes"
                                       << "Check1 must be 0 or 1";
    QTest::newRow("items file missing") << "items.txt"
                                        << ""
                                        << ""
                                        << "cannot be read";
    QTest::newRow("not UTF-8") << "paragraphs.txt"
                               << "\n%%\n1\n"
                               << "\n%%\n1\n@@NOT-UTF-8@@"
                               << "is not UTF-8";
}

// Stops with a message naming the file, and leaves the previous build's files as they were.
void TestAssets::malformedAssetStopsTheGenerator() {
    QFETCH(QString, file);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(QString, message);

    QTemporaryDir assets, out;
    QVERIFY(assets.isValid() && out.isValid());
    QVERIFY(copyAssets(assets.path()));
    QVERIFY(copyBuiltDatabases(out.path()));
    const QString path = assets.filePath(file);
    if (pattern.isEmpty()) {
        QVERIFY(QFile::remove(path));
    } else {
        const QString original = readText(path);
        QString changed = original;
        changed.replace(QRegularExpression(pattern), replacement);
        QVERIFY2(changed != original, "the case does not change the asset");
        QByteArray bytes = changed.toUtf8();
        bytes.replace("@@NOT-UTF-8@@", "\xff\xfe"); // bytes no UTF-8 text contains
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    const Run run = runMkdb(assets.path(), out.path());
    QVERIFY2(run.exitCode > 0, qPrintable(run.errors));
    QVERIFY2(run.errors.contains(file) && run.errors.contains(message), qPrintable(run.errors));
    for (const QString& name : kDatabaseFiles) {
        QVERIFY2(readBytes(out.filePath(name)) == readBytes(kTemplateDir + u'/' + name),
                 qPrintable(name));
    }
    QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), kDatabaseFiles.size());
}

QTEST_GUILESS_MAIN(TestAssets)
#include "test_assets.moc"
