#include "FileListing.h"

#include <QRegularExpression>

QString AllWebFilesMask() {
    return QStringLiteral("*.htm;*.asp;*.js;*.php;*.cgi;*.pl;*.css;*.bmp;*.gif;*.jpg;*.jpeg;"
                          "*.png;*.svg;*.webp;");
}

QString FilterCaption() {
    return QStringLiteral("Filter ...");
}

QString MaskForFilterChoice(const QString& text) {
    // The box's caption names no filter: until one is chosen, every file shows.
    if (text == FilterCaption())
        return QStringLiteral("*.*");
    if (text == QLatin1String("All Web Files"))
        return AllWebFilesMask();
    if (text == QLatin1String("All Files (*.*)"))
        return QStringLiteral("*.*");
    return text;
}

QStringList MaskPatterns(const QString& mask) {
    QStringList patterns;
    for (const QString& part : mask.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        // As on the desktops these masks come from, "*.*" also means names
        // without an extension.
        if (pattern == QLatin1String("*.*")) {
            patterns << QStringLiteral("*");
        } else if (!pattern.isEmpty()) {
            patterns << pattern;
            // There, a three-letter extension also matches the longer
            // extensions that begin with it: "*.htm" lists index.html.
            static const QRegularExpression threeLetters(QStringLiteral("^\\*\\.[^.*?\\[]{3}$"));
            if (threeLetters.match(pattern).hasMatch())
                patterns << pattern + QLatin1Char('*');
        }
    }
    return patterns;
}

QString FileNameOnly(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool IsPictureFile(const QString& path) {
    static const QStringList extensions = {QStringLiteral(".BMP"), QStringLiteral(".ICO"),
                                           QStringLiteral(".WMF"), QStringLiteral(".EMF"),
                                           QStringLiteral(".GIF"), QStringLiteral(".JPG"),
                                           QStringLiteral(".PNG"), QStringLiteral(".JPEG"),
                                           QStringLiteral(".SVG"), QStringLiteral(".WEBP")};
    const QString name = FileNameOnly(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && extensions.contains(name.mid(dot).toUpper());
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QString FolderPath(const QString& path) {
    QString folder = path;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}
