#include "EditorControl.h"
#include "FileManagerView.h"
#include "ImportCommands.h"
#include "RtfReader.h"
#include "TChildForm.h"
#include "TfMain.h"
#include "TfProgress.h"
#include "WordProcessor.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <QUrl>

namespace {

const QByteArray kSample = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}"
                           "{\\colortbl;\\red255\\green0\\blue0;}"
                           "\\pard\\qc\\fs20{\\b Bold} {\\cf1 red}\\par"
                           "\\pard{\\*\\pn\\pnlvlblt}item\\par}";

// Stands in for LibreOffice: "converts" by copying the document under the
// name LibreOffice would give it.
const QByteArray kFakeWordProcessor = "#!/bin/sh\n"
                                      "out=\"\"\n"
                                      "while [ $# -gt 1 ]; do\n"
                                      "  [ \"$1\" = \"--outdir\" ] && out=\"$2\"\n"
                                      "  shift\n"
                                      "done\n"
                                      "name=$(basename \"$1\")\n"
                                      "mkdir -p \"$out\" && cp \"$1\" \"$out/${name%.*}.rtf\"\n";

} // namespace

class ImportTest : public QObject, WindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> files;

    QString write(const QString& name, const QByteArray& bytes, bool executable = false) {
        const QString path = files->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write a sample");
        file.write(bytes);
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }
    QString documentText() const {
        EditorControl* editor = window->ActiveEditor();
        return editor ? editor->Text() : QString();
    }
    bool scratchFilesLeft() const {
        return QFile::exists(folder->file("rtfTemp.rtf")) ||
               QFile::exists(folder->file("rtfTemp.html"));
    }
    void drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent event(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &event);
    }
    void press(int key) {
        QApplication::setActiveWindow(window.get());
        window->setFocus();
        QTest::keyClick(window.get(), Qt::Key(key));
    }

private slots:
    void init() {
        prepare();
        files = std::make_unique<QTemporaryDir>();
        start("[ToolBars]\r\nFileManager=1\r\n");
        window->FileView()->SelectFolder(files->path());
        WordProcessor::SetProgram(write("soffice", kFakeWordProcessor, true));
    }
    void cleanup() {
        WordProcessor::SetProgram(QString());
        finish();
        files.reset();
    }

    void rtfIntoNewDocumentWithProgress() {
        const QString sample = write("sample.rtf", kSample);
        prompts->answer(QStringList{sample});
        QCOMPARE(window->action("rtfdocuments1")->shortcut(), QKeySequence(Qt::Key_F6));
        press(Qt::Key_F6);
        QVERIFY(prompts->asked.size() >= 2);
        QCOMPARE(prompts->asked.at(0).kind, QStringLiteral("Error"));
        QCOMPARE(prompts->asked.at(0).text,
                 QStringLiteral("There is no edit window open a new document will be created !"));
        const FileDialogRequest request = prompts->asked.at(1).files;
        QCOMPARE(QDir(request.folder), QDir(files->path()));
        QCOMPARE(request.filters.at(0).patterns, QStringLiteral("*.rtf"));
        QCOMPARE(window->Documents().size(), 1);
        const QString text = documentText();
        QVERIFY2(text.contains(QStringLiteral(
                     "<BR><FONT COLOR=#000000 SIZE=4 FACE=\"Arial\"><B><P ALIGN=\"CENTER\">Bold")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("<FONT COLOR=#FF0000 SIZE=4 FACE=\"Arial\">red")));
        QVERIFY2(text.contains(
                     QStringLiteral("</P><LI><P ALIGN=\"LEFT\">item\r\n</FONT>\r\n</P></LI>\r\n")),
                 qPrintable(text));
        QVERIFY(!scratchFilesLeft());
        TfProgress* progress = window->Imports()->Progress();
        QVERIFY(progress);
        QCOMPARE(progress->windowTitle(), QStringLiteral("Import progress ..."));
        QVERIFY(progress->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(progress->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(progress->Text(),
                 QStringLiteral("Importing document : sample.rtf one moment please ..."));
        QTRY_COMPARE(progress->Text(),
                     QStringLiteral("Import of sample.rtf completed succesfully !"));
        QTRY_VERIFY(!window->Imports()->Progress());
    }

    void targetQuestionAndCancel() {
        const QString sample = write("sample.rtf", "{\\rtf1 Imported\\par}");
        // Cancelling the dialog after the no-document message creates nothing.
        window->action("rtfdocuments1")->trigger();
        QCOMPARE(prompts->askedTexts().size(), 2);
        QVERIFY(window->Documents().isEmpty());

        window->NewDocument();
        TChildForm* first = window->ActiveDocument();
        first->Editor()->SetText(QStringLiteral("before"));
        prompts->answerNo();
        prompts->answer(QStringList{sample});
        window->action("rtfdocuments1")->trigger();
        QVERIFY(prompts->asked.last().kind == QStringLiteral("Open"));
        const QString question = prompts->asked.at(prompts->asked.size() - 2).text;
        QVERIFY(question.startsWith(QStringLiteral("Do you want the document imported into ")));
        QVERIFY(question.contains(CaptionFileName(first->Caption())));
        QCOMPARE(window->Documents().size(), 2);
        QVERIFY(documentText().contains(QStringLiteral("<BR>Imported")));
        QCOMPARE(first->Editor()->Text(), QStringLiteral("before\r\n"));

        window->MdiArea()->setActiveSubWindow(window->MdiArea()->subWindowList().first());
        first->Editor()->SetCaretPosition({7, 1});
        prompts->answerYes();
        prompts->answer(QStringList{sample});
        window->action("rtfdocuments1")->trigger();
        QCOMPARE(window->Documents().size(), 2);
        QVERIFY(first->Editor()->Text().startsWith(QStringLiteral("before\r\n\r\n\r\n<FONT")));
        QVERIFY(!scratchFilesLeft());
    }

    void damagedFilesEndInTheErrorMessage() {
        window->NewDocument();
        window->ActiveEditor()->SetText(QStringLiteral("kept"));
        const QString impDocError = QStringLiteral(
            "An error occured while importing the document. Please check if the filename is "
            "correct, or the file maybe damaged");
        for (const QByteArray& bytes : {QByteArray(), QByteArray("not rich text")}) {
            prompts->answerYes();
            prompts->answer(QStringList{write("bad.rtf", bytes)});
            window->action("rtfdocuments1")->trigger();
            QCOMPARE(prompts->asked.last().text, impDocError);
        }
        prompts->answerYes();
        prompts->answer(QStringList{files->filePath("missing.rtf")});
        window->action("rtfdocuments1")->trigger();
        QCOMPARE(prompts->asked.last().text, impDocError);
        // No word processor.
        WordProcessor::SetProgram(files->filePath("no-such-soffice"));
        prompts->answerYes();
        prompts->answer(QStringList{write("a.doc", kSample)});
        QCOMPARE(window->action("docdocuments1")->shortcut(), QKeySequence(Qt::Key_F7));
        window->action("docdocuments1")->trigger();
        QCOMPARE(prompts->asked.last().text, impDocError);
        QCOMPARE(window->Documents().size(), 1);
        QCOMPARE(documentText(), QStringLiteral("kept\r\n"));
        QVERIFY(!scratchFilesLeft());
    }

    void wordProcessorTimeOut() {
        WordProcessor::SetProgram(write("slow", "#!/bin/sh\nsleep 30\n", true));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!WordProcessor::ConvertToRtf(write("a.doc", "x"), files->filePath("out.rtf"), 300));
        QVERIFY(timer.elapsed() < 10000);
        QVERIFY(!QFile::exists(files->filePath("out.rtf")));
    }

    void dropAsksOnceAndImportsLowerCaseExtensions() {
        const QString doc = write("a.doc", "{\\rtf1 from doc\\par}");
        const QString html = write("b.html", "<b>B</b>");
        const QString upper = write("C.RTF", "{\\rtf1 C}");
        window->NewDocument();
        window->ActiveEditor()->SetText(QString());
        prompts->answerYes();
        drop({doc, html, upper});
        QCOMPARE(prompts->askedTexts(),
                 QStringList({"Do you want to load the contents into your document ?\n\r"
                              "Otherwise a new edit window will be opened"}));
        QCOMPARE(window->Documents().size(), 1);
        const QString text = documentText();
        QVERIFY2(text.contains(QStringLiteral("<BR>from doc")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("<b>B</b>{\\rtf1 C}")));
        QCOMPARE(window->Imports()->Progress()->Text(),
                 QStringLiteral("Importing document : a.doc one moment please ..."));
        QVERIFY(!scratchFilesLeft());
    }

    void dropOnEmptyWindowAndOfAFolder() {
        drop({write("x.html", "dropped-x")});
        QVERIFY(prompts->askedTexts().isEmpty());
        QCOMPARE(window->Documents().size(), 1);
        QVERIFY(documentText().contains(QStringLiteral("dropped-x")));
        // A folder is reported and the rest of the drop is left.
        QDir(files->path()).mkdir(QStringLiteral("sub"));
        prompts->answerYes();
        drop({files->filePath("sub"), write("y.html", "dropped-y")});
        QCOMPARE(prompts->asked.last().kind, QStringLiteral("Error"));
        QVERIFY(prompts->asked.last().text.contains(QStringLiteral("sub")));
        QVERIFY(!documentText().contains(QStringLiteral("dropped-y")));
    }

    void exportInSyntaxColours() {
        window->action("Documenttortf1")->trigger();
        QVERIFY(prompts->asked.isEmpty());
        window->NewDocument();
        window->ActiveEditor()->SetText(QStringLiteral("<b>\u00E9\u0416</b>\r\n\t{x}\\"));
        const QString target = files->filePath("out.rtf");
        prompts->answer(std::optional<QString>(files->filePath("out")));
        window->action("Documenttortf1")->trigger();
        QCOMPARE(prompts->asked.at(0).files.defaultSuffix, QStringLiteral("rtf"));
        QCOMPARE(prompts->asked.last().text, QStringLiteral("Export complete !"));
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray rtf = file.readAll();
        QVERIFY(rtf.contains("Courier New") && rtf.contains("\\fs20") &&
                rtf.contains("{\\title Untitled}") && rtf.contains("\\u233?\\u1046?"));
        QVERIFY(rtf.count("\\red") > 3);
        const auto read = ReadRtf(rtf);
        QVERIFY(read);
        QCOMPARE(read->LineText(0), QStringLiteral("<b>\u00E9\u0416</b>"));
        QCOMPARE(read->LineText(1), QStringLiteral("\t{x}\\"));
        QVERIFY(read->FormatAt(1).color != read->FormatAt(3).color); // tag name and text
        // A file that cannot be written is reported and not left half-written.
        prompts->answer(std::optional<QString>(files->filePath("none/out.rtf")));
        window->action("Documenttortf1")->trigger();
        QVERIFY(prompts->asked.last().text.startsWith(QStringLiteral("Unable to write")));
        QVERIFY(!QDir(files->filePath("none")).exists());
    }

    void docThroughLibreOffice() {
        WordProcessor::SetProgram(QString());
        const QString soffice = WordProcessor::Program();
        if (soffice.isEmpty())
            QSKIP("LibreOffice is not installed");
        // A real .doc, made by LibreOffice from the sample.
        const QString rtf = write("word.rtf", kSample);
        QProcess make;
        make.start(soffice,
                   {QStringLiteral("-env:UserInstallation=") +
                        QUrl::fromLocalFile(files->filePath("profile")).toString(),
                    "--headless", "--convert-to", "doc", "--outdir", files->filePath("doc"), rtf});
        QVERIFY(make.waitForFinished(120000));
        const QString doc = files->filePath("doc/word.doc");
        QVERIFY(QFile::exists(doc));
        prompts->answer(QStringList{doc});
        // A temporary folder with a blank in its path, as an application
        // name with a blank gives one.
        const QByteArray temporary = qgetenv("TMPDIR");
        QVERIFY(QDir().mkpath(files->filePath("temp with blank")));
        qputenv("TMPDIR", files->filePath("temp with blank").toLocal8Bit());
        window->action("docdocuments1")->trigger();
        temporary.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", temporary);
        const QString text = documentText();
        QVERIFY2(text.contains(QStringLiteral("<B><P ALIGN=\"CENTER\">Bold")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("COLOR=#FF0000")));
        QVERIFY(text.contains(QStringLiteral("<LI><P ALIGN=\"LEFT\">")));
        QVERIFY(text.contains(QStringLiteral("item")));
        QVERIFY(!scratchFilesLeft());
    }
};

QTEST_MAIN(ImportTest)
#include "tst_import.moc"
