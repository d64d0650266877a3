#pragma once

#include "DocumentCodec.h"
#include "FileStamp.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <optional>
#include <vector>

// What is kept of a document with unsaved changes so that a crash does not
// lose them.
struct Snapshot {
    QString caption; // the file's full path, or "Untitled" and a number
    bool untitled = true;
    TextEncoding encoding = TextEncoding::Windows1252;
    QByteArray text; // UTF-8 as the editor holds it (EditorControl::Utf8Text)
    int caretLine = 1;
    int caretColumn = 1;
    int topLine = 1;
    // The file as the document last read or wrote it.
    std::optional<FileStamp> diskStamp;
};

// A snapshot file: a few header lines, an empty line, then the text as its
// document's file would hold it (in UTF-8 when its code page lacks one of the
// characters, which the header then says).
QByteArray SnapshotFileBytes(const Snapshot& snapshot);
std::optional<Snapshot> ParseSnapshotFile(const QByteArray& bytes);

// The snapshots of unsaved documents in the recovery folder. Each running
// program keeps its own in a sub-folder named after its process and a random
// token, and holds a lock (flock) on the file "owner.lock" in it for as long
// as it runs; the system drops the lock when the process ends however it
// ends, so a folder whose lock can be taken belongs to no running program,
// and a process number used again later is never mistaken for its owner.
// Snapshots are encoded and written on a worker thread, in the order asked.
class RecoveryStore {
public:
    static constexpr int kDiscardedDays = 7;

    explicit RecoveryStore(const QString& folder);
    // A clean end: waits for the writes, then removes this program's folder.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    QString Folder() const { return folder; }
    // Keeps the snapshot under its number, in place of an earlier one.
    void Keep(int number, Snapshot snapshot);
    void Remove(int number);
    // Waits until the snapshots asked for are written or removed.
    void Wait();

    // Snapshots that programs which no longer run left behind; holding them
    // keeps another program starting now from taking them too.
    struct Leftovers {
        QList<Snapshot> snapshots;
        QStringList files;      // the files of the snapshots
        QStringList unreadable; // snapshot files that cannot be read, kept as discarded
        QStringList folders;
        std::vector<int> locks;
    };
    // Also deletes the discarded snapshots older than kDiscardedDays.
    Leftovers TakeLeftovers();
    // The leftovers were opened again: their folders go once the snapshots
    // asked for so far are written.
    void Restored(Leftovers& leftovers);
    // The leftovers go to the folder "discarded", where they stay for
    // kDiscardedDays.
    void Discard(Leftovers& leftovers);

private:
    bool makeOwnFolder();
    void moveToDiscarded(const QStringList& files) const;
    QString snapshotPath(int number) const;

    const QString folder;
    QString ownFolder;
    int ownLock = -1;
    QThreadPool worker;
};
