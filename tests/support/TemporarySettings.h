#pragma once

#include "SettingsStore.h"

#include <QByteArray>
#include <QTemporaryDir>

// A settings file in a temporary folder, made the program's store for as long
// as the object lives. It starts with the English language entry.
class TemporarySettings {
public:
    TemporarySettings();
    ~TemporarySettings();

    QString path() const { return folder.filePath(QStringLiteral("settings.ini")); }
    // Replaces the file: the language entry followed by the given text.
    void write(const QByteArray& text = {}) const;
    QByteArray bytes() const;

private:
    QTemporaryDir folder;
    SettingsStore store;
};
