#include "PictureReader.h"

#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

constexpr int kConverterTimeoutMs = 10000;

QImage ReadImageFile(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QImage ReadMetafile(const QString& path) {
    const QString converter = QStandardPaths::findExecutable(QStringLiteral("wmf2gd"));
    QTemporaryDir scratch;
    if (converter.isEmpty() || !scratch.isValid())
        return {};
    const QString png = scratch.filePath(QStringLiteral("picture.png"));
    QProcess process;
    process.start(converter,
                  {QStringLiteral("-t"), QStringLiteral("png"), QStringLiteral("-o"), png, path});
    if (!process.waitForFinished(kConverterTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return ReadImageFile(png);
}

} // namespace

QImage ReadPicture(const QString& path) {
    if (QFileInfo(path).suffix().compare(QLatin1String("wmf"), Qt::CaseInsensitive) == 0)
        return ReadMetafile(path);
    return ReadImageFile(path);
}
