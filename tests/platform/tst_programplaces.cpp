#include "FileAssociation.h"
#include "ProgramPlaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class ProgramPlacesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    void touch(const QString& name) const {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    ProgramPlaces placesOf(const QString& folder, const QStringList& dataDirs = {}) const {
        return ProgramPlaces::For(folder, path("config"), path("cache"), dataDirs, path("state"));
    }

private slots:
    void writableFolderKeepsEverything() {
        QDir().mkpath(path("build/bin"));
        const ProgramPlaces places = placesOf(path("build/bin"));
        const QString folder = path("build/bin/");
        QCOMPARE(places.programFolder, folder);
        QCOMPARE(places.configFolder, folder);
        QCOMPARE(places.scratchFolder, folder);
        QCOMPARE(places.recoveryFolder, folder + "recovery/");
        QCOMPARE(places.helpFolder, folder + "help/");
        QCOMPARE(places.SettingsPath(), folder + "settings.ini");
        QVERIFY(!places.installed);
        QVERIFY(places.installedDesktopEntry.isEmpty());
        // The probe leaves nothing behind.
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    // chmod does not stop root: then /proc, where nobody makes files, stands in.
    void unwritableFolderUsesTheUserFolders() {
        QDir().mkpath(path("locked"));
        QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
        const QString folder =
            CanWriteIn(path("locked")) ? QStringLiteral("/proc") : path("locked");
        QVERIFY(!CanWriteIn(folder));
        const ProgramPlaces places = placesOf(folder);
        QCOMPARE(places.configFolder, path("config/quillon/"));
        QCOMPARE(places.scratchFolder, path("cache/quillon/"));
        QCOMPARE(places.recoveryFolder, path("state/quillon/recovery/"));
        QCOMPARE(places.helpFolder, folder + "/help/");
        QVERIFY(!QFileInfo::exists(places.scratchFolder));
        QCOMPARE(places.ScratchFile("rtfTemp.rtf"), path("cache/quillon/rtfTemp.rtf"));
        QVERIFY(QFileInfo(places.scratchFolder).isDir());
        QFile::setPermissions(path("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!CanWriteIn(path("no-such-folder")));
    }

    // An installed program keeps nothing beside its executable, even where it
    // could write (root in /usr/bin).
    void installedProgram() {
        touch("usr/share/applications/quillon.desktop");
        QDir().mkpath(path("usr/bin"));
        ProgramPlaces places = placesOf(path("usr/bin"));
        QVERIFY(places.installed);
        QCOMPARE(places.SettingsPath(), path("config/quillon/settings.ini"));
        QCOMPARE(places.scratchFolder, path("cache/quillon/"));
        QCOMPARE(places.helpFolder, path("usr/bin/help/"));
        // The desktop sees the entry only when its share folder is one of its own.
        QVERIFY(places.installedDesktopEntry.isEmpty());

        QDir().mkpath(path("usr/share/quillon/help"));
        places = placesOf(path("usr/bin"), {path("other"), path("usr/share/")});
        QCOMPARE(places.helpFolder, path("usr/share/quillon/help/"));
        QCOMPARE(places.installedDesktopEntry, path("usr/share/applications/quillon.desktop"));
    }

    // The installed program's entry is the desktop's one: a run from a build
    // folder wrote one that would hide it, and only such a one goes.
    void installedProgramRegistersItsInstalledEntry() {
        const FileAssociationPlaces user{path("data"), path("userconfig")};
        const QString own = path("data/applications/quillon.desktop");
        RegisterHtmlOpener(path("build/bin/quillon"), user);
        QVERIFY(QFile::exists(own));
        RegisterHtmlOpener("/usr/bin/quillon", user, "/usr/share/applications/quillon.desktop");
        QVERIFY(!QFile::exists(own));
        QFile mimeApps(path("userconfig/mimeapps.list"));
        QVERIFY(mimeApps.open(QIODevice::ReadOnly));
        QCOMPARE(mimeApps.readAll(),
                 QByteArray("[Default Applications]\ntext/html=quillon.desktop\n"));

        QFile mine(own);
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.write("[Desktop Entry]\nType=Application\nName=My Quillon\nExec=q %f\n");
        mine.close();
        RegisterHtmlOpener("/usr/bin/quillon", user, "/usr/share/applications/quillon.desktop");
        QVERIFY(QFile::exists(own));
        // Installed into the user's own data folder, the entry is the installed one.
        RegisterHtmlOpener(path("build/bin/quillon"), user);
        RegisterHtmlOpener(path("bin/quillon"), user, own);
        QVERIFY(QFile::exists(own));
    }
};

QTEST_GUILESS_MAIN(ProgramPlacesTest)
#include "tst_programplaces.moc"
