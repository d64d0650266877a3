#include "RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The snapshot files and the folder that holds them.
class RecoveryStoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    static void Touch(const QString& path, int daysAgo) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.flush();
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-daysAgo),
                                 QFileDevice::FileModificationTime));
    }

private slots:
    // A character the document's code page lacks is kept all the same, as is a
    // caption no header line could hold as it is.
    void aSnapshotKeepsWhatItsEncodingCannotHold() {
        Snapshot snapshot;
        snapshot.caption = QStringLiteral("/tmp/odd\nname \u00E9.html");
        snapshot.untitled = false;
        snapshot.text = QByteArrayLiteral("caf\xC3\xA9 \xE2\x86\x92\r\n\r\nend");
        snapshot.caretLine = 3;
        snapshot.caretColumn = 2;
        snapshot.topLine = 2;
        snapshot.diskStamp = FileStamp{1, 2, 3, 4};
        const QByteArray bytes = SnapshotFileBytes(snapshot);
        QVERIFY(bytes.contains("\nStored=UTF-8\n"));
        const auto back = ParseSnapshotFile(bytes);
        QVERIFY(back);
        QCOMPARE(back->caption, snapshot.caption);
        QCOMPARE(back->text, snapshot.text);
        QCOMPARE(back->encoding, TextEncoding::Windows1252);
        QCOMPARE(back->caretLine, 3);
        QCOMPARE(back->topLine, 2);
        QCOMPARE(back->diskStamp, snapshot.diskStamp);
        // Text the code page holds is kept in it.
        snapshot.text = QByteArrayLiteral("caf\xC3\xA9");
        QVERIFY(SnapshotFileBytes(snapshot).endsWith("\nStored=Windows-1252\nCaret=3 2\nTopLine=2\n"
                                                     "Disk=1 2 3 4\n\ncaf\xE9\r\n"));
        QVERIFY(!ParseSnapshotFile("Quillon snapshot 1\nUntitled=1\n\ntext"));
    }

    // Discarded snapshots stay a week; an unreadable one left behind is
    // discarded rather than deleted.
    void discardedSnapshotsGoAfterAWeek() {
        const QString root = dir.filePath("recovery");
        QVERIFY(QDir().mkpath(root + "/discarded"));
        QVERIFY(QDir().mkpath(root + "/1-dead"));
        Touch(root + "/discarded/old.snapshot", 8);
        Touch(root + "/discarded/recent.snapshot", 6);
        Touch(root + "/1-dead/1.snapshot", 30);
        RecoveryStore store(root);
        RecoveryStore::Leftovers leftovers = store.TakeLeftovers();
        QCOMPARE(leftovers.snapshots.size(), 0);
        QCOMPARE(leftovers.unreadable.size(), 1);
        store.Restored(leftovers);
        store.Wait();
        QCOMPARE(QDir(root + "/discarded").entryList(QDir::Files),
                 QStringList({"1-dead-1.snapshot", "recent.snapshot"}));
        QVERIFY(!QFileInfo::exists(root + "/1-dead"));
        // The week counts from the discard, not from the snapshot.
        QCOMPARE(store.TakeLeftovers().folders.size(), 0);
        QVERIFY(QFileInfo::exists(root + "/discarded/1-dead-1.snapshot"));
    }
};

QTEST_GUILESS_MAIN(RecoveryStoreTest)
#include "tst_recoverystore.moc"
