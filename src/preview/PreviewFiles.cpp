#include "PreviewFiles.h"

#include "TChildForm.h"

#include <QFile>

namespace {

// The caption up to and including its last path separator; empty when it has none.
QString CaptionFolder(const QString& caption) {
    return caption.left(caption.size() - CaptionFileName(caption).size());
}

} // namespace

QString PreviewFilePath(const QString& caption, int number, const QString& scratchFolder) {
    const QString prefix = QString::number(number) + QLatin1Char('~');
    if (CaptionHasFile(caption))
        return CaptionFolder(caption) + prefix + CaptionFileName(caption);
    // A caption may name a file without an extension: its name alone, so
    // that the file lies in the scratch folder itself.
    return scratchFolder + prefix + CaptionFileName(caption) + QStringLiteral(".html");
}

QString BrowserFilePath(const QString& caption, int number, const QString& scratchFolder) {
    const QString folder = CaptionFolder(caption);
    return (folder.isEmpty() ? scratchFolder : folder) + QStringLiteral("quillon_temp") +
           QString::number(number) + QStringLiteral(".html");
}

bool IsStyleSheetCaption(const QString& caption) {
    const QString name = CaptionFileName(caption);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && name.mid(dot).toLower() == QLatin1String(".css");
}

void DeleteExistingFiles(const QStringList& files) {
    for (const QString& file : files) {
        if (QFile::exists(file))
            QFile::remove(file);
    }
}
