// The main window's recently opened files: the list behind File > Reopen,
// kept up to date by every open and save of a document.

#include "TfMain.h"

#include "ErrorReport.h"
#include "FileListing.h"
#include "Language.h"
#include "Prompts.h"
#include "RecentFiles.h"
#include "SettingsStore.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

void TfMain::rememberRecent(const QString& path) {
    // Pictures go to the image browser; they are no documents to reopen.
    if (IsPictureFile(path))
        return;
    const QString file = QFileInfo(path).absoluteFilePath();
    // The list is a convenience: a settings file that cannot be written must
    // not stand in the way of the open or save that got here.
    RunSilently([&] {
        RecentFiles::Write(Settings(), RecentFiles::WithFirst(RecentFiles::Read(Settings()), file));
    });
    refreshRecentMenu();
}

void TfMain::refreshRecentMenu() {
    auto* menu = findChild<QMenu*>(QStringLiteral("Reopen1"));
    if (!menu)
        return;
    // The entry chosen may be running this refresh: entries go later.
    for (QAction* old : menu->actions()) {
        menu->removeAction(old);
        old->deleteLater();
    }
    const QStringList files = RecentFiles::Read(Settings());
    for (int index = 0; index < files.size(); ++index) {
        const QString path = files.at(index);
        QAction* entry = menu->addAction(RecentFiles::MenuCaption(index, path));
        connect(entry, &QAction::triggered, this,
                [this, path] { RunReported([&] { ReopenRecent(path); }); });
    }
    menu->menuAction()->setEnabled(!files.isEmpty());
}

void TfMain::ReopenRecent(const QString& path) {
    if (QFileInfo(path).isFile()) {
        OpenFiles({path}, false);
        return;
    }
    QStringList files = RecentFiles::Read(Settings());
    files.removeAll(path);
    RecentFiles::Write(Settings(), files);
    refreshRecentMenu();
    CurrentPrompts().message(MessageKind::Information,
                             LangText(QStringLiteral("RecGone")) + QStringLiteral("\n\n") + path);
}
