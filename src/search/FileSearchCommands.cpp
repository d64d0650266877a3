#include "FileSearchCommands.h"

#include "EditorControl.h"
#include "ErrorReport.h"
#include "FileListing.h"
#include "Language.h"
#include "Prompts.h"
#include "ResultsPanel.h"
#include "SearchState.h"
#include "TChildForm.h"
#include "TConfirmReplaceDialog.h"
#include "TFileSearchDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace {

QString Text(const char* key) {
    return LangText(QString::fromLatin1(key));
}

// The documents' file paths are their captions; untitled ones have none.
QString CanonicalPathOf(const TChildForm& document) {
    const QFileInfo file(document.Caption());
    return file.isAbsolute() ? file.canonicalFilePath() : QString();
}

QString TotalsText(const FileSearchTotals& totals) {
    QString text = Text("SifDone").arg(totals.files);
    const std::pair<int, const char*> skips[] = {{totals.binary, "SifSkipBin"},
                                                 {totals.large, "SifSkipBig"},
                                                 {totals.unreadable, "SifSkipRead"},
                                                 {totals.stopped, "SifSlow"}};
    for (const auto& [count, key] : skips) {
        if (count > 0)
            text += Text(key).arg(count);
    }
    if (totals.cancelled)
        text += Text("SifCancelled");
    return text;
}

// Reports from the worker thread, handed to the commands' own thread.
class ThreadSink : public FileSearchSink {
public:
    ThreadSink(QObject* owner, std::function<void(int, int, int)> progress,
               std::function<void(const FileHits&)> found)
        : owner(owner), progress(std::move(progress)), found(std::move(found)) {}

    void Progress(int done, int total, int matches) override {
        QMetaObject::invokeMethod(
            owner, [this, done, total, matches] { progress(done, total, matches); },
            Qt::QueuedConnection);
    }
    void Found(const FileHits& file) override {
        QMetaObject::invokeMethod(
            owner, [this, file] { found(file); }, Qt::QueuedConnection);
    }

private:
    QObject* owner;
    std::function<void(int, int, int)> progress;
    std::function<void(const FileHits&)> found;
};

} // namespace

FileSearchCommands::FileSearchCommands(FileSearchHost host, ResultsPanel& panel, QObject* parent)
    : QObject(parent), host(std::move(host)), panel(panel) {
    connect(&panel, &ResultsPanel::cancelRequested, this, [this] { Cancel(); });
}

FileSearchCommands::~FileSearchCommands() {
    stopThread();
}

void FileSearchCommands::stopThread() {
    if (!thread)
        return;
    cancel = true;
    thread->wait();
    thread.reset();
}

void FileSearchCommands::Run(bool replace) {
    if (Running())
        return;
    QString mask = host.currentMask();
    if (mask.isEmpty() || mask == FilterCaption())
        mask = QStringLiteral("All Files (*.*)");
    TFileSearchDialog dialog(replace, host.masks(), host.folder(), mask, host.window);
    dialog.Load(RememberedSearch(), RememberedFileSearch());
    if (CurrentPrompts().runDialog(dialog) != QDialog::Accepted)
        return;
    dialog.Store(RememberedSearch(), RememberedFileSearch());
    Start(dialog.Request(), replace);
}

void FileSearchCommands::Start(const FileSearchRequest& request, bool replace) {
    if (Running())
        return;
    this->request = request;
    replacing = replace;
    results.clear();
    openDocuments.clear();
    QHash<QString, QByteArray> openTexts;
    for (TChildForm* document : host.documents()) {
        const QString canonical = CanonicalPathOf(*document);
        if (canonical.isEmpty())
            continue;
        openDocuments.push_back({canonical, document});
        openTexts.insert(canonical, document->Editor()->Utf8Text());
    }
    panel.Clear(Text(replace ? "RifTitle" : "SifTitle") +
                QStringLiteral(": \"%1\"").arg(request.text));
    panel.SetStatus(Text("SifProgress").arg(0).arg(0).arg(0), true);
    panel.show();
    panel.raise();

    cancel = false;
    const int run = ++generation;
    auto sink = std::make_shared<ThreadSink>(
        this,
        [this, run](int done, int total, int matches) { progressed(run, done, total, matches); },
        [this, run](const FileHits& file) { found(run, file); });
    thread.reset(QThread::create([this, run, request, openTexts, sink] {
        const FileSearchTotals totals = RunFileSearch(request, openTexts, *sink, cancel);
        QMetaObject::invokeMethod(
            this, [this, run, totals, sink] { searched(run, totals); }, Qt::QueuedConnection);
    }));
    thread->start();
}

void FileSearchCommands::progressed(int run, int done, int total, int matches) {
    if (run != generation || !thread)
        return;
    panel.SetStatus(Text("SifProgress").arg(done).arg(total).arg(matches), true);
}

void FileSearchCommands::found(int run, const FileHits& file) {
    if (run != generation)
        return;
    results.push_back(file);
    TChildForm* window = file.fromEditor ? openWindowFor(file.path) : nullptr;
    const QString shown = QDir(request.folder).relativeFilePath(file.path);
    const int group = panel.AddGroup(file.path, window,
                                     QStringLiteral("%1 (%2)").arg(shown).arg(file.hits.size()));
    for (const LineHit& hit : file.hits)
        panel.AddRow(group, {hit.line, hit.column, hit.length, hit.lineText, hit.shownStart,
                             hit.shownLength});
}

void FileSearchCommands::searched(int run, const FileSearchTotals& totals) {
    if (run != generation)
        return;
    thread->wait();
    thread.reset();
    panel.SetTitle(Text(replacing ? "RifTitle" : "SifTitle") +
                   Text("SifResults")
                       .arg(request.text, QString::number(totals.matches),
                            QString::number(totals.filesWithMatches)));
    panel.SetStatus(TotalsText(totals), false);
    if (replacing && !totals.cancelled && !results.isEmpty())
        replaceFound();
    emit finished(totals);
}

TChildForm* FileSearchCommands::openWindowFor(const QString& path) const {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const OpenDocument& open : openDocuments) {
        if (open.canonical == canonical && open.window)
            return open.window;
    }
    for (TChildForm* document : host.documents()) {
        if (CanonicalPathOf(*document) == canonical)
            return document;
    }
    return nullptr;
}

void FileSearchCommands::replaceFound() {
    SearchOptions options;
    options.matchCase = request.matchCase;
    options.wholeWord = request.wholeWords;
    options.regularExpression = request.regularExpression;
    TConfirmReplaceDialog confirm(host.window);
    bool all = false;
    int filesChanged = 0;
    int replaced = 0;
    QStringList skipped;
    for (const FileHits& file : std::as_const(results)) {
        if (!all) {
            // In one pass: a "%1" in the path stays as it is.
            confirm.SetQuestion(Text("RifAsk").arg(file.path, QString::number(file.hits.size())));
            const int answer = CurrentPrompts().runDialog(confirm);
            if (answer == TConfirmReplaceDialog::Cancel)
                break;
            if (answer == TConfirmReplaceDialog::No)
                continue;
            all = answer == TConfirmReplaceDialog::YesToAll;
        }
        int count = 0;
        if (TChildForm* window = openWindowFor(file.path)) {
            count = window->Editor()->ReplaceEverywhere(request.text, request.replacement, options);
            if (count == kSearchStopped) {
                skipped << Text("RifSlow").arg(file.path);
                continue;
            }
        } else if (file.fromEditor) {
            // Closed since the search: its file is not what was searched.
            skipped << Text("RifChanged").arg(file.path);
            continue;
        } else {
            try {
                switch (ReplaceInClosedFile(file, request, count)) {
                case FileReplaceOutcome::Replaced:
                    break;
                case FileReplaceOutcome::ChangedOnDisk:
                    skipped << Text("RifChanged").arg(file.path);
                    continue;
                case FileReplaceOutcome::Stopped:
                    skipped << Text("RifSlow").arg(file.path);
                    continue;
                }
            } catch (const UserError& error) {
                skipped << QString::fromStdString(error.what());
                continue;
            }
        }
        if (count > 0) {
            ++filesChanged;
            replaced += count;
        }
    }
    QString summary = Text("RifSummary").arg(filesChanged).arg(replaced);
    if (!skipped.isEmpty())
        summary += QStringLiteral("\n\n") + Text("RifSkipped") + QLatin1Char('\n') +
                   skipped.join(QLatin1Char('\n'));
    CurrentPrompts().message(MessageKind::Information, summary);
}
