#include "ImportCommands.h"

#include "CommandHost.h"
#include "DocumentCodec.h"
#include "EditorControl.h"
#include "ErrorReport.h"
#include "Language.h"
#include "ProgramPlaces.h"
#include "Prompts.h"
#include "RtfReader.h"
#include "RtfWriter.h"
#include "TChildForm.h"
#include "TfProgress.h"
#include "WordProcessor.h"

#include "AtomicFile.h"
#include "Cp1252Codec.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {

QTimer* MakeTimer(QObject* owner, const char* name, int interval) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(interval);
    return timer;
}

QString FileName(const QString& path) {
    return QFileInfo(path).fileName();
}

// The extension with its dot, as written: "" when the name has none.
QString ExtensionOf(const QString& path) {
    const QString name = FileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QByteArray ReadWhole(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("Cannot open file \"%1\". %2")
                            .arg(QDir::toNativeSeparators(path),
                                 QFileInfo(path).isDir() ? QStringLiteral("It is a folder.")
                                                         : file.errorString()));
    return file.readAll();
}

} // namespace

DocumentImport::DocumentImport(CommandHost& owner)
    : QObject(owner.CommandWindow()), host(owner),
      convertTimer(MakeTimer(owner.CommandWindow(), "Convert", 1)),
      convEndTimer(MakeTimer(owner.CommandWindow(), "ConvEnd", 100)),
      closeFormTimer(MakeTimer(owner.CommandWindow(), "CloseForm", 100)) {
    converter.SetBetweenLines(
        [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    connect(convertTimer, &QTimer::timeout, this, [this] {
        if (!converter.Finished())
            return;
        convertTimer->stop();
        convEndTimer->start();
    });
    connect(convEndTimer, &QTimer::timeout, this, [this] {
        if (progress)
            progress->SetText(QStringLiteral("Import of ") + importedName +
                              QStringLiteral(" completed succesfully !"));
        convEndTimer->stop();
        closeFormTimer->start();
    });
    connect(closeFormTimer, &QTimer::timeout, this, [this] {
        closeProgress();
        closeFormTimer->stop();
    });
}

DocumentImport::~DocumentImport() {
    delete progress;
}

QString DocumentImport::ScratchRtf() const {
    return host.Places().ScratchFile(QStringLiteral("rtfTemp.rtf"));
}

QString DocumentImport::ScratchHtml() const {
    return host.Places().ScratchFile(QStringLiteral("rtfTemp.html"));
}

DocumentImport::Target DocumentImport::chooseTarget() {
    TChildForm* document = host.ActiveDocument();
    if (!document) {
        LangMessage(QStringLiteral("NoEditWindow"), QString(), 0);
        return Target::New;
    }
    return LangMessage(QStringLiteral("ImpDoc"), CaptionFileName(document->Caption()), 1)
               ? Target::Active
               : Target::New;
}

std::optional<QString> DocumentImport::chooseFile(const QString& label, const QString& pattern) {
    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    request.folder = host.FileManagerFolder();
    if (request.folder.isEmpty())
        request.folder = host.LastOpenFolder();
    request.filters = {{label, pattern}};
    const QStringList files = CurrentPrompts().openFiles(request);
    if (files.isEmpty())
        return std::nullopt;
    return files.constFirst();
}

void DocumentImport::ImportRtf() {
    if (busy)
        return;
    const Target target = chooseTarget();
    const auto file =
        chooseFile(QStringLiteral("Rich Text Files ( *.rtf ) "), QStringLiteral("*.rtf"));
    if (!file)
        return;
    try {
        convertAndInsert(*file, FileName(*file), target, true);
    } catch (const std::exception&) {
        LangMessage(QStringLiteral("ImpDocError"), QString(), 0);
    }
}

void DocumentImport::ImportDoc() {
    if (busy)
        return;
    const Target target = chooseTarget();
    const auto file =
        chooseFile(QStringLiteral("Word Documents ( *.doc ) "), QStringLiteral("*.doc"));
    if (file)
        importThroughWordProcessor(*file, target);
}

void DocumentImport::WordImportOfOneFile(const QString& path) {
    if (!busy)
        importThroughWordProcessor(path, Target::Active);
}

void DocumentImport::importThroughWordProcessor(const QString& path, Target target) {
    busy = true;
    const bool converted = WordProcessor::ConvertToRtf(path, ScratchRtf());
    busy = false;
    try {
        if (!converted)
            throw UserError(QStringLiteral("The word processor could not convert ") + path);
        convertAndInsert(ScratchRtf(), FileName(path), target, false);
    } catch (const std::exception&) {
        LangMessage(QStringLiteral("ImpDocError"), QString(), 0);
    }
    QFile::remove(ScratchRtf());
}

void DocumentImport::convertAndInsert(const QString& rtfFile, const QString& shownName,
                                      Target target, bool htmlMustExist) {
    struct Busy {
        DocumentImport& import;
        explicit Busy(DocumentImport& owner) : import(owner) { import.busy = true; }
        ~Busy() {
            import.busy = false;
            import.richEdit1.Clear();
            QFile::remove(import.ScratchHtml());
        }
    } guard(*this);
    auto document = ReadRtf(ReadWhole(rtfFile));
    if (!document)
        throw UserError(QStringLiteral("Not rich text: ") + rtfFile);
    richEdit1 = std::move(*document);
    convertTimer->start();
    startProgress(shownName);
    converter.ConvertToHtml(richEdit1, ScratchHtml());
    richEdit1.Clear();
    QString html;
    QFile written(ScratchHtml());
    if (written.open(QIODevice::ReadOnly))
        html = Cp1252Codec::Decode(written.readAll());
    else if (htmlMustExist)
        throw UserError(QStringLiteral("Cannot read ") + ScratchHtml());
    // A document closed while the conversion ran leaves a new one to receive it.
    if (target == Target::New || !host.ActiveDocument())
        host.NewDocument();
    if (EditorControl* editor = host.ActiveEditor())
        editor->ReplaceSelection(html);
}

void DocumentImport::startProgress(const QString& shownName) {
    // The window of an earlier import of the same drop has served its turn.
    closeProgress();
    convEndTimer->stop();
    closeFormTimer->stop();
    importedName = shownName;
    progress = new TfProgress(shownName, [this] { return converter.ProgressCount(); });
    progress->setWindowTitle(QStringLiteral("Import progress ..."));
    progress->show();
}

void DocumentImport::closeProgress() {
    RunSilently([this] { delete progress; });
}

void DocumentImport::ExportRtf() {
    TChildForm* document = host.ActiveDocument();
    if (!document)
        return;
    FileDialogRequest request;
    request.caption = QStringLiteral("Save As");
    request.filters = {{QStringLiteral("Rich text files ( *.rtf )"), QStringLiteral("*.rtf")}};
    request.defaultSuffix = QStringLiteral("rtf");
    const auto path = CurrentPrompts().saveFile(request);
    if (!path)
        return;
    EditorControl* editor = document->Editor();
    const HighlightMode mode = editor->CurrentHighlighter() == Highlighter::Css
                                   ? HighlightMode::CssOnly
                                   : HighlightMode::Html;
    WriteFileAtomically(*path, DocumentToRtf(editor->Text(), mode));
    LangMessage(QStringLiteral("ExpComp"), QString(), 0);
}

QStringList DocumentImport::DroppedFiles(const QMimeData& data) {
    QStringList files;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

void DocumentImport::DropFiles(const QStringList& paths) {
    if (paths.isEmpty() || busy)
        return;
    if (!host.ActiveDocument()) {
        host.NewDocument();
        if (TChildForm* document = host.ActiveDocument()) {
            document->ApplyFontSettings();
            document->RefreshFileNamePanel();
        }
        newWindowMark = true;
    } else if (!newWindowMark) {
        if (!LangMessage(QStringLiteral("DragDrop"), QString(), 1)) {
            host.NewDocument();
            if (TChildForm* document = host.ActiveDocument())
                document->RefreshFileNamePanel();
        }
    }
    newWindowMark = false;
    for (const QString& path : paths) {
        const QString extension = ExtensionOf(path);
        if (extension == QLatin1String(".doc") || extension == QLatin1String(".rtf")) {
            WordImportOfOneFile(path);
            continue;
        }
        QByteArray bytes;
        try {
            bytes = ReadWhole(path);
        } catch (const UserError& error) {
            // An item that is no readable file ends the drop.
            ReportError(error.text());
            return;
        }
        RunSilently([&] {
            if (EditorControl* editor = host.ActiveEditor())
                editor->ReplaceSelection(QString::fromUtf8(DecodeDocument(bytes).text));
        });
    }
}
