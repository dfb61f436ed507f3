// The updater Hovupdate: the downloader against scripted servers, the signature check,
// resuming, and the window Progress.
#include "tests/support/httptestserver.h"
#include "updater/filedownloader.h"
#include "updater/progress.h"
#include "updater/signature.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sodium.h>

using hovtest::HttpAnswer;
using hovupdate::FileDownloader;
using hovupdate::Progress;

Q_DECLARE_METATYPE(hovtest::HttpAnswer)

namespace {

const QByteArray kInstallerPath = "/Soft/hov/480/setup-Hov-480.exe";
const QString kReset = QStringLiteral("The connection with the server was reset.");

QByteArray pattern(qsizetype size, int seed = 1) {
    QByteArray b(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        b[i] = char((i * 7 + seed * 13 + i / 251) & 0xFF);
    return b;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A test key pair, made for this run.
struct Keys {
    unsigned char pk[crypto_sign_PUBLICKEYBYTES];
    unsigned char sk[crypto_sign_SECRETKEYBYTES];
    Keys() {
        if (sodium_init() < 0)
            qFatal("libsodium did not start");
        crypto_sign_keypair(pk, sk);
    }
    QByteArray publicKey() const { return QByteArray(reinterpret_cast<const char*>(pk), sizeof pk); }
    QByteArray sign(const QByteArray& data) const {
        const QByteArray message = QByteArray(hovupdate::kSignedContext) +
                                   QCryptographicHash::hash(data, QCryptographicHash::Sha256);
        unsigned char sig[crypto_sign_BYTES];
        crypto_sign_detached(sig, nullptr, reinterpret_cast<const unsigned char*>(message.constData()),
                             static_cast<unsigned long long>(message.size()), sk);
        return QByteArray(reinterpret_cast<const char*>(sig), sizeof sig);
    }
};

const Keys& keys() {
    static const Keys k;
    return k;
}

// Everything the downloader raises, in order: "event:…", "progress:34", "error:…", "complete".
struct Recorder {
    QStringList log;
    explicit Recorder(FileDownloader& d) {
        QObject::connect(&d, &FileDownloader::DownloadEvents, [this](const QString& t) { log << "event:" + t; });
        QObject::connect(&d, &FileDownloader::DownloadProgress, [this](const QString& t) { log << "progress:" + t; });
        QObject::connect(&d, &FileDownloader::DownloadErrors, [this](const QString& t) { log << "error:" + t; });
        QObject::connect(&d, &FileDownloader::DowloadComplete, [this] { log << QStringLiteral("complete"); });
    }
    QStringList with(const QString& prefix) const {
        QStringList out;
        for (const QString& s : log)
            if (s.startsWith(prefix))
                out << s.mid(prefix.size());
        return out;
    }
    QStringList progress() const { return with(QStringLiteral("progress:")); }
    QStringList errors() const { return with(QStringLiteral("error:")); }
    int completions() const { return int(log.count(QStringLiteral("complete"))); }
};

struct Fixture {
    QTemporaryDir dir;
    hovtest::HttpTestServer server;
    FileDownloader downloader;
    Recorder record{downloader};

    Fixture() {
        if (!server.listen())
            qFatal("test server did not start");
        downloader.setPublicKey(keys().publicKey());
        downloader.setStallTimeoutMs(1500);
        downloader.freeSpace = [](const QString&) { return qint64(1) << 50; };
    }
    QString url() const { return server.base() + QString::fromLatin1(kInstallerPath); }
    QString target() const { return dir.filePath(QStringLiteral("setup-Hov-480.exe")); }
    QString part() const { return FileDownloader::partFileName(target()); }
    // The installer and its signature on the server.
    void publish(const QByteArray& installer) {
        server.serve(kInstallerPath, HttpAnswer::ok(installer));
        signWith(installer);
    }
    void signWith(const QByteArray& signedBytes) {
        server.serve(kInstallerPath + ".sig", HttpAnswer::ok(keys().sign(signedBytes)));
    }
    bool download() { return downloader.DownloadFile(url(), target()); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
};

} // namespace

class TestUpdater : public QObject {
    Q_OBJECT
private slots:
    // 3000 bytes arrive as 1024, 1024, 952 and the end: 34, 68, 100, 100 and one completion,
    // after the status message and before nothing else.
    void progressSequence() {
        Fixture f;
        const QByteArray installer = pattern(3000);
        f.publish(installer);
        QVERIFY(f.download());
        QCOMPARE(f.record.log.front(), QStringLiteral("event:Getting file information"));
        QCOMPARE(f.record.progress(), (QStringList{"34", "68", "100", "100"}));
        QCOMPARE(f.record.completions(), 1);
        QCOMPARE(f.record.log.back(), QStringLiteral("complete"));
        QVERIFY(f.record.errors().isEmpty());
        QCOMPARE(readAll(f.target()), installer);
        QCOMPARE(f.files(), QStringList{"setup-Hov-480.exe"});
        const hovtest::HttpRequest& first = f.server.requests.front();
        QCOMPARE(first.headers.value("range"), QByteArray("bytes=0-"));
        QCOMPARE(first.headers.value("accept-encoding"), QByteArray("identity"));
        QCOMPARE(f.server.requests.back().path, kInstallerPath + ".sig");
    }

    void percentRounding_data() {
        QTest::addColumn<qint64>("received");
        QTest::addColumn<qint64>("expected");
        QTest::addColumn<qint64>("percent");
        QTest::newRow("1024 of 3000") << qint64(1024) << qint64(3000) << qint64(34);
        QTest::newRow("2999 of 3000") << qint64(2999) << qint64(3000) << qint64(100);
        QTest::newRow("half: 0.5 to 0") << qint64(5) << qint64(1000) << qint64(0);
        QTest::newRow("half: 1.5 to 2") << qint64(15) << qint64(1000) << qint64(2);
        QTest::newRow("half: 12.5 to 12") << qint64(1) << qint64(8) << qint64(12);
        QTest::newRow("half: 37.5 to 38") << qint64(3) << qint64(8) << qint64(38);
        QTest::newRow("4 GB of 8 GB") << (qint64(1) << 32) << (qint64(1) << 33) << qint64(50);
        QTest::newRow("1024 of 2 GB + 1") << qint64(1024) << qint64(2147483649LL) << qint64(0);
    }
    void percentRounding() {
        QFETCH(qint64, received);
        QFETCH(qint64, expected);
        QFETCH(qint64, percent);
        QCOMPARE(FileDownloader::percent(received, expected), percent);
    }

    // What each server answer comes to: the exact error text, or the file in place.
    void serverBehaviour_data() {
        QTest::addColumn<HttpAnswer>("answer");
        QTest::addColumn<QString>("error"); // "%URL%" stands for the address; empty: success
        const QByteArray body = pattern(3000);
        auto head = [](const QByteArray& lines) { return "HTTP/1.1 200 OK\r\nConnection: close\r\n" + lines; };
        const QString noLength = QStringLiteral("سرور اندازه فايل را اعلام نکرد (Content-Length)؛ فايل دانلود نشد.");
        QTest::newRow("200") << HttpAnswer::ok(body) << QString();
        QTest::newRow("206") << HttpAnswer::status(206, "Partial Content", body, {"Content-Range: bytes 0-2999/3000"})
                             << QString();
        QTest::newRow("1-byte chunk mid-transfer")
            << [&] {
                   HttpAnswer a = HttpAnswer::raw(head("Content-Length: 3000"),
                                                  {body.left(1024), body.mid(1024, 1), body.mid(1025)});
                   a.pauseMs = 60;
                   return a;
               }()
            << QString();
        QTest::newRow("204") << HttpAnswer::status(204, "No Content") << "Nothing to download!";
        QTest::newRow("0-byte body") << HttpAnswer::ok({}) << "Nothing to download!";
        QTest::newRow("401") << HttpAnswer::status(401, "Unauthorized", "no", {"WWW-Authenticate: Basic realm=\"hov\""})
                             << "Authorization failed!";
        QTest::newRow("404") << HttpAnswer::status(404, "Not Found", "<html>gone</html>")
                             << "The file, \"%URL%\" was not found!";
        QTest::newRow("500") << HttpAnswer::status(500, "Internal Server Error", "oops")
                             << "The server returned the following response:\r\rHTTP/1.1 500 Internal Server Error\r";
        QTest::newRow("301") << HttpAnswer::status(301, "Moved Permanently", {}, {"Location: /elsewhere.exe"})
                             << "The server returned the following response:\r\rHTTP/1.1 301 Moved Permanently\r";
        QTest::newRow("no Content-Length") << HttpAnswer::raw(head("X-Note: none"), {body}) << noLength;
        QTest::newRow("unusable Content-Length") << HttpAnswer::raw(head("Content-Length: 3e3"), {body}) << noLength;
        QTest::newRow("Content-Length larger than the body")
            << HttpAnswer::raw(head("Content-Length: 5000"), {body}) << kReset;
        QTest::newRow("reset mid-body")
            << HttpAnswer::raw(head("Content-Length: 3000"), {body.left(1500)}, HttpAnswer::End::Reset) << kReset;
        QTest::newRow("silent mid-body past the time-out")
            << HttpAnswer::raw(head("Content-Length: 3000"), {body.left(1024)}, HttpAnswer::End::Stay) << kReset;
        QTest::newRow("silent past the time-out") << HttpAnswer{} << "Cannot establish connection.";
        QTest::newRow("gzip-encoded body")
            << HttpAnswer::ok(qCompress(body), {"Content-Encoding: gzip"})
            << QStringLiteral("سرور فايل را فشرده (gzip) فرستاد؛ برنامه به روز رساني خود فايل را لازم دارد و آن را دانلود نکرد.");
        QTest::newRow("Content-Length smaller than the body: not the signed file")
            << HttpAnswer::raw(head("Content-Length: 2000"), {body})
            << QStringLiteral("امضاي برنامه نصب دريافت شده معتبر نيست؛ فايل از ناشر نرم افزار نيست يا در راه خراب شده است. "
                              "فايل حذف شد و اجرا نمي شود.");
    }
    void serverBehaviour() {
        QFETCH(HttpAnswer, answer);
        QFETCH(QString, error);
        Fixture f;
        const QByteArray body = pattern(3000);
        f.server.serve(kInstallerPath, answer);
        f.signWith(body);
        const bool ok = f.download();
        QCOMPARE(ok, error.isEmpty());
        if (ok) {
            QCOMPARE(readAll(f.target()), body);
            QCOMPARE(f.record.completions(), 1);
            QCOMPARE(f.record.progress().mid(f.record.progress().size() - 2), (QStringList{"100", "100"}));
        } else {
            QCOMPARE(f.record.errors(), QStringList{QString(error).replace(QStringLiteral("%URL%"), f.url())});
            QCOMPARE(f.record.completions(), 0);
        }
        QCOMPARE(f.files(), ok ? QStringList{"setup-Hov-480.exe"} : QStringList{});
    }

    void connectionRefused() {
        Fixture f;
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const QString url = QStringLiteral("http://127.0.0.1:%1/Soft/hov/480/setup-Hov-480.exe").arg(probe.serverPort());
        probe.close();
        QVERIFY(!f.downloader.DownloadFile(url, f.target()));
        QCOMPARE(f.record.errors(), QStringList{"Cannot establish connection."});
        QVERIFY(f.files().isEmpty());
    }

    // A failure of the request itself, neither a refusal nor an HTTP answer.
    void otherRequestError() {
        Fixture f;
        QVERIFY(!f.downloader.DownloadFile(QStringLiteral("htp://127.0.0.1/setup-Hov-480.exe"), f.target()));
        QCOMPARE(f.record.errors().size(), 1);
        QVERIFY(f.record.errors().front().startsWith(QStringLiteral("Error: ")));
        QVERIFY(f.record.errors().front().endsWith(QStringLiteral(" occurred.")));
        QVERIFY(f.files().isEmpty());
    }

    // 2 GB + 1 byte announced, a little sent: sizes and percentages in 64 bits, the short
    // transfer reported, nothing left; and a disk too small is refused before any byte.
    void twoGigabytesAnnounced() {
        Fixture f;
        f.server.serve(kInstallerPath,
                       HttpAnswer::raw("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 2147483649",
                                       {pattern(4096)}));
        QVERIFY(!f.download());
        QCOMPARE(f.downloader.expectedSize(), qint64(2147483649LL));
        QCOMPARE(f.downloader.bytesReceived(), qint64(4096));
        QCOMPARE(f.record.progress(), (QStringList{"0", "0", "0", "0", "0"}));
        QCOMPARE(f.record.errors(), QStringList{kReset});
        QVERIFY(f.files().isEmpty());

        Fixture small;
        small.downloader.freeSpace = [](const QString&) { return qint64(2147483648LL); };
        small.server.serve(kInstallerPath,
                           HttpAnswer::raw("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 2147483649",
                                           {pattern(4096)}));
        QVERIFY(!small.download());
        QCOMPARE(small.record.errors(), QStringList{"There is not enough free space on disk for this file."});
        QVERIFY(small.record.progress().isEmpty());
        QVERIFY(small.files().isEmpty());
    }

    // The file at the target is replaced whole by a good download and left alone by a
    // failed one.
    void existingTarget() {
        Fixture f;
        const QByteArray old(5000, 'o');
        writeAll(f.target(), old);
        f.server.serve(kInstallerPath, HttpAnswer::status(404, "Not Found"));
        QVERIFY(!f.download());
        QCOMPARE(readAll(f.target()), old);

        const QByteArray installer = pattern(3000);
        f.publish(installer);
        QVERIFY(f.download());
        QCOMPARE(readAll(f.target()), installer);

        f.server.serve(kInstallerPath, HttpAnswer::ok(pattern(3000, 2)));
        QVERIFY(!f.download()); // signed bytes differ
        QCOMPARE(readAll(f.target()), installer);
        QCOMPARE(f.files(), QStringList{"setup-Hov-480.exe"});
    }

    void signature_data() {
        QTest::addColumn<QString>("case_");
        QTest::newRow("bad") << "bad";
        QTest::newRow("missing") << "missing";
        QTest::newRow("other key") << "other key";
        QTest::newRow("truncated") << "truncated";
    }
    void signature() {
        QFETCH(QString, case_);
        Fixture f;
        const QByteArray installer = pattern(3000);
        f.server.serve(kInstallerPath, HttpAnswer::ok(installer));
        QByteArray sig = keys().sign(installer);
        if (case_ == "bad")
            sig[10] = char(sig[10] ^ 0x01);
        if (case_ == "other key") {
            Keys other;
            sig = other.sign(installer);
        }
        if (case_ == "truncated")
            sig.chop(1);
        if (case_ != "missing")
            f.server.serve(kInstallerPath + ".sig", HttpAnswer::ok(sig));
        // The message says the file was removed: so it is, while the operator reads it.
        QStringList filesAtMessage{QStringLiteral("not shown")};
        QObject::connect(&f.downloader, &FileDownloader::DownloadErrors,
                         [&] { filesAtMessage = f.files(); });
        QVERIFY(!f.download());
        QCOMPARE(filesAtMessage, QStringList());
        QCOMPARE(f.record.errors().size(), 1);
        QVERIFY(f.record.errors().front().startsWith(case_ == "missing" ? QStringLiteral("امضاي برنامه نصب از سرور دريافت نشد")
                                                                      : QStringLiteral("امضاي برنامه نصب دريافت شده معتبر نيست")));
        if (case_ == "missing")
            QVERIFY(f.record.errors().front().contains(f.url() + ".sig"));
        QCOMPARE(f.record.completions(), 0);
        QVERIFY(f.files().isEmpty());
    }

    // The hash runs on its own thread behind a bounded queue: many blocks of odd sizes give
    // the same hash as the whole; a reset drops what is queued; the check is used again
    // after verify; an object dropped with blocks still queued ends its thread.
    void signatureCheckBlocks() {
        const QByteArray installer = pattern(5 * 1024 * 1024 + 333, 3);
        const QByteArray sig = keys().sign(installer);
        const auto feed = [&](hovupdate::SignatureCheck& check) {
            qsizetype at = 0;
            for (qsizetype size = 1; at < installer.size(); size = size * 3 % 300007 + 1) {
                check.add(installer.mid(at, size));
                at += size;
            }
        };
        hovupdate::SignatureCheck check;
        feed(check);
        QVERIFY(check.verify(sig, keys().publicKey()));
        check.add(pattern(4 * 1024 * 1024, 4)); // dropped by the reset
        check.reset();
        feed(check);
        QVERIFY(check.verify(sig, keys().publicKey()));
        check.add(installer.left(1000));
        QVERIFY(!check.verify(sig, keys().publicKey()));
        {
            hovupdate::SignatureCheck dropped;
            for (int i = 0; i < 3 * hovupdate::SignatureCheck::kQueuedBlocks; ++i)
                dropped.add(installer);
        }
    }

    void cancelMidTransfer() {
        Fixture f;
        const QByteArray body = pattern(8192);
        HttpAnswer a = HttpAnswer::raw("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 8192",
                                       {body.left(2048), body.mid(2048)});
        a.pauseMs = 400;
        f.server.serve(kInstallerPath, a);
        f.signWith(body);
        QObject::connect(&f.downloader, &FileDownloader::DownloadProgress, &f.downloader,
                         [&f](const QString&) {
                             QVERIFY(QFile::exists(f.part()));
                             f.downloader.Cancel();
                         });
        QVERIFY(!f.download());
        QCOMPARE(f.record.progress(), QStringList{"12"}); // 1024 of 8192: 12.5, halves to even
        QVERIFY(f.record.errors().isEmpty());
        QCOMPARE(f.record.completions(), 0);
        QVERIFY(f.files().isEmpty());
    }

    // A part file left by an interrupted run: the rest is asked for; the whole file is
    // checked against the signature.
    void resume_data() {
        QTest::addColumn<QByteArray>("left");
        QTest::addColumn<QString>("server"); // "206", "200", "416"
        QTest::addColumn<bool>("ok");
        const QByteArray body = pattern(3000);
        QTest::newRow("206 appended") << body.left(1000) << "206" << true;
        QTest::newRow("200 restarts from zero") << body.left(1000) << "200" << true;
        QTest::newRow("part longer than the file: 416, then from zero") << pattern(5000, 3) << "416" << true;
        QTest::newRow("part with other bytes: signature fails") << pattern(1000, 4) << "206" << false;
    }
    void resume() {
        QFETCH(QByteArray, left);
        QFETCH(QString, server);
        QFETCH(bool, ok);
        Fixture f;
        const QByteArray body = pattern(3000);
        writeAll(f.part(), left);
        f.signWith(body);
        f.server.handler = [&](const hovtest::HttpRequest& r) {
            if (r.path.endsWith(".sig"))
                return HttpAnswer::ok(keys().sign(body));
            const QByteArray range = r.headers.value("range");
            const qint64 from = range.mid(6, range.size() - 7).toLongLong();
            if (from == 0 || server == "200")
                return HttpAnswer::ok(body);
            if (from >= body.size())
                return HttpAnswer::status(416, "Range Not Satisfiable", {}, {"Content-Range: bytes */3000"});
            return HttpAnswer::status(206, "Partial Content", body.mid(from),
                                      {"Content-Range: bytes " + QByteArray::number(from) + "-2999/3000"});
        };
        QCOMPARE(f.download(), ok);
        QCOMPARE(f.server.requests.front().headers.value("range"),
                 "bytes=" + QByteArray::number(left.size()) + "-");
        if (ok) {
            QCOMPARE(readAll(f.target()), body);
            QCOMPARE(f.record.progress().back(), QStringLiteral("100"));
        } else {
            QCOMPARE(f.record.errors().size(), 1);
        }
        QCOMPARE(f.files(), ok ? QStringList{"setup-Hov-480.exe"} : QStringList{});
    }

    void writeFailure() {
        Fixture f;
        writeAll(f.dir.filePath("blocker"), "a file where a folder should be");
        f.publish(pattern(3000));
        QVERIFY(!f.downloader.DownloadFile(f.url(), f.dir.filePath("blocker/setup-Hov-480.exe")));
        QCOMPARE(f.record.errors().size(), 1);
        QVERIFY(f.record.errors().front().startsWith(QStringLiteral("Cannot write file to disk.\r\rError ")));
        QCOMPARE(f.files(), QStringList{"blocker"});
    }

    // The user name and password given reach the server when it asks for them, for the
    // installer and its signature.
    void credentials() {
        Fixture f;
        const QByteArray body = pattern(3000);
        f.server.handler = [&](const hovtest::HttpRequest& r) {
            if (r.headers.value("authorization") != "Basic " + QByteArray("clinic:secret").toBase64())
                return HttpAnswer::status(401, "Unauthorized", {}, {"WWW-Authenticate: Basic realm=\"hov\""});
            return HttpAnswer::ok(r.path.endsWith(".sig") ? keys().sign(body) : body);
        };
        QVERIFY(f.downloader.DownloadFile(f.url(), f.target(), QStringLiteral("clinic"), QStringLiteral("secret")));
        QCOMPARE(readAll(f.target()), body);
        QVERIFY(f.server.requests.back().path.endsWith(".sig"));
        QVERIFY(f.server.requests.back().headers.contains("authorization"));
    }

    // The key compiled in is the one of the key file the build was given; the signing
    // tool's key pair and signature are the ones the updater checks.
    void keysAndTool() {
        QFile keyFile(QStringLiteral(HOV_UPDATE_KEY_FILE));
        QVERIFY(keyFile.open(QIODevice::ReadOnly));
        QByteArray hex;
        for (const QByteArray& line : keyFile.readAll().split('\n'))
            if (!line.startsWith('#'))
                hex += line.trimmed();
        QCOMPARE(hovupdate::compiledPublicKey(), QByteArray::fromHex(hex));

        QTemporaryDir dir;
        const QString tool = QStringLiteral(HOV_SIGN_TOOL);
        auto run = [&](const QStringList& args) {
            QProcess p;
            p.start(tool, args);
            return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        };
        const QString secret = dir.filePath("secret.key"), pub = dir.filePath("public.key");
        QCOMPARE(run({"keygen", secret, pub}), 0);
        QCOMPARE(run({"keygen", secret, pub}), 1); // never over an existing key
        QCOMPARE(QFile::permissions(secret) & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
        const QString installer = dir.filePath("setup-Hov-480.exe");
        writeAll(installer, pattern(70000));
        QCOMPARE(run({"sign", secret, installer}), 0);
        QCOMPARE(run({"verify", pub, installer}), 0);

        QFile pubFile(pub);
        QVERIFY(pubFile.open(QIODevice::ReadOnly));
        QByteArray pubHex;
        for (const QByteArray& line : pubFile.readAll().split('\n'))
            if (!line.startsWith('#'))
                pubHex += line.trimmed();
        const QByteArray key = QByteArray::fromHex(pubHex);
        const QByteArray sig = readAll(installer + ".sig");
        QVERIFY(hovupdate::verifyFileSignature(installer, sig, key));
        QVERIFY(!hovupdate::verifyFileSignature(installer, sig, keys().publicKey()));
        writeAll(installer, pattern(70000, 2));
        QVERIFY(!hovupdate::verifyFileSignature(installer, sig, key));
        QCOMPARE(run({"verify", pub, installer}), 1);
    }

    void getFileName_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("name");
        QTest::newRow("installer") << "http://update.example/Soft/hov/480/setup-Hov-480.exe" << "setup-Hov-480.exe";
        QTest::newRow("https") << "https://update.example/Soft/hov/480/setup-Hov-480.exe" << "setup-Hov-480.exe";
        QTest::newRow("no dot in the last part") << "http://update.example/Soft/hov/480/setup" << "";
        QTest::newRow("dot only at the end") << "http://update.example/dir/setup." << "";
        QTest::newRow("ends in a slash: kept") << "http://update.example/dir/a.exe/" << "a.exe/";
        QTest::newRow("just the scheme") << "http://" << "";
        QTest::newRow("host only, no dot") << "http://a" << "";
        QTest::newRow("host with a dot") << "http://a.b" << "a.b";
        QTest::newRow("not http") << "ftp://update.example/setup.exe" << "";
        QTest::newRow("one character") << "h" << "";
        QTest::newRow("empty") << "" << "";
    }
    void getFileName() {
        QFETCH(QString, address);
        QFETCH(QString, name);
        QCOMPARE(Progress::GetFileName(address), name);
    }

    void window() {
        QTemporaryDir dir;
        Progress w(dir.path());
        QCOMPARE(w.windowTitle(), QStringLiteral("Downloading File ... "));
        QCOMPARE(w.size(), QSize(560, 193));
        QCOMPARE(w.pos(), QPoint(165, 108));
        QVERIFY(w.windowFlags() & Qt::Tool);
        QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(w.Label3->text(), QStringLiteral("HOV-480"));
        QCOMPARE(w.cmdUpdate->text(), QStringLiteral("دانلود"));
        QCOMPARE(w.Command1->text(), QStringLiteral("خروج"));
        QCOMPARE(w.ProgressBar->maximum(), 100);
        QCOMPARE(w.Text->text(), QStringLiteral("https://update.hov480.example.com/Soft/hov/480/setup-Hov-480.exe"));
        QCOMPARE(w.targetFile(), dir.filePath("setup-Hov-480.exe"));
        QCOMPARE(w.FileDownloader1->size(), QSize(68, 63));
        w.show();
        QVERIFY(w.Text->isHidden() && w.Label1->isHidden());
        QVERIFY(!w.rect().intersects(w.Text->geometry()));
        QCOMPARE(w.Timer1->interval(), 1000);
        w.ProgressBar->setValue(42);
        QTRY_COMPARE_WITH_TIMEOUT(w.Label4->text(), QStringLiteral("42"), 2500);
    }

    // The window with a test server: download, cancel, leave, error.
    void windowFlows_data() {
        QTest::addColumn<QString>("flow");
        QTest::newRow("complete") << "complete";
        QTest::newRow("cancel button") << "cancel";
        QTest::newRow("exit mid-download") << "exit";
        QTest::newRow("error") << "error";
        QTest::newRow("installer does not start") << "no start";
        QTest::newRow("unusable update-server.txt") << "bad server file";
    }
    void windowFlows() {
        QFETCH(QString, flow);
        QTemporaryDir dir;
        hovtest::HttpTestServer server;
        QVERIFY(server.listen());
        writeAll(dir.filePath("update-server.txt"), server.base().toUtf8() + "\r\n");
        const QByteArray body = pattern(6000);
        HttpAnswer a = HttpAnswer::ok(body);
        if (flow == "cancel" || flow == "exit") {
            a = HttpAnswer::raw("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 6000",
                                {body.left(3072), body.mid(3072)});
            a.pauseMs = 400;
        }
        if (flow == "error")
            a = HttpAnswer::status(404, "Not Found");
        server.serve(kInstallerPath, a);
        server.serve(kInstallerPath + ".sig", HttpAnswer::ok(keys().sign(body)));
        if (flow == "bad server file")
            writeAll(dir.filePath("update-server.txt"), "update server, please");

        Progress w(dir.path());
        w.FileDownloader1->setPublicKey(keys().publicKey());
        struct Box {
            QMessageBox::Icon icon;
            QString title, text;
        };
        QList<Box> boxes;
        QStringList started;
        int ends = 0;
        w.showMessage = [&](QMessageBox::Icon icon, const QString& title, const QString& text) {
            boxes << Box{icon, title, text};
        };
        w.startProgram = [&](const QString& program) {
            started << program;
            return flow != "no start";
        };
        w.endProgram = [&] { ++ends; };
        QList<int> barValues;
        QObject::connect(w.FileDownloader1, &FileDownloader::DownloadProgress, &w, [&](const QString&) {
            barValues << w.ProgressBar->value();
            QCOMPARE(w.cmdUpdate->text(), QStringLiteral("انصراف"));
            if (barValues.size() == 1 && flow == "cancel")
                w.cmdUpdate->click();
            if (barValues.size() == 1 && flow == "exit")
                w.Command1->click();
        });
        w.show();
        if (flow == "bad server file") {
            w.cmdUpdate->click();
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(boxes.front().icon, QMessageBox::Critical);
            QVERIFY(boxes.front().text.contains(QStringLiteral("update-server.txt")));
            QVERIFY(server.requests.isEmpty());
            QCOMPARE(w.cmdUpdate->text(), QStringLiteral("دانلود"));
            return;
        }
        QCOMPARE(w.Text->text(), server.base() + QString::fromLatin1(kInstallerPath));
        w.cmdUpdate->click();

        const QString target = dir.filePath("setup-Hov-480.exe");
        if (flow != "exit")
            QCOMPARE(w.ProgressBar->value(), 0);
        if (flow == "complete" || flow == "no start") {
            QCOMPARE(boxes.front().title, QStringLiteral("Success"));
            QCOMPARE(boxes.front().text, QStringLiteral("دانلود فايل با موفقيت به پايان رسيد "));
            QCOMPARE(boxes.front().icon, QMessageBox::Information);
            QCOMPARE(started, QStringList{target});
            QCOMPARE(readAll(target), body);
            QCOMPARE(barValues.back(), 100);
            QCOMPARE(ends, flow == "complete" ? 1 : 0);
            QCOMPARE(boxes.size(), flow == "complete" ? 1 : 2);
            if (flow == "no start") {
                QCOMPARE(boxes.back().icon, QMessageBox::Critical);
                QVERIFY(boxes.back().text.contains(target));
            }
            QCOMPARE(w.cmdUpdate->text(), QStringLiteral("دانلود"));
            return;
        }
        QVERIFY(started.isEmpty());
        QVERIFY(!QFile::exists(target));
        QVERIFY(!QFile::exists(target + ".part"));
        if (flow == "error") {
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(boxes.front().title, QStringLiteral("Error"));
            QCOMPARE(boxes.front().icon, QMessageBox::Critical);
            QCOMPARE(boxes.front().text, "The file, \"" + w.Text->text() + "\" was not found!");
        } else {
            QVERIFY(boxes.isEmpty());
            QCOMPARE(barValues.size(), 1);
        }
        QCOMPARE(ends, flow == "exit" ? 1 : 0);
        if (flow != "exit")
            QCOMPARE(w.cmdUpdate->text(), QStringLiteral("دانلود"));
    }
};

QTEST_MAIN(TestUpdater)
#include "test_updater.moc"
