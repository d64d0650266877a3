#include "CommandHost.h"
#include "EditorControl.h"
#include "ImportCommands.h"
#include "ProgramPlaces.h"
#include "SettingsStore.h"
#include "support/ScriptedPrompts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A host without the main window: a bare editor stands for the document.
class SmallHost : public CommandHost {
public:
    explicit SmallHost(const QString& folder) {
        places.configFolder = folder;
        places.scratchFolder = folder + QStringLiteral("scratch/");
    }

    QWidget* CommandWindow() override { return &window; }
    const ProgramPlaces& Places() const override { return places; }
    TChildForm* ActiveDocument() const override { return nullptr; }
    EditorControl* ActiveEditor() const override { return editor; }
    void NewDocument() override {
        editor = new EditorControl(&window);
        NextDocumentNumber();
    }
    int NextDocumentNumber() override { return ++documents; }
    QString FileManagerFolder() const override { return {}; }
    void ShowFolderInFileManager(const QString&) override {}
    QString LastOpenFolder() const override { return lastOpenFolder; }
    void SetLastOpenFolder(const QString& folder) override { lastOpenFolder = folder; }
    void ApplyLanguage() override {}
    void BuildTemplate() override {}
    void SetOpenOnDoubleClick(bool) override {}
    void SetFollowFolders(bool) override {}

    QWidget window;
    ProgramPlaces places;
    EditorControl* editor = nullptr;
    int documents = 0;
    QString lastOpenFolder;
};

} // namespace

class CommandHostTest : public QObject {
    Q_OBJECT

private slots:
    // The rich-text import needs no main window: without a document it makes
    // one through the host, and its dialog starts in the Open folder when
    // the file manager shows none.
    void importIntoSmallHost() {
        QTemporaryDir folder;
        const QString path = folder.path() + QLatin1Char('/');
        SettingsStore store(path + QStringLiteral("settings.ini"));
        UseSettings(&store);
        ScriptedPrompts prompts;
        const QString sample = folder.filePath(QStringLiteral("sample.rtf"));
        QFile file(sample);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard{\\b Bold}\\par}");
        file.close();

        SmallHost host(path);
        host.SetLastOpenFolder(path);
        auto* import = new DocumentImport(host);
        prompts.answer(QStringList{sample});
        import->ImportRtf();

        QCOMPARE(prompts.asked.size(), 2);
        QCOMPARE(prompts.asked.at(0).kind, QStringLiteral("Error"));
        QCOMPARE(QDir(prompts.asked.at(1).files.folder), QDir(path));
        QCOMPARE(host.documents, 1);
        QVERIFY(host.editor);
        QVERIFY2(host.editor->Text().contains(QStringLiteral("<B>")),
                 qPrintable(host.editor->Text()));
        QVERIFY2(host.editor->Text().contains(QStringLiteral("Bold")),
                 qPrintable(host.editor->Text()));
        QVERIFY(!QFile::exists(import->ScratchHtml()));
        UseSettings(nullptr);
    }
};

QTEST_MAIN(CommandHostTest)
#include "tst_commandhost.moc"
