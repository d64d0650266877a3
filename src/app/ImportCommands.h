#pragma once

#include "RichEditToHtml.h"
#include "RichTextDocument.h"
#include "TfProgress.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <optional>

class QMimeData;
class QTimer;
class CommandHost;

// The import and export of documents: rich text and word-processor files
// converted into HTML and inserted into a document, files dropped on the
// window, and the active document written as rich text.
class DocumentImport : public QObject {
    Q_OBJECT
public:
    // Acts on the host's documents; its timers belong to the host's window.
    explicit DocumentImport(CommandHost& host);
    ~DocumentImport() override;

    void ImportRtf();
    void ImportDoc();
    void ExportRtf();
    // The word import of one file, into the active document without asking.
    void WordImportOfOneFile(const QString& path);
    // Files dropped on the window, in the order of the drop.
    void DropFiles(const QStringList& paths);
    static QStringList DroppedFiles(const QMimeData& data);

    RichEditToHtml& Converter() { return converter; }
    TfProgress* Progress() const { return progress; }
    QString ScratchRtf() const;
    QString ScratchHtml() const;

private:
    enum class Target { Active, New };
    Target chooseTarget();
    std::optional<QString> chooseFile(const QString& label, const QString& pattern);
    // Converts the rich text in the file and inserts the HTML; throws on a
    // failure. htmlMustExist: a missing HTML file is an error, not an empty text.
    void convertAndInsert(const QString& rtfFile, const QString& shownName, Target target,
                          bool htmlMustExist);
    void importThroughWordProcessor(const QString& path, Target target);
    void startProgress(const QString& shownName);
    void closeProgress();

    CommandHost& host;
    RichEditToHtml converter;
    RichTextDocument richEdit1; // the rich text while an import converts it
    QPointer<TfProgress> progress;
    QString importedName;
    QTimer* convertTimer;
    QTimer* convEndTimer;
    QTimer* closeFormTimer;
    bool busy = false;
    bool newWindowMark = false;
};
