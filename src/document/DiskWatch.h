#pragma once

#include "FileStamp.h"

#include <QFileSystemWatcher>
#include <QObject>

#include <optional>

// What a document window knows of its file on disk: the version it last read
// or wrote, and a watch that notices another program changing, replacing or
// removing the file. A replacement (a rename over the file, as every atomic
// save does, ours included) ends the watch on the old file; the watch then
// goes on with the file now at the path, or with its folder until the file
// is back.
class DiskWatch : public QObject {
    Q_OBJECT
public:
    explicit DiskWatch(QObject* parent = nullptr);

    // The document has just read or written the file at path, which had the
    // stamp then.
    void Track(const QString& path, std::optional<FileStamp> stamp);
    QString Path() const { return path; }
    std::optional<FileStamp> Stamp() const { return stamp; }

    // The file is no longer at its path.
    bool Gone() const;
    // The file at the path is another version than the one last read or
    // written.
    bool ChangedOnDisk() const;
    // Changed, and not the version already asked about (Asked).
    bool ChangeToAsk() const;
    // The user has been asked about the version on disk now.
    void Asked();

signals:
    // Something happened to the file or its folder.
    void touched();

private:
    void arm();

    QFileSystemWatcher watcher;
    QString path;
    std::optional<FileStamp> stamp;
    std::optional<FileStamp> asked;
};
