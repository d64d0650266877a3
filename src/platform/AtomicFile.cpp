#include "AtomicFile.h"

#include "ErrorReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString UnableToWriteText(const QString& path) {
    return QStringLiteral("Unable to write to ") + path;
}

namespace {

// The permission bits, not the process's rights: a read-only file is left
// alone even for a user who could override it.
bool IsMarkedReadOnly(const QFileInfo& info) {
    return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
}

// Temporary files are named after the file they replace and the process
// writing them: ".<name>.<pid>.quillon-save". A process killed while saving
// leaves one behind; the next save of the same file removes it.
QString TemporaryPrefix(const QFileInfo& target) {
    return QLatin1Char('.') + target.fileName() + QLatin1Char('.');
}

constexpr QLatin1String kTemporarySuffix(".quillon-save");

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced changes
// nothing about the result.
void SyncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Removes what saves of the same file by processes that no longer run left
// behind.
void RemoveAbandonedTemporaries(const QFileInfo& target) {
    const QString prefix = TemporaryPrefix(target);
    QDir folder(target.absolutePath());
    const QStringList names = folder.entryList({prefix + QLatin1Char('*') + kTemporarySuffix},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        bool number = false;
        const qint64 pid =
            name.mid(prefix.size(), name.size() - prefix.size() - kTemporarySuffix.size())
                .toLongLong(&number);
        if (!number || pid <= 0 || pid == ::getpid())
            continue;
        if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            folder.remove(name);
    }
}

} // namespace

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QFileInfo target(path);
    if (IsMarkedReadOnly(target) || target.isDir())
        throw UserError(UnableToWriteText(path));
    // A link is written through: the file it names is replaced, the link stays.
    if (target.isSymLink() && target.exists())
        target = QFileInfo(target.canonicalFilePath());

    const QString temporary = target.absolutePath() + QLatin1Char('/') + TemporaryPrefix(target) +
                              QString::number(::getpid()) + kTemporarySuffix;
    const QByteArray temporaryName = QFile::encodeName(temporary);
    const int fd =
        ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw UserError(UnableToWriteText(path));
    // A replaced file keeps its permissions.
    struct stat existing {};
    const QByteArray targetName = QFile::encodeName(target.absoluteFilePath());
    bool written = ::stat(targetName.constData(), &existing) != 0 ||
                   ::fchmod(fd, existing.st_mode & 07777) == 0;
    written = written && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporaryName.constData(), targetName.constData()) != 0) {
        ::unlink(temporaryName.constData());
        throw UserError(UnableToWriteText(path));
    }
    SyncFolder(target.absolutePath());
    RemoveAbandonedTemporaries(target);
}
