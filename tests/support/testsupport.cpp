#include "testsupport.h"

#include <QApplication>
#include <QAtomicInteger>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace hovtest {

namespace {

// Offscreen test programs: a private runtime folder keeps QStandardPaths quiet.
void prepareEnvironment() {
    static QTemporaryDir runtime;
    if (runtime.isValid()) {
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
Q_CONSTRUCTOR_FUNCTION(prepareEnvironment)

bool copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    bool ok = true;
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + it.fileName();
        if (it.fileInfo().isDir())
            ok = copyTree(source, target) && ok;
        else if (!it.fileInfo().isExecutable() || it.fileName().contains(QLatin1Char('.')))
            ok = QFile::copy(source, target) && ok;
    }
    return ok;
}

QAtomicInteger<int> fixtureConnections;

template <typename F> auto withDatabase(const QString& path, F f) {
    const QString name = QStringLiteral("hovtest-%1").arg(fixtureConnections.fetchAndAddRelaxed(1));
    decltype(f(std::declval<QSqlDatabase&>())) result{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open())
            result = f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

} // namespace

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        const int key = c.isDigit() && c.unicode() < 128 ? Qt::Key_0 + (c.unicode() - '0')
                        : c.unicode() < 128                 ? QChar(c).toUpper().unicode()
                                                            : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

void hoverOver(QWidget* widget, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

TestAppFolder::TestAppFolder() {
    if (!dir_.isValid())
        return;
    const QString source = QStringLiteral(HOV_APP_TEMPLATE_DIR);
    ok_ = true;
    for (const char* name : {"HOVDB.mdb", "Theme.adz", "dab.adz"})
        ok_ = QFile::copy(source + QLatin1Char('/') + QLatin1String(name),
                          dir_.path() + QLatin1Char('/') + QLatin1String(name)) &&
              ok_;
    ok_ = copyTree(source + QStringLiteral("/skin"), dir_.path() + QStringLiteral("/skin")) && ok_;
}

bool TestAppFolder::exec(const QString& fileName, const QString& sql) {
    return withDatabase(dir_.path() + QLatin1Char('/') + fileName, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        const bool ok = q.exec(sql);
        if (!ok)
            qWarning() << "fixture SQL failed:" << sql << q.lastError().text();
        return ok;
    });
}

QVariant TestAppFolder::value(const QString& fileName, const QString& sql) {
    return withDatabase(dir_.path() + QLatin1Char('/') + fileName, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            qWarning() << "fixture SQL failed:" << sql << q.lastError().text();
            return QVariant();
        }
        return q.next() ? q.value(0) : QVariant();
    });
}

QStringList ScriptedDialogs::notices() const {
    QStringList out;
    for (const Shown& s : shown)
        if (s.kind == QLatin1String("notice"))
            out << s.text;
    return out;
}

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const Shown& s : shown)
        out << s.text;
    return out;
}

void ScriptedDialogs::record(const Shown& s) {
    shown << s;
    if (onShow)
        onShow(s);
}

void ScriptedDialogs::notice(QWidget*, const QString& text) {
    record({QStringLiteral("notice"), QStringLiteral("پيام"), text});
}

void ScriptedDialogs::message(QWidget*, const QString& caption, const QString& text, Icon icon) {
    lastIcon = icon;
    record({QStringLiteral("message"), caption, text});
}

bool ScriptedDialogs::askYesNo(QWidget*, const QString& caption, const QString& text, Icon icon) {
    lastIcon = icon;
    record({QStringLiteral("yesno"), caption, text});
    if (answers_.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted Yes/No box: ") + text), __FILE__, __LINE__);
        return false;
    }
    return answers_.dequeue();
}

QString ScriptedDialogs::input(QWidget*, const QString& title, const QString& prompt,
                               const QString&) {
    record({QStringLiteral("input"), title, prompt});
    if (inputs_.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted input box: ") + title), __FILE__, __LINE__);
        return QString();
    }
    return inputs_.dequeue();
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& folder, const QString& filter) {
    record({QStringLiteral("open"), folder, filter});
    if (files_.isEmpty()) {
        QTest::qFail("unscripted open dialog", __FILE__, __LINE__);
        return QString();
    }
    return files_.dequeue();
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& proposedPath, const QString& filter) {
    record({QStringLiteral("save"), proposedPath, filter});
    if (files_.isEmpty()) {
        QTest::qFail("unscripted save dialog", __FILE__, __LINE__);
        return QString();
    }
    return files_.dequeue();
}

} // namespace hovtest
