#pragma once

#include <QDate>
#include <QString>

namespace hov::jalali {

struct JalaliDate {
    int year;
    int month; // 1..12
    int day;   // 1..31

    friend bool operator==(const JalaliDate&, const JalaliDate&) = default;
};

// Arithmetic leap rule of the solar calendar: with d = year - 1309, the year is a leap year
// when (d mod 32) - (d div 32) is divisible by 4. Meant for years from 1309 on.
bool isLeapYear(int jalaliYear);

// The first day this calendar converts: 21 March 1953 is 1 Farvardin 1332.
QDate epoch();

// The Jalali date of a Gregorian date, counted by whole years from the epoch (no table and no
// operating-system calendar, so every machine writes the same stamp). A date before the epoch or an
// invalid date gives {0, 0, 0}.
JalaliDate fromGregorian(const QDate& date);

// The date as text in one of five forms (20 March 2024, a Wednesday):
//   0  1403/01/01                  month and day padded to two digits
//   1  1 فروردين 1403              day, month name, year
//   2  چهارشنبه 1403/1/1           weekday name, then year/month/day unpadded
//   3  چهارشنبه 1 فروردين 1403     weekday name, day, month name, year
//   4  1403.1.1                    year.month.day unpadded
// Any other form, an invalid date or a date before the epoch gives an empty text.
QString dateText(const QDate& date, int form = 0);

} // namespace hov::jalali
