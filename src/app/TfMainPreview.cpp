// The main window's preview commands: the document in the preview window
// (Preview, F9) and in the user's own browser (F12), and the state the
// preview windows leave on the main window.

#include "TfMain.h"

#include "EditorControl.h"
#include "ErrorReport.h"
#include "Language.h"
#include "LivePreview.h"
#include "PreviewEngineSetup.h"
#include "PreviewFiles.h"
#include "SettingDefaults.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "TChildForm.h"
#include "TfPreview.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// The preview window in the frame, unless it has already closed.
TfPreview* PreviewIn(QMdiSubWindow* sub) {
    auto* preview = sub ? qobject_cast<TfPreview*>(sub->widget()) : nullptr;
    return preview && !preview->Released() ? preview : nullptr;
}

} // namespace

void TfMain::connectPreviewCommands() {
    connect(action(QStringLiteral("Previewsite1")), &QAction::triggered, this,
            [this] { RunReported([this] { Preview(); }); });
    connect(action(QStringLiteral("LoadBrowser1")), &QAction::triggered, this,
            [this] { RunReported([this] { PreviewInBrowser(); }); });
}

void TfMain::RunPreview() {
    action(QStringLiteral("Previewsite1"))->trigger();
}

void TfMain::followPreviewActivation(QMdiSubWindow* sub) {
    // Without an active child (the frame itself lost the focus) the current
    // child still counts.
    previewActive = PreviewIn(sub ? sub : mdiArea->currentSubWindow()) != nullptr;
}

void TfMain::CloseActivePreview() {
    TfPreview* preview =
        latestPreview ? latestPreview.data() : PreviewIn(mdiArea->currentSubWindow());
    if (!preview)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(preview->parentWidget()))
        sub->close();
}

void TfMain::Preview() {
    if (previewActive) {
        CloseActivePreview();
        return;
    }
    if (mdiArea->subWindowList().isEmpty()) {
        LangMessage(QStringLiteral("Preview"), QString(), 0);
        return;
    }
    TChildForm* document = ActiveDocument();
    if (!document)
        return;
    const QString caption = document->Caption();
    if (IsStyleSheetCaption(caption)) {
        LangMessage(QStringLiteral("CSS"), QString(), 0);
        return;
    }
    const QString path = PreviewFilePath(caption, NextPreviewNumber(), places.scratchFolder);
    RunSilently([&] {
        places.MakeScratchFolderFor(path);
        document->Editor()->WriteCopyTo(path);
        try {
            openPreviewWindow(path, *document);
        } catch (...) {
            // Without a window nobody would delete the file.
            QFile::remove(path);
            throw;
        }
    });
}

void TfMain::openPreviewWindow(const QString& path, TChildForm& document) {
    auto* preview = new TfPreview(path, LoadPreviewEngine());
    if (Settings().ReadFlag(QStringLiteral("LivePreview"), QStringLiteral("Enabled"),
                            SettingDefaults::kLivePreview))
        new LivePreview(*document.Editor(), *preview);
    connect(preview, &TfPreview::released, this, [this](TfPreview* closed) {
        previewOpen = false;
        if (latestPreview == closed)
            latestPreview = nullptr;
        if (QMdiSubWindow* current = mdiArea->currentSubWindow();
            current && current->widget() == closed)
            previewActive = false;
    });
    QMdiSubWindow* sub = mdiArea->addSubWindow(preview);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    connect(sub, &QMdiSubWindow::windowStateChanged, this, &TfMain::updateTitle);
    latestPreview = preview;
    preview->Navigate();
    previewOpen = true;
    sub->show();
    mdiArea->setActiveSubWindow(sub);
    sub->raise();
}

void TfMain::PreviewInBrowser() {
    const QString browser = Settings().ReadText(QStringLiteral("WEB"), QStringLiteral("Path"), {});
    if (browser.isEmpty()) {
        OpenConfiguration(1, ConfigFocus::BrowserPath);
        return;
    }
    TChildForm* document = ActiveDocument();
    if (!document)
        return;
    const QString path =
        BrowserFilePath(document->Caption(), NextBrowserNumber(), places.scratchFolder);
    browserTempFiles << path;
    RunSilently([&] {
        places.MakeScratchFolderFor(path);
        document->Editor()->WriteCopyTo(path);
        // The path is the browser's one argument, blanks and all.
        CurrentShell().startProgram(browser, {path});
    });
}
