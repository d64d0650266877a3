#include "FileManagerView.h"
#include "SiteCopy.h"
#include "SiteCopyDialogs.h"
#include "TfMain.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <QTreeView>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

class SiteCopyTest : public QObject, WindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> site;
    const QStringList names{"a.html", "b.gif", "c.css", "d.js"};

    QString sitePath(const QString& name = {}) const {
        return name.isEmpty() ? site->path() : site->filePath(name);
    }
    void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
    }
    // Shows the site with every file selected and runs the copy command
    // with the given script for the copy dialog.
    void copyAll(const ScriptedPrompts::DialogScript& script) {
        FileManagerView* view = window->FileView();
        view->SelectFolder(sitePath());
        view->ApplyFilter("All Files (*.*)");
        QTRY_COMPARE(view->ListedNames(), names);
        view->List()->selectAll();
        prompts->answer(script);
        view->ListMenu()->findChild<QAction*>("CopySelectedFiles1")->trigger();
    }
    static QPushButton* button(QDialog& dialog, const char* name) {
        return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    }

private slots:
    void init() {
        prepare();
        site = std::make_unique<QTemporaryDir>();
        for (const QString& name : names)
            write(sitePath(name), name.toUtf8());
        start("[ToolBars]\r\nFileManager=1\r\n");
    }
    void cleanup() {
        finish();
        site.reset();
    }

    void copiesNeverReplaceAndLeaveNoPartFiles() {
        QDir(sitePath()).mkdir("pub");
        write(sitePath("pub/b.gif"), "older");
        QCOMPARE(CopyTarget("/x/pub/ ", "a.html"), QStringLiteral("/x/pub/a.html"));
        QCOMPARE(CopyTarget("/x/pub", "a.html"), QStringLiteral("/x/pub/a.html"));
        QList<int> announced;
        const SiteCopyResult result = CopyFiles(
            sitePath(), names + QStringList{"gone.html"}, sitePath("pub/"),
            [&](int index, const QString&, const QString&) {
                announced << index;
                return true;
            },
            [](int) {});
        QCOMPARE(announced, (QList<int>{0, 1, 2, 3, 4}));
        QCOMPARE(result.copied, 3);
        QCOMPARE(result.existing, QStringList{"b.gif"});
        QCOMPARE(result.failed, QStringList{"gone.html"});
        QCOMPARE(read(sitePath("pub/b.gif")), QByteArray("older"));
        QCOMPARE(read(sitePath("pub/d.js")), QByteArray("d.js"));
        QCOMPARE(QDir(sitePath("pub")).entryList(QDir::Files | QDir::Hidden).size(), 4);
    }

    void longNamesKeepTheirTimeAndPermissionsAndOldPartsGo() {
        const QString name = QString(250, 'n') + ".html";
        write(sitePath(name), "long");
        const QDateTime old = QDateTime::fromSecsSinceEpoch(1000000000);
        QFile source(sitePath(name));
        QVERIFY(source.open(QIODevice::ReadWrite));
        QVERIFY(source.setFileTime(old, QFileDevice::FileModificationTime));
        source.close();
        QVERIFY(QFile::setPermissions(sitePath(name), QFile::ReadOwner | QFile::ReadGroup));
        // What a killed copy left: a process that no longer runs.
        const pid_t gone = ::fork();
        if (gone == 0)
            ::_exit(0);
        ::waitpid(gone, nullptr, 0);
        QDir(sitePath()).mkdir("pub");
        write(sitePath("pub/.a.html.part." + QString::number(gone)), "half");
        write(sitePath("pub/.b.html.part." + QString::number(::getpid())), "busy");

        const SiteCopyResult result = CopyFiles(
            sitePath(), {name}, sitePath("pub"),
            [](int, const QString&, const QString&) { return true; }, [](int) {});
        QCOMPARE(result.copied, 1);
        QVERIFY(result.attributesLost.isEmpty());
        const QFileInfo copy(sitePath("pub/" + name));
        QCOMPARE(read(copy.filePath()), QByteArray("long"));
        QCOMPARE(copy.lastModified(), old);
        QCOMPARE(copy.permissions(), QFileInfo(sitePath(name)).permissions());
        QCOMPARE(QDir(sitePath("pub")).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{".b.html.part." + QString::number(::getpid()), name}));
    }

    // A copy killed at random moments leaves either no target or the whole
    // file, never part of it.
    void aKilledCopyLeavesTheOldState() {
        QTemporaryDir scratch(QFileInfo("/dev/shm").isWritable() ? "/dev/shm/quillon-" : "");
        const QByteArray bytes = QByteArray(8 << 20, 'q') + "end";
        write(scratch.filePath("page.html"), bytes);
        const QString target = scratch.filePath("out/page.html");
        QDir(scratch.path()).mkdir("out");
        for (int round = 0; round < 8; ++round) {
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                for (;;) {
                    CopyWithoutOverwrite(scratch.filePath("page.html"), target);
                    QFile::remove(target);
                }
            }
            QThread::msleep(QRandomGenerator::global()->bounded(5, 40));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            QVERIFY(!QFile::exists(target) || read(target) == bytes);
        }
        // The next copy into the folder clears what the killed ones left.
        QFile::remove(target);
        const SiteCopyResult result = CopyFiles(
            scratch.path(), {"page.html"}, scratch.filePath("out"),
            [](int, const QString&, const QString&) { return true; }, [](int) {});
        QCOMPARE(result.copied, 1);
        QCOMPARE(QDir(scratch.filePath("out")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"page.html"});
    }

    void copyIntoANewFolderThroughTheMenu() {
        QList<int> steps;
        QString count;
        copyAll([&](QDialog& dialog) {
            auto& copy = static_cast<TfFileCopy&>(dialog);
            count = copy.findChild<QLabel*>("CountLabel")->text();
            connect(copy.Progress(), &QProgressBar::valueChanged,
                    [&](int value) { steps << value; });
            // An empty destination is refused and marked.
            copy.Destination()->setText("  ");
            button(copy, "CopyButton")->click();
            if (!copy.Destination()->styleSheet().contains("red"))
                return int(QDialog::Rejected);
            // A missing folder is made on Yes; No leaves the dialog open.
            copy.Destination()->setText(sitePath("pub") + "/");
            prompts->answerNo();
            button(copy, "CopyButton")->click();
            if (QDir(sitePath("pub")).exists())
                return int(QDialog::Rejected);
            prompts->answerYes();
            button(copy, "CopyButton")->click();
            return copy.result();
        });
        QCOMPARE(count, QStringLiteral("Files counted : 4"));
        QCOMPARE(prompts->askedTexts(),
                 (QStringList{"File copy monitor ...", "Please fill in a destination path !",
                              "The destination directory does not exists ! Do you wish to create "
                              "the directory ?",
                              "The destination directory does not exists ! Do you wish to create "
                              "the directory ?",
                              "File copy complete !"}));
        QCOMPARE(steps, (QList<int>{1, 2, 3, 4, 0}));
        for (const QString& name : names)
            QCOMPARE(read(sitePath("pub/" + name)), name.toUtf8());
        QCOMPARE(window->FileView()->CurrentFolder(), sitePath("pub"));
    }

    void cancelDuringTheCopy() {
        QDir(sitePath()).mkdir("pub");
        copyAll([&](QDialog& dialog) {
            auto& copy = static_cast<TfFileCopy&>(dialog);
            connect(&copy, &TfFileCopy::fileAnnounced, [&](int index) {
                if (index == 1) {
                    prompts->answerYes();
                    QTest::mouseClick(copy.CancelButton(), Qt::LeftButton);
                }
            });
            copy.Destination()->setText(sitePath("pub"));
            button(copy, "CopyButton")->click();
            return copy.result();
        });
        QCOMPARE(QDir(sitePath("pub")).entryList(QDir::Files), (QStringList{"a.html", "b.gif"}));
        QVERIFY(prompts->askedTexts().contains("Do you really want to cancel ... ?"));
        QCOMPARE(prompts->askedTexts().last(), QStringLiteral("File copy complete !"));
    }

    void destinationFromTheFolderChooser() {
        QDir(sitePath()).mkdir("out");
        TfFileCopy copy(sitePath(), names);
        prompts->answer([&](QDialog& dialog) {
            auto& chooser = static_cast<TfSelDir&>(dialog);
            chooser.SelectFolder(sitePath("out"));
            return int(QDialog::Accepted);
        });
        button(copy, "ChooseButton")->click();
        QCOMPARE(prompts->askedTexts(), QStringList{"Select destination directory ..."});
        QCOMPARE(copy.Destination()->text(), sitePath("out"));
    }
};

QTEST_MAIN(SiteCopyTest)
#include "tst_sitecopy.moc"
