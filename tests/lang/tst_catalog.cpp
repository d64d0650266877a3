#include "ApplyLanguage.h"
#include "LangCatalog.h"
#include "Language.h"
#include "SettingsStore.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// A status bar that takes its first panel's text as "panelText".
class PanelTextHolder : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString panelText MEMBER panelText)
public:
    using QWidget::QWidget;
    QString panelText;
};

class CatalogTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;

    QString path() const { return dir.filePath("settings.ini"); }
    void setLanguage(const QByteArray& value) {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Help]\r\nLanguage=" + value + "\r\n");
    }
    QByteArray settingsBytes() {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init() {
        QFile::remove(path());
        store = std::make_unique<SettingsStore>(path());
        UseSettings(store.get());
    }
    void cleanup() { UseSettings(nullptr); }

    void firstLookupWritesEnglish() {
        QCOMPARE(LangText("0027"), QStringLiteral("Configuration Screen"));
        QCOMPARE(settingsBytes(), QByteArray("[Help]\r\nLanguage=Eng\r\n"));
        setLanguage("");
        QCOMPARE(LangText("001"), QStringLiteral("&File"));
        QCOMPARE(settingsBytes(), QByteArray("[Help]\r\nLanguage=Eng\r\n"));
    }

    void dutchTexts() {
        setLanguage("NL");
        QCOMPARE(LangText("0027"), QStringLiteral("Configuratie Scherm"));
        QCOMPARE(LangText("48"), QStringLiteral("Underline"));
        QCOMPARE(LangText("6"), QStringLiteral("Kopi\u00EBren"));
        QCOMPARE(LangText("001"), QStringLiteral("&Bestand"));
    }

    void otherLanguageValuesSpeakEnglish() {
        for (const QByteArray& value : {QByteArray("eng"), QByteArray("nl"), QByteArray("FR")}) {
            setLanguage(value);
            QCOMPARE(CurrentLanguage(), Language::English);
            QCOMPARE(LangText("0027"), QStringLiteral("Configuration Screen"));
            QCOMPARE(settingsBytes(), "[Help]\r\nLanguage=" + value + "\r\n");
        }
    }

    void unknownKeysAreEmpty() {
        QCOMPARE(LangText("Exit"), QString());    // a message key only
        QCOMPARE(LangText("stextno"), QString()); // keys keep their case
        QCOMPARE(LangText(""), QString());
        QCOMPARE(CatalogMessage("DelFile2", "x", Language::English), QString());
    }

    void textsAreExactToTheCharacter() {
        QCOMPARE(CatalogText("Sluit1", Language::English),
                 QStringLiteral("Do you wish to close the file \" "));
        QCOMPARE(CatalogText("Sluit2", Language::English),
                 QStringLiteral(" \"  without saving it  ?"));
        QCOMPARE(CatalogText("lowercase", Language::English),
                 QStringLiteral("The whole document will be set in Lowercase character (Undo not "
                                "possible) !\n\rDo you wish to continue ?"));
        QCOMPARE(CatalogText("SetChange", Language::Dutch),
                 QStringLiteral("Om de nieuwe wijzigingen door te voeren moet u het programma "
                                "opnieuw starten\n\rOf sluit al uw documenten af"));
        QCOMPARE(CatalogText("NewVersion", Language::Dutch),
                 QStringLiteral("[*| Er is een nieuwe versie beschikbaar ... ! |*]"));
        QCOMPARE(CatalogText("12", Language::English),
                 QStringLiteral("Load's your document into your favorite browser"));
        QCOMPARE(
            CatalogText("VerNumErr", Language::Dutch),
            QStringLiteral("*** Versie nummmer kon niet opgehaald worden van de server ... ***"));
        QCOMPARE(CatalogMessage("DelConfirm", {}, Language::Dutch),
                 QStringLiteral("Als u doorgaat dan worden de geselecteerde bestanden definitief "
                                "verwijderd ! Wilt u doorgaan ? "));
    }

    void argumentsArePlacedAsTheEntrySays() {
        QCOMPARE(CatalogMessage("DelFile", "index.htm", Language::English),
                 QStringLiteral("Do you really want to delete the file  index.htm  ?"));
        QCOMPARE(CatalogMessage("DelFile", "index.htm", Language::Dutch),
                 QStringLiteral("Wilt u het bestand  index.htm  verwijderen ?"));
        QCOMPARE(CatalogMessage("NoLi", "120", Language::English),
                 QStringLiteral("Your document does not have (120) line(s) !"));
        QCOMPARE(CatalogMessage("ErrDelFolder", "/site/img", Language::English),
                 QStringLiteral("The following folder  /site/img \n\rCouldn't be deleted cause "
                                "it's not empty or it's not a folder"));
        QCOMPARE(CatalogMessage("ImpDoc", "a.html", Language::English),
                 QStringLiteral("Do you want the document imported into  a.html  ?\n\rOtherwise "
                                "the contents will be loaded into a new document"));
        QCOMPARE(CatalogMessage("Exit", "ignored", Language::Dutch),
                 QStringLiteral("Wilt u Quillon afsluiten ?"));
    }

    void catalogIsComplete() {
        QSet<QString> textKeys;
        for (const CatalogTextEntry& entry : CatalogTexts()) {
            const QString key = QString::fromUtf16(entry.key);
            QVERIFY2(!textKeys.contains(key), qPrintable("duplicate key " + key));
            textKeys.insert(key);
            QVERIFY2(*entry.english && *entry.dutch, qPrintable("empty text for " + key));
        }
        QCOMPARE(textKeys.size(), 29 + 67 + 13 + 5 + 32 + 12 + 5);
        QSet<QString> messageKeys;
        for (const CatalogMessageEntry& entry : CatalogMessages())
            messageKeys.insert(QString::fromUtf16(entry.key));
        QCOMPARE(messageKeys.size(), 19);
        for (const LanguageTarget& target : ApplyLanguageTargets())
            QVERIFY(textKeys.contains(QString::fromUtf16(target.key)));
        QCOMPARE(qsizetype(ApplyLanguageTargets().size()), qsizetype(73));
    }

    void messagesShowTheirKindAndAnswer() {
        ScriptedPrompts prompts;
        QCOMPARE(LangMessage("DelFileAllAbort", {}, 2), false);
        prompts.answerYes();
        QCOMPARE(LangMessage("Exit", {}, 1), true);
        prompts.answerNo();
        QCOMPARE(LangMessage("Exit", {}, 1), false);
        QCOMPARE(LangMessage("ONum", {}, 0), false);
        QCOMPARE(LangMessage("NoSuchKey", {}, 0), false);
        QCOMPARE(LangMessage("Exit", {}, 3), false);
        QCOMPARE(LangMessage("Exit", {}, -1), false);
        QCOMPARE(prompts.asked.size(), 5);
        QCOMPARE(prompts.asked[0].kind, QStringLiteral("Information"));
        QCOMPARE(prompts.asked[0].text, QStringLiteral("Aborted : No files have been deleted !"));
        QCOMPARE(prompts.asked[1].kind, QStringLiteral("Confirm"));
        QCOMPARE(prompts.asked[1].text, QStringLiteral("Do you really want to quit Quillon ?"));
        QCOMPARE(prompts.asked[3].kind, QStringLiteral("Error"));
        QCOMPARE(prompts.asked[3].text, QStringLiteral("Please only fill in numbers !"));
        QCOMPARE(prompts.asked[4].text, QString());
        setLanguage("NL");
        LangMessage("DelFileAllAbort", {}, 2);
        QCOMPARE(prompts.asked.last().text,
                 QStringLiteral("Gestopt : Er zijn geen bestanden verwijderd !"));
        QCOMPARE(prompts.unanswered, 0);
    }

    void unwritableSettingsAreReportedOnce() {
        QFile(dir.filePath("blocker")).open(QIODevice::WriteOnly);
        SettingsStore blocked(dir.filePath("blocker/settings.ini"));
        UseSettings(&blocked);
        ScriptedPrompts prompts;
        QCOMPARE(LangText("0011"), QStringLiteral("&Exit"));
        QCOMPARE(LangText("0012"), QStringLiteral("&Edit"));
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(prompts.asked[0].kind, QStringLiteral("Error"));
        QCOMPARE(prompts.asked[0].text,
                 "Unable to write to " + dir.filePath("blocker/settings.ini"));
    }

    void applyLanguageSetsCaptionsHintsAndPanels() {
        setLanguage("NL");
        QWidget root;
        auto* fileMenu = new QMenu("&File", &root);
        fileMenu->setObjectName("File1");
        auto* newEntry = new QAction("&New", &root);
        newEntry->setObjectName("New1");
        auto* button = new QAction(&root);
        button->setObjectName("ToolButton1");
        auto* hideButton = new QWidget(&root);
        hideButton->setObjectName("SpeedButton2");
        auto* browser = new QWidget(&root);
        browser->setObjectName("Panel7");
        auto* browserStatus = new PanelTextHolder(browser);
        browserStatus->setObjectName("StatusBar1");
        auto* documentStatus = new PanelTextHolder(&root);
        documentStatus->setObjectName("StatusBar1");

        ApplyLanguage(&root);
        QCOMPARE(fileMenu->title(), QStringLiteral("&Bestand"));
        QCOMPARE(newEntry->text(), QStringLiteral("&Nieuw"));
        QCOMPARE(button->toolTip(), QStringLiteral("Maak een nieuw document"));
        QCOMPARE(hideButton->toolTip(), QStringLiteral("Sluit de file manager"));
        QCOMPARE(browserStatus->panelText, QStringLiteral("Druk op esc om te sluiten ..."));
        QCOMPARE(documentStatus->panelText, QString());
    }
};

QTEST_MAIN(CatalogTest)
#include "tst_catalog.moc"
