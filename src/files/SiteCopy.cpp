#include "SiteCopy.h"

#include "FileListing.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Copies are written to ".<name>.part.<pid>" beside the target; a process
// killed while copying leaves that file, and the next copy into the folder
// removes it once that process no longer runs.
constexpr char kPartTag[] = ".part.";

long LongestName(const QByteArray& folder) {
    const long longest = ::pathconf(folder.constData(), _PC_NAME_MAX);
    return longest > 0 ? longest : 255;
}

// The temporary name for a target name; a name too long for the tag keeps
// only its start.
QByteArray PartName(const QByteArray& name, long longest) {
    const QByteArray tail = kPartTag + QByteArray::number(::getpid());
    QByteArray stem = name;
    const qsizetype room = longest - 1 - tail.size();
    if (stem.size() > room) {
        stem.truncate(room);
        // Not in the middle of a UTF-8 character.
        while (!stem.isEmpty() && (uchar(stem.back()) & 0xC0) == 0x80)
            stem.chop(1);
        if (!stem.isEmpty() && uchar(stem.back()) >= 0xC0)
            stem.chop(1);
    }
    return '.' + stem + tail;
}

// The process that wrote a temporary name, or 0 for any other name.
pid_t PartWriter(const char* name) {
    if (name[0] != '.')
        return 0;
    const char* tag = nullptr;
    for (const char* found = std::strstr(name, kPartTag); found;
         found = std::strstr(found + 1, kPartTag))
        tag = found;
    if (!tag || tag == name)
        return 0;
    const char* digits = tag + sizeof kPartTag - 1;
    char* end = nullptr;
    const long pid = std::strtol(digits, &end, 10);
    return *digits >= '1' && *digits <= '9' && *end == '\0' && pid > 0 ? pid_t(pid) : 0;
}

void RemoveAbandonedParts(const QByteArray& folder) {
    DIR* stream = ::opendir(folder.constData());
    if (!stream)
        return;
    while (const dirent* entry = ::readdir(stream)) {
        const pid_t writer = PartWriter(entry->d_name);
        if (writer == 0 || writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH)
            continue;
        // Only the user's own plain files: never a link or someone else's file.
        struct stat status {};
        if (::fstatat(::dirfd(stream), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) && status.st_uid == ::geteuid())
            ::unlinkat(::dirfd(stream), entry->d_name, 0);
    }
    ::closedir(stream);
}

bool CopyBytes(int from, int to) {
    const auto buffer = std::make_unique<char[]>(1 << 18);
    for (;;) {
        const ssize_t read = ::read(from, buffer.get(), 1 << 18);
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return read == 0;
        for (ssize_t done = 0; done < read;) {
            const ssize_t written = ::write(to, buffer.get() + done, size_t(read - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            done += written;
        }
    }
}

// Gives the file its new name only while that name is free: in one step
// where the file system can, else through a hard link, and on file systems
// without links by looking first. Fails with EEXIST when the name is taken.
int RenameWithoutReplacing(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return -1;
    if (::link(from, to) == 0) {
        ::unlink(from);
        return 0;
    }
    if (errno == EEXIST)
        return -1;
    struct stat existing {};
    if (::lstat(to, &existing) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from, to);
}

void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

CopyOutcome CopyWithoutOverwrite(const QString& source, const QString& target) {
    const QByteArray targetPath = QFile::encodeName(target);
    struct stat existing {};
    if (::lstat(targetPath.constData(), &existing) == 0)
        return CopyOutcome::TargetExists;
    const int input = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (input < 0)
        return CopyOutcome::Failed;
    struct stat from {};
    if (::fstat(input, &from) != 0 || !S_ISREG(from.st_mode)) {
        ::close(input);
        return CopyOutcome::Failed;
    }
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const QByteArray part =
        folder + '/' + PartName(QFile::encodeName(FileNameOnly(target)), LongestName(folder));
    // A file of this name is left from an earlier process with this number.
    ::unlink(part.constData());
    const int output = ::open(part.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (output < 0) {
        ::close(input);
        return CopyOutcome::Failed;
    }
    bool written = CopyBytes(input, output);
    ::close(input);
    bool kept = ::fchmod(output, from.st_mode & 0777) == 0;
    const timespec times[2] = {from.st_atim, from.st_mtim};
    kept = ::futimens(output, times) == 0 && kept;
    // On the disk before it takes the name: a crash never leaves a target
    // that is shorter than its source.
    written = written && ::fsync(output) == 0;
    written = ::close(output) == 0 && written;
    if (!written) {
        ::unlink(part.constData());
        return CopyOutcome::Failed;
    }
    if (RenameWithoutReplacing(part.constData(), targetPath.constData()) != 0) {
        const bool taken = errno == EEXIST;
        ::unlink(part.constData());
        return taken ? CopyOutcome::TargetExists : CopyOutcome::Failed;
    }
    SyncFolder(folder);
    return kept ? CopyOutcome::Copied : CopyOutcome::CopiedWithoutAttributes;
}

QString CopyTarget(const QString& destination, const QString& name) {
    return JoinPath(destination.trimmed(), name);
}

SiteCopyResult CopyFiles(const QString& sourceFolder, const QStringList& names,
                         const QString& destination,
                         const std::function<bool(int, const QString&, const QString&)>& beforeEach,
                         const std::function<void(int)>& afterEach) {
    SiteCopyResult result;
    RemoveAbandonedParts(QFile::encodeName(destination.trimmed()));
    for (int index = 0; index < names.size(); ++index) {
        const QString& name = names.at(index);
        const QString source = JoinPath(sourceFolder, name);
        const QString target = CopyTarget(destination, name);
        if (!beforeEach(index, source, target))
            break;
        switch (CopyWithoutOverwrite(source, target)) {
        case CopyOutcome::Copied:
            ++result.copied;
            break;
        case CopyOutcome::CopiedWithoutAttributes:
            ++result.copied;
            result.attributesLost << name;
            break;
        case CopyOutcome::TargetExists:
            result.existing << name;
            break;
        case CopyOutcome::Failed:
            result.failed << name;
            break;
        }
        afterEach(index);
    }
    return result;
}
