#pragma once

#include "FileSearch.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>

class QThread;
class QWidget;
class ResultsPanel;
class TChildForm;

// What Search in Files needs of the main window.
struct FileSearchHost {
    std::function<QList<TChildForm*>()> documents;
    std::function<QString()> folder;      // the file manager's current folder
    std::function<QStringList()> masks;   // the file manager's filter entries
    std::function<QString()> currentMask; // the file manager's filter now
    QWidget* window = nullptr;
};

// Search in Files and Replace in Files: the dialog, the search on a worker
// thread with its progress in the results panel, the results, and for a
// replace the question per file, the replacements and one summary.
// Open documents are searched (and changed) in their editors, every other
// file on disk.
class FileSearchCommands : public QObject {
    Q_OBJECT
public:
    FileSearchCommands(FileSearchHost host, ResultsPanel& panel, QObject* parent = nullptr);
    ~FileSearchCommands() override;

    // The dialog, filled from the remembered state; on OK the search starts.
    void Run(bool replace);
    // What OK starts: the search, then for a replace the replacements.
    void Start(const FileSearchRequest& request, bool replace);
    bool Running() const { return thread != nullptr; }
    void Cancel() { cancel = true; }

signals:
    // The search (and a replace after it) is over.
    void finished(const FileSearchTotals& totals);

private:
    struct OpenDocument {
        QString canonical;
        QPointer<TChildForm> window;
    };
    void progressed(int generation, int done, int total, int matches);
    void found(int generation, const FileHits& file);
    void searched(int generation, const FileSearchTotals& totals);
    void stopThread();
    void replaceFound();
    TChildForm* openWindowFor(const QString& path) const;

    FileSearchHost host;
    ResultsPanel& panel;
    FileSearchRequest request;
    bool replacing = false;
    std::atomic_bool cancel = false;
    std::unique_ptr<QThread> thread;
    int generation = 0;
    QList<OpenDocument> openDocuments;
    QList<FileHits> results;
};
