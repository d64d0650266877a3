// The main window's session: the settings it starts with when first shown,
// the documents of the last session it reopens, and the exit sequence that
// asks the documents, removes the browser's temporary files and keeps the
// layout and the open documents for the next start.

#include "TfMain.h"

#include "EditorControl.h"
#include "ErrorReport.h"
#include "FileManagerView.h"
#include "Language.h"
#include "MainPanels.h"
#include "MdiChildWindow.h"
#include "PreviewFiles.h"
#include "Prompts.h"
#include "RecentFiles.h"
#include "SettingDefaults.h"
#include "SettingsStore.h"
#include "TChildForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

QList<MdiChildWindow*> ChildWindows(QMdiArea* area) {
    QList<MdiChildWindow*> children;
    for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* child = qobject_cast<MdiChildWindow*>(sub->widget()))
            children << child;
    }
    return children;
}

} // namespace

void TfMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (startupDone)
        return;
    startupDone = true;
    RunReported([this] { runStartupSettings(); });
}

void TfMain::runStartupSettings() {
    ApplyLanguage();
    SettingsStore& store = Settings();
    SetOpenOnDoubleClick(store.ReadFlag(QStringLiteral("DoubleClick"), QStringLiteral("Open"),
                                        SettingDefaults::kOpenOnDoubleClick));
    fileView->SelectFolder(store.ReadText(QStringLiteral("Last"), QStringLiteral("Folder"),
                                          fileView->CurrentFolder()));
    fileView->SetTreeHeight(store.ReadNumber(QStringLiteral("Directory"), QStringLiteral("Height"),
                                             fileView->TreeHeight()));
    SetFileManagerWidth(
        store.ReadNumber(QStringLiteral("FileMan"), QStringLiteral("Width"), fileManagerWidth));
    colorBar->PaintTargets();
    BuildTemplate();
    const QString workFolder = store.ReadText(QStringLiteral("Work"), QStringLiteral("Dir"), {});
    if (!workFolder.isEmpty()) {
        fileView->SelectFolder(workFolder);
        lastOpenFolder = workFolder;
    }
    followFolders = store.ReadFlag(QStringLiteral("Work"), QStringLiteral("Syncro"),
                                   SettingDefaults::kFollowFolders);

    if (store.ReadFlag(QStringLiteral("ToolBars"), QStringLiteral("FileTabs"), true)) {
        tabsBar->show();
    } else {
        tabsBar->hide();
        action(QStringLiteral("FileTabs1"))->setEnabled(true);
    }
    if (store.ReadFlag(QStringLiteral("ToolBars"), QStringLiteral("ColorBar1"), true)) {
        colorBar->show();
    } else {
        colorBar->hide();
        action(QStringLiteral("ColorBar1"))->setEnabled(true);
    }
    fileManager->setVisible(
        store.ReadFlag(QStringLiteral("ToolBars"), QStringLiteral("FileManager"), false));
    SetFileManagerWidth(fileManagerWidth);
    fileView->ApplyFilter(
        store.ReadText(QStringLiteral("File"), QStringLiteral("Mask"), fileView->FilterText()));
    refreshRecentMenu();
}

void TfMain::RestoreSession() {
    SettingsStore& store = Settings();
    if (!store.ReadFlag(QStringLiteral("Session"), QStringLiteral("Reopen"),
                        SettingDefaults::kReopenSession))
        return;
    const LastSession session = ReadLastSession(store);
    const bool highlight = store.ReadFlag(QStringLiteral("SHigh"), QStringLiteral("Enabled"),
                                          SettingDefaults::kHighlighting);
    TChildForm* active = nullptr;
    QStringList gone;
    for (qsizetype index = 0; index < session.documents.size(); ++index) {
        const SessionDocument& remembered = session.documents.at(index);
        if (!QFileInfo(remembered.path).isFile()) {
            gone << remembered.path;
            continue;
        }
        // A document restored from its snapshot keeps its text and caret.
        if (TChildForm* restored = OpenDocumentWindow(remembered.path)) {
            if (index == session.active)
                active = restored;
            continue;
        }
        // A file that cannot be read is reported as an open reports it.
        TChildForm* document = nullptr;
        RunReported([&] { document = OpenFileInWindow(remembered.path, highlight); });
        if (!document)
            continue;
        document->Editor()->SetCaretPosition(remembered.caret);
        document->Editor()->SetTopLine(remembered.topLine);
        if (index == session.active)
            active = document;
    }
    if (active) {
        active->ActivateDocument();
        active->Editor()->setFocus();
    }
    if (!gone.isEmpty())
        CurrentPrompts().message(MessageKind::Information, LangText(QStringLiteral("SessGone")) +
                                                               QStringLiteral("\n\n") +
                                                               gone.join(QLatin1Char('\n')));
}

void TfMain::writeSession() {
    LastSession session;
    const TChildForm* active = ActiveDocument();
    for (TChildForm* document : Documents()) {
        // Untitled documents have no file to reopen.
        if (!CaptionHasFile(document->Caption()))
            continue;
        if (document == active)
            session.active = int(session.documents.size());
        const EditorControl* editor = document->Editor();
        session.documents << SessionDocument{document->Caption(), editor->CaretPosition(),
                                             editor->TopLine()};
    }
    WriteLastSession(Settings(), session);
}

void TfMain::closeEvent(QCloseEvent* event) {
    if (exitConfirmed || runExitSequence()) {
        exitConfirmed = true;
        event->accept();
    } else {
        event->ignore();
    }
}

bool TfMain::runExitSequence() {
    for (MdiChildWindow* child : ChildWindows(mdiArea)) {
        if (!child->CloseQuery())
            return false;
    }
    if (!LangMessage(QStringLiteral("Exit"), QString(), 1))
        return false;
    DeleteExistingFiles(browserTempFiles);
    // A settings file that cannot be written is reported, but it does not keep
    // the user from leaving the program.
    RunReported([this] {
        writeLayoutSettings();
        writeSession();
    });
    if (previewOpen) {
        const QList<QMdiSubWindow*> subs = mdiArea->subWindowList(QMdiArea::CreationOrder);
        for (auto it = subs.crbegin(); it != subs.crend(); ++it) {
            if (auto* child = qobject_cast<MdiChildWindow*>((*it)->widget()))
                child->CloseQuery();
            delete *it;
        }
    }
    return true;
}

void TfMain::writeLayoutSettings() {
    Settings().WriteText(QStringLiteral("Last"), QStringLiteral("Folder"),
                         fileView->CurrentFolder());
    Settings().WriteNumber(QStringLiteral("Directory"), QStringLiteral("Height"),
                           fileView->TreeHeight());
    Settings().WriteNumber(QStringLiteral("FileMan"), QStringLiteral("Width"), fileManagerWidth);
}
