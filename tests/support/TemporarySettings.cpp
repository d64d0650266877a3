#include "TemporarySettings.h"

#include <QFile>

TemporarySettings::TemporarySettings() : store(folder.filePath(QStringLiteral("settings.ini"))) {
    write();
    UseSettings(&store);
}

TemporarySettings::~TemporarySettings() {
    UseSettings(nullptr);
}

void TemporarySettings::write(const QByteArray& text) const {
    QFile file(path());
    if (file.open(QIODevice::WriteOnly))
        file.write("[Help]\r\nLanguage=Eng\r\n" + text);
}

QByteArray TemporarySettings::bytes() const {
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
