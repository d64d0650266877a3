#pragma once

#include "Shell.h"

#include <QHash>

// A shell for tests: remembers what it was asked to open or start, and starts
// nothing.
class RecordingShell : public Shell {
public:
    RecordingShell() { InstallShell(this); }
    ~RecordingShell() override { InstallShell(nullptr); }

    bool openWithDefaultProgram(const QString& path) override {
        opened << path;
        return true;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override {
        started << program;
        startedArguments << arguments;
        return true;
    }

    QString defaultProgramFor(const QString& mimeType) override {
        return defaultPrograms.value(mimeType);
    }

    QStringList opened;
    QStringList started;
    QList<QStringList> startedArguments;
    // The desktop's programs by MIME type; none unless a test names one.
    QHash<QString, QString> defaultPrograms;
};
