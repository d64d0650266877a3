#include "ObjectHtml.h"

#include "RgbToHtml.h"

#include <QFileInfo>

QString LinkHtml(const QString& url, const QString& name, bool newWindow) {
    const QString target = newWindow ? QStringLiteral(" target=\"_blank\"") : QString();
    return QStringLiteral("<a href=\"") + url + QStringLiteral("\"") + target +
           QStringLiteral(">") + name + QStringLiteral("</a>");
}

QString MailLinkHtml(const QString& address, const QString& name) {
    return QStringLiteral("<a href=\"mailto:") + address + QStringLiteral("\">") + name +
           QStringLiteral("</a>");
}

QString ImageHtml(const QString& source, bool noBorder) {
    return QStringLiteral("<img src=\"") + source + QStringLiteral("\"") +
           (noBorder ? QStringLiteral(" border=0>") : QStringLiteral(">"));
}

QString FlashHtml(const QString& movie, int width, int height, bool loop) {
    const QString codebase = QLatin1String(kFlashCodebase);
    const QString loopValue = loop ? QStringLiteral("true") : QStringLiteral("false");
    QString object = QStringLiteral("<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\""
                                    " codebase=\"") +
                     codebase + QStringLiteral("\" id=untitled");
    if (height > 0 && width > 0)
        object += QStringLiteral(" width=") + QString::number(width) + QStringLiteral(" height=") +
                  QString::number(height);
    object += QLatin1Char('>');

    const QStringList lines = {
        object,
        QStringLiteral("<param name=movie value=\"") + movie + QStringLiteral("\">"),
        QStringLiteral("<param name=quality value=high>"),
        QStringLiteral("<param name=loop value=\"") + loopValue + QStringLiteral("\">"),
        QStringLiteral("<embed src=\"") + movie + QStringLiteral("\" loop=") + loopValue +
            QStringLiteral(" quality=high"),
        QStringLiteral("width= height= type=\"application/x-shockwave-flash\""),
        QStringLiteral("pluginspage=\"") + QLatin1String(kFlashPluginsPage) + QStringLiteral("\">"),
        QStringLiteral("</embed>"),
        QStringLiteral("</object>"),
    };
    QString html;
    for (const QString& line : lines)
        html += line + QStringLiteral("\r\n");
    return html;
}

QString HorizontalLineHtml(const QString& size, const QString& width, bool percent, qint32 color) {
    return QStringLiteral("<hr size=") + size + QStringLiteral(" width=") + width +
           (percent ? QStringLiteral("%") : QString()) + QStringLiteral(" color=") +
           ColorToHtml(color) + QLatin1Char('>');
}

QString DateTimeText(DateTimeChoice choice, const QString& date, const QString& time) {
    switch (choice) {
    case DateTimeChoice::Date:
        return date;
    case DateTimeChoice::Time:
        return time;
    case DateTimeChoice::DateAndTime:
        break;
    }
    return date + QLatin1Char(' ') + time;
}

QString BareFileName(const QString& path) {
    return QFileInfo(path).fileName();
}
