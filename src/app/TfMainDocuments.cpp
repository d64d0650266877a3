// The main window's document commands: New, Open, Save, Save As, Close,
// Close All, the editing commands it forwards to the active document and the
// colour bar's colours written into it.

#include "TfMain.h"

#include "DocumentTabs.h"
#include "EditorControl.h"
#include "ErrorReport.h"
#include "FileListing.h"
#include "FileManagerView.h"
#include "ImageBrowser.h"
#include "MainPanels.h"
#include "ObjectInserts.h"
#include "Prompts.h"
#include "ResultsPanel.h"
#include "RgbToHtml.h"
#include "SettingsStore.h"
#include "StatusPanels.h"
#include "TChildForm.h"
#include "TagCommands.h"
#include "TextInserts.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

const QString kUntitled = QStringLiteral("Untitled");

QString Extension(const QString& path) {
    const QString name = CaptionFileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QList<FileFilter> OpenFilters() {
    return {
        {QStringLiteral("All Supported Files"),
         QStringLiteral("*.html;*.htm;*.asp;*.js;*.php;*.cgi;*.pl;*.css;*.bmp;*.gif;*.jpg;*.jpeg;"
                        "*.png;*.svg;*.webp;")},
        {QStringLiteral("Html Files ( *.htm, *.html )"), QStringLiteral("*.html;*.htm")},
        {QStringLiteral("Asp Files ( *.asp )"), QStringLiteral("*.asp")},
        {QStringLiteral("Javascript Files ( *.js )"), QStringLiteral("*.js")},
        {QStringLiteral("PHP Files"), QStringLiteral("*.php")},
        {QStringLiteral("Text Files (*.txt, *.doc)"), QStringLiteral("*.txt;*.doc")},
        {QStringLiteral("Cascading Style Sheets (*.css)"), QStringLiteral("*.css")},
        {QStringLiteral("CGI Files (*.cgi)"), QStringLiteral("*.cgi")},
        {QStringLiteral("PL Files (*.pl)"), QStringLiteral("*.pl")},
        {QStringLiteral("Image Files (*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp )"),
         QStringLiteral("*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp;")},
        {QStringLiteral("Any file (*.*)"), QStringLiteral("*.*")}};
}

QList<FileFilter> SaveFilters() {
    QList<FileFilter> filters = OpenFilters().mid(0, 7);
    filters[0].patterns = QStringLiteral("*.html;*.htm;*.asp;*.js;*.php;*.cgi;*.pl;*.css;");
    return filters;
}

// The Save dialog, showing the given name when it opens.
FileDialogRequest SaveRequest(const QString& fileName) {
    FileDialogRequest request;
    request.caption = QStringLiteral("Save As");
    request.fileName = fileName;
    request.filters = SaveFilters();
    request.defaultSuffix = QStringLiteral("html");
    return request;
}

bool HighlightingOn() {
    return Settings().ReadFlag(QStringLiteral("SHigh"), QStringLiteral("Enabled"), false);
}

} // namespace

TChildForm* TfMain::ActiveDocument() const {
    QMdiSubWindow* sub = mdiArea->activeSubWindow();
    if (!sub && !mdiArea->subWindowList().isEmpty())
        sub = mdiArea->currentSubWindow();
    return sub ? qobject_cast<TChildForm*>(sub->widget()) : nullptr;
}

EditorControl* TfMain::ActiveEditor() const {
    TChildForm* document = ActiveDocument();
    return document ? document->Editor() : nullptr;
}

QList<TChildForm*> TfMain::Documents() const {
    QList<TChildForm*> documents;
    for (QMdiSubWindow* sub : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* document = qobject_cast<TChildForm*>(sub->widget()))
            documents << document;
    }
    return documents;
}

void TfMain::BuildTemplate() {
    documentTemplate = ::BuildTemplate(Settings(), QDateTime::currentDateTime());
}

TChildForm* TfMain::CreateDocumentWindow(const QString& caption, const QString& tabCaption) {
    auto* document = new TChildForm(*this);
    QMdiSubWindow* sub = mdiArea->addSubWindow(document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The window's own menu would claim Ctrl+W, which belongs to Close.
    if (QMenu* menu = sub->systemMenu()) {
        for (QAction* entry : menu->actions())
            entry->setShortcut(QKeySequence());
    }
    sub->move(0, 0);
    document->SetCaption(caption);
    trackRecovery(*document);
    connect(document, &QWidget::windowTitleChanged, this, &TfMain::updateTitle);
    connect(sub, &QMdiSubWindow::windowStateChanged, this, &TfMain::updateTitle);
    pendingTabCaption = tabCaption;
    wireDocumentCommands(*document);
    document->CreateTab();
    sub->showMaximized();
    mdiArea->setActiveSubWindow(sub);
    document->Editor()->setFocus();
    return document;
}

// The insert commands of a document's pop-up menu act on that document.
void TfMain::wireDocumentCommands(TChildForm& document) {
    EditorControl* editor = document.Editor();
    const std::pair<const char*, void (*)(EditorControl&)> commands[] = {
        {"InsertanImage1", &RunImageCommand},
        {"InsertanURLorMailto1", &RunLinkCommand},
        {"Insertflashmovie1", &RunFlashCommand}};
    for (const auto& [name, command] : commands) {
        QAction* entry = document.PopupAction(QString::fromLatin1(name));
        entry->setEnabled(true);
        connect(entry, &QAction::triggered, editor,
                [editor, command = command] { RunReported([&] { command(*editor); }); });
    }
    // The colour commands take their colour from the colour bar's picker.
    const std::pair<const char*, bool> colours[] = {{"Useforegroundcolor1", false},
                                                    {"Usebackgroundcolor1", true}};
    for (const auto& [name, background] : colours) {
        QAction* entry = document.PopupAction(QString::fromLatin1(name));
        entry->setEnabled(true);
        connect(entry, &QAction::triggered, editor, [this, editor, background = background] {
            GammaPanel* picker = colorBar->Picker();
            ColorSelectedText(*editor,
                              background ? picker->BackgroundColor() : picker->ForegroundColor(),
                              background);
        });
    }
    // The pop-up's text formatting presses the toolbar button.
    QAction* formatting = document.PopupAction(QStringLiteral("TextFormatting1"));
    formatting->setEnabled(true);
    connect(formatting, &QAction::triggered, action(QStringLiteral("ToolButton60")),
            &QAction::trigger);
}

void TfMain::NewDocument() {
    HideImageBrowser();
    const QString caption = kUntitled + QString::number(NextDocumentNumber());
    TChildForm* document = CreateDocumentWindow(caption, caption);
    document->StatusBar()->SetPanelText(3, caption + QStringLiteral(".html"));
    EditorControl* editor = document->Editor();
    QString text;
    for (const QString& line : std::as_const(documentTemplate.lines))
        text += line + QStringLiteral("\r\n");
    editor->SetText(text);
    editor->SetCaretLine(documentTemplate.caretLine);
    editor->AddLine(QString());
    SetSaveButtonEnabled(true);
}

TChildForm* TfMain::OpenDocumentWindow(const QString& path) const {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return nullptr;
    for (TChildForm* document : Documents()) {
        const QFileInfo open(document->Caption());
        // Untitled captions are no paths, even when such a file lies nearby.
        if (open.isAbsolute() && open.canonicalFilePath() == canonical)
            return document;
    }
    return nullptr;
}

TChildForm* TfMain::OpenFileInWindow(const QString& path, bool highlight) {
    // A second window on the same file would let one copy's save undo the
    // other's; the open file's window comes to the front instead.
    if (TChildForm* open = OpenDocumentWindow(path)) {
        open->ActivateDocument();
        open->Editor()->setFocus();
        rememberRecent(open->Caption());
        return open;
    }
    NextDocumentNumber();
    TChildForm* document = CreateDocumentWindow(path, CaptionFileName(path));
    document->LoadDocument(path);
    rememberRecent(path);
    // A style sheet opened with highlighting on is coloured as CSS throughout.
    if (highlight && Extension(path).toLower() == QLatin1String(".css"))
        document->Editor()->SetHighlighter(Highlighter::Css);
    return document;
}

void TfMain::Open() {
    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    request.folder = lastOpenFolder;
    request.filters = OpenFilters();
    request.multiple = true;
    const QStringList files = CurrentPrompts().openFiles(request);
    if (files.isEmpty())
        return;
    lastOpenFolder = QFileInfo(files.constFirst()).absolutePath();
    if (followFolders)
        fileView->SelectFolder(lastOpenFolder);
    OpenFiles(files, false);
}

void TfMain::OpenFiles(const QStringList& files, bool hideBrowser) {
    imageBrowser->Reset(hideBrowser);
    const bool highlight = HighlightingOn();
    for (const QString& file : files) {
        if (IsPictureFile(file))
            imageBrowser->AddPicture(file);
        else
            OpenFileInWindow(file, highlight);
    }
    imageBrowser->Start();
}

QStringList TfMain::PictureList() const {
    return imageBrowser->Pictures();
}

void TfMain::OpenDocumentFile(const QString& path) {
    RunSilently([&] { OpenFileInWindow(path, HighlightingOn()); });
}

void TfMain::ShowResultPlace(const ResultPlace& place) {
    auto* document = qobject_cast<TChildForm*>(place.document.data());
    if (document)
        document->ActivateDocument();
    else if (!place.path.isEmpty())
        document = OpenFileInWindow(place.path, HighlightingOn());
    else
        return; // an untitled document's window, closed since
    EditorControl* editor = document->Editor();
    editor->SetCaretPosition({place.column, place.line});
    editor->SetBlockEnd({place.column + place.length, place.line});
    editor->setFocus();
}

bool TfMain::SaveTo(TChildForm& document, const QString& path) {
    const QString before = document.Caption();
    document.SetCaption(path);
    if (!document.SaveDocument()) {
        document.SetCaption(before);
        return false;
    }
    rememberRecent(path);
    document.StatusBar()->SetPanelText(1, QString());
    SetSaveButtonEnabled(false);
    document.RefreshFileNamePanel();
    return true;
}

void TfMain::Save() {
    if (previewActive)
        return;
    TChildForm* document = ActiveDocument();
    if (!document)
        return;
    if (CaptionHasFile(document->Caption())) {
        SaveTo(*document, document->Caption());
        return;
    }
    const auto path = CurrentPrompts().saveFile(SaveRequest(saveDialogFileName));
    if (!path)
        return;
    saveDialogFileName = *path;
    if (SaveTo(*document, *path))
        document->Tab()->SetCaptionAndWidth(CaptionFileName(*path));
}

void TfMain::SaveAs() {
    TChildForm* document = ActiveDocument();
    if (previewActive || !document)
        return;
    // The dialog keeps the name it was given, also when the user cancels.
    saveDialogFileName = document->Caption();
    const auto path = CurrentPrompts().saveFile(SaveRequest(saveDialogFileName));
    if (!path)
        return;
    saveDialogFileName = *path;
    const bool hadFile = CaptionHasFile(document->Caption());
    if (!SaveTo(*document, *path))
        return;
    if (hadFile)
        document->Tab()->SetCaption(CaptionFileName(*path));
    else
        document->Tab()->SetCaptionAndWidth(CaptionFileName(*path));
}

void TfMain::CloseDocument() {
    if (QMdiSubWindow* sub = mdiArea->activeSubWindow())
        sub->close();
}

void TfMain::CloseAll() {
    const QList<QMdiSubWindow*> subs = mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.crbegin(); it != subs.crend(); ++it)
        (*it)->close();
}

// Cut, Copy and Paste act on whatever control has the keyboard focus.
void TfMain::ForwardEditCommand(const char* method) {
    QWidget* focus = QApplication::focusWidget();
    // With the focus outside this window, the active document is meant.
    if ((!focus || focus->window() != this) && ActiveDocument())
        focus = ActiveDocument()->Editor();
    for (QWidget* widget = focus; widget; widget = widget->parentWidget()) {
        if (auto* editor = qobject_cast<EditorControl*>(widget)) {
            const QByteArray name(method);
            if (name == "cut")
                editor->Cut();
            else if (name == "copy")
                editor->Copy();
            else
                editor->Paste();
            return;
        }
    }
    if (focus)
        QMetaObject::invokeMethod(focus, method);
}

void TfMain::ApplyTabsBarHeightRule() {
    tabsBar->applyHeightRule();
}

void TfMain::SetSaveButtonEnabled(bool enabled) {
    action(QStringLiteral("ToolButton3"))->setEnabled(enabled);
}

void TfMain::HideImageBrowser() {
    imageBrowser->hide();
}

bool TfMain::ClaimsKey(QKeyCombination keys) const {
    const QKeySequence sequence(keys);
    for (const QAction* command : std::as_const(actions)) {
        if (command->isEnabled() && command->shortcut() == sequence)
            return true;
    }
    return false;
}

void TfMain::InsertColor(qint32 color) {
    EditorControl* editor = ActiveEditor();
    if (!editor)
        return;
    // The colour goes in at the caret, which stays in front of it; a
    // colour that replaced a selection is selected itself, so a second
    // click replaces just that colour.
    const bool replacing = editor->SelectionAvailable();
    const QString code = ColorToHtml(color);
    editor->ReplaceSelection(code);
    SelectBeforeCaret(*editor, 0, int(code.size()));
    if (!replacing)
        editor->SetSelectionStart(editor->SelectionStart());
    editor->setFocus();
}
