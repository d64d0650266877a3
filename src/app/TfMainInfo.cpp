// The main window's Info menu: Help (F1), the compiled help file of the
// interface language where the desktop can show one, else the same pages as
// plain HTML in the user's web browser; the update check and the about box.

#include "TfMain.h"

#include "FileManagerView.h"
#include "Prompts.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "TfAbout.h"
#include "TfUpdate.h"

#include <QFileInfo>

namespace {

// Whether the desktop has a program for compiled help files. Viewers declare
// the registered type or its older alias.
bool DesktopShowsCompiledHelp() {
    for (const char* type : {"application/vnd.ms-htmlhelp", "application/x-chm"}) {
        if (!CurrentShell().defaultProgramFor(QString::fromLatin1(type)).isEmpty())
            return true;
    }
    return false;
}

} // namespace

void TfMain::Help() {
    const QString value =
        Settings().ReadText(QStringLiteral("Help"), QStringLiteral("Language"), {});
    QString file;
    QString pages;
    if (value == QLatin1String("Eng")) {
        file = QStringLiteral("help.chm");
        pages = QStringLiteral("en");
    } else if (value == QLatin1String("NL")) {
        file = QStringLiteral("help_d.chm");
        pages = QStringLiteral("nl");
    } else {
        return;
    }
    const QString compiled = places.helpFolder + file;
    if (QFileInfo::exists(compiled) && DesktopShowsCompiledHelp()) {
        CurrentShell().openWithDefaultProgram(compiled);
        return;
    }
    // Most desktops have no viewer for compiled help: the browser the user
    // chose for the preview (F12), else the desktop's, shows the pages.
    const QString index = places.helpFolder + pages + QStringLiteral("/index.html");
    const QString browser = Settings().ReadText(QStringLiteral("WEB"), QStringLiteral("Path"), {});
    if (browser.isEmpty())
        CurrentShell().openWithDefaultProgram(index);
    else
        CurrentShell().startProgram(browser, {index});
}

void TfMain::ShowAbout() {
    TfAbout about(VersionText(), this);
    CurrentPrompts().runDialog(about);
}

void TfMain::CheckForUpdates() {
    TfUpdate update(places.ScratchFile({}), VersionText(), this);
    // An installer that was not started is shown where the user can find it.
    connect(&update, &TfUpdate::installerKept, fileView, &FileManagerView::SelectFolder);
    CurrentPrompts().runDialog(update);
    // The installer runs now; the program ends through the normal close, so
    // that unsaved documents are not lost.
    if (update.Launched())
        close();
}
