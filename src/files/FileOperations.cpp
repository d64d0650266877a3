#include "FileOperations.h"

#include "ErrorReport.h"
#include "FileListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void RemoveFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            continue;
        QFile file(path);
        if (file.moveToTrash())
            continue;
        if (!QFile::remove(path))
            throw UserError(QStringLiteral("Cannot delete the file ") + path +
                            QStringLiteral(": ") + file.errorString());
    }
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
