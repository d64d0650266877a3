#include "TfMain.h"
#include "Version.h"

#include "ApplyLanguage.h"
#include "Clipboard.h"
#include "ConfigCommands.h"
#include "EditorControl.h"
#include "ErrorReport.h"
#include "FileListing.h"
#include "FileManagerView.h"
#include "ImageBrowser.h"
#include "ImportCommands.h"
#include "MainMenus.h"
#include "MainPanels.h"
#include "MdiChildWindow.h"
#include "ObjectInserts.h"
#include "OpenFileChannel.h"
#include "Pictures.h"
#include "Prompts.h"
#include "RecoveryStore.h"
#include "SearchCommands.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "TChildForm.h"
#include "TagCommands.h"
#include "TextInserts.h"
#include "TfUpdScript.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// How long a hand-off waits for the clipboard another start has taken over.
constexpr int kHandOffClipboardWaitMs = 5000;

const QString kCodeName = QStringLiteral("Kestrel");

// Toolbar buttons that run a command of a menu entry or a named command.
const std::pair<const char*, const char*> kButtonRoutes[] = {
    {"ToolButton1", "New1"},          {"ToolButton2", "Open1"},
    {"ToolButton3", "Save2"},         {"ToolButton4", "Close1"},
    {"ToolButton6", "Copy1"},         {"ToolButton7", "Paste1"},
    {"ToolButton9", "Cut1"},          {"ToolButton21", "Undo1"},
    {"ToolButton22", "Redo1"},        {"ToolButton23", "ImageBrowser1"},
    {"ToolButton14", "Previewsite1"}, {"ToolButton12", "LoadBrowser1"},
    {"ToolButton13", "Options1"},     {"ToolButton15", "FTPProgram1"},
    {"ToolButton20", "Help1"},        {"ToolButton46", "Bold"},
    {"ToolButton47", "Italic"},       {"ToolButton48", "Underline"},
    {"ToolButton55", "Left"},         {"ToolButton56", "center"},
    {"ToolButton57", "Right"},        {"ToolButton59", "Table"}};

QToolBar* MakeToolbar(QWidget* parent, const QString& name) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setFixedHeight(24);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setStyleSheet(QStringLiteral("QToolBar { border: 0px; spacing: 1px; }"));
    return bar;
}

} // namespace

TfMain::TfMain(const Options& options, QWidget* parent)
    : QMainWindow(parent), places(options.places),
      settings(std::make_unique<SettingsStore>(options.places.SettingsPath())),
      recovery(std::make_unique<RecoveryStore>(options.places.recoveryFolder)) {
    setObjectName(QStringLiteral("fMain"));
    UseSettings(settings.get());
    setWindowTitle(QStringLiteral("Quillon - Vantrel"));
    setWindowIcon(ApplicationIcon());
    QFont interfaceFont(QStringLiteral("Verdana"));
    interfaceFont.setPointSize(8);
    setFont(interfaceFont);
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    buildLayout();
    connectCommands();
    imports = new DocumentImport(*this);
    // Files dropped from the desktop are taken by the main window.
    setAcceptDrops(true);

    channel = new OpenFileChannel(options.channelName, this);
    connect(channel, &OpenFileChannel::messageReceived, this, &TfMain::HandleWindowMessage);
    channel->listen();

    registerFileAssociation(options);
}

TfMain::~TfMain() {
    // Document windows go first, while the tab strip they keep their tabs on
    // still exists.
    for (QMdiSubWindow* sub : mdiArea->subWindowList())
        delete sub;
    // Windows closed a moment ago wait for their posted deletion; they go now
    // too, while the recovery store they report their end to still exists.
    QList<QPointer<MdiChildWindow>> closing;
    for (MdiChildWindow* child : findChildren<MdiChildWindow*>())
        closing.append(child);
    for (const QPointer<MdiChildWindow>& child : std::as_const(closing))
        delete child.data();
    if (&Settings() == settings.get())
        UseSettings(nullptr);
}

QString TfMain::VersionText() {
    return QStringLiteral(QUILLON_VERSION " Build 1603 CodeName : ") + kCodeName;
}

int TfMain::NextDocumentNumber() {
    return ++documentCounter;
}

bool TfMain::IsListening() const {
    return channel && channel->isListening();
}

void TfMain::buildLayout() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* topPanel = new QFrame(central);
    topPanel->setObjectName(QStringLiteral("Panel1"));
    topPanel->setFrameShape(QFrame::Panel);
    topPanel->setFrameShadow(QFrame::Raised);
    topPanel->setFixedHeight(kTopPanelHeight);
    auto* bars = new QVBoxLayout(topPanel);
    bars->setContentsMargins(1, 0, 1, 0);
    bars->setSpacing(0);
    coolBar1 = MakeToolbar(topPanel, QStringLiteral("coolBar1"));
    toolBar2 = MakeToolbar(topPanel, QStringLiteral("ToolBar2"));
    bars->addWidget(coolBar1);
    bars->addWidget(toolBar2);
    column->addWidget(topPanel);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    splitter = new QSplitter(Qt::Horizontal, central);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(3);
    fileManager = new FileManagerPanel(splitter);
    fileView = new FileManagerView(fileManager->content());
    auto* fileColumn = new QVBoxLayout(fileManager->content());
    fileColumn->setContentsMargins(0, 0, 2, 0);
    fileColumn->addWidget(fileView);
    mdiArea = new QMdiArea(splitter);
    mdiArea->setObjectName(QStringLiteral("MDIClient"));
    mdiArea->setBackground(QColor(128, 128, 128));
    imageBrowser = new ImageBrowserPanel(mdiArea);
    imageBrowser->SetFileManagerPanel(fileManager);
    splitter->addWidget(fileManager);
    splitter->addWidget(mdiArea);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kFileManagerWidth, 1000});
    body->addWidget(splitter, 1);
    colorBar = new ColorBarPanel(central);
    body->addWidget(colorBar);
    column->addLayout(body, 1);

    tabStrip = new TabStrip;
    tabStrip->SetStripWidth(0);
    tabsBar = new FileTabsBar(tabStrip, central);
    column->addWidget(tabsBar);

    setCentralWidget(central);
    actions = BuildMainMenus(*this, *coolBar1, *toolBar2);
}

void TfMain::connectCommands() {
    const auto on = [this](const char* name, auto&& command) {
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this,
                [command = std::forward<decltype(command)>(command)] { RunReported(command); });
    };
    for (const auto& [button, target] : kButtonRoutes) {
        QAction* routed = action(QString::fromLatin1(target));
        connect(action(QString::fromLatin1(button)), &QAction::triggered, routed,
                &QAction::trigger);
    }
    on("New1", [this] { NewDocument(); });
    on("Open1", [this] { Open(); });
    on("Save2", [this] { Save(); });
    on("Save1", [this] { SaveAs(); });
    on("Close1", [this] { CloseDocument(); });
    on("CloseAll1", [this] { CloseAll(); });
    on("Cut1", [this] { ForwardEditCommand("cut"); });
    on("Copy1", [this] { ForwardEditCommand("copy"); });
    on("Paste1", [this] { ForwardEditCommand("paste"); });
    const auto onEditor = [this, &on](const char* name, void (EditorControl::*command)()) {
        on(name, [this, command] {
            if (TChildForm* document = ActiveDocument())
                (document->Editor()->*command)();
        });
    };
    onEditor("Undo1", &EditorControl::Undo);
    onEditor("Redo1", &EditorControl::Redo);
    onEditor("SelectAll1", &EditorControl::SelectAll);
    on("Wordwrap1", [this] {
        if (TChildForm* document = ActiveDocument())
            RunSilently([document] { document->WordWrap(); });
    });
    on("Searchfortext1", [this] { RunSearchDialog(ActiveDocument(), false); });
    on("FindNext1", [this] { RunSearchDialog(ActiveDocument(), true); });
    on("FindNext2", [this] { FindAgain(ActiveDocument(), false); });
    on("FindPrevious1", [this] { FindAgain(ActiveDocument(), true); });
    on("GotoLine1", [this] {
        if (TChildForm* document = ActiveDocument())
            document->GotoLine();
        else
            CurrentPrompts().inputLine(QStringLiteral("Goto line ... "),
                                       QStringLiteral("Enter line number"), QString());
    });
    for (const TagCommand& command : TagCommands()) {
        if (QAction* entry = action(QString::fromLatin1(command.name))) {
            connect(entry, &QAction::triggered, this, [this, &command] {
                if (EditorControl* editor = ActiveEditor())
                    ApplyTagCommand(*editor, command);
            });
        }
    }
    on("ToolButton31", [this] { RunAlertBoxCommand(ActiveEditor()); });
    on("ToolButton27", [this] { RunHorizontalLineCommand(ActiveEditor()); });
    on("Table", [this] { RunTableCommand(ActiveEditor()); });
    on("ToolButton50", [this] { RunListCommand(ListKind::Numbers, ActiveEditor()); });
    on("ToolButton51", [this] { RunListCommand(ListKind::Bullets, ActiveEditor()); });
    on("ToolButton60", [this] { RunTextFormatCommand(ActiveEditor()); });
    on("ToolButton30", [this] { RunDateTimeCommand(ActiveEditor()); });
    on("ToolButton32", [this] { RunLastUpdatedCommand(ActiveEditor(), language); });
    on("rtfdocuments1", [this] { imports->ImportRtf(); });
    on("docdocuments1", [this] { imports->ImportDoc(); });
    on("Documenttortf1", [this] { imports->ExportRtf(); });
    on("Exit1", [this] { close(); });
    on("Options1", [this] { OpenConfiguration(0); });
    on("ToolButton29", [this] { OpenConfiguration(2); });
    on("FTPProgram1", [this] { StartFtpProgram(); });
    on("ColorBar1", [this] { ShowColorBar(); });
    on("FileManager1", [this] { ToggleFileManager(); });
    on("FileTabs1", [this] { ShowFileTabs(); });
    on("ImageBrowser1", [this] { imageBrowser->Toggle(); });
    on("ImageViewer1", [this] { imageBrowser->Toggle(); });
    on("ArrangeIcons1", [this] { ArrangeIcons(); });
    on("Cascade1", [this] { mdiArea->cascadeSubWindows(); });
    on("MinimizeAll1", [this] {
        for (QMdiSubWindow* sub : mdiArea->subWindowList())
            sub->showMinimized();
    });
    on("TileVertical1", [this] { TileVertical(); });
    on("TileHorizontal1", [this] { TileHorizontal(); });
    on("Help1", [this] { Help(); });
    on("CheckForUpdates1", [this] { CheckForUpdates(); });
    on("About1", [this] { ShowAbout(); });

    connect(colorBar->ForegroundTarget(), &ColorSwatch::clicked, this,
            [this] { InsertColor(colorBar->Picker()->ForegroundColor()); });
    connect(colorBar->BackgroundTarget(), &ColorSwatch::clicked, this,
            [this] { InsertColor(colorBar->Picker()->BackgroundColor()); });
    connect(colorBar->hideButton(), &QToolButton::clicked, this,
            [this] { RunReported([this] { HideColorBar(); }); });
    connect(fileManager->strip()->hideButton(), &QToolButton::clicked, this,
            [this] { RunReported([this] { HideFileManager(); }); });
    connect(splitter, &QSplitter::splitterMoved, this, &TfMain::keepFileManagerWidth);
    connectFileManager();
    connectPreviewCommands();
    connectFileSearch();
    connectPageCheck();
    connect(tabStrip, &TabStrip::menuRequested, this, &TfMain::showTabStripMenu);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        // A preview that loses the activation is no longer active when the
        // document that takes it activates.
        followPreviewActivation(sub);
        if (auto* document = sub ? qobject_cast<TChildForm*>(sub->widget()) : nullptr)
            document->Activated();
        updateTitle();
    });
    // Coming back from another program, the active document looks at its
    // file again, as on its own activation.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (TChildForm* document = ActiveDocument();
                    document && state == Qt::ApplicationActive)
                    document->CheckDiskChangesLater();
            });

    for (const auto& [button, target] : kButtonRoutes) {
        if (!action(QString::fromLatin1(target))->isEnabled())
            action(QString::fromLatin1(button))->setEnabled(false);
    }
    // The save button is enabled by the documents.
    action(QStringLiteral("ToolButton3"))->setEnabled(false);
    // The show commands are enabled only while their bar is hidden.
    action(QStringLiteral("ColorBar1"))->setEnabled(false);
    action(QStringLiteral("FileTabs1"))->setEnabled(false);
}

void TfMain::registerFileAssociation(const Options& options) {
    try {
        RegisterHtmlOpener(options.executablePath, options.associationPlaces,
                           options.places.installedDesktopEntry);
    } catch (const std::exception& error) {
        ReportError(QString::fromStdString(error.what()));
    }
}

void TfMain::ApplyLanguage() {
    ::ApplyLanguage(this);
    language = Settings().ReadText(QStringLiteral("Help"), QStringLiteral("Language"), language);
}

void TfMain::StartFtpProgram() {
    const QString path = Settings().ReadText(QStringLiteral("FTP"), QStringLiteral("Path"), {});
    if (!path.isEmpty()) {
        CurrentShell().startProgram(path, {});
        return;
    }
    OpenConfiguration(1, ConfigFocus::FtpPath);
}

void TfMain::OpenConfiguration(int page, ConfigFocus focus) {
    OpenConfigurationScreen(*this, page, focus);
    emit configurationRequested(page);
}

void TfMain::HandleWindowMessage(int message, qint64 wordParam, qint64 /*longParam*/) {
    if (message != OpenFileChannel::OpenFileMessage)
        return;
    // A page handed over by another start of the program: its path is on the
    // clipboard that program has just taken over.
    const QString text = channel->MessageFromThisProgram()
                             ? ClipboardText()
                             : ClipboardTextFromOtherProgram(kHandOffClipboardWaitMs);
    if (text.isEmpty())
        return;
    const QString path = text.left(qMax<qint64>(0, wordParam));
    if (path.isEmpty())
        return;
    // A picture opened from the desktop goes to the image browser, as from
    // Open: in an editor a binary file is one save away from being ruined.
    if (IsPictureFile(path))
        RunSilently([&] { OpenFiles({path}, false); });
    else
        OpenDocumentFile(path);
}

void TfMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!DocumentImport::DroppedFiles(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfMain::dropEvent(QDropEvent* event) {
    const QStringList files = DocumentImport::DroppedFiles(*event->mimeData());
    event->acceptProposedAction();
    RunReported([&] { imports->DropFiles(files); });
}
