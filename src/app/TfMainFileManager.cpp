// The main window's side of the file manager and the image browser: what
// they ask of the documents and of the Open dialog's folder.

#include "TfMain.h"

#include "EditorControl.h"
#include "ErrorReport.h"
#include "FileListing.h"
#include "FileManagerView.h"
#include "FileReferences.h"
#include "ImageBrowser.h"

void TfMain::connectFileManager() {
    connect(fileView, &FileManagerView::folderClicked, this, [this](const QString& folder) {
        if (followFolders)
            lastOpenFolder = JoinPath(folder, QString());
    });
    connect(fileView, &FileManagerView::openRequested, this,
            [this](const QStringList& files, bool focusedOnly) {
                RunReported([&] { OpenFiles(files, focusedOnly); });
            });
    connect(fileView, &FileManagerView::fileReferenceRequested, this, [this](const QString& path) {
        if (path.isEmpty())
            return;
        RunSilently([&] {
            if (const auto html = FileReference(path))
                insertInActiveDocument(*html);
        });
    });
    connect(imageBrowser, &ImageBrowserPanel::insertRequested, this,
            [this](const QString& html) { RunSilently([&] { insertInActiveDocument(html); }); });
}

void TfMain::insertInActiveDocument(const QString& html) {
    if (EditorControl* editor = ActiveEditor())
        editor->ReplaceSelection(html);
}

QString TfMain::FileManagerFolder() const {
    return fileView->CurrentFolder();
}

void TfMain::ShowFolderInFileManager(const QString& folder) {
    fileView->SelectFolder(folder);
}

void TfMain::SetOpenOnDoubleClick(bool on) {
    openOnDoubleClick = on;
    fileView->SetOpenOnDoubleClick(on);
}
