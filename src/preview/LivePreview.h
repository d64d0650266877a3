#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QTimer>

class EditorControl;
class TfPreview;

// Keeps a preview window up to date while it is open. An edit in the
// document's editor only restarts a timer; once typing pauses, the editor's
// text is written to the preview's file (the document itself is not saved)
// and the page reloads where it was scrolled to. A change on disk of a local
// file the page draws on (its style sheets, scripts, pictures) reloads it
// too. It belongs to the preview window and goes with it; a document window
// that closes first leaves the page as it was last written.
class LivePreview : public QObject {
    Q_OBJECT
public:
    // How long typing pauses before the page is brought up to date.
    static constexpr int kPause = 400;

    LivePreview(EditorControl& editor, TfPreview& preview);

    // The linked files watched for changes.
    QStringList WatchedFiles() const { return watcher.files(); }

private:
    void refresh();
    void watchLinkedFiles();

    QPointer<EditorControl> editor;
    TfPreview& preview;
    QTimer timer;
    QFileSystemWatcher watcher;
    bool edited = false;
};
