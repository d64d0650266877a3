#include "ProgramPlaces.h"

#include "XdgPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

QString WithSeparator(const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

QString Canonical(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

} // namespace

bool CanWriteIn(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("quillon-probe")));
    return probe.open();
}

ProgramPlaces ProgramPlaces::For(const QString& programFolder, const QString& configHome,
                                 const QString& cacheHome, const QStringList& dataDirs,
                                 const QString& stateHome) {
    ProgramPlaces places;
    places.programFolder = WithSeparator(programFolder);
    const QString share = QDir(places.programFolder).filePath(QStringLiteral("../share"));
    const QString entry = QDir(share).filePath(QStringLiteral("applications/quillon.desktop"));
    places.installed = QFileInfo(entry).isFile();
    if (places.installed) {
        for (const QString& dataDir : dataDirs) {
            if (Canonical(dataDir) == Canonical(share))
                places.installedDesktopEntry = Canonical(entry);
        }
    }

    // A folder shared with other programs (/usr/bin) is no place for one
    // user's settings, even for a user who may write there.
    if (!places.installed && CanWriteIn(places.programFolder)) {
        places.configFolder = places.programFolder;
        places.scratchFolder = places.programFolder;
        places.recoveryFolder = places.programFolder + QStringLiteral("recovery/");
    } else {
        places.configFolder = WithSeparator(QDir(configHome).filePath(QStringLiteral("quillon")));
        places.scratchFolder = WithSeparator(QDir(cacheHome).filePath(QStringLiteral("quillon")));
        const QString state = stateHome.isEmpty() ? XdgStateHome() : stateHome;
        places.recoveryFolder =
            WithSeparator(QDir(state).filePath(QStringLiteral("quillon/recovery")));
    }

    const QString installedHelp = QDir(share).filePath(QStringLiteral("quillon/help"));
    places.helpFolder = QFileInfo(installedHelp).isDir()
                            ? WithSeparator(installedHelp)
                            : places.programFolder + QStringLiteral("help/");
    return places;
}

ProgramPlaces ProgramPlaces::ForThisProgram() {
    // The desktop reads the user's own data folder before the shared ones: a
    // program installed into ~/.local finds its entry there.
    return For(QCoreApplication::applicationDirPath(), XdgConfigHome(), XdgCacheHome(),
               QStringList{XdgDataHome()} + XdgDataDirs());
}

QString ProgramPlaces::ScratchFile(const QString& name) const {
    QDir().mkpath(scratchFolder);
    return scratchFolder + name;
}

void ProgramPlaces::MakeScratchFolderFor(const QString& filePath) const {
    if (WithSeparator(QFileInfo(filePath).absolutePath()) == WithSeparator(scratchFolder))
        QDir().mkpath(scratchFolder);
}
