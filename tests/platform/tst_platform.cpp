#include "AtomicFile.h"
#include "Cp1252Codec.h"
#include "ErrorReport.h"
#include "FileAssociation.h"
#include "Prompts.h"
#include "QtPrompts.h"
#include "RegionalFormats.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

class PlatformTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void everyByteSurvivesTheCodePage() {
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte)
            all.append(char(byte));
        const QString text = Cp1252Codec::Decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text.at(0x80), QChar(0x20AC));
        QCOMPARE(text.at(0x81), QChar(0x81));
        QCOMPARE(text.at(0x9F), QChar(0x0178));
        QCOMPARE(text.at(0xE9), QChar(0xE9));
        QVERIFY(Cp1252Codec::CanEncode(text));
        QCOMPARE(Cp1252Codec::Encode(text, [](char32_t) { return QByteArray("?"); }), all);
    }

    void unencodableCharactersGoThroughTheReplacement() {
        const QString text = QStringLiteral("a\u2192b\U0001F600") + QChar(0xD800);
        QVERIFY(!Cp1252Codec::CanEncode(text));
        QList<char32_t> seen;
        const QByteArray bytes = Cp1252Codec::Encode(text, [&](char32_t point) {
            seen << point;
            return QByteArray("&#") + QByteArray::number(uint(point)) + ';';
        });
        QCOMPARE(bytes, QByteArray("a&#8594;b&#128512;&#55296;"));
        QCOMPARE(seen, (QList<char32_t>{0x2192, 0x1F600, 0xD800}));
    }

    void utf8Validation() {
        QVERIFY(IsValidUtf8("plain"));
        QVERIFY(IsValidUtf8("caf\xC3\xA9"));
        QVERIFY(!IsValidUtf8("caf\xE9"));
        QVERIFY(!IsValidUtf8("cut \xC3"));
        QVERIFY(!IsValidUtf8("overlong \xC0\xAF"));
    }

    void atomicWritesReplaceOrLeaveTheFile() {
        const QString path = dir.filePath("atomic.txt");
        WriteFileAtomically(path, "first");
        WriteFileAtomically(path, "second");
        QCOMPARE(Read(path), QByteArray("second"));
        QFile::setPermissions(path, QFile::ReadOwner);
        QVERIFY_THROWS_EXCEPTION(UserError, WriteFileAtomically(path, "third"));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(Read(path), QByteArray("second"));
        QVERIFY_THROWS_EXCEPTION(UserError, WriteFileAtomically(dir.path(), "a folder"));
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"atomic.txt"});
    }

    void defaultSuffixIsAddedToNamesWithoutExtension() {
        QCOMPARE(WithDefaultSuffix("/site/index", "html"), QStringLiteral("/site/index.html"));
        QCOMPARE(WithDefaultSuffix("/site/index", ".html"), QStringLiteral("/site/index.html"));
        QCOMPARE(WithDefaultSuffix("/site/page.htm", "html"), QStringLiteral("/site/page.htm"));
        QCOMPARE(WithDefaultSuffix("/my.site/index", "html"),
                 QStringLiteral("/my.site/index.html"));
        QCOMPARE(WithDefaultSuffix("/site/index", ""), QStringLiteral("/site/index"));
    }

    void fileFiltersAndMessageTexts() {
        const QList<FileFilter> filters = {{"All Supported Files", "*.html;*.htm;*.css;"},
                                           {"Html Files ( *.htm, *.html )", "*.html;*.htm"}};
        QCOMPARE(QtNameFilters(filters),
                 (QStringList{"All Supported Files (*.html *.htm *.css)",
                              "Html Files ( *.htm, *.html ) (*.html *.htm)"}));
        QCOMPARE(DisplayText("one\n\rtwo\r\nthree"), QStringLiteral("one\ntwo\nthree"));
    }

    // Start-up errors are asked while the splash may still be up.
    void questionsCloseTheSplash() {
        QWidget splash(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint);
        QWidget window;
        splash.show();
        window.show();
        CloseSplashScreens();
        QVERIFY(!splash.isVisible());
        QVERIFY(window.isVisible());
    }

    void longTimeHasSecondsAndNoZone() {
        const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
        QVERIFY(!LongTimeFormat(dutch).contains('t'));
        QCOMPARE(LongTimeText(QTime(14, 5, 9), dutch), QStringLiteral("14:05:09"));
        const QLocale american(QLocale::English, QLocale::UnitedStates);
        const QString afternoon = LongTimeText(QTime(14, 5, 9), american);
        QVERIFY2(afternoon.startsWith("2:05:09") && afternoon.endsWith("PM"),
                 qPrintable(afternoon));
        QCOMPARE(ShortDateText(QDate(2026, 12, 8), dutch), QStringLiteral("08-12-2026"));
    }

    void desktopEntryNamesTheExecutable() {
        const QString plain = DesktopEntryText("/opt/quillon/bin/quillon");
        QVERIFY(plain.startsWith("[Desktop Entry]\n"));
        QVERIFY(plain.contains("\nExec=/opt/quillon/bin/quillon %f\n"));
        QVERIFY(plain.contains("\nMimeType=text/html;application/xhtml+xml;\n"));
        QVERIFY(plain.contains("\nType=Application\n"));
        const QString odd = DesktopEntryText("/home/me/My Apps/100% \"q\"/quillon");
        QVERIFY2(odd.contains("\nExec=\"/home/me/My Apps/100%% \\\\\"q\\\\\"/quillon\" %f\n"),
                 qPrintable(odd));
    }

    void mimeAppsKeepsEveryOtherLine_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty") << ""
                               << "[Default Applications]\ntext/html=quillon.desktop\n";
        QTest::newRow("other sections") << "[Added Associations]\ntext/plain=gedit.desktop;\n"
                                        << "[Added Associations]\ntext/plain=gedit.desktop;\n\n"
                                           "[Default Applications]\ntext/html=quillon.desktop\n";
        // Another program the user made the default stays the default.
        const QString chosen = "# mine\n[Default Applications]\nimage/png=eog.desktop\ntext/html = "
                               "firefox-esr.desktop\nx/y=z\n\n[Removed Associations]\na=b";
        QTest::newRow("another default kept") << chosen << chosen;
        QTest::newRow("empty default filled in place")
            << "[Default Applications]\ntext/html=\nx/y=z\n"
            << "[Default Applications]\ntext/html=quillon.desktop\nx/y=z\n";
        QTest::newRow("added to the section")
            << "[Default Applications]\nimage/png=eog.desktop\n\n[Other]\ntext/html=keep.desktop"
            << "[Default Applications]\nimage/png=eog.desktop\ntext/html=quillon.desktop\n\n"
               "[Other]\ntext/html=keep.desktop\n";
    }
    void mimeAppsKeepsEveryOtherLine() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QCOMPARE(MimeAppsWithHtmlDefault(before), after);
    }

    void registrationWritesBothFiles() {
        const FileAssociationPlaces places{dir.filePath("data"), dir.filePath("config")};
        QDir().mkpath(places.configHome);
        Write(places.configHome + "/mimeapps.list",
              "[Default Applications]\nimage/png=eog.desktop\n");
        RegisterHtmlOpener("/opt/q/quillon", places);
        QVERIFY(Read(places.dataHome + "/applications/quillon.desktop")
                    .contains("Exec=/opt/q/quillon %f"));
        QCOMPARE(Read(places.configHome + "/mimeapps.list"),
                 QByteArray(
                     "[Default Applications]\nimage/png=eog.desktop\ntext/html=quillon.desktop\n"));
        // Again at the next start: nothing changes.
        RegisterHtmlOpener("/opt/q/quillon", places);
        QCOMPARE(Read(places.configHome + "/mimeapps.list"),
                 QByteArray(
                     "[Default Applications]\nimage/png=eog.desktop\ntext/html=quillon.desktop\n"));

        Write(dir.filePath("not-a-folder"), "x");
        const FileAssociationPlaces blocked{dir.filePath("not-a-folder"), places.configHome};
        try {
            RegisterHtmlOpener("/opt/q/quillon", blocked);
            QFAIL("registration into a file succeeded");
        } catch (const UserError& error) {
            QVERIFY(error.text().startsWith("Unable to write to " + dir.filePath("not-a-folder")));
        }
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
