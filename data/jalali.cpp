#include "data/jalali.h"

#include <array>

namespace hov::jalali {

namespace {

constexpr std::array<const char16_t*, 12> kMonthNames = {
    u"فروردين", u"ارديبهشت", u"خرداد", u"تير", u"مرداد", u"شهريور",
    u"مهر",     u"آبان",     u"آذر",   u"دي",  u"بهمن",  u"اسفند",
};

// Sunday first, as QDate::dayOfWeek() is shifted to below.
constexpr std::array<const char16_t*, 7> kWeekdayNames = {
    u"يکشنبه", u"دوشنبه", u"سه شنبه", u"چهارشنبه", u"پنجشنبه", u"جمعه", u"شنبه",
};

constexpr int kEpochYear = 1332;
constexpr int kDaysInFirstSixMonths = 186;

QString number(int value) {
    return QString::number(value);
}

QString padded(int value) {
    return number(value).rightJustified(2, QLatin1Char('0'));
}

} // namespace

bool isLeapYear(int jalaliYear) {
    const int d = jalaliYear - 1309;
    return ((d % 32) - (d / 32)) % 4 == 0;
}

QDate epoch() {
    return QDate(1953, 3, 21);
}

JalaliDate fromGregorian(const QDate& date) {
    if (!date.isValid() || date < epoch())
        return {0, 0, 0};

    // Whole years are taken off one by one: about seventy steps for today's dates.
    qint64 days = epoch().daysTo(date);
    int year = kEpochYear;
    for (;;) {
        const int length = isLeapYear(year) ? 366 : 365;
        if (days - length < 0)
            break;
        days -= length;
        ++year;
    }

    const int dayOfYear = static_cast<int>(days);
    if (dayOfYear < kDaysInFirstSixMonths)
        return {year, dayOfYear / 31 + 1, dayOfYear % 31 + 1};
    const int rest = dayOfYear - kDaysInFirstSixMonths;
    return {year, rest / 30 + 7, rest % 30 + 1};
}

QString dateText(const QDate& date, int form) {
    const JalaliDate j = fromGregorian(date);
    if (j.year == 0)
        return {};

    const QString y = number(j.year);
    const QString m = number(j.month);
    const QString d = number(j.day);
    const QString monthName = QString::fromUtf16(kMonthNames[j.month - 1]);
    // QDate counts Monday = 1 ... Sunday = 7; the names start on Sunday.
    const QString weekday = QString::fromUtf16(kWeekdayNames[date.dayOfWeek() % 7]);
    const QChar space = QLatin1Char(' ');

    switch (form) {
    case 0:
        return y + QLatin1Char('/') + padded(j.month) + QLatin1Char('/') + padded(j.day);
    case 1:
        return d + space + monthName + space + y;
    case 2:
        return weekday + space + y + QLatin1Char('/') + m + QLatin1Char('/') + d;
    case 3:
        return weekday + space + d + space + monthName + space + y;
    case 4:
        return y + QLatin1Char('.') + m + QLatin1Char('.') + d;
    default:
        return {};
    }
}

} // namespace hov::jalali
