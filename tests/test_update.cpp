// The update check: the server address, the version file's reading and the decision, the
// update window asking a test server, starting the updater and ending the program.
#include "tests/support/httptestserver.h"
#include "tests/support/testsupport.h"
#include "ui/kit/geometry.h"
#include "ui/kit/navigator.h"
#include "ui/main/frm1.h"
#include "ui/updatecheck/frmupdate.h"
#include "update/updateserver.h"
#include "update/versionnumber.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>


using namespace hov;
using namespace hov::update;
using hovtest::HttpAnswer;

namespace {

const QString kNoUpdate = QStringLiteral(
    "شما آخرين ورژن نرم افزار را داريد و يا اينکه ارتباط شما با اينترنت برقرار نمي باشد ");
const QByteArray kVersionPath = "/Soft/hov/480/LastVersion.txt";

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A gzip member around the raw deflate data of qCompress (which adds a size and a zlib
// header and trailer).
QByteArray gzip(const QByteArray& data) {
    const QByteArray zlib = qCompress(data);
    const QByteArray deflate = zlib.mid(4 + 2, zlib.size() - 4 - 2 - 4);
    quint32 crc = 0xFFFFFFFFu;
    for (char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc = ~crc;
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i)
            b[i] = char((v >> (8 * i)) & 0xFF);
        return b;
    };
    return QByteArray("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\xff", 10) + deflate + le32(crc) +
           le32(quint32(data.size()));
}

// Counts program ends instead of ending the test program.
struct EndCounter {
    int ends = 0;
    EndCounter() { nav::setEndProgramHandler([this] { ++ends; }); }
    ~EndCounter() { nav::setEndProgramHandler({}); }
};

class RefusingShell : public hovtest::RecordingShell {
public:
    bool startProgram(const QString& program, const QStringList& args) override {
        RecordingShell::startProgram(program, args);
        return false;
    }
};

enum class Served {
    Body,       // 200 with the body
    NotFound,   // 404 whose page holds the body
    ServerError,
    Moved,      // 301 to a file holding the body
    Gzip,       // 200, gzip-encoded body
    Refused,    // nothing listens
    Silent,     // accepts, never answers
};

} // namespace

Q_DECLARE_METATYPE(Served)

class TestUpdate : public QObject {
    Q_OBJECT
private slots:
    void init() { QApplication::restoreOverrideCursor(); }

    void versionDecision_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<bool>("newer");
        QTest::newRow("22") << QByteArray("22") << "22" << true;
        QTest::newRow("21") << QByteArray("21") << "21" << false;
        QTest::newRow("2.2 reads as 2") << QByteArray("2.2") << "2" << false;
        QTest::newRow("25 beta") << QByteArray("25 beta") << "25" << true;
        QTest::newRow("leading blanks and a line end") << QByteArray("  \t22\r\n") << "22" << true;
        QTest::newRow("empty") << QByteArray() << "0" << false;
        QTest::newRow("no number") << QByteArray("abc 99") << "0" << false;
        QTest::newRow("leading zeros") << QByteArray("0022") << "22" << true;
        QTest::newRow("10,000 digits") << QByteArray(10000, '9') << QString(10000, QLatin1Char('9')) << true;
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\x01" "99", 5) << "0" << false;
    }
    void versionDecision() {
        QFETCH(QByteArray, file);
        QFETCH(QString, digits);
        QFETCH(bool, newer);
        QCOMPARE(leadingVersionDigits(file), digits);
        QCOMPARE(isNewerVersion(file, 2, 1), newer);
    }
    void joinedForm() {
        QCOMPARE(joinedVersion(2, 1), QStringLiteral("21"));
        QCOMPARE(joinedVersion(2, 10), QStringLiteral("210"));
    }

    void serverFile_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("base");
        QTest::newRow("https") << QByteArray("https://updates.clinic.example\n") << "https://updates.clinic.example";
        QTest::newRow("http with port, slash dropped") << QByteArray("http://127.0.0.1:8080/\r\n") << "http://127.0.0.1:8080";
        QTest::newRow("blanks, byte order mark, second line ignored")
            << QByteArray("\xEF\xBB\xBF  https://a.example/hov \r\nhttps://b.example") << "https://a.example/hov";
        QTest::newRow("ftp") << QByteArray("ftp://a.example") << "";
        QTest::newRow("no host") << QByteArray("https://") << "";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("words") << QByteArray("update server") << "";
        QTest::newRow("query") << QByteArray("https://a.example/?x=1") << "";
    }
    void serverFile() {
        QFETCH(QByteArray, text);
        QFETCH(QString, base);
        QCOMPARE(parseServerBase(text), base);
    }

    void serverAddressFromFolder() {
        hovtest::TestAppFolder app;
        QCOMPARE(updateServerBase(app.path()).base, kDefaultUpdateServer);
        QVERIFY(updateServerBase(app.path()).valid);
        QVERIFY(kDefaultUpdateServer.startsWith(QLatin1String("https://")));
        writeFile(app.folder().file(kUpdateServerFileName), "http://127.0.0.1:9\n");
        QCOMPARE(updateServerBase(app.path()).base, QStringLiteral("http://127.0.0.1:9"));
        QCOMPARE(versionFileUrl(QStringLiteral("http://127.0.0.1:9")).toString(),
                 QStringLiteral("http://127.0.0.1:9/Soft/hov/480/LastVersion.txt"));
        writeFile(app.folder().file(kUpdateServerFileName), "not an address");
        QVERIFY(!updateServerBase(app.path()).valid);
    }

    void window() {
        hovtest::WindowFixture f;
        FrmUpdate w(f.app.folder());
        QCOMPARE(w.windowTitle(), QStringLiteral("HOV 2.1"));
        QCOMPARE(w.Label1->text(), QStringLiteral("HOV 2.1"));
        QCOMPARE(w.SkinLabel1->text(),
                 QStringLiteral("جهت به روز رساني نرم افزار ابتدا اتصال به اينترنت را چک کنيد سپس روي دکمه آپديت کليک کنيد"));
        QCOMPARE(w.Command1->text(), QStringLiteral("بررسي آپديت جديد"));
        QCOMPARE(w.Command2->text(), QStringLiteral("خروج"));
        QCOMPARE(w.size(), pxSize(5055, 3120));
        QCOMPARE(w.pos(), pxPoint(4085, 2745));
        QVERIFY(w.isModal());
        QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    // Each server behaviour ends in the updater being started, or in the message and a
    // window ready for another try.
    void check_data() {
        QTest::addColumn<Served>("served");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("updates");
        QTest::newRow("22") << Served::Body << QByteArray("22") << true;
        QTest::newRow("21") << Served::Body << QByteArray("21") << false;
        QTest::newRow("2.2") << Served::Body << QByteArray("2.2") << false;
        QTest::newRow("25 beta") << Served::Body << QByteArray("25 beta") << true;
        QTest::newRow("empty") << Served::Body << QByteArray() << false;
        QTest::newRow("10,000 digits") << Served::Body << QByteArray(10000, '7') << true;
        QTest::newRow("binary garbage") << Served::Body << QByteArray("\x00\x01\xfe" "99", 5) << false;
        QTest::newRow("404 page with digits") << Served::NotFound << QByteArray("22") << false;
        QTest::newRow("500") << Served::ServerError << QByteArray("22") << false;
        QTest::newRow("301 to 22") << Served::Moved << QByteArray("22") << true;
        QTest::newRow("gzip 22") << Served::Gzip << QByteArray("22") << true;
        QTest::newRow("connection refused") << Served::Refused << QByteArray() << false;
        QTest::newRow("silent past the time-out") << Served::Silent << QByteArray() << false;
    }
    void check() {
        QFETCH(Served, served);
        QFETCH(QByteArray, body);
        QFETCH(bool, updates);

        hovtest::WindowFixture f;
        EndCounter end;
        hovtest::HttpTestServer server;
        QVERIFY(server.listen());
        QString base = server.base();
        switch (served) {
        case Served::Body:
            server.serve(kVersionPath, HttpAnswer::ok(body));
            break;
        case Served::NotFound:
            server.serve(kVersionPath, HttpAnswer::status(404, "Not Found", body));
            break;
        case Served::ServerError:
            server.serve(kVersionPath, HttpAnswer::status(500, "Internal Server Error", body));
            break;
        case Served::Moved:
            server.serve(kVersionPath, HttpAnswer::status(301, "Moved Permanently", {},
                                                          {"Location: /new/LastVersion.txt"}));
            server.serve("/new/LastVersion.txt", HttpAnswer::ok(body));
            break;
        case Served::Gzip:
            server.serve(kVersionPath, HttpAnswer::ok(gzip(body), {"Content-Encoding: gzip"}));
            break;
        case Served::Refused: {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            base = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
            break; // closed again: nothing listens there now
        }
        case Served::Silent:
            server.serve(kVersionPath, HttpAnswer{});
            break;
        }
        writeFile(f.app.folder().file(kUpdateServerFileName), base.toUtf8() + "\n");

        FrmUpdate w(f.app.folder());
        w.setFetchTimeoutMs(400);
        w.show();
        QSignalSpy ended(&w, &FrmUpdate::checkEnded);
        QElapsedTimer clock;
        clock.start();
        w.Command1->click();
        // Waiting, the window answers: it shows that it is busy.
        if (served == Served::Silent) {
            QTest::qWait(100);
            QCOMPARE(w.windowTitle(), QStringLiteral("Please wait..."));
            QVERIFY(!w.Command1->isEnabled());
            QVERIFY(QApplication::overrideCursor());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QTRY_VERIFY_WITH_TIMEOUT(ended.size() == 1 || end.ends == 1, 12000);
        // The window's own time-out ended the wait, not the 15-second default.
        QVERIFY(clock.elapsed() < 12000);
        QVERIFY(!QApplication::overrideCursor());
        if (updates) {
            QCOMPARE(f.shell.programs, QStringList{f.app.folder().file(kUpdaterProgramName)});
            QVERIFY(kUpdaterProgramName.startsWith(QLatin1String("Hovupdate")));
            QCOMPARE(end.ends, 1);
            QVERIFY(!w.isVisible());
            QVERIFY(f.dialogs.shown.isEmpty());
        } else {
            QVERIFY(f.shell.programs.isEmpty());
            QCOMPARE(end.ends, 0);
            QCOMPARE(f.dialogs.texts(), QStringList{kNoUpdate});
            QCOMPARE(f.dialogs.shown.front().caption, QStringLiteral("HOV"));
            QCOMPARE(f.dialogs.lastIcon, Dialogs::Icon::Information);
            QVERIFY(w.isVisible());
            QVERIFY(w.Command1->isEnabled());
            QCOMPARE(w.windowTitle(), QStringLiteral("HOV 2.1"));
        }
    }

    void updaterThatCannotStart() {
        hovtest::TestAppFolder app;
        hovtest::ScriptedDialogs dialogs;
        RefusingShell shell;
        ScopedServices services(&dialogs, &shell);
        EndCounter end;
        hovtest::HttpTestServer server;
        QVERIFY(server.listen());
        server.serve(kVersionPath, HttpAnswer::ok("22"));
        writeFile(app.folder().file(kUpdateServerFileName), server.base().toUtf8());

        FrmUpdate w(app.folder());
        w.show();
        QSignalSpy ended(&w, &FrmUpdate::checkEnded);
        w.Command1->click();
        QTRY_COMPARE(ended.size(), 1);
        QCOMPARE(shell.programs.size(), 1);
        QCOMPARE(end.ends, 0);
        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY(dialogs.shown.front().text.contains(QStringLiteral("برنامه به روز رساني")));
        QCOMPARE(dialogs.shown.front().details, shell.programs.front());
        QCOMPARE(dialogs.lastIcon, Dialogs::Icon::Critical);
        QVERIFY(w.isVisible());
        QVERIFY(w.Command1->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

    void unusableServerFile() {
        hovtest::WindowFixture f;
        writeFile(f.app.folder().file(kUpdateServerFileName), "update.clinic.example");
        FrmUpdate w(f.app.folder());
        w.show();
        w.Command1->click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f.dialogs.shown.front().text.contains(kUpdateServerFileName));
        QCOMPARE(f.dialogs.shown.front().details, f.app.folder().file(kUpdateServerFileName));
        QVERIFY(f.shell.programs.isEmpty());
        QVERIFY(w.Command1->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

    // Leaving while the server is asked: no message later, the pointer back to normal.
    void closedWhileWaiting() {
        hovtest::WindowFixture f;
        hovtest::HttpTestServer server;
        QVERIFY(server.listen());
        server.serve(kVersionPath, HttpAnswer{});
        writeFile(f.app.folder().file(kUpdateServerFileName), server.base().toUtf8());
        FrmUpdate w(f.app.folder());
        w.setFetchTimeoutMs(300);
        w.show();
        w.Command1->click();
        QTRY_COMPARE(server.requests.size(), 1);
        QVERIFY(w.isChecking());
        w.Command2->click();
        QVERIFY(!w.isVisible());
        QVERIFY(!QApplication::overrideCursor());
        QTest::qWait(500);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    // "بروز رساني" opens the update window modally over the main window.
    void mainMenuOpensIt() {
        hovtest::WindowFixture f;
        Frm1 main(f.app.folder());
        main.show();
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* w = qobject_cast<FrmUpdate*>(QApplication::activeModalWidget());
            seen = w && w->isVisible() && w->isModal();
            if (w)
                w->Command2->click();
        });
        main.Command17->click();
        QVERIFY(seen);
    }

    // From the menu to the updater: the newer version starts Hovupdate and every window of
    // the program closes, the exit window never opens.
    void mainMenuToUpdater() {
        hovtest::WindowFixture f;
        hovtest::HttpTestServer server;
        QVERIFY(server.listen());
        server.serve(kVersionPath, HttpAnswer::ok("22\r\n"));
        writeFile(f.app.folder().file(kUpdateServerFileName), server.base().toUtf8());
        int ends = 0;
        nav::setEndProgramHandler([&] {
            ++ends;
            QApplication::closeAllWindows();
        });
        Frm1 main(f.app.folder());
        QWidget* exitWindow = nullptr;
        connect(&main, &Frm1::exitWindowShown, this, [&](QWidget* w) { exitWindow = w; });
        main.show();
        QTimer::singleShot(0, [&] {
            if (auto* w = qobject_cast<FrmUpdate*>(QApplication::activeModalWidget()))
                w->Command1->click();
        });
        main.Command17->click();
        nav::setEndProgramHandler({});
        QCOMPARE(ends, 1);
        QCOMPARE(f.shell.programs, QStringList{f.app.folder().file(kUpdaterProgramName)});
        QVERIFY(!main.isVisible());
        QVERIFY(!exitWindow);
        QVERIFY(f.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestUpdate)
#include "test_update.moc"
