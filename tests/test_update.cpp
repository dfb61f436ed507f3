#include "update/versionnumber.h"

#include <QTest>

using namespace hov::update;

class TestUpdate : public QObject {
    Q_OBJECT
private slots:
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
};

QTEST_GUILESS_MAIN(TestUpdate)
#include "test_update.moc"
