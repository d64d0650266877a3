#include "ErrorReport.h"
#include "FileDeletion.h"
#include "FileDialogs.h"
#include "FileListing.h"
#include "FileManagerView.h"
#include "FileOperations.h"
#include "Language.h"
#include "MainPanels.h"
#include "TChildForm.h"
#include "TfMain.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <unistd.h>

// Hands each delete monitor to a test when it is shown.
class MonitorWatcher : public QObject {
public:
    std::function<void(DeleteMonitor&)> shown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* monitor = qobject_cast<DeleteMonitor*>(watched);
            monitor && event->type() == QEvent::Show && shown)
            shown(*monitor);
        return false;
    }
};

class FileManagerTest : public QObject, WindowFixture {
    Q_OBJECT

    QTemporaryDir trashHome;
    const FileStep everyFile = [](int, const QString&) { return true; };
    std::unique_ptr<QTemporaryDir> site;

    FileManagerView* view() const { return window->FileView(); }
    QString sitePath(const QString& name = {}) const {
        return name.isEmpty() ? site->path() : site->filePath(name);
    }
    void write(const QString& name, const QByteArray& bytes = "x") {
        QFile file(sitePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void startShown(const QByteArray& settings = {}) {
        start("[ToolBars]\r\nFileManager=1\r\n" + settings);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    // Shows the site folder with every file listed and the given names selected.
    void showSite(const QStringList& names, const QStringList& selected = {}) {
        view()->SelectFolder(sitePath());
        view()->ApplyFilter(QStringLiteral("All Files (*.*)"));
        QTRY_COMPARE(view()->ListedNames(), names);
        QListView* list = view()->List();
        for (int row = 0; row < names.size(); ++row) {
            const QModelIndex index = list->model()->index(row, 0, list->rootIndex());
            if (selected.contains(names[row])) {
                list->selectionModel()->select(index, QItemSelectionModel::Select);
                list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            }
        }
    }
    QAction* entry(QMenu* menu, const char* name) const {
        auto* found = menu->findChild<QAction*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no entry %s", name);
        return found;
    }
    QString setting(const QByteArray& key) const {
        for (const QByteArray& line : folder->settingsBytes().split('\n')) {
            if (line.startsWith(key + '='))
                return QString::fromUtf8(line.mid(key.size() + 1).trimmed());
        }
        return {};
    }

private slots:
    void initTestCase() {
        // Deleted files go to a trash inside a temporary folder, in a data
        // folder that does not exist yet, as on a new account.
        qputenv("XDG_DATA_HOME", trashHome.filePath("data").toUtf8());
    }
    void init() {
        prepare();
        site = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        finish();
        site.reset();
    }

    void masksAndNames() {
        QCOMPARE(MaskForFilterChoice("All Web Files"), AllWebFilesMask());
        QCOMPARE(MaskForFilterChoice("All Files (*.*)"), QStringLiteral("*.*"));
        QCOMPARE(MaskForFilterChoice("*.gif;*.css"), QStringLiteral("*.gif;*.css"));
        QCOMPARE(MaskForFilterChoice("Filter ..."), QStringLiteral("*.*"));
        QCOMPARE(MaskPatterns(AllWebFilesMask()).size(), 24);
        QCOMPARE(MaskPatterns("*.*; ;*.htm;*.js"), (QStringList{"*", "*.htm", "*.htm*", "*.js"}));
        QVERIFY(IsPictureFile("/site/photo.JPG"));
        QVERIFY(IsPictureFile("/site/a.b/logo.gif"));
        for (const char* name : {"photo.jpeg", "a.PNG", "logo.svg", "p.webp"})
            QVERIFY(IsPictureFile(QStringLiteral("/site/") + QLatin1String(name)));
        QVERIFY(!IsPictureFile("/site/page.html"));
        QVERIFY(!IsPictureFile("/site.gif/README"));
        QCOMPARE(JoinPath("/", "etc"), QStringLiteral("/etc"));
        QCOMPARE(JoinPath("/site", "a.html"), QStringLiteral("/site/a.html"));
        QCOMPARE(FolderPath("/site//"), QStringLiteral("/site"));
        QCOMPARE(FolderPath("/"), QStringLiteral("/"));
    }

    void foldersAreMadeAndRemovedOnlyWhenSound() {
        QVERIFY_THROWS_EXCEPTION(UserError, CreateFolder(sitePath(), "a/b"));
        QVERIFY_THROWS_EXCEPTION(UserError, CreateFolder(sitePath(), ".."));
        QVERIFY_THROWS_EXCEPTION(UserError, CreateFolder(sitePath(), ""));
        QCOMPARE(CreateFolder(sitePath(), "pub"), sitePath("pub"));
        QVERIFY_THROWS_EXCEPTION(UserError, CreateFolder(sitePath(), "pub"));
        write("pub/keep.html");
        QVERIFY(!RemoveEmptyFolder(sitePath("pub")));
        QVERIFY(QFile::exists(sitePath("pub/keep.html")));
        QVERIFY(!RemoveEmptyFolder(sitePath("pub/keep.html")));
        MoveToTrash({sitePath("pub/keep.html"), sitePath("pub/gone.html")}, everyFile);
        QVERIFY(!QFile::exists(sitePath("pub/keep.html")));
        QVERIFY(RemoveEmptyFolder(sitePath("pub")));
    }

    void startAndCloseKeepTheLayout() {
        write("index.html");
        write("INDEX.HTM");
        write("notes.txt");
        const QString stored = "*.htm;*.asp;*.js;*.php;*.cgi;*.pl;*.css;*.bmp;*.gif;*.jpg;*.jpeg;";
        startShown("[Last]\r\nFolder=" + sitePath().toUtf8() +
                   "\r\n[Directory]\r\nHeight=210\r\n[File]\r\nMask=" + stored.toUtf8() + "\r\n");
        QCOMPARE(view()->CurrentFolder(), sitePath());
        QCOMPARE(view()->FilterText(), stored);
        QCOMPARE(view()->Mask(), stored);
        QCOMPARE(setting("Mask"), stored);
        QTRY_COMPARE(view()->ListedNames(), (QStringList{"INDEX.HTM", "index.html"}));
        QCOMPARE(view()->TreeHeight(), 210);

        // A filter chosen in the box is applied and written.
        QComboBox* box = view()->FilterBox();
        box->setFocus();
        box->setCurrentIndex(box->findText("All Files (*.*)"));
        emit box->activated(box->currentIndex());
        QCOMPARE(setting("Mask"), QStringLiteral("*.*"));
        QTRY_COMPARE(view()->ListedNames(), (QStringList{"INDEX.HTM", "index.html", "notes.txt"}));

        QDir(sitePath()).mkdir("sub");
        view()->SelectFolder(sitePath("sub"));
        prompts->answerYes();
        window->close();
        QCOMPARE(setting("Folder"), sitePath("sub"));
        QCOMPARE(setting("Height"), QStringLiteral("210"));
    }

    void workFolderWinsAndTheFirstStartListsEveryFile() {
        QDir(sitePath()).mkdir("work");
        for (const char* name : {"work/index.html", "work/notes.txt", "work/README"})
            write(QString::fromLatin1(name));
        startShown("[Last]\r\nFolder=" + sitePath().toUtf8() +
                   "\r\n[Work]\r\nDir=" + sitePath("work").toUtf8() + "\r\n");
        QCOMPARE(view()->CurrentFolder(), sitePath("work"));
        QCOMPARE(window->LastOpenFolder(), sitePath("work"));
        // No filter chosen yet: the box shows its caption and lists everything.
        QCOMPARE(view()->FilterText(), QStringLiteral("Filter ..."));
        QCOMPARE(setting("Mask"), QStringLiteral("Filter ..."));
        QTRY_COMPARE(view()->ListedNames(), (QStringList{"index.html", "notes.txt", "README"}));

        // With the folders following each other, a click in the tree moves
        // the Open dialog's folder.
        QTreeView* tree = view()->Tree();
        view()->SelectFolder(sitePath());
        const QRect cell = tree->visualRect(tree->currentIndex());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(window->LastOpenFolder(), sitePath() + "/");
    }

    void openingFromTheList() {
        const QStringList names{"a.html",    "b.html",     "c.GIF",    "d.bmp",
                                "notes.txt", "photo.jpeg", "photo.JPG"};
        for (const QString& name : names)
            write(name);
        startShown();
        showSite(names, {"notes.txt"});
        QListView* list = view()->List();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(window->Documents().size(), 1);
        QCOMPARE(window->ActiveDocument()->Caption(), sitePath("notes.txt"));

        // A single click opens the file it lands on; with Ctrl it only selects.
        const QModelIndex html = list->model()->index(0, 0, list->rootIndex());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualRect(html).center());
        QCOMPARE(window->Documents().size(), 1);
        const QModelIndex jpg = list->model()->index(6, 0, list->rootIndex());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(jpg).center());
        QCOMPARE(window->Documents().size(), 1);
        QCOMPARE(window->PictureList(), QStringList{sitePath("photo.JPG")});

        // A double click is one open, where a single click opens too.
        QSignalSpy opens(view(), &FileManagerView::openRequested);
        const QPoint at = list->visualRect(html).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(opens.size(), 1);
        QCOMPARE(window->Documents().size(), 2);

        // Files open already are not opened a second time.
        list->clearSelection();
        showSite(names, {"a.html", "b.html", "c.GIF", "d.bmp", "notes.txt", "photo.jpeg"});
        entry(view()->ListMenu(), "OpenSelectedFiles1")->trigger();
        QCOMPARE(window->Documents().size(), 3);
        QCOMPARE(window->Documents()[1]->Caption(), sitePath("a.html"));
        QCOMPARE(window->PictureList(),
                 (QStringList{sitePath("c.GIF"), sitePath("d.bmp"), sitePath("photo.jpeg")}));
    }

    void openOnDoubleClickIgnoresSingleClicks() {
        write("a.html");
        startShown("[DoubleClick]\r\nOpen=1\r\n");
        showSite({"a.html"});
        QListView* list = view()->List();
        const QPoint at = list->visualRect(list->model()->index(0, 0, list->rootIndex())).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(window->Documents().size(), 0);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(window->Documents().size(), 1);
    }

    void deletingFiles() {
        for (const char* name : {"a.html", "b.html", "c.html"})
            write(QString::fromLatin1(name));
        startShown();
        showSite({"a.html", "b.html", "c.html"}, {"a.html"});
        QListView* list = view()->List();
        list->setFocus();
        prompts->answerYes();
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(prompts->askedTexts(),
                 QStringList{CatalogMessage("DelFile", "a.html", Language::English)});
        QVERIFY(!QFile::exists(sitePath("a.html")));
        QTRY_COMPARE(view()->ListedNames(), (QStringList{"b.html", "c.html"}));

        // Several files: a question, then the list to confirm; Cancel keeps them.
        prompts->asked.clear();
        showSite({"b.html", "c.html"}, {"b.html", "c.html"});
        prompts->answerYes();
        QStringList shown;
        prompts->answer([&](QDialog& dialog) {
            for (int row = 0; row < 2; ++row)
                shown << dialog.findChild<QListWidget*>("ListBox1")->item(row)->text();
            return int(QDialog::Rejected);
        });
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(shown, (QStringList{sitePath("b.html"), sitePath("c.html")}));
        QCOMPARE(prompts->askedTexts(),
                 (QStringList{"Do you want to delete all selected files ? ", "Confirm delete ...",
                              "Aborted : No files have been deleted !"}));
        QVERIFY(QFile::exists(sitePath("b.html")));

        // Ok asks once more; No keeps the list open, Yes deletes.
        prompts->asked.clear();
        prompts->answerYes();
        prompts->answer([&](QDialog& dialog) {
            auto& confirm = static_cast<TfConfdel&>(dialog);
            prompts->answerNo();
            confirm.OkClick();
            if (confirm.result() == QDialog::Accepted)
                return int(QDialog::Accepted);
            prompts->answerYes();
            confirm.OkClick();
            return confirm.result();
        });
        entry(view()->ListMenu(), "DeleteSelectedFiles1")->trigger();
        QCOMPARE(prompts->askedTexts().last(),
                 QStringLiteral("All selected files have been removed !"));
        QCOMPARE(prompts->askedTexts().count(
                     "All the selected files will be deleted ! Do you wish to continue ?"),
                 2);
        QVERIFY(!QFile::exists(sitePath("b.html")));
        QVERIFY(!QFile::exists(sitePath("c.html")));
        QTRY_COMPARE(view()->ListedNames(), QStringList());
    }

    void trashedFilesCanBeRestoredAndRefusedOnesNeedAYes() {
        write("restorable.html", "kept in the trash");
        write("b.html");
        // A link whose file is gone is refused by the trash.
        QVERIFY(QFile::link(sitePath("gone"), sitePath("link.html")));
        QCOMPARE(MoveToTrash({sitePath("restorable.html"), sitePath("link.html")}, everyFile),
                 QStringList{sitePath("link.html")});
        const QString trash = trashHome.filePath("data/Trash");
        QFile trashed(trash + "/files/restorable.html");
        QVERIFY(trashed.open(QIODevice::ReadOnly));
        QCOMPARE(trashed.readAll(), QByteArray("kept in the trash"));
        QFile info(trash + "/info/restorable.html.trashinfo");
        QVERIFY(info.open(QIODevice::ReadOnly));
        QVERIFY(info.readAll().contains("Path=" + sitePath("restorable.html").toUtf8()));
        QVERIFY(QFileInfo(sitePath("link.html")).isSymLink());

        // The refused file is named in one question; No keeps it and says so.
        startShown();
        showSite({"b.html", "link.html"}, {"b.html", "link.html"});
        prompts->answerYes();
        prompts->answer([](QDialog&) { return int(QDialog::Accepted); });
        prompts->answerNo();
        QTest::keyClick(view()->List(), Qt::Key_Delete);
        const QString refused = CatalogText("NoTrash", Language::English) + "\n\nlink.html";
        QCOMPARE(
            prompts->askedTexts().mid(2),
            (QStringList{refused, CatalogText("DelKept", Language::English) + "\n\nlink.html"}));
        QVERIFY(QFile::exists(trash + "/files/b.html"));
        QVERIFY(QFileInfo(sitePath("link.html")).isSymLink());
        QTRY_COMPARE(view()->ListedNames(), QStringList{"link.html"});

        // Yes deletes it for good.
        prompts->asked.clear();
        showSite({"link.html"}, {"link.html"});
        prompts->answerYes();
        prompts->answerYes();
        QTest::keyClick(view()->List(), Qt::Key_Delete);
        QCOMPARE(prompts->askedTexts(),
                 (QStringList{CatalogMessage("DelFile", "link.html", Language::English), refused}));
        QVERIFY(!QFileInfo(sitePath("link.html")).isSymLink());
    }

    void deletingManyFilesShowsProgressAndCanStop() {
        const QStringList names{"a.html", "b.html", "c.html"};
        for (const QString& name : names)
            write(name);
        startShown();
        showSite(names, names);
        MonitorWatcher watcher;
        QList<int> announced;
        watcher.shown = [&](DeleteMonitor& monitor) {
            connect(&monitor, &DeleteMonitor::fileAnnounced, &monitor, [&](int index) {
                announced << index;
                if (index == 1) {
                    prompts->answerYes();
                    monitor.StopButton()->click();
                }
            });
        };
        qApp->installEventFilter(&watcher);
        prompts->answerYes();
        prompts->answer([](QDialog&) { return int(QDialog::Accepted); });
        QTest::keyClick(view()->List(), Qt::Key_Delete);
        qApp->removeEventFilter(&watcher);
        QCOMPARE(announced, (QList<int>{0, 1}));
        QVERIFY(!QFile::exists(sitePath("a.html")));
        QCOMPARE(prompts->askedTexts().mid(2),
                 (QStringList{"Do you really want to cancel ... ?",
                              CatalogText("DelKept", Language::English) + "\n\nb.html\nc.html"}));
        QTRY_COMPARE(view()->ListedNames(), (QStringList{"b.html", "c.html"}));
    }

    void listingSortsByNameAndFollowsTheFolder() {
        for (const char* name :
             {"page10.html", "Page9.html", "page1.html", ".hidden.html", "a.txt"})
            write(QString::fromLatin1(name));
        QDir(sitePath()).mkdir("sub.html");
        QVERIFY(QFile::link(sitePath("gone"), sitePath("link.html")));
        startShown();
        view()->SelectFolder(sitePath());
        view()->ApplyFilter("*.htm");
        QTRY_COMPARE(view()->ListedNames(),
                     (QStringList{"link.html", "page1.html", "Page9.html", "page10.html"}));
        // A file made meanwhile appears; the selection stays on its file.
        QListView* list = view()->List();
        list->selectionModel()->select(list->model()->index(3, 0), QItemSelectionModel::Select);
        write("page2.html");
        QTRY_COMPARE(view()->ListedNames(), (QStringList{"link.html", "page1.html", "page2.html",
                                                         "Page9.html", "page10.html"}));
        QCOMPARE(view()->SelectedPaths(), QStringList{sitePath("page10.html")});
        // A mask without patterns lists every file.
        view()->ApplyFilter(";");
        QTRY_COMPARE(view()->ListedNames().size(), 6);
    }

    void creatingAndDeletingFolders() {
        QDir(sitePath()).mkdir("full");
        write("full/page.html");
        startShown();
        view()->SelectFolder(sitePath());
        QString status;
        prompts->answer([&](QDialog& dialog) {
            auto& create = static_cast<TfFolder&>(dialog);
            status = create.findChild<QLabel*>("StatusBar1")->text();
            auto* name = create.findChild<QLineEdit*>("Edit1");
            name->setText("full");
            create.CreateClick(); // exists already: reported, the dialog stays
            name->setText("pub");
            create.findChild<QPushButton*>("CreateButton")->click();
            return create.result();
        });
        entry(view()->TreeMenu(), "CreateFolder1")->trigger();
        QCOMPARE(status, "Create folder in : " + sitePath());
        QCOMPARE(prompts->asked.value(1).kind, QStringLiteral("Error"));
        QVERIFY(QFileInfo(sitePath("pub")).isDir());
        QCOMPARE(view()->CurrentFolder(), sitePath("pub"));

        QTreeView* tree = view()->Tree();
        tree->setFocus();
        prompts->answerYes();
        QTest::keyClick(tree, Qt::Key_Delete);
        QVERIFY(!QFileInfo::exists(sitePath("pub")));
        QCOMPARE(view()->CurrentFolder(), sitePath());

        prompts->asked.clear();
        view()->SelectFolder(sitePath("full"));
        prompts->answerYes();
        entry(view()->TreeMenu(), "DeleteFolder1")->trigger();
        QCOMPARE(
            prompts->askedTexts(),
            (QStringList{CatalogMessage("DelFolder", "full", Language::English),
                         CatalogMessage("ErrDelFolder", sitePath("full"), Language::English)}));
        QVERIFY(QFile::exists(sitePath("full/page.html")));
        QCOMPARE(view()->CurrentFolder(), sitePath());
    }

    void menusInTheirOrder() {
        startShown();
        QStringList names;
        for (QAction* action : view()->ListMenu()->actions())
            names << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(names,
                 (QStringList{"Open Selected Files ...", "-", "Copy Selected File(s) ...",
                              "Delete Selected File(s) ...", "-", "Add Selected file to document",
                              "-", "Refresh Filemanager", "-", "Select All"}));
        names.clear();
        for (QAction* action : view()->TreeMenu()->actions())
            names << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(names,
                 (QStringList{"Create Folder", "Delete Folder", "-", "Refresh Filemanager"}));
        QCOMPARE(entry(view()->TreeMenu(), "RefreshFilemanager2")->shortcut(),
                 QKeySequence(Qt::Key_F5));
    }
};

QTEST_MAIN(FileManagerTest)
#include "tst_filemanager.moc"
