// Saves are killed at random moments: afterwards the file must hold either
// the old or the new bytes, and the next successful save must leave no
// temporary file behind. Each round forks the test process; the child saves
// the two versions in turn until the parent kills it.
#include "EditorControl.h"
#include "SettingsStore.h"
#include "SnippetLibrary.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstring>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// A folder in memory when the machine has one: killing a process tests the
// replacing, not the disk, and a disk's flushes would make the hundred saves
// of a large page too slow.
QString ScratchBase() {
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    return memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether the file holds exactly one of the byte strings; looked at through
// a mapping, which spares copying a large file.
bool HoldsOneOf(const QString& path, const QList<QByteArray>& allowed) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    const uchar* bytes = size > 0 ? file.map(0, size) : nullptr;
    for (const QByteArray& candidate : allowed) {
        if (candidate.size() == size &&
            (size == 0 || (bytes && std::memcmp(bytes, candidate.constData(), size_t(size)) == 0)))
            return true;
    }
    return false;
}

// A page of about the given size whose first and last lines name the
// version, so that a file mixing the two, or cut short, matches neither.
QByteArray Page(qsizetype size, const QByteArray& version) {
    QByteArray text = version + " first line\r\n";
    text.reserve(size + 128);
    for (int line = 0; text.size() < size; ++line)
        text += "<p>line " + QByteArray::number(line) + " lorem ipsum dolor sit amet</p>\r\n";
    return text + version + " last line\r\n";
}

} // namespace

class CrashSafeTest : public QObject {
    Q_OBJECT

    // Each round: a child makes one save (round even: the first version,
    // odd: the second), reports it, then saves on, alternating, until it is
    // killed at a random moment up to maxWaitMs later.
    // prepare(round) runs before the child starts, so that its first save
    // is only a save.
    void killWhileSaving(const std::function<void(int)>& prepare,
                         const std::function<void(int)>& save, const QString& target,
                         const QList<QByteArray>& allowed, int rounds, int maxWaitMs) {
        const QString folder = QFileInfo(target).absolutePath();
        for (int round = 0; round < rounds; ++round) {
            prepare(round);
            int report[2];
            int go[2];
            QVERIFY(::pipe(report) == 0 && ::pipe(go) == 0);
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                char byte = 'r';
                save(round);
                if (::write(report[1], &byte, 1) != 1 || ::read(go[0], &byte, 1) != 1)
                    ::_exit(1);
                for (int next = round + 1;; ++next)
                    save(next);
            }
            ::close(report[1]);
            ::close(go[0]);
            char byte = 0;
            const bool saved = ::read(report[0], &byte, 1) == 1;
            const QStringList files =
                QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
            const bool released = saved && ::write(go[1], &byte, 1) == 1;
            if (released)
                QThread::msleep(QRandomGenerator::global()->bounded(maxWaitMs));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            ::close(report[0]);
            ::close(go[1]);
            QVERIFY2(saved && released, "the saving child ended early");
            QCOMPARE(files.join(QLatin1Char(' ')), QFileInfo(target).fileName());
            QVERIFY2(HoldsOneOf(target, allowed),
                     qPrintable(QStringLiteral("round %1: %2 bytes that are neither version")
                                    .arg(round)
                                    .arg(QFileInfo(target).size())));
        }
    }

private slots:
    void documentSavesSurviveKills() {
        QTemporaryDir folder(ScratchBase() + QStringLiteral("/quillon-"));
        const QByteArray first = Page(20 << 20, "alpha");
        const QByteArray second = Page(20 << 20, "bravo");
        const QString source = folder.filePath(QStringLiteral("source.html"));
        {
            QFile file(source);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(first), first.size());
        }
        EditorControl editor;
        editor.LoadFromFile(source);
        QVERIFY(QFile::remove(source));
        // Switches the editor between the versions by rewriting the first
        // and the last line (positions count a line break as 2, as the bytes).
        const int lastLineStart = int(first.lastIndexOf("\r\n", first.size() - 3)) + 3;
        bool holdsFirst = true;
        const auto show = [&](bool wantFirst) {
            if (holdsFirst == wantFirst)
                return;
            const QString version = QLatin1String(wantFirst ? "alpha" : "bravo");
            // The last edit near the end keeps the editor's gap there, so
            // handing the text to the save moves little of it.
            editor.SetSelectionStart(1);
            editor.SetSelectionEnd(6);
            editor.ReplaceSelection(version);
            editor.SetSelectionStart(lastLineStart);
            editor.SetSelectionEnd(lastLineStart + 5);
            editor.ReplaceSelection(version);
            holdsFirst = wantFirst;
        };
        const QString target = folder.filePath(QStringLiteral("page.html"));
        killWhileSaving([&](int round) { show(round % 2 == 0); },
                        [&](int round) {
                            show(round % 2 == 0);
                            editor.SaveToFile(target);
                        },
                        target, {first, second}, 100, 80);
    }

    void settingsWritesSurviveKills() {
        QTemporaryDir folder(ScratchBase() + QStringLiteral("/quillon-"));
        const QString target = folder.filePath(QStringLiteral("settings.ini"));
        // Many other entries, so that a write takes a while.
        QByteArray bytes;
        for (int i = 0; i < 2000; ++i)
            bytes += "[Section" + QByteArray::number(i) + "]\r\nKey=value " +
                     QByteArray::number(i) + "\r\n";
        {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        SettingsStore store(target);
        const auto save = [&](int round) {
            store.WriteText(QStringLiteral("Fuzz"), QStringLiteral("Value"),
                            QString(300, QLatin1Char(round % 2 ? 'b' : 'a')));
        };
        QList<QByteArray> allowed;
        for (int round : {0, 1}) {
            save(round);
            allowed << ReadAll(target);
        }
        killWhileSaving([](int) {}, save, target, allowed, 100, 20);
    }

    void snippetLibraryWritesSurviveKills() {
        QTemporaryDir folder(ScratchBase() + QStringLiteral("/quillon-"));
        const QString target = SnippetLibrary::FilePath(folder.path() + QLatin1Char('/'));
        QList<Snippet> entries;
        for (int i = 0; i < 2000; ++i)
            entries.append({QStringLiteral("code%1").arg(i), QStringLiteral("entry %1").arg(i),
                            QStringLiteral("<p>\r\n  snippet %1 |\r\n</p>\r\n").arg(i)});
        const auto save = [&](int round) {
            entries.last().comment = QLatin1String(round % 2 ? "second" : "first");
            SnippetLibrary::Write(target, entries);
        };
        QList<QByteArray> allowed;
        for (int round : {0, 1}) {
            save(round);
            allowed << ReadAll(target);
        }
        killWhileSaving([](int) {}, save, target, allowed, 100, 20);
    }
};

QTEST_MAIN(CrashSafeTest)
#include "tst_crashsafe.moc"
