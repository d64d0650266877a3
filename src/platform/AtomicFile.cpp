#include "AtomicFile.h"

#include "ErrorReport.h"

#include <QFileInfo>
#include <QSaveFile>

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

} // namespace

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (IsMarkedReadOnly(info) || info.isDir())
        throw UserError(UnableToWriteText(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw UserError(UnableToWriteText(path));
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw UserError(UnableToWriteText(path));
    }
    if (!file.flush() || ::fsync(file.handle()) != 0 || !file.commit())
        throw UserError(UnableToWriteText(path));
}
