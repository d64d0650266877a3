#include "LivePreview.h"

#include "EditorControl.h"
#include "ErrorReport.h"
#include "PageLinks.h"
#include "TfPreview.h"

#include <QFileInfo>

LivePreview::LivePreview(EditorControl& editor, TfPreview& preview)
    : QObject(&preview), editor(&editor), preview(preview) {
    timer.setSingleShot(true);
    timer.setInterval(kPause);
    connect(&timer, &QTimer::timeout, this, &LivePreview::refresh);
    connect(&editor, &EditorControl::changed, this, [this] {
        edited = true;
        timer.start();
    });
    // A file replaced in one step (as editors save) is no longer watched:
    // the refresh watches it again.
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, [this] { timer.start(); });
    watchLinkedFiles();
}

void LivePreview::refresh() {
    if (preview.Released())
        return;
    if (edited && editor) {
        edited = false;
        // A file that cannot be written leaves the page as it was.
        RunSilently([this] { editor->WriteCopyTo(preview.File()); });
    }
    preview.Refresh();
    watchLinkedFiles();
}

void LivePreview::watchLinkedFiles() {
    if (!editor)
        return;
    const QString page = QFileInfo(preview.File()).absoluteFilePath();
    QStringList linked;
    for (const QString& file : LinkedLocalFiles(editor->Text(), QFileInfo(page).absolutePath())) {
        if (file != page && QFileInfo(file).isFile())
            linked.append(file);
    }
    const QStringList watched = watcher.files();
    for (const QString& file : watched) {
        if (!linked.contains(file))
            watcher.removePath(file);
    }
    for (const QString& file : linked) {
        if (!watched.contains(file))
            watcher.addPath(file);
    }
}
