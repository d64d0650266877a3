#include "XdgPaths.h"

#include <QDir>

namespace {

QString EnvironmentFolder(const char* variable, const QString& fallbackBelowHome) {
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return QDir::home().filePath(fallbackBelowHome);
}

} // namespace

QString XdgDataHome() {
    return EnvironmentFolder("XDG_DATA_HOME", QStringLiteral(".local/share"));
}

QString XdgConfigHome() {
    return EnvironmentFolder("XDG_CONFIG_HOME", QStringLiteral(".config"));
}

QString XdgCacheHome() {
    return EnvironmentFolder("XDG_CACHE_HOME", QStringLiteral(".cache"));
}

QString XdgStateHome() {
    return EnvironmentFolder("XDG_STATE_HOME", QStringLiteral(".local/state"));
}

QStringList XdgDataDirs() {
    QStringList folders;
    for (const QString& folder : qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'))) {
        if (QDir::isAbsolutePath(folder))
            folders << folder;
    }
    if (folders.isEmpty())
        folders << QStringLiteral("/usr/local/share") << QStringLiteral("/usr/share");
    return folders;
}
