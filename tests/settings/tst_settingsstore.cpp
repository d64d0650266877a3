#include "ErrorReport.h"
#include "ProgramPlaces.h"
#include "SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class SettingsStoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("settings.ini")); }

    void writeFile(const QByteArray& bytes) {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray fileBytes() {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void cleanup() { QFile::remove(path()); }

    void missingFileSectionOrKeyGivesTheDefault() {
        SettingsStore store(path());
        QCOMPARE(store.ReadText("Help", "Language", "x"), QStringLiteral("x"));
        QCOMPARE(store.ReadNumber("Font", "Size", 10), 10);
        QCOMPARE(store.ReadFlag("Gutter", "Vis", true), true);
        writeFile("[Font]\r\nStyle=Courier\r\n");
        QCOMPARE(store.ReadText("Help", "Language", "d"), QStringLiteral("d"));
        QCOMPARE(store.ReadText("Font", "Colour", "d"), QStringLiteral("d"));
        QVERIFY(!QFile::exists(dir.filePath("other.ini")));
    }

    void namesAreComparedWithoutCase() {
        writeFile("[help]\r\nlanguage=NL\r\n[VLink]\r\nText=#800080\r\n");
        SettingsStore store(path());
        QCOMPARE(store.ReadText("Help", "Language", ""), QStringLiteral("NL"));
        QCOMPARE(store.ReadText("Vlink", "TEXT", ""), QStringLiteral("#800080"));
        store.WriteText("HELP", "LANGUAGE", "Eng");
        QCOMPARE(fileBytes(), QByteArray("[help]\r\nlanguage=Eng\r\n[VLink]\r\nText=#800080\r\n"));
    }

    void valuesAreTrimmedAndUnquoted_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("value");
        QTest::newRow("blanks") << QByteArray("  Key  =   a b  ") << QStringLiteral("a b");
        QTest::newRow("tabs") << QByteArray("Key\t=\tvalue\t") << QStringLiteral("value");
        QTest::newRow("double quotes")
            << QByteArray("Key=\" padded \"") << QStringLiteral(" padded ");
        QTest::newRow("single quotes") << QByteArray("Key='x'") << QStringLiteral("x");
        QTest::newRow("one pair only") << QByteArray("Key=\"\"x\"\"") << QStringLiteral("\"x\"");
        QTest::newRow("unmatched") << QByteArray("Key=\"x'") << QStringLiteral("\"x'");
        QTest::newRow("lone quote") << QByteArray("Key=\"") << QStringLiteral("\"");
        QTest::newRow("empty") << QByteArray("Key=") << QString();
        QTest::newRow("equals inside") << QByteArray("Key=a=b") << QStringLiteral("a=b");
        QTest::newRow("lf line ends") << QByteArray("Key=v\n[Next]\nKey=w") << QStringLiteral("v");
    }
    void valuesAreTrimmedAndUnquoted() {
        QFETCH(QByteArray, line);
        QFETCH(QString, value);
        writeFile("[S]\r\n" + line + "\r\n");
        QCOMPARE(SettingsStore(path()).ReadText("S", "Key", "default"), value);
    }

    void emptyValueIsTextButNotANumber() {
        writeFile("[Font]\r\nSize=\r\n");
        SettingsStore store(path());
        QCOMPARE(store.ReadText("Font", "Size", "default"), QString());
        QCOMPARE(store.ReadNumber("Font", "Size", 10), 10);
    }

    void numbers_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("read");
        QTest::newRow("decimal") << "80" << 80;
        QTest::newRow("negative") << "-2147483633" << -2147483633;
        QTest::newRow("plus") << "+7" << 7;
        QTest::newRow("hex") << "0x0C" << 12;
        QTest::newRow("hex capital X") << "0XfF" << 255;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("too large") << "2147483648" << -1;
        QTest::newRow("too small") << "-2147483649" << -1;
        QTest::newRow("hex too large") << "0x80000000" << -1;
        QTest::newRow("unit") << "12pt" << -1;
        QTest::newRow("word") << "yes" << -1;
        QTest::newRow("bare 0x") << "0x" << -1;
        QTest::newRow("bad hex") << "0x1G" << -1;
        QTest::newRow("sign only") << "-" << -1;
        QTest::newRow("inner blank") << "1 2" << -1;
    }
    void numbers() {
        QFETCH(QString, stored);
        QFETCH(int, read);
        writeFile("[N]\r\nKey=" + stored.toLatin1() + "\r\n");
        QCOMPARE(SettingsStore(path()).ReadNumber("N", "Key", -1), read);
    }

    void flags() {
        writeFile("[F]\r\nTwo=2\r\nZero=0\r\nWord=yes\r\n");
        SettingsStore store(path());
        QCOMPARE(store.ReadFlag("F", "Two", false), true);
        QCOMPARE(store.ReadFlag("F", "Zero", true), false);
        QCOMPARE(store.ReadFlag("F", "Word", true), true);
        QCOMPARE(store.ReadFlag("F", "Word", false), false);
    }

    void longValuesAreCutOnReadingOnly() {
        const QByteArray value(3000, 'v');
        writeFile("[Title]\r\nText=" + value + "\r\n");
        QCOMPARE(SettingsStore(path()).ReadText("Title", "Text", "").size(), 2047);
        QVERIFY(fileBytes().contains(value));
    }

    void firstMatchingSectionAndKeyCount() {
        writeFile("[A]\r\nK=1\r\nK=2\r\n[a]\r\nK=3\r\nL=4\r\n");
        SettingsStore store(path());
        QCOMPARE(store.ReadNumber("A", "K", 0), 1);
        QCOMPARE(store.ReadNumber("A", "L", 0), 0);
    }

    void writesCreateReplaceAndAppend() {
        SettingsStore store(path());
        store.WriteText("Help", "Language", "Eng");
        QCOMPARE(fileBytes(), QByteArray("[Help]\r\nLanguage=Eng\r\n"));
        store.WriteNumber("FileMan", "Width", 220);
        store.WriteFlag("Help", "Shown", true);
        store.WriteNumber("FileMan", "Width", -5);
        QCOMPARE(fileBytes(), QByteArray("[Help]\r\nLanguage=Eng\r\nShown=1\r\n\r\n"
                                         "[FileMan]\r\nWidth=-5\r\n"));
        store.WriteText("Help", "Language", QString());
        QCOMPARE(store.ReadText("Help", "Language", "default"), QString());
    }

    void otherLinesStayAsTheyWere() {
        const QByteArray before = "; a comment\n[Work]\r\n  Dir = C:\\site \r\nno equals here\r\n"
                                  "\r\n[Other]\rKey=1";
        writeFile(before);
        SettingsStore(path()).WriteText("Work", "Syncro", "0");
        QCOMPARE(fileBytes(), QByteArray("; a comment\n[Work]\r\n  Dir = C:\\site \r\n"
                                         "no equals here\r\nSyncro=0\r\n\r\n[Other]\rKey=1"));
        SettingsStore(path()).WriteText("Other", "Key", "2");
        QVERIFY(fileBytes().endsWith("[Other]\rKey=2"));
        SettingsStore(path()).WriteText("Other", "New", "3");
        QVERIFY(fileBytes().endsWith("[Other]\rKey=2\r\nNew=3\r\n"));
    }

    void removeKey() {
        writeFile("[ALink]\r\nText=#FF0000\r\nCol=255\r\n");
        SettingsStore store(path());
        store.RemoveKey("alink", "col");
        QCOMPARE(fileBytes(), QByteArray("[ALink]\r\nText=#FF0000\r\n"));
        store.RemoveKey("ALink", "Col");
        store.RemoveKey("Missing", "Col");
        QCOMPARE(fileBytes(), QByteArray("[ALink]\r\nText=#FF0000\r\n"));
        QFile::remove(path());
        store.RemoveKey("ALink", "Text");
        QVERIFY(!QFile::exists(path()));
    }

    void aLineBreakEndsAStoredText() {
        SettingsStore store(path());
        store.WriteText("KeyWords", "Text", "html, editor\r\n[Help]\r\nLanguage=NL");
        store.WriteText("Other", "Text", "first\nsecond");
        QCOMPARE(store.ReadText("KeyWords", "Text", ""), QStringLiteral("html, editor"));
        QCOMPARE(store.ReadText("Help", "Language", "none"), QStringLiteral("none"));
        QCOMPARE(store.ReadText("Other", "Text", ""), QStringLiteral("first"));
    }

    void colourNumbersAsStored() {
        SettingsStore store(path());
        store.WriteNumber("ALink", "Col", 255);
        store.WriteNumber("VLink", "Col", 16711680);
        store.WriteNumber("BG", "Col", qint32(0x8000000F));
        QVERIFY(fileBytes().contains("Col=255\r\n"));
        QVERIFY(fileBytes().contains("Col=16711680\r\n"));
        QVERIFY(fileBytes().contains("Col=-2147483633\r\n"));
        QCOMPARE(store.ReadNumber("BG", "Col", 0), qint32(0x8000000F));
    }

    void encodingIsKeptAndNothingIsLost() {
        // Windows-1252 bytes stay single bytes, also the unassigned ones.
        writeFile("[Title]\r\nText=caf\xE9 \x81\x9D\r\n");
        SettingsStore store(path());
        QCOMPARE(store.ReadText("Title", "Text", ""), QStringLiteral("caf\u00E9 \u0081\u009D"));
        store.WriteText("Author", "Text", QStringLiteral("Zo\u00EB \u20AC"));
        QCOMPARE(
            fileBytes(),
            QByteArray("[Title]\r\nText=caf\xE9 \x81\x9D\r\n\r\n[Author]\r\nText=Zo\xEB \x80\r\n"));
        // A character the code page cannot hold turns the file into UTF-8.
        store.WriteText("FTP", "Path", QStringLiteral("/home/\u0160\u0151/ftp \u2192"));
        QCOMPARE(store.ReadText("FTP", "Path", ""),
                 QStringLiteral("/home/\u0160\u0151/ftp \u2192"));
        QCOMPARE(store.ReadText("Title", "Text", ""), QStringLiteral("caf\u00E9 \u0081\u009D"));
        QVERIFY(fileBytes().contains("caf\xC3\xA9"));
    }

    void rewritingTheInvalidLineDoesNotTurnOtherValuesIntoUtf8() {
        // "\xE9" alone makes the file Windows-1252, so "\xC3\xA9" reads as
        // two characters; replacing the "\xE9" line must not change that.
        writeFile("[a]\r\nk=\xE9\r\nm=\xC3\xA9\r\n");
        SettingsStore store(path());
        QCOMPARE(store.ReadText("a", "m", ""), QStringLiteral("\u00C3\u00A9"));
        store.WriteText("a", "k", QStringLiteral("x"));
        QCOMPARE(store.ReadText("a", "m", ""), QStringLiteral("\u00C3\u00A9"));
        QCOMPARE(store.ReadText("a", "k", ""), QStringLiteral("x"));
    }

    void refusedWritesRaiseTheErrorAndLeaveTheFile() {
        writeFile("[Help]\r\nLanguage=Eng\r\n");
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup);
        SettingsStore store(path());
        try {
            store.WriteText("Help", "Language", "NL");
            QFAIL("a read-only file was written");
        } catch (const UserError& error) {
            QCOMPARE(error.text(), QStringLiteral("Unable to write to ") + path());
        }
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(fileBytes(), QByteArray("[Help]\r\nLanguage=Eng\r\n"));

        // A folder that is really a file cannot hold a settings file, for any user.
        const QString blocked = dir.filePath("plain-file/settings.ini");
        QFile(dir.filePath("plain-file")).open(QIODevice::WriteOnly);
        QVERIFY_THROWS_EXCEPTION(UserError, SettingsStore(blocked).WriteFlag("A", "B", true));
    }

    void locationFallsBackWhenTheProgramFolderCannotBeWritten() {
        const QString config = dir.filePath("config");
        QCOMPARE(ProgramPlaces::For(dir.path(), config, {}, {}).SettingsPath(),
                 dir.filePath("settings.ini"));
        const QString missing = dir.filePath("no-such-folder");
        const QString fallback = ProgramPlaces::For(missing, config, {}, {}).SettingsPath();
        QCOMPARE(fallback, config + "/quillon/settings.ini");
        // The store makes the folder with its first write.
        SettingsStore store(fallback);
        store.WriteText("Help", "Language", "Eng");
        QCOMPARE(store.ReadText("Help", "Language", ""), QStringLiteral("Eng"));
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
