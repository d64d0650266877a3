#pragma once

#include <QDateTime>
#include <QStringList>

class SettingsStore;

// The skeleton of a new document, built from the document profile in the
// settings, and the line on which New puts the caret.
struct DocumentTemplate {
    QStringList lines; // without line breaks
    int caretLine = 0; // 1-based
};

// The address named in the credit comment of every new document.
inline constexpr char kProductAddress[] = "https://quillon.vantrel.net";

// Builds the template; builtAt is the time written into its creation comment,
// in the user's short date and long time formats. No value is escaped.
DocumentTemplate BuildTemplate(const SettingsStore& settings, const QDateTime& builtAt);
