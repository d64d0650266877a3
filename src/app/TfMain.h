#pragma once

#include "CommandHost.h"
#include "ConfigHost.h"
#include "DocumentHost.h"
#include "DocumentTemplate.h"
#include "FileAssociation.h"
#include "ProgramPlaces.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <memory>

class ColorBarPanel;
class DocumentImport;
class EditorControl;
class FileManagerPanel;
class FileSearchCommands;
class PageCheckRun;
struct PageCheckResult;
class FileManagerView;
class FileTabsBar;
class ImageBrowserPanel;
class OpenFileChannel;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QSplitter;
class QToolBar;
class ResultsPanel;
struct ResultPlace;
class RecoveryStore;
class SettingsStore;
struct Snapshot;
class TabStrip;
class TChildForm;
class TfPreview;

// The main window: the MDI frame around the document windows, with the menus,
// the two toolbars, the file manager panel, the colour bar and the file tabs
// bar. It routes every command and owns the state shared by the windows in it.
// Commands that are no members of it reach it as their CommandHost.
class TfMain : public QMainWindow, public DocumentHost, public CommandHost {
    Q_OBJECT
public:
    struct Options {
        ProgramPlaces places;   // where the window keeps and finds its own files
        QString executablePath; // registered as the opener of HTML files
        QString channelName;    // where the window receives window messages
        FileAssociationPlaces associationPlaces;
    };

    static constexpr int kMinimumWidth = 700;
    static constexpr int kMinimumHeight = 500;
    static constexpr int kFileManagerWidth = 220;
    static constexpr int kTopPanelHeight = 49;

    explicit TfMain(const Options& options, QWidget* parent = nullptr);
    ~TfMain() override;

    const ProgramPlaces& Places() const override { return places; }
    QWidget* CommandWindow() override { return this; }
    QString ConfigFolder() const override { return places.configFolder; }
    static QString VersionText();

    // Incremented before every document window is created and whenever the
    // configuration screen is opened from this window; returns the new value.
    int NextDocumentNumber() override;
    int DocumentCounter() const { return documentCounter; }

    QString PendingTabCaption() const override { return pendingTabCaption; }
    void SetPendingTabCaption(const QString& caption) { pendingTabCaption = caption; }
    QString LastOpenFolder() const override { return lastOpenFolder; }
    void SetLastOpenFolder(const QString& folder) override { lastOpenFolder = folder; }
    QString LanguageValue() const { return language; }
    bool OpenOnDoubleClick() const { return openOnDoubleClick; }
    void SetOpenOnDoubleClick(bool on) override;
    bool FollowFolders() const { return followFolders; }
    void SetFollowFolders(bool on) override { followFolders = on; }
    QString FileManagerFolder() const override;
    void ShowFolderInFileManager(const QString& folder) override;
    bool PreviewActive() const override { return previewActive; }
    void SetPreviewActive(bool on) { previewActive = on; }
    bool PreviewOpen() const { return previewOpen; }
    void SetPreviewOpen(bool on) { previewOpen = on; }
    QStringList& BrowserTempFiles() { return browserTempFiles; }
    int NextPreviewNumber() { return ++previewCounter; }
    int NextBrowserNumber() { return ++browserCounter; }

    QAction* action(const QString& name) const { return actions.value(name); }
    QMdiArea* MdiArea() const { return mdiArea; }
    TabStrip* Tabs() const override { return tabStrip; }
    FileTabsBar* TabsBar() const { return tabsBar; }
    FileManagerPanel* FileManager() const { return fileManager; }
    FileManagerView* FileView() const { return fileView; }
    ImageBrowserPanel* ImageBrowser() const { return imageBrowser; }
    ColorBarPanel* ColorBar() const { return colorBar; }
    DocumentImport* Imports() const { return imports; }
    // The results panel below the documents, which Search in Files fills.
    ResultsPanel* Results() const { return results; }
    FileSearchCommands* FileSearch() const { return fileSearch; }
    // The panel that lists Check Page's findings, beside the search results.
    ResultsPanel* PageCheckResults() const { return checkResults; }
    PageCheckRun* PageCheck() const { return pageCheck; }
    int FileManagerWidth() const { return fileManagerWidth; }
    bool IsListening() const;

    // Handles a window message; the only one known is 1066, open the file
    // whose path is on the clipboard.
    void HandleWindowMessage(int message, qint64 wordParam, qint64 longParam);

    // Documents.
    // The document window that commands act on: the active MDI child when it
    // is a document window.
    TChildForm* ActiveDocument() const override;
    // The active document's editor, or nullptr.
    EditorControl* ActiveEditor() const override;
    // Writes a colour as HTML text into the active document (a colour bar click).
    void InsertColor(qint32 color);
    QList<TChildForm*> Documents() const;
    const DocumentTemplate& Template() const { return documentTemplate; }
    void BuildTemplate() override;
    void NewDocument() override;
    void Open();
    // Opens files as an open command does: pictures go to the image
    // browser, every other file into a new document window. A file that
    // cannot be read ends the command with an error; its window stays,
    // empty. hideBrowser: a shown image browser is hidden first.
    void OpenFiles(const QStringList& files, bool hideBrowser);
    // Opens one file in a new document window; errors are not reported.
    void OpenDocumentFile(const QString& path);
    // Shows a place a result points at (the results panel's rows): activates
    // the document window given with it, else opens its file (or activates
    // the window that has it), and selects the place there.
    void ShowResultPlace(const ResultPlace& place);
    // Snapshots of unsaved documents that a program which ended without
    // closing left behind: one question, then Yes opens them as modified
    // documents and No moves them to the recovery folder's "discarded".
    void RecoverDocuments();
    RecoveryStore& Recovery() const { return *recovery; }
    // Reopens the documents open at the last exit, caret and scroll position
    // included, when the settings ask for it; a start without a file to open
    // runs it once the window is shown. Files gone since are named once.
    void RestoreSession();
    // Opens a file of File > Reopen; one that is gone is said so and taken
    // off the list.
    void ReopenRecent(const QString& path);
    void Save();
    void SaveAs();
    void CloseDocument();
    void CloseAll();
    // Preview (F9): closes the latest preview window while a preview is
    // active, else shows the active document in a new one.
    void Preview();
    // Preview in the web browser (F12).
    void PreviewInBrowser();
    // The pictures the last open command chose, in the image browser.
    QStringList PictureList() const;

    // What document windows need of this window.
    void ApplyTabsBarHeightRule() override;
    void SetSaveButtonEnabled(bool enabled) override;
    void CloseActivePreview() override;
    void HideImageBrowser() override;
    void RunPreview() override;
    QAction* HostAction(const QString& name) const override { return action(name); }
    bool ClaimsKey(QKeyCombination keys) const override;

    void ApplyLanguage() override;
    void SetFileManagerWidth(int width);
    void ShowFileTabs();
    void HideFileTabs();
    void ShowColorBar();
    void HideColorBar();
    void ToggleFileManager();
    void HideFileManager();
    void Help();
    void StartFtpProgram();
    void ShowAbout();
    void CheckForUpdates();
    // Opens a new configuration screen on the page (0 to 3), the keyboard
    // focus in the given field.
    void OpenConfiguration(int page, ConfigFocus focus = ConfigFocus::None);
    void ArrangeIcons();
    void TileVertical();
    void TileHorizontal();

signals:
    // A configuration screen was opened on the given page (0 to 3).
    void configurationRequested(int page);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildLayout();
    void connectCommands();
    void registerFileAssociation(const Options& options);
    void runStartupSettings();
    bool runExitSequence();
    void writeLayoutSettings();
    void writeSession();
    // The recently opened or saved files: the file goes first in the list
    // kept in the settings, and the Reopen menu shows the list.
    void rememberRecent(const QString& path);
    void refreshRecentMenu();
    void keepFileManagerWidth();
    void connectFileManager();
    void connectPreviewCommands();
    void connectFileSearch();
    void connectPageCheck();
    void checkActivePage();
    void showPageFindings(TChildForm* document, const PageCheckResult& result);
    void followPreviewActivation(QMdiSubWindow* sub);
    void openPreviewWindow(const QString& path, TChildForm& document);
    void insertInActiveDocument(const QString& html);
    void showTabStripMenu(const QPoint& position);
    void updateTitle();
    TChildForm* CreateDocumentWindow(const QString& caption, const QString& tabCaption);
    // The document window that has the file open, by canonical path.
    TChildForm* OpenDocumentWindow(const QString& path) const;
    // Opens the file in a new document window, or brings the window that
    // has it open already to the front.
    TChildForm* OpenFileInWindow(const QString& path, bool highlight);
    void wireDocumentCommands(TChildForm& document);
    void ForwardEditCommand(const char* method);
    // False when the document was not saved (the user kept the file on disk).
    bool SaveTo(TChildForm& document, const QString& path);
    // The document's snapshots follow its changes from now on, under a
    // number of their own.
    void trackRecovery(TChildForm& document);
    void restoreSnapshot(const Snapshot& snapshot);
    // Side by side (horizontal) or one above the other (vertical).
    void Tile(Qt::Orientation direction);

    const ProgramPlaces places;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<RecoveryStore> recovery;
    int snapshotCounter = 0;
    OpenFileChannel* channel = nullptr;

    int documentCounter = 0;
    QString pendingTabCaption;
    QString lastOpenFolder;
    QString language;
    bool openOnDoubleClick = false;
    bool followFolders = true;
    bool previewActive = false;
    bool previewOpen = false;
    QStringList browserTempFiles;
    DocumentTemplate documentTemplate;
    QString saveDialogFileName;
    int previewCounter = 0;
    int browserCounter = 0;
    // The most recently opened preview window, while it is open.
    QPointer<TfPreview> latestPreview;

    bool startupDone = false;
    bool exitConfirmed = false;
    int fileManagerWidth = kFileManagerWidth;

    QHash<QString, QAction*> actions;
    QToolBar* coolBar1 = nullptr;
    QToolBar* toolBar2 = nullptr;
    QSplitter* splitter = nullptr;
    FileManagerPanel* fileManager = nullptr;
    FileManagerView* fileView = nullptr;
    ImageBrowserPanel* imageBrowser = nullptr;
    QMdiArea* mdiArea = nullptr;
    ColorBarPanel* colorBar = nullptr;
    TabStrip* tabStrip = nullptr;
    FileTabsBar* tabsBar = nullptr;
    DocumentImport* imports = nullptr;
    ResultsPanel* results = nullptr;
    FileSearchCommands* fileSearch = nullptr;
    ResultsPanel* checkResults = nullptr;
    PageCheckRun* pageCheck = nullptr;
};
