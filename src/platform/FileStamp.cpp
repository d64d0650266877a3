#include "FileStamp.h"

#include <QFile>
#include <QStringList>

#include <sys/stat.h>

QString FileStamp::ToText() const {
    return QStringLiteral("%1 %2 %3 %4").arg(device).arg(inode).arg(size).arg(modifiedNs);
}

std::optional<FileStamp> FileStamp::FromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(' '));
    if (parts.size() != 4)
        return std::nullopt;
    qint64 values[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts.at(i).toLongLong(&ok);
        if (!ok)
            return std::nullopt;
    }
    return FileStamp{values[0], values[1], values[2], values[3]};
}

std::optional<FileStamp> StampOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileStamp{qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size),
                     qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}
