#pragma once

#include "FileAssociation.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <memory>

class ColorBarPanel;
class FileManagerPanel;
class FileTabsBar;
class OpenFileChannel;
class QAction;
class QMdiArea;
class QSplitter;
class QToolBar;
class SettingsStore;
class TabStrip;

// The main window: the MDI frame around the document windows, with the menus,
// the two toolbars, the file manager panel, the colour bar and the file tabs
// bar. It routes every command and owns the state shared by the windows in it.
class TfMain : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        QString programFolder;  // the executable's folder, ending in "/"
        QString executablePath; // registered as the opener of HTML files
        QString settingsPath;   // the settings file this window reads and writes
        QString channelName;    // where the window receives window messages
        FileAssociationPlaces associationPlaces;
    };

    static constexpr int kMinimumWidth = 700;
    static constexpr int kMinimumHeight = 500;
    static constexpr int kFileManagerWidth = 220;
    static constexpr int kTopPanelHeight = 49;

    explicit TfMain(const Options& options, QWidget* parent = nullptr);
    ~TfMain() override;

    QString ProgramFolder() const { return programFolder; }
    static QString VersionText();

    // Incremented before every document window is created and whenever the
    // configuration screen is opened from this window; returns the new value.
    int NextDocumentNumber();
    int DocumentCounter() const { return documentCounter; }

    QString PendingTabCaption() const { return pendingTabCaption; }
    void SetPendingTabCaption(const QString& caption) { pendingTabCaption = caption; }
    QString LastOpenFolder() const { return lastOpenFolder; }
    void SetLastOpenFolder(const QString& folder) { lastOpenFolder = folder; }
    QString LanguageValue() const { return language; }
    bool OpenOnDoubleClick() const { return openOnDoubleClick; }
    void SetOpenOnDoubleClick(bool on) { openOnDoubleClick = on; }
    bool FollowFolders() const { return followFolders; }
    void SetFollowFolders(bool on) { followFolders = on; }
    bool PreviewActive() const { return previewActive; }
    void SetPreviewActive(bool on) { previewActive = on; }
    bool PreviewOpen() const { return previewOpen; }
    void SetPreviewOpen(bool on) { previewOpen = on; }
    QStringList& BrowserTempFiles() { return browserTempFiles; }
    int NextPreviewNumber() { return ++previewCounter; }
    int NextBrowserNumber() { return ++browserCounter; }

    QAction* action(const QString& name) const { return actions.value(name); }
    QMdiArea* MdiArea() const { return mdiArea; }
    TabStrip* Tabs() const { return tabStrip; }
    FileTabsBar* TabsBar() const { return tabsBar; }
    FileManagerPanel* FileManager() const { return fileManager; }
    ColorBarPanel* ColorBar() const { return colorBar; }
    int FileManagerWidth() const { return fileManagerWidth; }
    bool IsListening() const;

    // Handles a window message; the only one known is 1066, open the file
    // whose path is on the clipboard.
    void HandleWindowMessage(int message, qint64 wordParam, qint64 longParam);
    // Opens one file in a new document window.
    void OpenDocumentFile(const QString& path);

    void ApplyLanguage();
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
    void OpenConfiguration(int page);
    void ArrangeIcons();
    void TileVertical();
    void TileHorizontal();

signals:
    // A file that the window was asked to open (before documents open it).
    void openFileRequested(const QString& path);
    // The configuration screen was asked for, on the given page (0 to 3).
    void configurationRequested(int page);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void connectCommands();
    void registerFileAssociation(const Options& options);
    void runStartupSettings();
    bool runExitSequence();
    void writeLayoutSettings();
    void keepFileManagerWidth();
    void showTabStripMenu(const QPoint& position);
    // Side by side (horizontal) or one above the other (vertical).
    void Tile(Qt::Orientation direction);

    QString programFolder;
    std::unique_ptr<SettingsStore> settings;
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
    int previewCounter = 0;
    int browserCounter = 0;

    bool startupDone = false;
    bool exitConfirmed = false;
    int fileManagerWidth = kFileManagerWidth;

    QHash<QString, QAction*> actions;
    QToolBar* coolBar1 = nullptr;
    QToolBar* toolBar2 = nullptr;
    QSplitter* splitter = nullptr;
    FileManagerPanel* fileManager = nullptr;
    QMdiArea* mdiArea = nullptr;
    ColorBarPanel* colorBar = nullptr;
    TabStrip* tabStrip = nullptr;
    FileTabsBar* tabsBar = nullptr;
};
