#include "ListHtml.h"

namespace {

QString Items(int count) {
    return QStringLiteral("<li></li>\r\n").repeated(qMax(count, 0));
}

} // namespace

QStringList NumberedListTypes() {
    return {QStringLiteral("default"), QStringLiteral("a"), QStringLiteral("A"),
            QStringLiteral("i"), QStringLiteral("I")};
}

QStringList BulletListTypes() {
    return {QStringLiteral("disc"), QStringLiteral("circle"), QStringLiteral("square")};
}

QString NumberedListHtml(const QString& type, int start, int items) {
    const QString startText =
        QStringLiteral("start=\"") + QString::number(start) + QStringLiteral("\">\r\n");
    const QString opening =
        type == QLatin1String("default")
            ? QStringLiteral("<ol ") + startText
            : QStringLiteral("<ol type=\"") + type + QStringLiteral("\" ") + startText;
    return opening + Items(items) + QStringLiteral("</ol>\r\n");
}

QString BulletListHtml(const QString& type, int items) {
    return QStringLiteral("<ul type=\"") + type + QStringLiteral("\">\r\n") + Items(items) +
           QStringLiteral("</ul>\r\n");
}
