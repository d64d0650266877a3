#pragma once

#include <QString>
#include <QStringList>

// Where the program finds and keeps the files it writes for itself. A program
// folder that can be written holds them all, as it always has. An installed
// program, or one whose folder cannot be written, keeps its settings and
// snippets in <config home>/quillon and its scratch and update files in
// <cache home>/quillon. Every folder ends in "/".
struct ProgramPlaces {
    QString programFolder; // the executable's folder
    QString configFolder;  // settings.ini and CodeC/codeinside.qci
    QString scratchFolder; // import scratch, previews of untitled documents, update files
    // Snapshots of unsaved documents, kept for the next start after a crash:
    // recovery/ beside settings.ini in the program folder, else
    // <state home>/quillon/recovery.
    QString recoveryFolder;
    QString helpFolder; // help.chm, help_d.chm and the same pages in en/ and nl/
    bool installed = false;
    // The desktop entry installed with the program, when the desktop finds it
    // there (its share folder is one of the desktop's data folders); empty for
    // a program run from where it was built.
    QString installedDesktopEntry;

    // The places for an executable in programFolder. An installed program has
    // <prefix>/share/applications/quillon.desktop beside its bin folder; its
    // help comes from <prefix>/share/quillon/help when that exists, else from
    // the program folder's help/. dataDirs are the desktop's data folders;
    // an empty stateHome stands for the user's ($XDG_STATE_HOME).
    static ProgramPlaces For(const QString& programFolder, const QString& configHome,
                             const QString& cacheHome, const QStringList& dataDirs,
                             const QString& stateHome = QString());
    // The places of the running program, from its environment.
    static ProgramPlaces ForThisProgram();

    QString SettingsPath() const { return configFolder + QStringLiteral("settings.ini"); }
    // A file in the scratch folder (the folder itself for an empty name); the
    // folder is made when missing.
    QString ScratchFile(const QString& name) const;
    // Makes the scratch folder when the file is to lie in it; other folders
    // are the user's, and one that is gone stays gone.
    void MakeScratchFolderFor(const QString& filePath) const;
};

// Whether a file can be made in the folder, found by making one: permission
// bits do not tell for root, nor for a read-only file system.
bool CanWriteIn(const QString& folder);
