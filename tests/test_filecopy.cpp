// The copy behind backup and restore: chunks, exact length, and a target that is either
// left as it was or holds the whole source, whatever fails on the way.
#include "data/backup.h"
#include "data/filecopy.h"
#include "data/jalali.h"
#include "tests/support/diskfaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace hov;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(generator.bounded(256));
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What lies in a folder besides the given names: a leftover temporary file shows here.
QStringList othersIn(const QString& folder, const QStringList& expected) {
    QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& e : expected)
        names.removeAll(e);
    return names;
}

} // namespace

class TestFileCopy : public QObject {
    Q_OBJECT

private slots:
    void copiesInChunksOf4048();
    void longerTargetTakesTheSourceLengthExactly();
    void emptySourceGivesAnEmptyTarget();
    void failureLeavesTheTargetAsItWas_data();
    void failureLeavesTheTargetAsItWas();
    void fullDiskOnASmallFileSystem();
    void readOnlyFileSystem();
    void proposedName_data();
    void proposedName();
    void beforeReplaceCanStopTheCopy();
};

void TestFileCopy::copiesInChunksOf4048() {
    QTemporaryDir dir;
    const QByteArray source = randomBytes(10000, 1);
    QVERIFY(writeFile(dir.filePath("a"), source));
    QList<qint64> chunks;
    qint64 last = 0;
    CopyProgress progress;
    progress.chunkCopied = [&](qint64 done, qint64 total) {
        QCOMPARE(total, 10000);
        chunks << done - last;
        last = done;
    };
    const CopyResult r = copyFileSafely(dir.filePath("a"), dir.filePath("b"), progress);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(chunks, (QList<qint64>{4048, 4048, 1904}));
    QCOMPARE(readFile(dir.filePath("b")), source);
    QCOMPARE(othersIn(dir.path(), {"a", "b"}), QStringList());
}

void TestFileCopy::longerTargetTakesTheSourceLengthExactly() {
    QTemporaryDir dir;
    const QByteArray source = randomBytes(5000, 2);
    QVERIFY(writeFile(dir.filePath("a"), source));
    QVERIFY(writeFile(dir.filePath("b.mdbB"), randomBytes(50000, 3)));
    const CopyResult r = copyFileSafely(dir.filePath("a"), dir.filePath("b.mdbB"));
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(QFileInfo(dir.filePath("b.mdbB")).size(), 5000);
    QCOMPARE(readFile(dir.filePath("b.mdbB")), source);
}

void TestFileCopy::emptySourceGivesAnEmptyTarget() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a"), QByteArray()));
    QVERIFY(writeFile(dir.filePath("b"), "old"));
    int steps = 0;
    CopyProgress progress;
    progress.chunkCopied = [&](qint64, qint64) { ++steps; };
    QVERIFY(copyFileSafely(dir.filePath("a"), dir.filePath("b"), progress).ok);
    QCOMPARE(steps, 0);
    QCOMPARE(QFileInfo(dir.filePath("b")).size(), 0);
}

// Each case starts from a 3 MB source "db" (several blocks of chunks) and an earlier
// 30,000-byte backup "old.mdbB" in one folder; what breaks differs.
void TestFileCopy::failureLeavesTheTargetAsItWas_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason"); // a piece of the Persian reason
    QTest::newRow("source missing") << "source missing"
                                    << "پيدا نشد";
    QTest::newRow("source is a folder") << "source folder"
                                        << "پوشه";
    QTest::newRow("target is a folder") << "target folder"
                                        << "پوشه";
    QTest::newRow("target folder missing") << "no target folder"
                                           << "وجود ندارد";
    QTest::newRow("disk fills half way") << "file size limit"
                                         << "کامل نشد";
    QTest::newRow("folder removed during the copy") << "folder removed"
                                                    << "جايگزين نشد";
    QTest::newRow("source shrinks during the copy") << "source shrinks"
                                                    << "خواندن";
    QTest::newRow("source grows during the copy") << "source grows"
                                                  << "تغيير کرد";
}

void TestFileCopy::failureLeavesTheTargetAsItWas() {
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString source = dir.filePath("db");
    QString folder = dir.filePath("Back");
    QVERIFY(QDir().mkpath(folder));
    QString target = folder + "/old.mdbB";
    const QByteArray earlier = randomBytes(30000, 4);
    QVERIFY(writeFile(source, randomBytes(3000000, 5)));
    QVERIFY(writeFile(target, earlier));

    std::function<void(qint64, qint64)> step;
    std::unique_ptr<hovtest::ScopedFileSizeLimit> limit;
    if (fault == "source missing") {
        source = dir.filePath("gone");
    } else if (fault == "source folder") {
        source = folder;
    } else if (fault == "target folder") {
        target = folder;
    } else if (fault == "no target folder") {
        target = dir.filePath("nowhere/new.mdbB");
    } else if (fault == "file size limit") {
        limit = std::make_unique<hovtest::ScopedFileSizeLimit>(20000);
        QVERIFY(limit->isActive());
    } else if (fault == "folder removed") {
        // The copy goes on into an unlinked file; the final rename finds no folder.
        step = [&, done = false](qint64, qint64) mutable {
            if (!done)
                done = QDir(folder).removeRecursively();
        };
    } else if (fault == "source shrinks") {
        step = [&](qint64 done, qint64) {
            if (done == 4048)
                QFile::resize(source, 2000000);
        };
    } else if (fault == "source grows") {
        step = [&](qint64 done, qint64) {
            if (done == 4048) {
                QFile f(source);
                QVERIFY(f.open(QIODevice::Append));
                f.write("more");
            }
        };
    }
    const CopyResult r = copyFileSafely(source, target, CopyProgress{step, {}});
    limit.reset();
    QVERIFY(!r.ok);
    QVERIFY2(r.error.contains(reason), qPrintable(r.error));
    // The system's own words, where it gave any, go to the details.
    if (fault == "file size limit" || fault == "folder removed")
        QVERIFY(!r.detail.isEmpty());
    if (fault != "folder removed") {
        QCOMPARE(readFile(folder + "/old.mdbB"), earlier);
        QCOMPARE(othersIn(folder, {"old.mdbB"}), QStringList());
    } else {
        QVERIFY(!QFileInfo::exists(folder));
    }
}

void TestFileCopy::fullDiskOnASmallFileSystem() {
    hovtest::ScopedTmpfs disk(256 * 1024);
    if (!disk.isMounted())
        QSKIP("no small file system can be mounted here (needs root and mount rights); the "
              "file size limit case covers a disk that fills up");
    QTemporaryDir dir;
    const QByteArray earlier = randomBytes(100 * 1024, 6);
    const QString target = disk.path() + "/old.mdbB";
    QVERIFY(writeFile(target, earlier));
    QVERIFY(writeFile(dir.filePath("db"), randomBytes(200 * 1024, 7)));
    const CopyResult r = copyFileSafely(dir.filePath("db"), target);
    QVERIFY(!r.ok);
    QVERIFY2(r.error.contains("کامل نشد"), qPrintable(r.error));
    QCOMPARE(readFile(target), earlier);
    QCOMPARE(othersIn(disk.path(), {"old.mdbB"}), QStringList());
}

void TestFileCopy::readOnlyFileSystem() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("db"), randomBytes(9000, 8)));
    const QByteArray earlier = randomBytes(3000, 9);
    hovtest::ScopedTmpfs disk(256 * 1024);
    QString folder;
    if (disk.isMounted()) {
        folder = disk.path();
        QVERIFY(writeFile(folder + "/old.mdbB", earlier));
        QVERIFY(disk.makeReadOnly());
    } else if (::geteuid() != 0) {
        folder = dir.filePath("ro");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + "/old.mdbB", earlier));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    } else {
        QSKIP("root writes into any folder, and no read-only file system can be mounted here");
    }
    const CopyResult r = copyFileSafely(dir.filePath("db"), folder + "/old.mdbB");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!r.ok);
    QVERIFY2(r.error.contains("نمي توان نوشت"), qPrintable(r.error));
    QCOMPARE(readFile(folder + "/old.mdbB"), earlier);
}

void TestFileCopy::proposedName_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("name");
    QTest::newRow("14:35") << QTime(14, 35, 59)
                           << QStringLiteral("HOV-Longformدر تاريخ1402.11.23 ساعت)14.35).mdbB");
    QTest::newRow("9:05") << QTime(9, 5)
                          << QStringLiteral("HOV-Longformدر تاريخ1402.11.23 ساعت)9.05).mdbB");
    QTest::newRow("0:00") << QTime(0, 0)
                          << QStringLiteral("HOV-Longformدر تاريخ1402.11.23 ساعت)0.00).mdbB");
}

void TestFileCopy::proposedName() {
    QFETCH(QTime, time);
    QFETCH(QString, name);
    // 12 February 2024 is 23 Bahman 1402.
    const QString date = jalali::dateText(QDate(2024, 2, 12), 4);
    QCOMPARE(date, QStringLiteral("1402.11.23"));
    QCOMPARE(proposedBackupName(date, time), name);
}

void TestFileCopy::beforeReplaceCanStopTheCopy() {
    QTemporaryDir dir;
    const QByteArray source = randomBytes(6000, 10);
    QVERIFY(writeFile(dir.filePath("a"), source));
    QVERIFY(writeFile(dir.filePath("b"), "before"));
    QString seen;
    QByteArray seenBytes;
    const CopyResult r =
        copyFileSafely(dir.filePath("a"), dir.filePath("b"), {}, [&](const QString& temporary) {
            seen = temporary;
            seenBytes = readFile(temporary);
            return CopyResult::failure(QStringLiteral("نه"));
        });
    // The whole source was there, beside the target, when the check ran.
    QCOMPARE(seenBytes, source);
    QCOMPARE(QFileInfo(seen).absolutePath(), QFileInfo(dir.filePath("b")).absolutePath());
    QVERIFY(!r.ok);
    QCOMPARE(r.error, QStringLiteral("نه"));
    QCOMPARE(readFile(dir.filePath("b")), QByteArray("before"));
    QVERIFY(!QFileInfo::exists(seen));
}

QTEST_GUILESS_MAIN(TestFileCopy)
#include "test_filecopy.moc"
