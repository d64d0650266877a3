#include "SiteCopy.h"

#include "FileListing.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

CopyOutcome CopyWithoutOverwrite(const QString& source, const QString& target) {
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return CopyOutcome::TargetExists;
    QFile input(source);
    if (!QFileInfo(source).isFile() || !input.open(QIODevice::ReadOnly))
        return CopyOutcome::Failed;
    QTemporaryFile part(
        JoinPath(QFileInfo(target).absolutePath(),
                 QStringLiteral(".") + FileNameOnly(target) + QStringLiteral(".part")));
    if (!part.open())
        return CopyOutcome::Failed;
    char buffer[1 << 16];
    for (;;) {
        const qint64 read = input.read(buffer, sizeof buffer);
        if (read < 0)
            return CopyOutcome::Failed;
        if (read == 0)
            break;
        if (part.write(buffer, read) != read)
            return CopyOutcome::Failed;
    }
    if (!part.flush())
        return CopyOutcome::Failed;
    part.setPermissions(input.permissions());
    // QFile::rename never replaces an existing file, so a target that
    // appeared meanwhile stays as it is.
    if (!part.rename(target))
        return QFileInfo::exists(target) ? CopyOutcome::TargetExists : CopyOutcome::Failed;
    part.setAutoRemove(false);
    return CopyOutcome::Copied;
}

QString CopyTarget(const QString& destination, const QString& name) {
    return JoinPath(destination.trimmed(), name);
}

SiteCopyResult CopyFiles(const QString& sourceFolder, const QStringList& names,
                         const QString& destination,
                         const std::function<bool(int, const QString&, const QString&)>& beforeEach,
                         const std::function<void(int)>& afterEach) {
    SiteCopyResult result;
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
