#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QUuid>

ProgramFolder::ProgramFolder() {
    QDir(folder.path()).mkpath(QStringLiteral("xdg/data"));
    QDir(folder.path()).mkpath(QStringLiteral("xdg/config"));
}

QByteArray ProgramFolder::settingsBytes() const {
    QFile file(settingsPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void ProgramFolder::writeSettings(const QByteArray& bytes) const {
    QFile file(settingsPath());
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

TfMain::Options ProgramFolder::windowOptions() const {
    TfMain::Options options;
    options.places = ProgramPlaces::For(path(), file(QStringLiteral("xdg/config")),
                                        file(QStringLiteral("xdg/cache")), {});
    options.executablePath = file(QStringLiteral("quillon"));
    options.channelName = file(QStringLiteral("TfMain-") +
                               QUuid::createUuid().toString(QUuid::WithoutBraces).left(8));
    options.associationPlaces = {file(QStringLiteral("xdg/data")),
                                 file(QStringLiteral("xdg/config"))};
    return options;
}
