#include "LangCatalog.h"
#include "StrToHtml.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

// The help pages in help/src/<language>: both languages hold the same pages,
// the project, contents and index files name them all, and every local link
// resolves, so that chmcmd builds both help files without a missing file.
class TestHelp : public QObject {
    Q_OBJECT

private:
    static QString Folder(const QString& language) {
        return QStringLiteral(QUILLON_HELP_SOURCE "/") + language;
    }

    static QString Read(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(file.readAll());
    }

    static QSet<QString> Pages(const QString& language) {
        const QStringList names =
            QDir(Folder(language)).entryList({QStringLiteral("*.html")}, QDir::Files);
        return QSet<QString>(names.begin(), names.end());
    }

    // The values of the sitemap parameters "Local" in a contents or index file.
    static QStringList Locals(const QString& path) {
        static const QRegularExpression local(
            QStringLiteral("<param name=\"Local\" value=\"([^\"]*)\">"),
            QRegularExpression::CaseInsensitiveOption);
        QStringList found;
        for (const auto& match : local.globalMatch(Read(path)))
            found << match.captured(1);
        return found;
    }

private slots:
    void bothLanguagesHoldTheSamePages() {
        QVERIFY(!Pages(QStringLiteral("en")).isEmpty());
        QCOMPARE(Pages(QStringLiteral("nl")), Pages(QStringLiteral("en")));
    }

    void projectFilesNameEveryPage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("project");
        QTest::newRow("English") << QStringLiteral("en") << QStringLiteral("help");
        QTest::newRow("Dutch") << QStringLiteral("nl") << QStringLiteral("help_d");
    }

    void projectFilesNameEveryPage() {
        QFETCH(QString, language);
        QFETCH(QString, project);
        const QDir folder(Folder(language));
        const QString base = folder.filePath(project);

        const QStringList contents = Locals(base + QStringLiteral(".hhc"));
        for (const QString& page : Pages(language))
            QVERIFY2(contents.contains(page), qPrintable(page + " is not in the contents"));
        QStringList named = contents + Locals(base + QStringLiteral(".hhk"));
        QVERIFY(named.size() > contents.size());

        // The [FILES] section of the project: one file a line up to the end.
        const QString hhp = Read(base + QStringLiteral(".hhp"));
        const qsizetype files = hhp.indexOf(QStringLiteral("[FILES]"));
        QVERIFY(files >= 0);
        const QStringList listed = hhp.mid(files + 7).split(
            QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        for (const QString& page : Pages(language))
            QVERIFY2(listed.contains(page), qPrintable(page + " is not in the project"));
        named += listed;
        for (const QString& file : std::as_const(named))
            QVERIFY2(folder.exists(file), qPrintable(file + " is missing"));
    }

    void everyLocalLinkResolves_data() {
        QTest::addColumn<QString>("path");
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("nl")}) {
            for (const QString& page : Pages(language))
                QTest::newRow(qPrintable(language + "/" + page))
                    << QDir(Folder(language)).filePath(page);
        }
    }

    void everyLocalLinkResolves() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // Old CHM viewers know no UTF-8: other characters are entities.
        for (const char byte : bytes)
            QVERIFY2(uchar(byte) < 0x80, "a character beyond ASCII");

        // Attributes of real tags only: the HTML the pages show is escaped.
        static const QRegularExpression reference(
            QStringLiteral("<[a-z][^<>]*\\s(?:href|src)=\"([^\"]*)\""),
            QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression outside(QStringLiteral("^(?:[a-z]+:|#)"),
                                                QRegularExpression::CaseInsensitiveOption);
        const QDir folder = QFileInfo(path).dir();
        int links = 0;
        for (const auto& match : reference.globalMatch(QString::fromLatin1(bytes))) {
            const QString target = match.captured(1).section(QLatin1Char('#'), 0, 0);
            if (outside.match(match.captured(1)).hasMatch())
                continue;
            QVERIFY2(!target.isEmpty() && folder.exists(target),
                     qPrintable(match.captured(1) + " does not resolve"));
            ++links;
        }
        QVERIFY2(links > 0, "the page links to nothing, not even its style sheet");
    }

    // The help calls every command of the menus by the caption the menus
    // show in that language.
    void menuCommandsGoByTheirCaptions() {
        for (const bool dutch : {false, true}) {
            const QString language = QLatin1String(dutch ? "nl" : "en");
            QString help;
            for (const QString& page : Pages(language))
                help += TextToHtml(Read(QDir(Folder(language)).filePath(page)));
            for (const LanguageTarget& target : ApplyLanguageTargets()) {
                const QString name = QString::fromUtf16(target.objectPath);
                // Print is never shown.
                if (target.property != TargetProperty::Caption || name == QLatin1String("Print1"))
                    continue;
                for (const CatalogTextEntry& entry : CatalogTexts()) {
                    if (QStringView(entry.key) != QStringView(target.key))
                        continue;
                    const QString caption =
                        QString::fromUtf16(dutch ? entry.dutch : entry.english).remove(u'&');
                    QVERIFY2(help.contains(caption),
                             qPrintable(language + ": no " + name + " \"" + caption + "\""));
                    break;
                }
            }
        }
    }

    // The pages beside the built program, for desktops that show no
    // compiled help.
    void pagesAreCopiedBesideTheProgram() {
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("nl")}) {
            const QString index = QStringLiteral("/index.html");
            QCOMPARE(Read(QStringLiteral(QUILLON_HELP_OUTPUT "/") + language + index),
                     Read(Folder(language) + index));
        }
    }

    void bothHelpFilesAreBuilt() {
        if (!QUILLON_HELP_BUILT)
            QSKIP("chmcmd was not found when the build was configured");
        for (const QString& name : {QStringLiteral("help.chm"), QStringLiteral("help_d.chm")}) {
            QFile file(QStringLiteral(QUILLON_HELP_OUTPUT "/") + name);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name + " was not built"));
            QVERIFY2(file.read(4) == "ITSF", qPrintable(name + " is no compiled help file"));
            QVERIFY(file.size() > 10000);
        }
    }
};

QTEST_GUILESS_MAIN(TestHelp)
#include "tst_help.moc"
