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
