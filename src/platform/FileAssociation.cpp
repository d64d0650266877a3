#include "FileAssociation.h"

#include "AtomicFile.h"
#include "ErrorReport.h"
#include "XdgPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kHtmlMime = QStringLiteral("text/html");
const QString kDefaultsSection = QStringLiteral("[Default Applications]");
// The line that tells the entries this program writes from others.
const QString kWrittenEntryComment = QStringLiteral("Comment=Quillon HTML File");

// An argument of the Exec key: quoted when it holds anything the desktop would
// otherwise split or expand, with the characters that need it escaped.
QString ExecArgument(const QString& argument) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+,:@=-]+$"));
    if (plain.match(argument).hasMatch())
        return argument;
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    // The desktop entry format's own escaping comes on top: a backslash is
    // written twice, and a literal percent sign as "%%".
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A value of the other keys: only line breaks and backslashes need escaping.
QString EntryValue(const QString& value) {
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    escaped.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return escaped;
}

bool IsSectionHeader(const QString& line) {
    return line.trimmed().startsWith(QLatin1Char('['));
}

bool IsHtmlDefaultLine(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals > 0 && line.left(equals).trimmed() == kHtmlMime;
}

void EnsureFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        throw UserError(UnableToWriteText(folder));
}

} // namespace

FileAssociationPlaces FileAssociationPlaces::FromEnvironment() {
    return {XdgDataHome(), XdgConfigHome()};
}

QString DesktopEntryText(const QString& executablePath) {
    QStringList lines;
    lines << QStringLiteral("[Desktop Entry]") << QStringLiteral("Type=Application")
          << QStringLiteral("Name=Quillon") << QStringLiteral("GenericName=HTML Editor")
          << kWrittenEntryComment
          << QStringLiteral("Exec=") + ExecArgument(executablePath) + QStringLiteral(" %f")
          << QStringLiteral("TryExec=") + EntryValue(executablePath)
          << QStringLiteral("MimeType=text/html;application/xhtml+xml;")
          << QStringLiteral("Terminal=false")
          << QStringLiteral("Categories=Development;WebDevelopment;");
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString MimeAppsWithHtmlDefault(const QString& existing) {
    const QString entry = kHtmlMime + QLatin1Char('=') + QLatin1String(kDesktopEntryName);
    QStringList lines = existing.split(QLatin1Char('\n'));
    // A final line break leaves an empty last piece, which is not a line.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();

    qsizetype section = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed() == kDefaultsSection) {
            section = i;
            break;
        }
    }
    if (section < 0) {
        if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
            lines << QString();
        lines << kDefaultsSection << entry;
        return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }

    qsizetype end = section + 1;
    while (end < lines.size() && !IsSectionHeader(lines[end]))
        ++end;
    for (qsizetype i = section + 1; i < end; ++i) {
        if (!IsHtmlDefaultLine(lines[i]))
            continue;
        // A default the user chose (or Quillon itself) stays as it is.
        if (!lines[i].mid(lines[i].indexOf(QLatin1Char('=')) + 1).trimmed().isEmpty())
            return existing;
        lines[i] = entry;
        return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    // New entries go after the section's last non-empty line.
    qsizetype insertAt = end;
    while (insertAt > section + 1 && lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    lines.insert(insertAt, entry);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void RegisterHtmlOpener(const QString& executablePath, const FileAssociationPlaces& places,
                        const QString& installedEntry) {
    const QString applications = QDir(places.dataHome).filePath(QStringLiteral("applications"));
    const QString ownEntry = QDir(applications).filePath(QLatin1String(kDesktopEntryName));
    if (installedEntry.isEmpty()) {
        EnsureFolder(applications);
        WriteFileAtomically(ownEntry, DesktopEntryText(executablePath).toUtf8());
    } else if (QFileInfo(ownEntry).canonicalFilePath() !=
               QFileInfo(installedEntry).canonicalFilePath()) {
        QFile written(ownEntry);
        if (written.open(QIODevice::ReadOnly) && QString::fromUtf8(written.readAll())
                                                     .split(QLatin1Char('\n'))
                                                     .contains(kWrittenEntryComment)) {
            written.close();
            if (!written.remove())
                throw UserError(UnableToWriteText(ownEntry));
        }
    }

    EnsureFolder(places.configHome);
    const QString mimeApps = QDir(places.configHome).filePath(QStringLiteral("mimeapps.list"));
    QString existing;
    QFile file(mimeApps);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            throw UserError(UnableToWriteText(mimeApps));
        existing = QString::fromUtf8(file.readAll());
        file.close();
    }
    const QString updated = MimeAppsWithHtmlDefault(existing);
    if (updated != existing)
        WriteFileAtomically(mimeApps, updated.toUtf8());
}
