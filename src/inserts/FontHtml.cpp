#include "FontHtml.h"

#include "RgbToHtml.h"

namespace {

QString FontTag(const QString& face, const QString& size, const QString& color) {
    return QStringLiteral("<font face=\"") + face.toLower() + QStringLiteral("\" size=\"") + size +
           QStringLiteral("\" color=\"") + color + QStringLiteral("\">");
}

} // namespace

FormatTags TextFormatTags(const TextFormat& format) {
    FormatTags tags;
    const auto style = [&tags](bool on, const char16_t* name) {
        if (!on)
            return;
        const QString tag = QString::fromUtf16(name);
        tags.opening += QLatin1Char('<') + tag + QLatin1Char('>');
        tags.closing += QStringLiteral("</") + tag + QLatin1Char('>');
    };
    style(format.bold, u"b");
    style(format.italic, u"i");
    style(format.underline, u"u");
    style(format.centered, u"center");
    tags.opening += FontTag(format.face, format.size, format.color);
    tags.closing.prepend(QStringLiteral("</font>"));
    return tags;
}

QString ColoredTextHtml(const QString& face, const QString& size, qint32 color, const QString& text,
                        bool background) {
    return FontTag(face, size, ColorToHtml(color).toLower()) + text +
           (background ? QStringLiteral("</Font>") : QStringLiteral("</font>"));
}
