#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Copying the selected files of a folder into another folder, one file at a
// time, never replacing a file that is there already.

enum class CopyOutcome { Copied, CopiedWithoutAttributes, TargetExists, Failed };

// Copies source to target without ever replacing an existing target: the
// bytes go to a temporary name beside the target (".<name>.part.<pid>", or
// the start of a name too long for that), are flushed to the disk, and the
// file takes the target's name only while that name is still free. An
// interrupted copy, even by a crash, leaves no half file under the target's
// name. The copy keeps the source's permissions and modification time;
// CopiedWithoutAttributes says that they could not be set.
CopyOutcome CopyWithoutOverwrite(const QString& source, const QString& target);

// Where a file goes in the destination; a destination that ends in "/"
// gets no second one.
QString CopyTarget(const QString& destination, const QString& name);

struct SiteCopyResult {
    int copied = 0;
    QStringList existing;       // names left alone because the destination has them
    QStringList failed;         // names that could not be copied
    QStringList attributesLost; // copied without the source's permissions or time
};

// Copies each name of sourceFolder into destination, in order, after
// removing the temporary files that copies by processes no longer running
// left in destination. Before each file, beforeEach is told its index and
// its two paths; when it returns false the remaining files are skipped.
// afterEach follows every file.
SiteCopyResult CopyFiles(const QString& sourceFolder, const QStringList& names,
                         const QString& destination,
                         const std::function<bool(int, const QString&, const QString&)>& beforeEach,
                         const std::function<void(int)>& afterEach);
