#include "EditorControl.h"
#include "RecoveryStore.h"
#include "Startup.h"
#include "TChildForm.h"
#include "TfConfig.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>

// The documents remembered between runs: the last session, reopened by a
// start without a file, and the recent files of File > Reopen.
class SessionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<TfMain> window;

    QString page(const QString& name, int lines = 3) {
        const QString path = folder->file(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            for (int line = 1; line <= lines; ++line)
                file.write("<p>line " + QByteArray::number(line) + "</p>\r\n");
        }
        return path;
    }
    void start(const QStringList& arguments = {}) {
        StartOptions options;
        options.window = folder->windowOptions();
        options.showSplash = false;
        window = StartQuillon(arguments, options);
    }
    // File > Exit, the question answered Yes.
    void exit() {
        prompts->answerYes();
        window->action("Exit1")->trigger();
        QVERIFY(!window->isVisible());
        window.reset();
    }
    QStringList captions() const {
        QStringList result;
        for (TChildForm* document : window->Documents())
            result << document->Caption();
        return result;
    }
    QMenu* reopenMenu() const { return window->findChild<QMenu*>("Reopen1"); }
    QStringList reopenEntries() const {
        QStringList result;
        for (QAction* entry : reopenMenu()->actions())
            result << entry->text();
        return result;
    }

private slots:
    void init() {
        folder = std::make_unique<ProgramFolder>();
        prompts = std::make_unique<ScriptedPrompts>();
        folder->writeSettings("[Help]\r\nLanguage=Eng\r\n");
    }
    void cleanup() {
        if (window) {
            prompts->answerYes();
            window->close();
        }
        window.reset();
        prompts.reset();
        folder.reset();
    }

    // After a crash the restore question comes first, and a page restored
    // from its snapshot is not opened a second time from the last session.
    void aRestoredPageIsNotReopenedFromTheSession() {
        const QString a = page("a.html");
        const QString b = page("b.html");
        start();
        window->OpenDocumentFile(a);
        window->OpenDocumentFile(b);
        exit();
        Snapshot snapshot;
        snapshot.caption = a;
        snapshot.untitled = false;
        snapshot.text = "<p>unsaved</p>";
        snapshot.caretColumn = 4;
        QVERIFY(QDir().mkpath(folder->file("recovery/1-gone")));
        QFile left(folder->file("recovery/1-gone/1.snapshot"));
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write(SnapshotFileBytes(snapshot));
        left.close();
        prompts->answerYes();
        start();
        QCOMPARE(
            prompts->asked.last().text,
            QStringLiteral("Quillon was not closed properly. Restore the 1 unsaved documents?"));
        QCOMPARE(captions(), (QStringList{a, b}));
        TChildForm* restored = window->Documents().first();
        QVERIFY(restored->ModifiedFlag());
        QCOMPARE(restored->Editor()->Utf8Text(), QByteArray("<p>unsaved</p>"));
        QCOMPARE(restored->Editor()->CaretPosition(), (TextPosition{4, 1}));
    }

    void theLastSessionReopens() {
        const QString a = page("a.html", 80);
        const QString b = page("b.html");
        start();
        QVERIFY(window->Documents().isEmpty());
        window->OpenDocumentFile(a);
        window->OpenDocumentFile(b);
        window->action("New1")->trigger();
        EditorControl* editor = window->Documents().first()->Editor();
        editor->SetCaretPosition({4, 40});
        editor->SetTopLine(30);
        window->Documents().first()->ActivateDocument();
        exit();

        // Untitled documents are not remembered; the active one comes first.
        start();
        QCOMPARE(captions(), (QStringList{a, b}));
        QCOMPARE(window->ActiveDocument(), window->Documents().first());
        editor = window->ActiveEditor();
        QCOMPARE(editor->CaretPosition(), (TextPosition{4, 40}));
        QCOMPARE(editor->TopLine(), 30);
        QCOMPARE(window->Documents().last()->Editor()->CaretPosition(), (TextPosition{1, 1}));
        QCOMPARE(prompts->asked.size(), 1); // the exit question, no message
        exit();

        // A file gone since is named once; the others open.
        QVERIFY(QFile::remove(a));
        start();
        QCOMPARE(captions(), QStringList{b});
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Information"));
        QCOMPARE(prompts->asked.last().text,
                 "These files of the last session no longer exist and have not been opened:\n\n" +
                     a);
        exit();

        // A start that names a file opens just that one.
        const QString c = page("c.html");
        start({c});
        QCOMPARE(captions(), QStringList{c});
        exit();
        start();
        QCOMPARE(captions(), QStringList{c});

        // Switched off on the configuration screen, nothing is reopened.
        window->action("Options1")->trigger();
        auto* screen = window->findChild<TfConfig*>();
        QVERIFY(screen->findChild<QCheckBox*>("ReopenSession")->isChecked());
        screen->findChild<QCheckBox*>("ReopenSession")->click();
        screen->close();
        exit();
        start();
        QVERIFY(window->Documents().isEmpty());
        QCOMPARE(prompts->unanswered, 0);
    }

    void reopenListsTheNewestFirst() {
        start();
        QVERIFY(!reopenMenu()->menuAction()->isEnabled());
        const QString x = page("x.html");
        const QString y = page("y & z.html");
        const QString z = page("z.html");
        for (const QString& path : {x, y, z}) {
            prompts->answer(QStringList{path});
            window->action("Open1")->trigger();
        }
        const QString yShown = folder->file("y && z.html");
        QCOMPARE(reopenEntries(), (QStringList{"&1 " + z, "&2 " + yShown, "&3 " + x}));
        // Saving puts a file first as well, and so does opening it again.
        window->action("New1")->trigger();
        const QString saved = folder->file("saved.html");
        prompts->answer(std::optional<QString>(saved));
        window->action("Save1")->trigger();
        window->OpenDocumentFile(y);
        QCOMPARE(reopenEntries(),
                 (QStringList{"&1 " + yShown, "&2 " + saved, "&3 " + z, "&4 " + x}));

        // A file gone is said so and taken off; the list is kept for the next run.
        QVERIFY(QFile::remove(z));
        reopenMenu()->actions().at(2)->trigger();
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Information"));
        QCOMPARE(prompts->asked.last().text,
                 "This file no longer exists; it has been taken off the list:\n\n" + z);
        QCOMPARE(reopenEntries(), (QStringList{"&1 " + yShown, "&2 " + saved, "&3 " + x}));
        window->action("CloseAll1")->trigger();
        reopenMenu()->actions().at(2)->trigger();
        QCOMPARE(captions(), QStringList{x});
        exit();
        start();
        QCOMPARE(reopenEntries(), (QStringList{"&1 " + x, "&2 " + yShown, "&3 " + saved}));
        QCOMPARE(prompts->unanswered, 0);
    }
};

QTEST_MAIN(SessionTest)
#include "tst_session.moc"
