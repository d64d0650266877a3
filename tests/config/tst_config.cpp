#include "CodeInsidePage.h"
#include "ColorSwatch.h"
#include "DocumentProfile.h"
#include "DocumentTemplate.h"
#include "EditorControl.h"
#include "FileManagerView.h"
#include "FixedPitchFont.h"
#include "Language.h"
#include "RgbToHtml.h"
#include "SettingsStore.h"
#include "SiteCopyDialogs.h"
#include "SystemColors.h"
#include "TChildForm.h"
#include "TfCodeInside.h"
#include "TfConfig.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString Read(const char* section, const char* key, const QString& fallback = "missing") {
    return Settings().ReadText(section, key, fallback);
}

template <typename T> T* Control(QWidget* screen, const char* name) {
    T* control = screen->findChild<T*>(name);
    if (!control)
        qFatal("no control %s", name);
    return control;
}

} // namespace

class ConfigTest : public QObject {
    Q_OBJECT

    WindowFixture fixture;

    // The screen the last opening made.
    TfConfig* open(const char* command = "Options1") {
        fixture.window->action(command)->trigger();
        const QList<TfConfig*> screens = fixture.window->findChildren<TfConfig*>();
        return screens.isEmpty() ? nullptr : screens.constLast();
    }
    void close(TfConfig* screen) {
        screen->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    int informations(const QString& text) const {
        int count = 0;
        for (const auto& question : fixture.prompts->asked)
            count += question.kind == "Information" && question.text == text;
        return count;
    }

private slots:
    void init() { fixture.prepare(); }
    void cleanup() { fixture.finish(); }

    void openersCaptionsPagesAndFocus() {
        fixture.start();
        TfConfig* screen = open("Options1");
        QCOMPARE(screen->windowTitle(), QString("Configuration"));
        QCOMPARE(screen->Pages()->currentIndex(), 0);
        QCOMPARE(open("ToolButton29")->Pages()->currentIndex(), 2);
        // F10 without an FTP path.
        TfConfig* paths = open("FTPProgram1");
        QCOMPARE(paths->Pages()->currentIndex(), 1);
        QCOMPARE(paths->focusWidget(), Control<QLineEdit>(paths, "FtpPath"));
        fixture.window->OpenConfiguration(1, ConfigFocus::BrowserPath);
        TfConfig* browser = fixture.window->findChildren<TfConfig*>().constLast();
        QCOMPARE(browser->focusWidget(), Control<QLineEdit>(browser, "BrowserPath"));
        QCOMPARE(fixture.window->DocumentCounter(), 4);
        QCOMPARE(fixture.window->findChildren<TfConfig*>().size(), 4);
    }

    void aFreshFolderShowsWhatTheProgramApplies() {
        fixture.start();
        const QByteArray before = fixture.folder->settingsBytes();
        TfConfig* screen = open();
        // No library yet is no error: an empty one is made.
        QVERIFY(fixture.prompts->asked.isEmpty());
        QVERIFY(QFile::exists(fixture.folder->file("CodeC/codeinside.qci")));
        const auto ticked = [screen](const char* name) {
            return Control<QCheckBox>(screen, name)->isChecked();
        };
        for (const char* on : {"LineNumbers", "UseGutter", "UseMargin", "AskToSave", "Syncronize",
                               "CloseTags", "MatchTags", "ColorSwatches", "LivePreview"})
            QVERIFY2(ticked(on), on);
        for (const char* off : {"DoubleClickOpen", "DefaultLinkColors", "SyntaxHighlighting"})
            QVERIFY2(!ticked(off), off);
        QCOMPARE(Control<QSpinBox>(screen, "GutterWidth")->value(), 30);
        QCOMPARE(Control<QSpinBox>(screen, "FontSize")->value(), 10);
        QCOMPARE(Control<QSpinBox>(screen, "MarginRight")->value(), 80);
        const QString font = Control<QComboBox>(screen, "EditorFont")->currentText();
        QVERIFY(!font.isEmpty());
        QCOMPARE(font, FixedPitchFamily("Courier New"));
        // Every page shows whole, without scrolling.
        QVERIFY(screen->width() >= 747 && screen->height() >= 467);
        for (int i = 0; i < screen->Pages()->count(); ++i) {
            screen->Pages()->setCurrentIndex(i);
            QApplication::processEvents();
            auto* scroller = qobject_cast<QScrollArea*>(screen->Pages()->widget(i));
            QCOMPARE(scroller->verticalScrollBar()->maximum(), 0);
            QCOMPARE(scroller->horizontalScrollBar()->maximum(), 0);
        }
        // Looking changes nothing.
        close(screen);
        QCOMPARE(fixture.folder->settingsBytes(), before);
        QVERIFY(fixture.prompts->asked.isEmpty());
    }

    void gutterWidthIsStoredHalved() {
        fixture.start();
        TfConfig* screen = open();
        // A missing width is shown as the 15 the editor uses, doubled.
        QCOMPARE(Control<QSpinBox>(screen, "GutterWidth")->value(), 30);
        QCOMPARE(Read("Gutter", "Width"), QString("missing"));
        Control<QSpinBox>(screen, "GutterWidth")->setValue(31);
        QCOMPARE(Read("Gutter", "Width"), QString("15"));
        close(screen);
        QCOMPARE(Control<QSpinBox>(open(), "GutterWidth")->value(), 30);
        Settings().WriteNumber("Gutter", "Width", 7);
        QCOMPARE(Control<QSpinBox>(open(), "GutterWidth")->value(), 14);
    }

    void restartMessageOnlyForItsControls() {
        fixture.start("[Font]\r\nSize=12\r\n[FTP]\r\nPath=/opt/ftp\r\n");
        TfConfig* screen = open();
        // Filling the size from the store wrote it, but needs no restart.
        QVERIFY(!screen->RestartNeeded());
        Control<QCheckBox>(screen, "UseGutter")->click();
        QCOMPARE(Read("Gutter", "Vis"), QString("0"));
        Control<QCheckBox>(screen, "UseGutter")->click();
        QCOMPARE(Read("Gutter", "Vis"), QString("1"));
        QVERIFY(Control<QSpinBox>(screen, "MarginRight")->isVisibleTo(screen));
        Control<QCheckBox>(screen, "UseMargin")->click();
        QVERIFY(!Control<QSpinBox>(screen, "MarginRight")->isVisibleTo(screen));
        close(screen);
        QCOMPARE(informations(LangText("SetChange")), 0);

        const char* restarting[] = {"FontSize", "TextSize"};
        for (const char* name : restarting) {
            screen = open();
            Control<QSpinBox>(screen, name)->stepUp();
            close(screen);
        }
        screen = open();
        fixture.prompts->answer(std::optional<QColor>(QColor(255, 0, 0)));
        emit Control<ColorSwatch>(screen, "EditorBackground")->clicked();
        QCOMPARE(Read("EditWindow", "BGCol"), QString("255"));
        Control<QPushButton>(screen, "FontColorClear")->click();
        QCOMPARE(Read("Font", "Color"), QString());
        Control<QCheckBox>(screen, "AskToSave")->click();
        close(screen);
        QCOMPARE(Read("Font", "Size"), QString("13"));
        QCOMPARE(informations(LangText("SetChange")), 3);
    }

    void languageSwitchesTheMenusOnClose() {
        fixture.start();
        TfConfig* screen = open();
        auto* languages = Control<QComboBox>(screen, "LanguageList");
        QCOMPARE(languages->currentText(), QString("English"));
        languages->setCurrentIndex(1);
        emit languages->activated(1);
        QCOMPARE(Read("Help", "Language"), QString("NL"));
        QCOMPARE(fixture.window->menuBar()->actions().constFirst()->text(), QString("&File"));
        close(screen);
        QCOMPARE(fixture.window->menuBar()->actions().constFirst()->text(), QString("&Bestand"));
        QCOMPARE(fixture.window->LanguageValue(), QString("NL"));
        QCOMPARE(Control<QComboBox>(open(), "LanguageList")->currentText(), QString("Nederlands"));
    }

    void pathsAndWorkDirectory() {
        fixture.start();
        TfConfig* screen = open();
        Control<QLineEdit>(screen, "FtpPath")->setText("/usr/bin/ftp");
        const QString work = fixture.folder->file("site");
        QDir().mkpath(work);
        Control<QLineEdit>(screen, "WorkDirectory")->setText(work);
        Control<QCheckBox>(screen, "DoubleClickOpen")->click();
        QCOMPARE(Read("DoubleClick", "Open"), QString("1"));
        QVERIFY(fixture.window->OpenOnDoubleClick());
        Control<QCheckBox>(screen, "Syncronize")->click();
        QVERIFY(!fixture.window->FollowFolders());
        QCOMPARE(Read("FTP", "Path"), QString("missing"));
        close(screen);
        QCOMPARE(Read("FTP", "Path"), QString("/usr/bin/ftp"));
        QCOMPARE(fixture.window->FileView()->CurrentFolder(), work);
        QCOMPARE(Read("Work", "Dir"), QString("missing"));

        // The chooser stores the directory at once; a program must be one.
        screen = open();
        fixture.prompts->answer([&](QDialog& dialog) {
            static_cast<TfSelDir&>(dialog).SelectFolder(work);
            return int(QDialog::Accepted);
        });
        Control<QPushButton>(screen, "WorkDirectoryChoose")->click();
        QCOMPARE(Read("Work", "Dir"), work);
        fixture.prompts->answer(QStringList{fixture.folder->settingsPath()});
        Control<QPushButton>(screen, "BrowserChoose")->click();
        QCOMPARE(fixture.prompts->asked.constLast().files.filters.constFirst().label,
                 QString("Executables (*)"));
        QCOMPARE(Read("WEB", "Path"), QString("missing"));
        const QString program = fixture.folder->file("browser");
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.setPermissions(file.permissions() | QFile::ExeOwner);
        file.close();
        fixture.prompts->answer(QStringList{program});
        Control<QPushButton>(screen, "BrowserChoose")->click();
        QCOMPARE(Read("WEB", "Path"), program);
        close(screen);
    }

    void newFileSetupAndLinkColours() {
        fixture.start();
        TfConfig* screen = open();
        // The tick box alone is not stored.
        Control<QCheckBox>(screen, "DefaultLinkColors")->click();
        close(screen);
        QCOMPARE(Read("DefLinkCol", "On"), QString("missing"));

        screen = open();
        fixture.prompts->answer(std::optional<QColor>(QColor(0x80, 0, 0x80)));
        emit Control<ColorSwatch>(screen, "VLinkColor")->clicked();
        QCOMPARE(Read("VLink", "Text"), QString("#800080"));
        QCOMPARE(Read("VLink", "Col"), QString::number(0x800080));
        Control<QLineEdit>(screen, "Title")->setText("My site");
        Control<QCheckBox>(screen, "DefaultLinkColors")->click();
        close(screen);
        QCOMPARE(Read("Title", "Text"), QString("My site"));
        QCOMPARE(Read("DefLinkCol", "On"), QString("1"));
        fixture.window->action("New1")->trigger();
        EditorControl* editor = fixture.window->ActiveEditor();
        QVERIFY(editor->Text().contains("<title>My site</title>"));
        QVERIFY(editor->Text().contains("<body vlink=\"#800080\">"));

        screen = open();
        // The colour dialog opens with the colour picked last in this screen.
        Control<QPushButton>(screen, "VLinkColorClear")->click();
        QCOMPARE(Read("VLink", "Text"), QString());
        QCOMPARE(Read("VLink", "Col"), QString("missing"));
        close(screen);
    }

    void codeInsideAddAndExpand() {
        fixture.start();
        fixture.window->action("New1")->trigger();
        TChildForm* before = fixture.window->ActiveDocument();
        TfConfig* screen = open("ToolButton29");
        CodeInsidePage* page = screen->CodeInsideSetup();
        QVERIFY(!page->Codes()->isVisibleTo(screen));
        Control<QCheckBox>(screen, "UseCodeInside")->click();
        QVERIFY(page->Codes()->isVisibleTo(screen));
        fixture.prompts->answer([](QDialog& dialog) {
            auto& window = static_cast<TfCodeInside&>(dialog);
            window.Key()->setText("tbl");
            window.Comment()->setText("simple table");
            window.Code()->SetText("<table>\r\n  <td>|</td>\r\n</table>");
            return int(QDialog::Accepted);
        });
        Control<QPushButton>(screen, "AddCode")->click();
        QCOMPARE(page->Codes()->count(), 1);
        QCOMPARE(page->Comments()->item(0)->text(), QString("simple table"));
        close(screen);

        fixture.window->action("New1")->trigger();
        EditorControl* editor = fixture.window->ActiveEditor();
        editor->SetText("  tbl");
        editor->SetCaretPosition({6, 1});
        QTest::keyClick(editor->focusProxy(), Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(editor->Text(), QString("  <table>\r\n    <td></td>\r\n  </table>\r\n"));
        QCOMPARE(editor->CaretPosition(), (TextPosition{9, 2}));
        // A window made before the switch has no expansion.
        before->Editor()->SetText("tbl");
        before->Editor()->SetCaretPosition({4, 1});
        QTest::keyClick(before->Editor()->focusProxy(), Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(before->Editor()->Text(), QString("tbl\r\n"));
    }

    void unreadableLibraryIsReportedOnce() {
        QVERIFY(QDir().mkpath(fixture.folder->file("CodeC/codeinside.qci")));
        fixture.start("[Use]\r\nCodeInside=1\r\n");
        fixture.window->action("New1")->trigger();
        fixture.window->action("New1")->trigger();
        const QString error =
            "Cannot open file " + QDir(fixture.folder->path()).filePath("CodeC/codeinside.qci");
        QCOMPARE(fixture.prompts->askedTexts(), QStringList{error});
    }

    void codeInsideEditsDeleteAndImport() {
        QDir().mkpath(fixture.folder->file("CodeC"));
        QFile library(fixture.folder->file("CodeC/codeinside.qci"));
        QVERIFY(library.open(QIODevice::WriteOnly));
        library.write("[a | first]\r\none\r\n\r\n[b | second]\r\ntwo\r\n\r\n");
        library.close();
        fixture.start("[Use]\r\nCodeInside=1\r\n");
        TfConfig* screen = open("ToolButton29");
        CodeInsidePage* page = screen->CodeInsideSetup();
        QCOMPARE(page->Library().Codes(), (QStringList{"a", "b"}));
        // An edit with no row selected belongs to no entry.
        page->Editor()->ReplaceSelection("stray");
        Control<QPushButton>(screen, "SaveChanges")->click();
        QCOMPARE(fixture.prompts->asked.constLast().kind, QString("Information"));
        QCOMPARE(page->Library().Snippets(), (QStringList{"one\r\n", "two\r\n"}));

        page->Comments()->setCurrentRow(1);
        QCOMPARE(page->Codes()->currentRow(), 1);
        QCOMPARE(page->Editor()->Text(), QString("two\r\n"));
        page->Editor()->ReplaceSelection("new ");
        fixture.prompts->answerYes();
        page->Codes()->setCurrentRow(0);
        QCOMPARE(fixture.prompts->asked.constLast().text, LangText("DoYou"));
        QCOMPARE(page->Library().Snippets(), (QStringList{"one\r\n", "new two\r\n"}));
        QCOMPARE(page->Editor()->Text(), QString("one\r\n"));

        // A save that fails on the way to another row keeps the edited row
        // selected with its edit; the next save puts the edit there.
        page->Editor()->ReplaceSelection("more ");
        const QString codeC = fixture.folder->file("CodeC");
        QVERIFY(QDir().rename(codeC, codeC + ".away"));
        QFile blocker(codeC);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        fixture.prompts->answerYes();
        page->Codes()->setCurrentRow(1);
        QCOMPARE(fixture.prompts->asked.constLast().kind, QString("Error"));
        QCOMPARE(page->Codes()->currentRow(), 0);
        QCOMPARE(page->Comments()->currentRow(), 0);
        QCOMPARE(page->Editor()->Text(), QString("more one\r\n"));
        QVERIFY(blocker.remove());
        QVERIFY(QDir().rename(codeC + ".away", codeC));
        Control<QPushButton>(screen, "SaveChanges")->click();
        QCOMPARE(page->Library().Snippets(), (QStringList{"more one\r\n", "new two\r\n"}));

        Control<QPushButton>(screen, "DeleteSelected")->click();
        QCOMPARE(page->Library().Codes(), QStringList{"b"});
        const QString exported = fixture.folder->file("mine.qci");
        fixture.prompts->answer(std::optional<QString>(exported));
        Control<QPushButton>(screen, "ExportCodeInside")->click();
        QVERIFY(QFile::exists(exported));
        QFile other(fixture.folder->file("other.qci"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("x\r\n=1\r\n");
        other.close();
        fixture.prompts->answer(QStringList{other.fileName()});
        Control<QPushButton>(screen, "ImportCodeInside")->click();
        QCOMPARE(page->Codes()->item(0)->text(), QString("x"));
        close(screen);
    }

    void profilesCarryTheSetup() {
        fixture.start();
        const QString profile = fixture.folder->file("site.qdp");
        TfConfig* screen = open();
        fixture.prompts->answer(std::optional<QString>(profile));
        Control<QPushButton>(screen, "ExportProfile")->click();
        QCOMPARE(fixture.prompts->asked.constLast().text, QString("Profile has been exported !"));
        const SettingsStore file(profile);
        QCOMPARE(file.ReadNumber("BG", "Col", 0), -2147483633);
        QCOMPARE(file.ReadText("Link", "Text", {}), ColorToHtml(kButtonFaceNumber));
        close(screen);

        QFile hand(profile);
        QVERIFY(hand.open(QIODevice::WriteOnly));
        hand.write(
            "[doc]\r\nTITLE=Imported\r\nKeywords=a, b\r\n[Vlink]\r\ntext=#123456\r\ncol=1193046\r\n"
            "[DefLinkCol]\r\nOn=1\r\n");
        hand.close();
        screen = open();
        fixture.prompts->answerNo();
        Control<QPushButton>(screen, "ImportProfile")->click();
        QCOMPARE(Read("Title", "Text"), QString("missing"));
        fixture.prompts->answerYes();
        fixture.prompts->answer(QStringList{profile});
        Control<QPushButton>(screen, "ImportProfile")->click();
        QCOMPARE(fixture.prompts->asked.constLast().text, QString("Profile has been loaded"));
        QCOMPARE(Read("Title", "Text"), QString("Imported"));
        QCOMPARE(Read("ALink", "Col"), QString("0"));
        QCOMPARE(Read("ALink", "Text"), QString());
        QCOMPARE(Control<QLineEdit>(screen, "Title")->text(), QString("Imported"));
        QCOMPARE(Control<ColorSwatch>(screen, "VLinkColor")->Color(), 0x123456);
        close(screen);
        fixture.window->action("New1")->trigger();
        const QString text = fixture.window->ActiveEditor()->Text();
        QVERIFY(text.contains("<title>Imported</title>"));
        QVERIFY(text.contains("content=\"a, b\""));
        QVERIFY2(text.contains("<body vlink=\"#123456\">"), qPrintable(text));
    }

    // A profile exported on one program folder and imported on another gives
    // the same new documents.
    void profileMovesBetweenInstallations() {
        QTemporaryDir first, second;
        SettingsStore source(first.filePath("settings.ini"));
        const QByteArray setup =
            "[Title]\r\nText=Shop\r\n[DESC]\r\nText=Things\r\n[KeyWords]\r\n"
            "Text=buy\r\n[Author]\r\nText=Me\r\n[StyleSheet]\r\nPath=s.css\r\n"
            "[Background]\r\nImage=b.gif\r\n[DefLinkCol]\r\nOn=1\r\n"
            "[BG]\r\nText=#FFFFFF\r\nCol=16777215\r\n[ALink]\r\nText=#FF0000\r\n"
            "Col=255\r\n[VLink]\r\nText=#00FF00\r\nCol=65280\r\n"
            "[Link]\r\nText=#0000FF\r\nCol=16711680\r\n";
        QFile file(source.SettingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(setup);
        file.close();
        DocumentProfile profile;
        profile.title = "Shop";
        profile.description = "Things";
        profile.keywords = "buy\r\n";
        profile.author = "Me";
        profile.styleSheet = "s.css";
        profile.background = "b.gif";
        profile.defaultLinkColors = true;
        profile.colors = {
            {{"#FF0000", 255}, {"#00FF00", 65280}, {"#0000FF", 16711680}, {"#FFFFFF", 0xFFFFFF}}};
        const QString path = first.filePath("site.qdp");
        ExportProfile(path, profile);
        SettingsStore target(second.filePath("settings.ini"));
        StoreProfile(target, ReadProfile(path));
        const QDateTime at(QDate(2024, 5, 1), QTime(12, 0));
        const QStringList lines = BuildTemplate(target, at).lines;
        QCOMPARE(lines, BuildTemplate(source, at).lines);
        QVERIFY(lines.contains("<body bgcolor=\"#FFFFFF\" background=\"b.gif\" alink=\"#FF0000\" "
                               "vlink=\"#00FF00\" link=\"#0000FF\">"));
    }
};

QTEST_MAIN(ConfigTest)
#include "tst_config.moc"
