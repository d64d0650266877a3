#pragma once

#include <QString>

// The interface languages. The setting Help/Language holds "Eng" or "NL".
enum class Language { English, Dutch };

// The language of the next text, read from the settings at every call. A
// missing or empty value is the first run: "Eng" is written and read again.
// A value other than "Eng" or "NL" counts as English, so that no question of
// the program goes unasked.
Language CurrentLanguage();

// The text of a key in the current language; empty for an unknown key.
QString LangText(const QString& key);

// The same, in the given language.
QString CatalogText(const QString& key, Language language);

// The text of a message key with its argument placed as the catalog entry
// says; empty for an unknown key.
QString CatalogMessage(const QString& key, const QString& argument, Language language);

// Shows the message of a key in a box of the given kind (0 error, 1 question
// with Yes and No, 2 information) and returns true only when the question was
// answered Yes. Any other kind shows nothing and returns false.
bool LangMessage(const QString& key, const QString& argument = QString(), int kind = 0);
