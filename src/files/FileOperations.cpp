#include "FileOperations.h"

#include "ErrorReport.h"
#include "FileListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Qt's trash takes the folder it cannot make for the trash itself and moves
// the file into the current folder; the user's trash is therefore made
// first, as the desktops make it.
void MakeHomeTrash() {
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                          QStringLiteral("/Trash");
    if (QFileInfo(trash + QStringLiteral("/files")).isDir() &&
        QFileInfo(trash + QStringLiteral("/info")).isDir())
        return;
    const bool made = QDir().mkpath(trash);
    QFile::setPermissions(trash,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (made) {
        QDir().mkdir(trash + QStringLiteral("/files"));
        QDir().mkdir(trash + QStringLiteral("/info"));
    }
}

// Whether the file went into a trash folder: a trash that could not be made
// sends it elsewhere, and then it is brought back.
bool MovedIntoTrash(QFile& file, const QString& path) {
    if (!file.moveToTrash())
        return false;
    // Trashed files lie in "files" inside ~/.local/share/Trash, or on other
    // file systems inside .Trash-<uid> or .Trash/<uid> at their top.
    const QString now = file.fileName();
    const QString files = QFileInfo(now).absolutePath();
    const QString trash = QFileInfo(files).absolutePath();
    const QString trashName = QFileInfo(trash).fileName();
    if (QFileInfo(files).fileName() == QLatin1String("files") &&
        (trashName == QLatin1String("Trash") || trashName.startsWith(QLatin1String(".Trash-")) ||
         QFileInfo(QFileInfo(trash).absolutePath()).fileName() == QLatin1String(".Trash")))
        return true;
    QFile::rename(now, path);
    return false;
}

} // namespace

bool FileOrLinkExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QStringList MoveToTrash(const QStringList& paths, const FileStep& step) {
    QStringList refused;
    MakeHomeTrash();
    for (int index = 0; index < paths.size(); ++index) {
        const QString& path = paths.at(index);
        if (!step(index, path))
            break;
        if (!FileOrLinkExists(path))
            continue;
        QFile file(path);
        if (!MovedIntoTrash(file, path))
            refused << path;
    }
    return refused;
}

QStringList DeleteForGood(const QStringList& paths, const FileStep& step) {
    QStringList failed;
    for (int index = 0; index < paths.size(); ++index) {
        const QString& path = paths.at(index);
        if (!step(index, path))
            break;
        if (FileOrLinkExists(path) && !QFile::remove(path))
            failed << path;
    }
    return failed;
}

bool RemoveEmptyFolder(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir() || info.isSymLink())
        return false;
    return QDir().rmdir(path);
}

QString CreateFolder(const QString& parent, const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')))
        throw UserError(QStringLiteral("\"") + name +
                        QStringLiteral("\" is not a valid folder name."));
    const QString path = JoinPath(parent, name);
    if (QFileInfo::exists(path))
        throw UserError(QStringLiteral("Cannot create the folder ") + path +
                        QStringLiteral(": it exists already."));
    if (!QDir().mkdir(path))
        throw UserError(QStringLiteral("Cannot create the folder ") + path + QLatin1Char('.'));
    return path;
}
