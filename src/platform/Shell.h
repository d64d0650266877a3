#pragma once

#include <QString>
#include <QStringList>

// Starting other programs: the desktop's default program for a file, or a
// program named by its path.
class Shell {
public:
    virtual ~Shell() = default;

    // Opens the file with the program the desktop associates with it.
    // Returns whether a program could be asked to open it.
    virtual bool openWithDefaultProgram(const QString& path) = 0;

    // Starts the program at the given path with the given arguments, each
    // passed on as one argument, without a shell in between. A path that is
    // not an executable file is opened with its default program instead.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;

    // The desktop entry of the program the desktop opens files of the MIME
    // type with ("xchm.desktop"); empty when it has none.
    virtual QString defaultProgramFor(const QString& mimeType) = 0;
};

// The desktop's own shell.
class DesktopShell : public Shell {
public:
    bool openWithDefaultProgram(const QString& path) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString defaultProgramFor(const QString& mimeType) override;
};

Shell& CurrentShell();
// Installs a shell (not owned); nullptr restores the desktop's.
void InstallShell(Shell* shell);
