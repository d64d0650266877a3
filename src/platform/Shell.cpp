#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {
Shell* installedShell = nullptr;
}

bool DesktopShell::openWithDefaultProgram(const QString& path) {
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool DesktopShell::startProgram(const QString& program, const QStringList& arguments) {
    const QFileInfo info(program);
    if (!info.exists())
        return false;
    if (info.isFile() && info.isExecutable())
        return QProcess::startDetached(info.absoluteFilePath(), arguments);
    return openWithDefaultProgram(program);
}

QString DesktopShell::defaultProgramFor(const QString& mimeType) {
    // xdg-mime asks the desktop in use, as its file opener xdg-open does.
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

Shell& CurrentShell() {
    if (installedShell)
        return *installedShell;
    static DesktopShell desktopShell;
    return desktopShell;
}

void InstallShell(Shell* shell) {
    installedShell = shell;
}
