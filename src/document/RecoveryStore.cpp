#include "RecoveryStore.h"

#include "AtomicFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QUrl>

#include <exception>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QByteArray kMagic = QByteArrayLiteral("Quillon snapshot 1");
const QString kLockName = QStringLiteral("owner.lock");
const QString kDiscarded = QStringLiteral("discarded");
const QString kSuffix = QStringLiteral(".snapshot");

QByteArray EncodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return "UTF-8";
    case TextEncoding::Utf8Bom:
        return "UTF-8 BOM";
    case TextEncoding::Windows1252:
        break;
    }
    return "Windows-1252";
}

std::optional<TextEncoding> EncodingNamed(const QByteArray& name) {
    for (TextEncoding encoding :
         {TextEncoding::Windows1252, TextEncoding::Utf8, TextEncoding::Utf8Bom}) {
        if (EncodingName(encoding) == name)
            return encoding;
    }
    return std::nullopt;
}

// Opens (making it when missing) and locks a folder's lock file without
// waiting; -1 when another process holds it or it cannot be made.
int LockFolder(const QString& folder) {
    const QByteArray name = QFile::encodeName(QDir(folder).filePath(kLockName));
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void Unlock(int fd) {
    if (fd >= 0)
        ::close(fd);
}

} // namespace

QByteArray SnapshotFileBytes(const Snapshot& snapshot) {
    // The text stays in its document's encoding when that can hold it.
    TextEncoding stored = snapshot.encoding;
    if (stored == TextEncoding::Windows1252 &&
        !Cp1252HoldsAll(snapshot.text.constData(), snapshot.text.size()))
        stored = TextEncoding::Utf8;
    QByteArray bytes = kMagic + '\n';
    bytes += "Caption=" + QUrl::toPercentEncoding(snapshot.caption) + '\n';
    bytes += "Untitled=" + QByteArray(snapshot.untitled ? "1" : "0") + '\n';
    bytes += "Encoding=" + EncodingName(snapshot.encoding) + '\n';
    bytes += "Stored=" + EncodingName(stored) + '\n';
    bytes += "Caret=" + QByteArray::number(snapshot.caretLine) + ' ' +
             QByteArray::number(snapshot.caretColumn) + '\n';
    bytes += "TopLine=" + QByteArray::number(snapshot.topLine) + '\n';
    if (snapshot.diskStamp)
        bytes += "Disk=" + snapshot.diskStamp->ToText().toLatin1() + '\n';
    bytes += '\n';
    bytes += EncodeDocument(snapshot.text, stored);
    return bytes;
}

std::optional<Snapshot> ParseSnapshotFile(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf("\n\n");
    if (end < 0)
        return std::nullopt;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    if (lines.constFirst() != kMagic)
        return std::nullopt;
    Snapshot snapshot;
    std::optional<TextEncoding> stored;
    std::optional<TextEncoding> encoding;
    bool captioned = false;
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.left(equals);
        const QByteArray value = line.mid(equals + 1);
        if (key == "Caption") {
            snapshot.caption = QUrl::fromPercentEncoding(value);
            captioned = !snapshot.caption.isEmpty();
        } else if (key == "Untitled") {
            snapshot.untitled = value == "1";
        } else if (key == "Encoding") {
            encoding = EncodingNamed(value);
        } else if (key == "Stored") {
            stored = EncodingNamed(value);
        } else if (key == "Caret") {
            const QList<QByteArray> parts = value.split(' ');
            snapshot.caretLine = qMax(1, parts.value(0).toInt());
            snapshot.caretColumn = qMax(1, parts.value(1).toInt());
        } else if (key == "TopLine") {
            snapshot.topLine = qMax(1, value.toInt());
        } else if (key == "Disk") {
            snapshot.diskStamp = FileStamp::FromText(QString::fromLatin1(value));
        }
    }
    if (!captioned || !encoding || !stored)
        return std::nullopt;
    snapshot.encoding = *encoding;
    snapshot.text = DecodeAs(bytes.mid(end + 2), *stored);
    return snapshot;
}

RecoveryStore::RecoveryStore(const QString& folder) : folder(QDir::cleanPath(folder)) {
    worker.setMaxThreadCount(1);
}

RecoveryStore::~RecoveryStore() {
    worker.waitForDone();
    if (!ownFolder.isEmpty())
        QDir(ownFolder).removeRecursively();
    Unlock(ownLock);
}

bool RecoveryStore::makeOwnFolder() {
    if (!ownFolder.isEmpty())
        return true;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const QString name =
            QStringLiteral("%1-%2")
                .arg(QCoreApplication::applicationPid())
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo::exists(candidate) || !QDir().mkpath(candidate))
            continue;
        // A program starting right now may take the new folder's lock first
        // and remove the folder as left behind; another name is tried then.
        ownLock = LockFolder(candidate);
        if (ownLock >= 0) {
            ownFolder = candidate;
            return true;
        }
    }
    return false;
}

QString RecoveryStore::snapshotPath(int number) const {
    return QDir(ownFolder).filePath(QString::number(number) + kSuffix);
}

void RecoveryStore::Keep(int number, Snapshot snapshot) {
    if (!makeOwnFolder())
        return;
    worker.start([path = snapshotPath(number), snapshot = std::move(snapshot)] {
        // A snapshot that cannot be written leaves the document as it is;
        // the next one tries again.
        try {
            WriteFileAtomically(path, SnapshotFileBytes(snapshot));
        } catch (const std::exception&) {
        }
    });
}

void RecoveryStore::Remove(int number) {
    if (ownFolder.isEmpty())
        return;
    worker.start([path = snapshotPath(number)] { QFile::remove(path); });
}

void RecoveryStore::Wait() {
    worker.waitForDone();
}

RecoveryStore::Leftovers RecoveryStore::TakeLeftovers() {
    Leftovers found;
    const QDir root(folder);
    const QDateTime oldest = QDateTime::currentDateTime().addDays(-kDiscardedDays);
    for (const QFileInfo& old : QDir(root.filePath(kDiscarded)).entryInfoList(QDir::Files)) {
        if (old.lastModified() < oldest)
            QFile::remove(old.absoluteFilePath());
    }
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString path = root.filePath(name);
        if (name == kDiscarded || path == ownFolder)
            continue;
        const int lock = LockFolder(path);
        if (lock < 0)
            continue;
        found.folders << path;
        found.locks.push_back(lock);
        const QDir left(path);
        for (const QString& file :
             left.entryList({QLatin1Char('*') + kSuffix}, QDir::Files, QDir::Name)) {
            const QString filePath = left.filePath(file);
            QFile snapshotFile(filePath);
            std::optional<Snapshot> snapshot;
            if (snapshotFile.open(QIODevice::ReadOnly))
                snapshot = ParseSnapshotFile(snapshotFile.readAll());
            if (snapshot) {
                found.files << filePath;
                found.snapshots << *snapshot;
            } else {
                found.unreadable << filePath;
            }
        }
    }
    return found;
}

void RecoveryStore::Restored(Leftovers& leftovers) {
    moveToDiscarded(leftovers.unreadable);
    worker.start([folders = leftovers.folders, locks = leftovers.locks] {
        for (const QString& path : folders)
            QDir(path).removeRecursively();
        for (int lock : locks)
            Unlock(lock);
    });
    leftovers = {};
}

void RecoveryStore::moveToDiscarded(const QStringList& files) const {
    const QDir discarded(QDir(folder).filePath(kDiscarded));
    if (!files.isEmpty())
        QDir().mkpath(discarded.path());
    for (const QString& file : files) {
        const QFileInfo info(file);
        const QString target =
            discarded.filePath(info.absoluteDir().dirName() + QLatin1Char('-') + info.fileName());
        // Kept for the days counted from now, not from the last snapshot.
        if (QFile::rename(file, target)) {
            QFile moved(target);
            if (moved.open(QIODevice::ReadWrite))
                moved.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
        }
    }
}

void RecoveryStore::Discard(Leftovers& leftovers) {
    moveToDiscarded(leftovers.files + leftovers.unreadable);
    for (const QString& path : std::as_const(leftovers.folders)) {
        // A snapshot that could not be moved stays where it was.
        if (QDir(path).entryList({QLatin1Char('*') + kSuffix}, QDir::Files).isEmpty())
            QDir(path).removeRecursively();
    }
    for (int lock : leftovers.locks)
        Unlock(lock);
    leftovers = {};
}
