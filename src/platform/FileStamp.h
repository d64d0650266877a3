#pragma once

#include <QString>

#include <optional>

// What tells one version of a file from another without reading it: the file
// itself (device and inode, which an atomic replacement changes), its size and
// its modification time to the nanosecond.
struct FileStamp {
    qint64 device = 0;
    qint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;

    // One line of text, and back; nullopt for text that is no stamp.
    QString ToText() const;
    static std::optional<FileStamp> FromText(const QString& text);
};

// The stamp of the file at path now; nullopt when there is no such file.
std::optional<FileStamp> StampOf(const QString& path);
