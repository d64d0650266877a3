#include "Language.h"

#include "LangCatalog.h"
#include "Prompts.h"
#include "SettingsStore.h"

#include <QSet>

#include <exception>

namespace {

const QString kSection = QStringLiteral("Help");
const QString kKey = QStringLiteral("Language");

// A settings file that cannot be written would otherwise report the same
// failure at every single text lookup; it is reported once per file.
void ReportFirstRunFailureOnce(const QString& path, const QString& text) {
    static QSet<QString> reported;
    if (reported.contains(path))
        return;
    reported.insert(path);
    CurrentPrompts().message(MessageKind::Error, text);
}

QString Pick(const char16_t* english, const char16_t* dutch, Language language) {
    return QString::fromUtf16(language == Language::Dutch ? dutch : english);
}

} // namespace

Language CurrentLanguage() {
    SettingsStore& store = Settings();
    QString value = store.ReadText(kSection, kKey, QString());
    if (value.isEmpty()) {
        try {
            store.WriteText(kSection, kKey, QStringLiteral("Eng"));
        } catch (const std::exception& error) {
            ReportFirstRunFailureOnce(store.SettingsPath(), QString::fromStdString(error.what()));
        }
        value = store.ReadText(kSection, kKey, QString());
    }
    return value == QLatin1String("NL") ? Language::Dutch : Language::English;
}

QString CatalogText(const QString& key, Language language) {
    for (const CatalogTextEntry& entry : CatalogTexts()) {
        if (key == QStringView(entry.key))
            return Pick(entry.english, entry.dutch, language);
    }
    return {};
}

QString CatalogMessage(const QString& key, const QString& argument, Language language) {
    for (const CatalogMessageEntry& entry : CatalogMessages()) {
        if (key != QStringView(entry.key))
            continue;
        const QString before = Pick(entry.english[0], entry.dutch[0], language);
        const QString after = Pick(entry.english[1], entry.dutch[1], language);
        switch (entry.placement) {
        case ArgumentPlacement::None:
            return before;
        case ArgumentPlacement::BetweenBlanks:
            return before + QLatin1Char(' ') + argument + QLatin1Char(' ') + after;
        case ArgumentPlacement::Adjacent:
            return before + argument + after;
        }
    }
    return {};
}

QString LangText(const QString& key) {
    return CatalogText(key, CurrentLanguage());
}

bool LangMessage(const QString& key, const QString& argument, int kind) {
    if (kind < 0 || kind > 2)
        return false;
    const QString text = CatalogMessage(key, argument, CurrentLanguage());
    return CurrentPrompts().message(static_cast<MessageKind>(kind), text);
}
