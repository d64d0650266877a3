#include "DiskWatch.h"

#include <QFileInfo>

DiskWatch::DiskWatch(QObject* parent) : QObject(parent) {
    const auto changed = [this] {
        arm();
        emit touched();
    };
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, changed);
}

void DiskWatch::Track(const QString& file, std::optional<FileStamp> now) {
    // A new watch also for the same path: the file there may be another
    // one (an atomic save puts a new file in the old one's place).
    const QStringList watched = watcher.files() + watcher.directories();
    if (!watched.isEmpty())
        watcher.removePaths(watched);
    path = file;
    stamp = now;
    asked.reset();
    arm();
}

void DiskWatch::arm() {
    if (path.isEmpty())
        return;
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo::exists(path)) {
        // After a rename over the path the watch has gone with the old file.
        if (!watcher.files().contains(path))
            watcher.addPath(path);
        if (watcher.directories().contains(folder))
            watcher.removePath(folder);
    } else if (!watcher.directories().contains(folder)) {
        watcher.addPath(folder);
    }
}

bool DiskWatch::Gone() const {
    return !path.isEmpty() && !StampOf(path);
}

bool DiskWatch::ChangedOnDisk() const {
    if (path.isEmpty())
        return false;
    const auto now = StampOf(path);
    return now && now != stamp;
}

bool DiskWatch::ChangeToAsk() const {
    return ChangedOnDisk() && StampOf(path) != asked;
}

void DiskWatch::Asked() {
    asked = StampOf(path);
}
