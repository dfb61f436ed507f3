#include "data/jalali.h"

#include <QSet>
#include <QTest>

using namespace hov::jalali;

namespace hov::jalali {
char* toString(const JalaliDate& d) {
    return QTest::toString(QStringLiteral("%1/%2/%3").arg(d.year).arg(d.month).arg(d.day));
}
} // namespace hov::jalali

class TestJalali : public QObject {
    Q_OBJECT

private slots:
    void dateText_data();
    void dateText();
    void defaultFormAndInvalidDates();
    void leapYears();
    void consecutiveDaysStepByOne();
};

void TestJalali::dateText_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("expected");

    QTest::newRow("epoch") << QDate(1953, 3, 21) << 0 << QStringLiteral("1332/01/01");
    QTest::newRow("last day of common 1402")
        << QDate(2024, 3, 19) << 0 << QStringLiteral("1402/12/29");
    QTest::newRow("first day of 1403") << QDate(2024, 3, 20) << 0 << QStringLiteral("1403/01/01");
    QTest::newRow("30 Esfand of leap 1403")
        << QDate(2025, 3, 20) << 0 << QStringLiteral("1403/12/30");
    QTest::newRow("first day of 1404") << QDate(2025, 3, 21) << 0 << QStringLiteral("1404/01/01");
    QTest::newRow("30 Esfand of leap 1399")
        << QDate(2021, 3, 20) << 0 << QStringLiteral("1399/12/30");
    QTest::newRow("first day of 1400") << QDate(2021, 3, 21) << 0 << QStringLiteral("1400/01/01");
    QTest::newRow("1357/11/22") << QDate(1979, 2, 11) << 0 << QStringLiteral("1357/11/22");
    QTest::newRow("1378/10/11") << QDate(2000, 1, 1) << 0 << QStringLiteral("1378/10/11");
    QTest::newRow("day index 185 is 31 Shahrivar")
        << QDate(2024, 9, 21) << 0 << QStringLiteral("1403/06/31");
    QTest::newRow("day index 186 is 1 Mehr")
        << QDate(2024, 9, 22) << 0 << QStringLiteral("1403/07/01");
    QTest::newRow("form 0 pads") << QDate(2024, 3, 24) << 0 << QStringLiteral("1403/01/05");
    QTest::newRow("form 4 never pads") << QDate(2024, 3, 24) << 4 << QStringLiteral("1403.1.5");
    QTest::newRow("form 2 never pads")
        << QDate(2024, 3, 24) << 2 << QStringLiteral("يکشنبه 1403/1/5");
    QTest::newRow("form 0") << QDate(2024, 3, 20) << 0 << QStringLiteral("1403/01/01");
    QTest::newRow("form 1") << QDate(2024, 3, 20) << 1 << QStringLiteral("1 فروردين 1403");
    QTest::newRow("form 2") << QDate(2024, 3, 20) << 2 << QStringLiteral("چهارشنبه 1403/1/1");
    QTest::newRow("form 3") << QDate(2024, 3, 20) << 3 << QStringLiteral("چهارشنبه 1 فروردين 1403");
    QTest::newRow("form 4") << QDate(2024, 3, 20) << 4 << QStringLiteral("1403.1.1");
    QTest::newRow("form 1 two-digit day")
        << QDate(2025, 3, 20) << 1 << QStringLiteral("30 اسفند 1403");
    QTest::newRow("month 1 name") << QDate(2024, 3, 20) << 1 << QStringLiteral("1 فروردين 1403");
    QTest::newRow("month 2 name") << QDate(2024, 4, 20) << 1 << QStringLiteral("1 ارديبهشت 1403");
    QTest::newRow("month 3 name") << QDate(2024, 5, 21) << 1 << QStringLiteral("1 خرداد 1403");
    QTest::newRow("month 4 name") << QDate(2024, 6, 21) << 1 << QStringLiteral("1 تير 1403");
    QTest::newRow("month 5 name") << QDate(2024, 7, 22) << 1 << QStringLiteral("1 مرداد 1403");
    QTest::newRow("month 6 name") << QDate(2024, 8, 22) << 1 << QStringLiteral("1 شهريور 1403");
    QTest::newRow("month 7 name") << QDate(2024, 9, 22) << 1 << QStringLiteral("1 مهر 1403");
    QTest::newRow("month 8 name") << QDate(2024, 10, 22) << 1 << QStringLiteral("1 آبان 1403");
    QTest::newRow("month 9 name") << QDate(2024, 11, 21) << 1 << QStringLiteral("1 آذر 1403");
    QTest::newRow("month 10 name") << QDate(2024, 12, 21) << 1 << QStringLiteral("1 دي 1403");
    QTest::newRow("month 11 name") << QDate(2025, 1, 20) << 1 << QStringLiteral("1 بهمن 1403");
    QTest::newRow("month 12 name") << QDate(2025, 2, 19) << 1 << QStringLiteral("1 اسفند 1403");
    QTest::newRow("weekday Sunday")
        << QDate(2024, 3, 24) << 3 << QStringLiteral("يکشنبه 5 فروردين 1403");
    QTest::newRow("weekday Monday")
        << QDate(2024, 3, 25) << 3 << QStringLiteral("دوشنبه 6 فروردين 1403");
    QTest::newRow("weekday Tuesday")
        << QDate(2024, 3, 26) << 3 << QStringLiteral("سه شنبه 7 فروردين 1403");
    QTest::newRow("weekday Wednesday")
        << QDate(2024, 3, 27) << 3 << QStringLiteral("چهارشنبه 8 فروردين 1403");
    QTest::newRow("weekday Thursday")
        << QDate(2024, 3, 28) << 3 << QStringLiteral("پنجشنبه 9 فروردين 1403");
    QTest::newRow("weekday Friday")
        << QDate(2024, 3, 29) << 3 << QStringLiteral("جمعه 10 فروردين 1403");
    QTest::newRow("weekday Saturday")
        << QDate(2024, 3, 30) << 3 << QStringLiteral("شنبه 11 فروردين 1403");
    QTest::newRow("form 5") << QDate(2024, 3, 20) << 5 << QString();
    QTest::newRow("form -1") << QDate(2024, 3, 20) << -1 << QString();
    QTest::newRow("day before the epoch") << QDate(1953, 3, 20) << 0 << QString();
    QTest::newRow("day before the epoch, form 4") << QDate(1953, 3, 20) << 4 << QString();
}

void TestJalali::dateText() {
    QFETCH(QDate, date);
    QFETCH(int, form);
    QFETCH(QString, expected);
    QCOMPARE(hov::jalali::dateText(date, form), expected);
}

void TestJalali::defaultFormAndInvalidDates() {
    QCOMPARE(hov::jalali::dateText(QDate()), QString());
    QCOMPARE(fromGregorian(QDate()), (JalaliDate{0, 0, 0}));
    QCOMPARE(fromGregorian(QDate(1900, 1, 1)), (JalaliDate{0, 0, 0}));
    QCOMPARE(hov::jalali::dateText(QDate(2024, 3, 20)), QStringLiteral("1403/01/01"));
}

void TestJalali::leapYears() {
    const QSet<int> leap = {1333, 1337, 1342, 1346, 1350, 1354, 1358, 1362, 1366, 1370, 1375,
                            1379, 1383, 1387, 1391, 1395, 1399, 1403, 1408, 1412, 1416};
    for (int year = 1332; year <= 1419; ++year)
        QVERIFY2(isLeapYear(year) == leap.contains(year), qPrintable(QString::number(year)));
}

// Walking day by day from the epoch shows any slip at a month or year boundary: every day
// must follow the one before, and month 12 must end on day 30 exactly in leap years.
void TestJalali::consecutiveDaysStepByOne() {
    const QDate first(1953, 3, 21);
    QCOMPARE(fromGregorian(first), (JalaliDate{1332, 1, 1}));
    JalaliDate previous = fromGregorian(first);
    for (QDate date = first.addDays(1); date <= QDate(2100, 12, 31); date = date.addDays(1)) {
        const JalaliDate current = fromGregorian(date);
        const int monthLength = previous.month <= 6         ? 31
                                : previous.month <= 11      ? 30
                                : isLeapYear(previous.year) ? 30
                                                            : 29;
        JalaliDate expected = previous;
        if (previous.day < monthLength) {
            ++expected.day;
        } else if (previous.month < 12) {
            expected = {previous.year, previous.month + 1, 1};
        } else {
            expected = {previous.year + 1, 1, 1};
        }
        if (current != expected)
            QFAIL(qPrintable(date.toString(Qt::ISODate) + QStringLiteral(" gives ") +
                             hov::jalali::dateText(date)));
        previous = current;
    }
}

QTEST_GUILESS_MAIN(TestJalali)
#include "test_jalali.moc"
