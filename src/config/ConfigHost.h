#pragma once

#include <QString>

// Which field of the configuration screen takes the keyboard focus when it
// opens.
enum class ConfigFocus { None, FtpPath, BrowserPath };

// What the configuration screen needs of the main window.
class ConfigHost {
public:
    virtual ~ConfigHost() = default;

    // The folder of settings.ini and the snippet library (ProgramPlaces).
    virtual QString ConfigFolder() const = 0;
    // Puts the catalog texts of the current language on the main window and
    // reads Help/Language into its language value.
    virtual void ApplyLanguage() = 0;
    virtual void RebuildTemplate() = 0;
    virtual void SetOpenOnDoubleClick(bool on) = 0;
    virtual void SetFollowFolders(bool on) = 0;
    // Moves the file manager to the folder and makes it the work directory;
    // a folder that cannot be shown changes nothing.
    virtual void MoveToWorkDirectory(const QString& folder) = 0;
};
