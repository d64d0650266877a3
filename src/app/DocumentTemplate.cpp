#include "DocumentTemplate.h"

#include "RegionalFormats.h"
#include "SettingDefaults.h"
#include "SettingsStore.h"

namespace {

QString Text(const SettingsStore& settings, const char* section, const char* key) {
    return settings.ReadText(QString::fromLatin1(section), QString::fromLatin1(key), QString());
}

// The body tag: colour attributes only when the profile asks for them, each
// only when it has a value, in a fixed order.
QString BodyLine(const SettingsStore& settings) {
    QString body = QStringLiteral("<body");
    if (settings.ReadFlag(QStringLiteral("DefLinkCol"), QStringLiteral("On"),
                          SettingDefaults::kDefaultLinkColors)) {
        const std::pair<const char*, QString> attributes[] = {
            {"bgcolor", Text(settings, "BG", "Text")},
            {"background", Text(settings, "Background", "Image")},
            {"alink", Text(settings, "ALink", "Text")},
            {"vlink", Text(settings, "VLink", "Text")},
            {"link", Text(settings, "Link", "Text")}};
        for (const auto& [name, value] : attributes) {
            if (!value.isEmpty())
                body += QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + value +
                        QLatin1Char('"');
        }
    }
    return body + QLatin1Char('>');
}

} // namespace

DocumentTemplate BuildTemplate(const SettingsStore& settings, const QDateTime& builtAt) {
    const QString styleSheet = Text(settings, "StyleSheet", "Path");
    DocumentTemplate result;
    QStringList& lines = result.lines;
    lines << QStringLiteral("<html>") << QStringLiteral("<head>")
          << QStringLiteral("  <meta http-equiv=\"content-type\" content=\"text/html; "
                            "charset=iso-8859-1\">")
          << QStringLiteral("  <title>") + Text(settings, "Title", "Text") +
                 QStringLiteral("</title>")
          << QStringLiteral("  <meta name=\"description\" content=\"") +
                 Text(settings, "DESC", "Text") + QStringLiteral("\">")
          << QStringLiteral("  <meta name=\"keywords\" content=\"") +
                 Text(settings, "KeyWords", "Text") + QStringLiteral("\">")
          << QStringLiteral("  <meta name=\"author\" content=\"") +
                 Text(settings, "Author", "Text") + QStringLiteral("\">")
          << QStringLiteral("  <meta name=\"generator\" content=\"Velmor Software Inc.\">");
    if (!styleSheet.isEmpty())
        lines << QStringLiteral("  <link rel=\"stylesheet\" href=\"") + styleSheet +
                     QStringLiteral("\" type=\"text/css\">");
    lines << QStringLiteral("</head>") << BodyLine(settings);
    // The caret goes to the middle one of the three empty lines in the body.
    result.caretLine = int(lines.size()) + 2;
    lines << QString() << QString() << QString() << QStringLiteral("</body>")
          << QStringLiteral("</html>")
          << QStringLiteral("<!-- ** file created on ") + ShortDateText(builtAt.date()) +
                 QLatin1Char(' ') + LongTimeText(builtAt.time()) + QStringLiteral(" ** -->")
          << QStringLiteral("<!-- ** file created by Quillon visit us online @ ") +
                 QLatin1String(kProductAddress) + QStringLiteral(" -->")
          << QString();
    return result;
}
