#include "EditorControl.h"
#include "MainPanels.h"
#include "MdiChildWindow.h"
#include "ProgramPlaces.h"
#include "SettingsStore.h"
#include "TChildForm.h"
#include "TfMain.h"
#include "support/ProgramFolder.h"
#include "support/RecordingShell.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

// A document window stand-in whose close question answers as told.
class ClosableChild : public MdiChildWindow {
public:
    bool allow = true;
    int asked = 0;
    bool CloseQuery() override {
        ++asked;
        return allow;
    }
};

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<RecordingShell> shell;

    std::unique_ptr<TfMain> start() {
        auto window = std::make_unique<TfMain>(folder->windowOptions());
        window->showMaximized();
        return window;
    }
    static QStringList Names(const QList<QAction*>& actions) {
        QStringList names;
        for (QAction* action : actions) {
            if (!action->isSeparator())
                names << action->objectName();
        }
        return names;
    }
    static QAction* Act(TfMain& window, const char* name) {
        QAction* action = window.action(QString::fromLatin1(name));
        if (!action)
            qFatal("no action %s", name);
        return action;
    }
    // Answers the quit question with Yes so that a window can be destroyed
    // through its normal close.
    void closeQuietly(TfMain& window) {
        prompts->answerYes();
        window.close();
    }

private slots:
    void init() {
        folder = std::make_unique<ProgramFolder>();
        prompts = std::make_unique<ScriptedPrompts>();
        shell = std::make_unique<RecordingShell>();
    }
    void cleanup() {
        shell.reset();
        prompts.reset();
        folder.reset();
        QVERIFY(QApplication::topLevelWidgets().size() <= 1 || !QApplication::activeModalWidget());
    }

    void firstStartWritesTheLanguageAndTheFilter() {
        auto window = start();
        // The file manager's filter is applied, and so written, at every start.
        QCOMPARE(folder->settingsBytes(),
                 QByteArray("[Help]\r\nLanguage=Eng\r\n\r\n[File]\r\nMask=Filter ...\r\n"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Quillon - Vantrel"));
        QVERIFY(window->windowState() & Qt::WindowMaximized);
        QCOMPARE(window->minimumSize(), QSize(700, 500));
        QCOMPARE(TfMain::VersionText().left(26), QStringLiteral("6.1 Build 1603 CodeName : "));
        QVERIFY(TfMain::VersionText().size() > 26);
        QCOMPARE(window->DocumentCounter(), 0);
        QVERIFY(window->MdiArea()->subWindowList().isEmpty());
        QVERIFY(window->IsListening());
        QCOMPARE(prompts->asked.size(), 0);
    }

    void layoutHasItsNamedParts() {
        auto window = start();
        QCOMPARE(window->findChild<QWidget*>("Panel1")->height(), 49);
        QVERIFY(window->findChild<QToolBar*>("coolBar1"));
        QVERIFY(window->findChild<QToolBar*>("ToolBar2"));
        auto* colorBar = window->findChild<QWidget*>("Panel11");
        QCOMPARE(colorBar->width(), 55);
        QVERIFY(colorBar->isVisible());
        auto* hideColors = window->findChild<QToolButton*>("SpeedButton26");
        QCOMPARE(hideColors->size(), QSize(50, 19));
        QCOMPARE(hideColors->geometry().bottom(), colorBar->height() - 1 - 2);
        QVERIFY(!window->findChild<QWidget*>("Panel2")->isVisible());
        QCOMPARE(window->findChild<QWidget*>("Panel3")->width(), 21);
        QVERIFY(window->findChild<QToolButton*>("SpeedButton2"));
        auto* tabsBar = window->findChild<QScrollArea*>("ScrollBox1");
        QCOMPARE(tabsBar->height(), 29);
        QCOMPARE(tabsBar->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(window->findChild<QWidget*>("ToolBar1")->height(), 29);
        // The tabs bar takes room for a scroll bar only when the strip needs it.
        window->Tabs()->SetStripWidth(tabsBar->width() + 50);
        window->TabsBar()->applyHeightRule();
        QCOMPARE(tabsBar->height(), 49);
        window->Tabs()->SetStripWidth(tabsBar->width());
        window->TabsBar()->applyHeightRule();
        QCOMPARE(tabsBar->height(), 49);
        window->Tabs()->SetStripWidth(10);
        window->TabsBar()->applyHeightRule();
        QCOMPARE(tabsBar->height(), 29);
        closeQuietly(*window);
    }

    void menusInTheirOrderWithShortcuts() {
        auto window = start();
        QStringList titles;
        for (QAction* menu : window->menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "Search", "&Options and Toolbars",
                                      "&Window", "Info"}));
        auto menu = [&](const char* name) { return window->findChild<QMenu*>(name)->actions(); };
        QCOMPARE(Names(menu("File1")), (QStringList{"New1", "Open1", "", "Save2", "Save1", "Close1",
                                                    "CloseAll1", "", "", "Print1", "Exit1"}));
        QCOMPARE(Names(menu("ImportRTFDocument1")),
                 (QStringList{"rtfdocuments1", "docdocuments1"}));
        QCOMPARE(Names(menu("Edit1")), (QStringList{"Cut1", "Copy1", "Paste1", "Undo1", "Redo1",
                                                    "SelectAll1", "Wordwrap1"}));
        QCOMPARE(Names(menu("Search1")),
                 (QStringList{"Searchfortext1", "FindNext1", "FindNext2", "FindPrevious1",
                              "SearchInFiles1", "ReplaceInFiles1", "NextResult1", "PreviousResult1",
                              "GotoLine1"}));
        QCOMPARE(
            Names(menu("Tools1")),
            (QStringList{"ImageBrowser1", "Previewsite1", "LoadBrowser1", "CheckPage1", "Options1",
                         "FTPProgram1",
                         "ColorBar1", "FileManager1", "FileTabs1", "ImageViewer1"}));
        QCOMPARE(Names(menu("Window1")), (QStringList{"ArrangeIcons1", "Cascade1", "MinimizeAll1",
                                                      "TileVertical1", "TileHorizontal1"}));
        QCOMPARE(Names(menu("Info1")), (QStringList{"Help1", "CheckForUpdates1", "About1"}));
        QVERIFY(!Act(*window, "Print1")->isVisible());

        const std::pair<const char*, const char*> shortcuts[] = {{"New1", "Ctrl+N"},
                                                                 {"Open1", "Ctrl+O"},
                                                                 {"Save2", "Ctrl+S"},
                                                                 {"Close1", "Ctrl+W"},
                                                                 {"CloseAll1", "Ctrl+Alt+F4"},
                                                                 {"rtfdocuments1", "F6"},
                                                                 {"docdocuments1", "F7"},
                                                                 {"Cut1", "Ctrl+X"},
                                                                 {"Copy1", "Ctrl+C"},
                                                                 {"Paste1", "Ctrl+V"},
                                                                 {"Undo1", "Ctrl+Z"},
                                                                 {"Redo1", "Ctrl+Alt+Z"},
                                                                 {"SelectAll1", "Ctrl+A"},
                                                                 {"Searchfortext1", "Ctrl+F"},
                                                                 {"FindNext1", "Ctrl+R"},
                                                                 {"FindNext2", "F3"},
                                                                 {"FindPrevious1", "F2"},
                                                                 {"GotoLine1", "Ctrl+G"},
                                                                 {"ImageBrowser1", "F8"},
                                                                 {"Previewsite1", "F9"},
                                                                 {"LoadBrowser1", "F12"},
                                                                 {"Options1", "Ctrl+Alt+C"},
                                                                 {"FTPProgram1", "F10"},
                                                                 {"FileManager1", "F11"},
                                                                 {"Help1", "F1"},
                                                                 {"Bold", "Ctrl+B"},
                                                                 {"Italic", "Ctrl+I"},
                                                                 {"Underline", "Ctrl+U"},
                                                                 {"Left", "Ctrl+Alt+L"},
                                                                 {"center", "Ctrl+F1"},
                                                                 {"Right", "Ctrl+Alt+R"},
                                                                 {"Table", "Ctrl+T"}};
        for (const auto& [name, keys] : shortcuts)
            QCOMPARE(Act(*window, name)->shortcut(), QKeySequence(QString::fromLatin1(keys)));
        closeQuietly(*window);
    }

    void toolbarsInTheirOrderWithHints() {
        auto window = start();
        QCOMPARE(Names(window->findChild<QToolBar*>("coolBar1")->actions()),
                 (QStringList{"ToolButton1", "ToolButton2", "ToolButton3", "ToolButton4",
                              "ToolButton6", "ToolButton7", "ToolButton9", "ToolButton21",
                              "ToolButton22", "ToolButton23", "ToolButton14", "ToolButton12",
                              "ToolButton13", "ToolButton29", "ToolButton15", "ToolButton20"}));
        QCOMPARE(Names(window->findChild<QToolBar*>("ToolBar2")->actions()),
                 (QStringList{"ToolButton46", "ToolButton47", "ToolButton48", "ToolButton60",
                              "ToolButton55", "ToolButton56", "ToolButton57", "ToolButton50",
                              "ToolButton51", "ToolButton53", "ToolButton25", "ToolButton26",
                              "ToolButton27", "ToolButton59", "ToolButton30", "ToolButton32",
                              "ToolButton31"}));
        QCOMPARE(Act(*window, "ToolButton1")->toolTip(), QStringLiteral("Create a new document"));
        QCOMPARE(Act(*window, "ToolButton20")->toolTip(),
                 QStringLiteral("If you don't get it anymore then here you will find your anwser"));
        QCOMPARE(
            Act(*window, "ToolButton60")->toolTip(),
            QStringLiteral("Special text formatting like font and colors etc ... shortcut = [F4]"));
        QCOMPARE(window->findChild<QToolButton*>("SpeedButton26")->toolTip(),
                 QStringLiteral("Hide the Color Bar"));
        QCOMPARE(Names(Act(*window, "ToolButton25")->menu()->actions()),
                 (QStringList{"HeadingStyle11", "HeadingStyle21", "HeadingStyle31",
                              "HeadingStyle41", "HeadingStyle51", "HeadingStyle61"}));
        QCOMPARE(Act(*window, "ToolButton53")->menu()->actions().size(), 5);
        for (QAction* button : window->findChild<QToolBar*>("ToolBar2")->actions())
            QVERIFY(button->isSeparator() || !button->icon().isNull());
        closeQuietly(*window);
    }

    void dutchCaptionsAfterARestart() {
        folder->writeSettings("[Help]\r\nLanguage=NL\r\n");
        auto window = start();
        QCOMPARE(window->findChild<QMenu*>("File1")->title(), QStringLiteral("&Bestand"));
        QCOMPARE(Act(*window, "CloseAll1")->text(), QStringLiteral("Alle vensters sluiten"));
        QCOMPARE(Act(*window, "Options1")->text(), QStringLiteral("Configuratie Scherm"));
        QCOMPARE(Act(*window, "ToolButton46")->toolTip(), QStringLiteral("Vet gedrukt"));
        QCOMPARE(window->LanguageValue(), QStringLiteral("NL"));
        // Menus the catalog does not cover keep their English captions.
        QCOMPARE(window->findChild<QMenu*>("Window1")->title(), QStringLiteral("&Window"));
        prompts->answerYes();
        window->close();
        QCOMPARE(prompts->asked.last().text, QStringLiteral("Wilt u Quillon afsluiten ?"));
    }

    void fileTabsStayHiddenAcrossARestart() {
        auto window = start();
        QVERIFY(!Act(*window, "FileTabs1")->isEnabled());
        window->HideFileTabs();
        QVERIFY(!window->TabsBar()->isVisible());
        QVERIFY(Act(*window, "FileTabs1")->isEnabled());
        QVERIFY(folder->settingsBytes().contains("[ToolBars]\r\nFileTabs=0\r\n"));
        closeQuietly(*window);

        window = start();
        QVERIFY(!window->TabsBar()->isVisible());
        QVERIFY(Act(*window, "FileTabs1")->isEnabled());
        Act(*window, "FileTabs1")->trigger();
        QVERIFY(window->TabsBar()->isVisible());
        QVERIFY(!Act(*window, "FileTabs1")->isEnabled());
        QVERIFY(folder->settingsBytes().contains("FileTabs=1\r\n"));
        closeQuietly(*window);
    }

    void colourBarStaysHiddenAcrossARestart() {
        auto window = start();
        window->findChild<QToolButton*>("SpeedButton26")->click();
        QVERIFY(!window->ColorBar()->isVisible());
        QVERIFY(Act(*window, "ColorBar1")->isEnabled());
        QVERIFY(folder->settingsBytes().contains("ColorBar1=0\r\n"));
        closeQuietly(*window);

        window = start();
        QVERIFY(!window->ColorBar()->isVisible());
        QVERIFY(Act(*window, "ColorBar1")->isEnabled());
        Act(*window, "ColorBar1")->trigger();
        QVERIFY(window->ColorBar()->isVisible());
        QVERIFY(!Act(*window, "ColorBar1")->isEnabled());
        QVERIFY(folder->settingsBytes().contains("ColorBar1=1\r\n"));
        closeQuietly(*window);
    }

    void fileManagerWidthAndVisibility_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("collapsed") << 10 << 20;
        QTest::newRow("just too narrow") << 29 << 20;
        QTest::newRow("narrowest") << 30 << 30;
        QTest::newRow("wide") << 300 << 300;
    }
    void fileManagerWidthAndVisibility() {
        QFETCH(int, stored);
        QFETCH(int, shown);
        folder->writeSettings("[ToolBars]\r\nFileManager=1\r\n[FileMan]\r\nWidth=" +
                              QByteArray::number(stored) + "\r\n");
        auto window = start();
        QVERIFY(window->FileManager()->isVisible());
        QTRY_COMPARE(window->FileManager()->width(), shown);
        QCOMPARE(window->FileManagerWidth(), shown);
        QCOMPARE(window->findChild<QWidget*>("Panel3")->geometry().right(), shown - 1);

        Act(*window, "FileManager1")->trigger();
        QVERIFY(!window->FileManager()->isVisible());
        QVERIFY(folder->settingsBytes().contains("FileManager=0"));
        Act(*window, "FileManager1")->trigger();
        QVERIFY(window->FileManager()->isVisible());
        QVERIFY(folder->settingsBytes().contains("FileManager=1"));
        window->findChild<QToolButton*>("SpeedButton2")->click();
        QVERIFY(!window->FileManager()->isVisible());
        QVERIFY(folder->settingsBytes().contains("FileManager=0"));

        // The width is written at exit, also while the panel is hidden.
        closeQuietly(*window);
        QVERIFY(folder->settingsBytes().contains("[FileMan]\r\nWidth=" + QByteArray::number(shown) +
                                                 "\r\n"));
    }

    void declinedExitKeepsEverythingAndWritesNothing() {
        auto window = start();
        const QByteArray before = folder->settingsBytes();
        prompts->answerNo();
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QCOMPARE(prompts->askedTexts(), QStringList{"Do you really want to quit Quillon ?"});
        QCOMPARE(prompts->asked.constFirst().kind, QStringLiteral("Confirm"));
        QCOMPARE(folder->settingsBytes(), before);
        closeQuietly(*window);
    }

    void exitAsksDocumentsFirstAndCleansUp() {
        auto window = start();
        auto* first = new ClosableChild;
        auto* second = new ClosableChild;
        window->MdiArea()->addSubWindow(first)->show();
        window->MdiArea()->addSubWindow(second)->show();
        second->allow = false;
        QVERIFY(!window->close());
        QCOMPARE(first->asked, 1);
        QCOMPARE(second->asked, 1);
        QVERIFY(prompts->asked.isEmpty());

        second->allow = true;
        const QString temp = folder->file("quillon_temp1.html");
        QFile(temp).open(QIODevice::WriteOnly);
        window->BrowserTempFiles() << temp << folder->file("quillon_temp2.html");
        prompts->answerYes();
        QVERIFY(window->close());
        QVERIFY(!QFile::exists(temp));
        QVERIFY(folder->settingsBytes().contains("[FileMan]\r\nWidth=220\r\n"));
        QCOMPARE(prompts->unanswered, 0);
    }

    void anUnwritableSettingsFileDoesNotKeepTheUserIn() {
        auto window = start();
        QFile::setPermissions(folder->settingsPath(), QFile::ReadOwner);
        prompts->answerYes();
        const bool closed = window->close();
        QFile::setPermissions(folder->settingsPath(), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(closed);
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Error"));
        QCOMPARE(prompts->asked.last().text, "Unable to write to " + folder->settingsPath());
    }

    // The compiled help where the desktop has a viewer for it; else the
    // pages of the language in the browser of F12 or the desktop's.
    void helpOpensThePagesOfTheLanguage_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("viewerType");
        QTest::addColumn<QByteArray>("browser");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("started");
        const QByteArray browser = "/usr/bin/my browser";
        QTest::newRow("English viewer")
            << QByteArray("Eng") << "application/vnd.ms-htmlhelp" << browser << "help/help.chm"
            << "";
        QTest::newRow("Dutch viewer")
            << QByteArray("NL") << "application/x-chm" << QByteArray() << "help/help_d.chm"
            << "";
        QTest::newRow("English browser") << QByteArray("Eng") << "" << browser << ""
                                         << "help/en/index.html";
        QTest::newRow("Dutch desktop")
            << QByteArray("NL") << "" << QByteArray() << "help/nl/index.html"
            << "";
        QTest::newRow("other") << QByteArray("FR") << "application/x-chm" << browser << ""
                               << "";
    }
    void helpOpensThePagesOfTheLanguage() {
        QFETCH(QByteArray, language);
        QFETCH(QString, viewerType);
        QFETCH(QByteArray, browser);
        QFETCH(QString, opened);
        QFETCH(QString, started);
        if (!viewerType.isEmpty())
            shell->defaultPrograms.insert(viewerType, QStringLiteral("xchm.desktop"));
        QDir().mkpath(folder->file("help"));
        for (const char* name : {"help/help.chm", "help/help_d.chm"})
            QVERIFY(QFile(folder->file(name)).open(QIODevice::WriteOnly));
        auto window = start();
        folder->writeSettings("[Help]\r\nLanguage=" + language + "\r\n[WEB]\r\nPath=" + browser +
                              "\r\n");
        Act(*window, "ToolButton20")->trigger();
        QCOMPARE(shell->opened,
                 opened.isEmpty() ? QStringList() : QStringList{folder->file(opened)});
        if (started.isEmpty()) {
            QVERIFY(shell->started.isEmpty());
        } else {
            QCOMPARE(shell->started, QStringList{QString::fromUtf8(browser)});
            QCOMPARE(shell->startedArguments.first(), QStringList{folder->file(started)});
        }
        closeQuietly(*window);
    }

    void ftpProgramOrTheConfigurationScreen() {
        auto window = start();
        QSignalSpy configuration(window.get(), &TfMain::configurationRequested);
        Act(*window, "ToolButton15")->trigger();
        QVERIFY(shell->started.isEmpty());
        QCOMPARE(window->DocumentCounter(), 1);
        QCOMPARE(configuration.size(), 1);
        QCOMPARE(configuration.constFirst().constFirst().toInt(), 1);

        folder->writeSettings("[Help]\r\nLanguage=Eng\r\n[FTP]\r\nPath=/usr/bin/my ftp\r\n");
        Act(*window, "FTPProgram1")->trigger();
        QCOMPARE(shell->started, QStringList{"/usr/bin/my ftp"});
        QCOMPARE(shell->startedArguments.constFirst(), QStringList());
        QCOMPARE(window->DocumentCounter(), 1);

        Act(*window, "Options1")->trigger();
        Act(*window, "ToolButton13")->trigger();
        Act(*window, "ToolButton29")->trigger();
        QCOMPARE(window->DocumentCounter(), 4);
        QCOMPARE(configuration.size(), 4);
        QCOMPARE(configuration.at(1).constFirst().toInt(), 0);
        QCOMPARE(configuration.at(2).constFirst().toInt(), 0);
        QCOMPARE(configuration.at(3).constFirst().toInt(), 2);
        closeQuietly(*window);
    }

    void aboutShowsTheVersion() {
        auto window = start();
        QString shown;
        int pictureWidth = 0;
        prompts->answer(ScriptedPrompts::DialogScript([&](QDialog& dialog) {
            for (QLabel* label : dialog.findChildren<QLabel*>())
                shown += label->text() + '|';
            pictureWidth = dialog.findChild<QLabel*>("Image1")->pixmap().width();
            return int(QDialog::Accepted);
        }));
        Act(*window, "About1")->trigger();
        QCOMPARE(shown, "|Version :|" + TfMain::VersionText() +
                            "|Quillon is free software under the GNU General Public License, "
                            "version 3 or later.|");
        QVERIFY(pictureWidth > 0);
        closeQuietly(*window);
    }

    void openFileMessageTakesThePathFromTheClipboard() {
        auto window = start();
        QApplication::clipboard()->setText("/site/index.html");
        window->HandleWindowMessage(1066, 16, 1);
        window->HandleWindowMessage(1066, 5, 1);
        window->HandleWindowMessage(1066, 99, 1);
        window->HandleWindowMessage(1067, 16, 1);
        window->HandleWindowMessage(1066, 0, 1);
        QApplication::clipboard()->clear();
        window->HandleWindowMessage(1066, 16, 1);
        // The files do not exist: their windows stay, empty, and nobody is told.
        QStringList captions;
        for (TChildForm* document : window->Documents())
            captions << document->Caption();
        QCOMPARE(captions, (QStringList{"/site/index.html", "/site", "/site/index.html"}));
        QVERIFY(prompts->asked.isEmpty());
        closeQuietly(*window);
    }

    void fileAssociationAtEveryStart() {
        const TfMain::Options options = folder->windowOptions();
        auto window = start();
        QFile entry(options.associationPlaces.dataHome + "/applications/quillon.desktop");
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=" + options.executablePath.toUtf8() + " %f"));
        QFile mimeApps(options.associationPlaces.configHome + "/mimeapps.list");
        QVERIFY(mimeApps.open(QIODevice::ReadOnly));
        QVERIFY(mimeApps.readAll().contains("text/html=quillon.desktop"));
        closeQuietly(*window);

        // A failure is reported once and start-up goes on.
        TfMain::Options blocked = options;
        blocked.associationPlaces.dataHome = folder->settingsPath() + "/data";
        folder->writeSettings("[Help]\r\nLanguage=Eng\r\n");
        prompts->asked.clear();
        TfMain failing(blocked);
        failing.show();
        QCOMPARE(prompts->asked.size(), 1);
        QCOMPARE(prompts->asked.constFirst().kind, QStringLiteral("Error"));
        QVERIFY(prompts->asked.constFirst().text.startsWith("Unable to write to "));
        QVERIFY(failing.isVisible());
        closeQuietly(failing);
    }

    // A program folder nobody may write in (chmod stops nothing for root:
    // /proc then stands in) keeps nothing; settings, snippets and scratch
    // files go to the user's folders, made when first written.
    void unwritableProgramFolderUsesTheUserFolders() {
        QDir().mkpath(folder->file("locked"));
        QFile::setPermissions(folder->file("locked"), QFile::ReadOwner | QFile::ExeOwner);
        const QString programFolder =
            CanWriteIn(folder->file("locked")) ? QStringLiteral("/proc") : folder->file("locked");
        TfMain::Options options = folder->windowOptions();
        const QString config = folder->file("xdg/config/quillon/");
        const QString cache = folder->file("xdg/cache/quillon/");
        options.places = ProgramPlaces::For(programFolder, folder->file("xdg/config"),
                                            folder->file("xdg/cache"), {});
        TfMain window(options);
        window.showMaximized();
        window.HideFileManager();
        QVERIFY(QFile(config + "settings.ini").size() > 0);

        SettingsStore settings(config + "settings.ini");
        settings.WriteFlag("Use", "CodeInside", true);
        settings.WriteText("WEB", "Path", "/usr/bin/true");
        Act(window, "New1")->trigger();
        QVERIFY(prompts->askedTexts().isEmpty());
        QVERIFY(QFile::exists(config + "CodeC/codeinside.qci"));
        Act(window, "LoadBrowser1")->trigger();
        QCOMPARE(shell->startedArguments, QList<QStringList>{{cache + "quillon_temp1.html"}});
        QVERIFY(QFile::exists(cache + "quillon_temp1.html"));

        QFile rtf(folder->file("sample.rtf"));
        QVERIFY(rtf.open(QIODevice::WriteOnly));
        rtf.write("{\\rtf1 Imported\\par}");
        rtf.close();
        prompts->answerNo();
        prompts->answer(QStringList{rtf.fileName()});
        Act(window, "rtfdocuments1")->trigger();
        QTRY_COMPARE(window.Documents().size(), 2);
        QVERIFY(window.ActiveEditor()->Text().contains("Imported"));
        QVERIFY(!QFile::exists(cache + "rtfTemp.html"));
        closeQuietly(window);
        QFile::setPermissions(folder->file("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Installed as a package: help comes from the shared data folder, and the
    // desktop's own entry is the opener of HTML files.
    void installedProgramUsesItsDataFolder() {
        const QString prefix = folder->file("usr/");
        QDir().mkpath(prefix + "bin");
        QDir().mkpath(prefix + "share/quillon/help");
        QDir().mkpath(prefix + "share/applications");
        QFile installed(prefix + "share/applications/quillon.desktop");
        QVERIFY(installed.open(QIODevice::WriteOnly));
        installed.close();
        TfMain::Options options = folder->windowOptions();
        options.executablePath = prefix + "bin/quillon";
        options.places = ProgramPlaces::For(prefix + "bin", folder->file("xdg/config"),
                                            folder->file("xdg/cache"), {prefix + "share"});
        SettingsStore(options.places.SettingsPath()).WriteText("Help", "Language", "Eng");
        TfMain window(options);
        window.showMaximized();
        Act(window, "Help1")->trigger();
        QCOMPARE(shell->opened, QStringList{prefix + "share/quillon/help/en/index.html"});
        QVERIFY(
            !QFile::exists(options.associationPlaces.dataHome + "/applications/quillon.desktop"));
        QFile mimeApps(options.associationPlaces.configHome + "/mimeapps.list");
        QVERIFY(mimeApps.open(QIODevice::ReadOnly));
        QVERIFY(mimeApps.readAll().contains("text/html=quillon.desktop"));
        closeQuietly(window);
    }

    void windowArrangements() {
        auto window = start();
        QList<QMdiSubWindow*> subs;
        for (int i = 0; i < 3; ++i) {
            subs << window->MdiArea()->addSubWindow(new ClosableChild);
            subs.last()->show();
        }
        const QRect area = window->MdiArea()->viewport()->rect();
        Act(*window, "TileVertical1")->trigger();
        QCOMPARE(subs[1]->geometry(), QRect(area.width() / 3, 0, area.width() / 3, area.height()));
        Act(*window, "TileHorizontal1")->trigger();
        QCOMPARE(subs[2]->geometry(),
                 QRect(0, 2 * (area.height() / 3), area.width(), area.height() / 3));
        Act(*window, "Cascade1")->trigger();
        QVERIFY(subs[1]->pos().x() > subs[0]->pos().x());
        Act(*window, "MinimizeAll1")->trigger();
        for (QMdiSubWindow* sub : subs)
            QVERIFY(sub->isMinimized());
        Act(*window, "ArrangeIcons1")->trigger();
        QCOMPARE(subs[0]->pos().x(), 0);
        QCOMPARE(subs[1]->pos().x(), subs[0]->width());
        QCOMPARE(subs[0]->geometry().bottom(), window->MdiArea()->viewport()->height() - 1);
        closeQuietly(*window);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
