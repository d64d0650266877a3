#include "Prompts.h"

#include "QtPrompts.h"

#include <QFileInfo>

namespace {
Prompts* installedPrompts = nullptr;
}

std::optional<QString> Prompts::saveFile(const FileDialogRequest& request) {
    const auto chosen = chooseSaveFile(request);
    if (!chosen)
        return std::nullopt;
    return WithDefaultSuffix(*chosen, request.defaultSuffix);
}

QString WithDefaultSuffix(const QString& path, const QString& suffix) {
    if (suffix.isEmpty() || path.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    if (name.contains(QLatin1Char('.')))
        return path;
    QString clean = suffix;
    if (clean.startsWith(QLatin1Char('.')))
        clean.remove(0, 1);
    return path + QLatin1Char('.') + clean;
}

Prompts& CurrentPrompts() {
    if (installedPrompts)
        return *installedPrompts;
    static QtPrompts qtPrompts;
    return qtPrompts;
}

void InstallPrompts(Prompts* prompts) {
    installedPrompts = prompts;
}
