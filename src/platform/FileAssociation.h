#pragma once

#include <QString>

// Makes Quillon the desktop's opener of HTML files: a freedesktop desktop entry
// under <data home>/applications and the text/html default in
// <config home>/mimeapps.list, every other line of that file kept.
struct FileAssociationPlaces {
    QString dataHome;   // $XDG_DATA_HOME, or ~/.local/share
    QString configHome; // $XDG_CONFIG_HOME, or ~/.config

    // The places the desktop itself uses.
    static FileAssociationPlaces FromEnvironment();
};

inline constexpr char kDesktopEntryName[] = "quillon.desktop";

// The text of the desktop entry for the given executable.
QString DesktopEntryText(const QString& executablePath);

// The mimeapps.list text with text/html set to Quillon in its
// [Default Applications] section, unless that section names a default for
// text/html already (another program the user chose, or Quillon): then the
// text is returned unchanged. Every other line stays as it was.
QString MimeAppsWithHtmlDefault(const QString& existing);

// Writes both files. An installed program whose own desktop entry the desktop
// finds (installedEntry, see ProgramPlaces) writes no entry of its own: it
// removes the one a run from a build folder left, which would hide the
// installed one. Throws a UserError ("Unable to write to " + path) when a file
// or folder cannot be written.
void RegisterHtmlOpener(const QString& executablePath, const FileAssociationPlaces& places,
                        const QString& installedEntry = {});
