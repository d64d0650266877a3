// Search in Files and Replace in Files over a folder, without a window:
// which files are searched and how, where the matches are, and which bytes a
// replace changes.

#include "FileListing.h"
#include "FileSearch.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

class Recorder : public FileSearchSink {
public:
    QList<FileHits> files;
    int lastDone = -1;
    void Progress(int done, int, int) override { lastDone = done; }
    void Found(const FileHits& file) override { files << file; }
};

FileSearchRequest Request(const QString& folder, const QString& text) {
    FileSearchRequest request;
    request.folder = folder;
    request.text = text;
    request.patterns = MaskPatterns(QStringLiteral("*.htm;*.css"));
    return request;
}

} // namespace

class FileSearchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    QString at(const char* name) const { return folder->filePath(QString::fromLatin1(name)); }
    QString site() const { return folder->path(); }

private slots:
    void init() { folder = std::make_unique<QTemporaryDir>(); }

    void searchesEveryFileAsTheEditorReadsIt() {
        // LF, CR LF and CR line breaks; a Windows-1252 page; a picture and
        // a page with a NUL byte; a page open with unsaved text.
        WriteBytes(at("a.html"), "<p class=\"old\">\n\tOld <b>old</b>\r\nlast\rold end");
        WriteBytes(at("b.htm"), "caf\xe9 \xe9t\xe9 old\r\n");
        // Read as UTF-8 the word would follow an "é"; in Windows-1252 a "©".
        WriteBytes(at("c.htm"), "\xe9\xc3\xa9old");
        WriteBytes(at("binary.htm"), QByteArray("old\0old", 7));
        WriteBytes(at("notes.txt"), "old");
        WriteBytes(at("open.html"), "nothing here");
        WriteBytes(at("sub/c.css"), "p.old {}");
        const QHash<QString, QByteArray> open{
            {QFileInfo(at("open.html")).canonicalFilePath(), "unsaved\r\n  \xc3\xa9 old"}};

        FileSearchRequest request = Request(site(), QStringLiteral("old"));
        request.wholeWords = true;
        Recorder found;
        std::atomic_bool cancel = false;
        FileSearchTotals totals = RunFileSearch(request, open, found, cancel);
        QCOMPARE(totals.files, 5);
        QCOMPARE(totals.binary, 1);
        QCOMPARE(totals.matches, 8);
        QCOMPARE(found.lastDone, 6);
        QStringList paths;
        for (const FileHits& file : std::as_const(found.files))
            paths << QDir(site()).relativeFilePath(file.path);
        QCOMPARE(paths, (QStringList{"a.html", "b.htm", "c.htm", "open.html", "sub/c.css"}));

        const QList<LineHit>& a = found.files[0].hits;
        QCOMPARE(a.size(), 4);
        const auto place = [](const LineHit& hit) {
            return QStringLiteral("%1:%2+%3 %4[%5,%6]")
                .arg(hit.line)
                .arg(hit.column)
                .arg(hit.length)
                .arg(hit.lineText)
                .arg(hit.shownStart)
                .arg(hit.shownLength);
        };
        // Leading blanks are not shown; columns count from the line's start.
        QCOMPARE(place(a[1]), QStringLiteral("2:2+3 Old <b>old</b>[0,3]"));
        QCOMPARE(place(a[2]), QStringLiteral("2:9+3 Old <b>old</b>[7,3]"));
        QCOMPARE(place(a[3]), QStringLiteral("4:1+3 old end[0,3]"));
        QVERIFY(!a[0].lineText.isEmpty() && !found.files[0].digest.isEmpty());
        // Windows-1252: one character per byte.
        QCOMPARE(place(found.files[1].hits[0]), QStringLiteral("1:10+3 café été old[9,3]"));
        QVERIFY(found.files[3].fromEditor);
        QCOMPARE(place(found.files[3].hits[0]), QStringLiteral("2:5+3 é old[2,3]"));

        // Case, sub-folders and a regular expression.
        request.matchCase = true;
        request.subFolders = false;
        found.files.clear();
        totals = RunFileSearch(request, {}, found, cancel);
        QCOMPARE(totals.matches, 5);
        request.regularExpression = true;
        request.wholeWords = false;
        request.text = QStringLiteral("^o.d");
        found.files.clear();
        totals = RunFileSearch(request, {}, found, cancel);
        QCOMPARE(totals.matches, 1);
        QCOMPARE(found.files[0].hits[0].line, 4);

        // A cancelled run stops before its first file.
        cancel = true;
        totals = RunFileSearch(request, {}, found, cancel);
        QVERIFY(totals.cancelled);
        QCOMPARE(totals.files, 0);
    }

    void replaceChangesOnlyTheMatchedBytes() {
        FileSearchRequest request = Request(site(), QStringLiteral("class=\"(old)\""));
        request.regularExpression = true;
        request.replacement = QStringLiteral("class=\"new-\\1\" \\t\\n");
        int count = 0;
        // Windows-1252 with LF breaks: the replacement's break is the file's.
        const QByteArray cp1252 = "<p class=\"old\">\xe9\n\xe9<i class=\"old\">\n";
        QCOMPARE(ReplaceInFileBytes(cp1252, request, count).value_or("stopped"),
                 QByteArray("<p class=\"new-old\" \t\n>\xe9\n\xe9<i class=\"new-old\" \t\n>\n"));
        QCOMPARE(count, 2);
        // UTF-8 after a byte-order mark, CR breaks, a character Windows-1252
        // lacks kept as it is.
        request.regularExpression = false;
        request.text = QStringLiteral("\u2192 old");
        request.replacement = QStringLiteral("\u2192 new");
        const QByteArray utf8 = "\xEF\xBB\xBF\xE2\x86\x92 old\r\xE2\x86\x92 OLD\r";
        QCOMPARE(ReplaceInFileBytes(utf8, request, count).value_or("stopped"),
                 QByteArray("\xEF\xBB\xBF\xE2\x86\x92 new\r\xE2\x86\x92 new\r"));
        // Into Windows-1252 a character it cannot hold goes as a reference.
        request.text = QStringLiteral("old");
        QCOMPARE(ReplaceInFileBytes("\xe9 old", request, count).value_or("stopped"),
                 QByteArray("\xe9 &#8594; new"));
    }

    void aFileChangedSinceTheSearchIsLeftAlone() {
        WriteBytes(at("kept.html"), "one old\ntwo old\n");
        WriteBytes(at("changed.html"), "one old\n");
        FileSearchRequest request = Request(site(), QStringLiteral("old"));
        request.replacement = QStringLiteral("new");
        Recorder found;
        std::atomic_bool cancel = false;
        RunFileSearch(request, {}, found, cancel);
        QCOMPARE(found.files.size(), 2);
        // The same size, other bytes.
        WriteBytes(at("changed.html"), "one OLD\n");
        int count = 0;
        QCOMPARE(ReplaceInClosedFile(found.files[0], request, count),
                 FileReplaceOutcome::ChangedOnDisk);
        QCOMPARE(ReadBytes(at("changed.html")), QByteArray("one OLD\n"));
        QCOMPARE(ReplaceInClosedFile(found.files[1], request, count), FileReplaceOutcome::Replaced);
        QCOMPARE(count, 2);
        QCOMPARE(ReadBytes(at("kept.html")), QByteArray("one new\ntwo new\n"));
    }
};

QTEST_GUILESS_MAIN(FileSearchTest)
#include "tst_filesearch.moc"
