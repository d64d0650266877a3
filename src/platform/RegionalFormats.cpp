#include "RegionalFormats.h"

QString ShortDateText(const QDate& date, const QLocale& locale) {
    return locale.toString(date, locale.dateFormat(QLocale::ShortFormat));
}

QString LongTimeFormat(const QLocale& locale) {
    // Qt's long time format may end in a time zone ("t"); a time inserted into
    // a document carries hours, minutes and seconds only. Quoted literal text
    // inside the format is kept as it is.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.trimmed();
}

QString LongTimeText(const QTime& time, const QLocale& locale) {
    return locale.toString(time, LongTimeFormat(locale));
}
