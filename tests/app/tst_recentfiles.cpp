#include "RecentFiles.h"
#include "SettingsStore.h"
#include "support/ProgramFolder.h"

#include <QTest>

// The rules of the remembered documents, on a settings file alone.
class RecentFilesTest : public QObject {
    Q_OBJECT

private slots:
    void theListKeepsTenDistinctFilesNewestFirst() {
        QStringList files;
        for (int number = 1; number <= 12; ++number)
            files = RecentFiles::WithFirst(files, "/site/" + QString::number(number) + ".html");
        QCOMPARE(files.size(), 10);
        QCOMPARE(files.first(), QStringLiteral("/site/12.html"));
        QCOMPARE(files.last(), QStringLiteral("/site/3.html"));
        files = RecentFiles::WithFirst(files, "/site/7.html");
        QCOMPARE(files.size(), 10);
        QCOMPARE(files.mid(0, 3), (QStringList{"/site/7.html", "/site/12.html", "/site/11.html"}));
        QCOMPARE(RecentFiles::MenuCaption(0, "/a&b.html"), QStringLiteral("&1 /a&&b.html"));
        QCOMPARE(RecentFiles::MenuCaption(9, "/c.html"), QStringLiteral("1&0 /c.html"));
    }

    void storedListsLeaveNoOldEntriesBehind() {
        ProgramFolder folder;
        folder.writeSettings("[Recent]\r\nFile1=/a\r\nFile2=\r\nFile3=/a\r\nFile4=/b\r\n");
        SettingsStore store(folder.settingsPath());
        QCOMPARE(RecentFiles::Read(store), (QStringList{"/a", "/b"}));
        RecentFiles::Write(store, {"/c"});
        QCOMPARE(folder.settingsBytes(), QByteArray("[Recent]\r\nFile1=/c\r\n"));

        LastSession session;
        session.documents = {{"/x.html", {3, 7}, 2}, {"/y.html", {1, 1}, 1}, {"/z.html", {}, 1}};
        session.active = 1;
        WriteLastSession(store, session);
        LastSession read = ReadLastSession(store);
        QCOMPARE(read.documents, session.documents);
        QCOMPARE(read.active, 1);
        session.documents.resize(1);
        session.active = -1;
        WriteLastSession(store, session);
        QCOMPARE(folder.settingsBytes(),
                 QByteArray("[Recent]\r\nFile1=/c\r\n\r\n[Session]\r\nCount=1\r\nActive=0\r\n"
                            "File1=/x.html\r\nCaret1=7,3\r\nTop1=2\r\n"));

        // Damaged entries read as the start of the file; a file named nowhere is left out.
        folder.writeSettings("[Session]\r\nCount=3\r\nActive=3\r\nFile1=/x.html\r\nCaret1=a,b\r\n"
                             "Top1=-4\r\nFile3=/z.html\r\n");
        read = ReadLastSession(store);
        QCOMPARE(read.documents,
                 (QList<SessionDocument>{{"/x.html", {1, 1}, 1}, {"/z.html", {1, 1}, 1}}));
        QCOMPARE(read.active, 1);
    }
};

QTEST_MAIN(RecentFilesTest)
#include "tst_recentfiles.moc"
