#pragma once

#include "TfMain.h"

#include <QString>
#include <QTemporaryDir>

// A temporary program folder with its own settings file, message channel and
// desktop folders, so that a test never touches the user's real ones.
class ProgramFolder {
public:
    ProgramFolder();

    QString path() const { return folder.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return folder.filePath(name); }
    QString settingsPath() const { return file(QStringLiteral("settings.ini")); }

    // Reads settings.ini as raw bytes (empty when missing) or writes it.
    QByteArray settingsBytes() const;
    void writeSettings(const QByteArray& bytes) const;

    TfMain::Options windowOptions() const;

private:
    QTemporaryDir folder;
};
