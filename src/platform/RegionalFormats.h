#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The user's regional date and time formats, taken from the system locale.
// The long time format is the locale's time with seconds, without a time zone.
QString ShortDateText(const QDate& date, const QLocale& locale = QLocale::system());
QString LongTimeText(const QTime& time, const QLocale& locale = QLocale::system());

// The locale's long time format with every time-zone field removed.
QString LongTimeFormat(const QLocale& locale = QLocale::system());
