#include "FileSearch.h"

#include "AtomicFile.h"
#include "Cp1252Codec.h"
#include "ErrorReport.h"
#include "TextSearch.h"
#include "Utf8Count.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr qsizetype kShownBefore = 120; // bytes of a long line shown before a match
constexpr qsizetype kShownAfter = 200;
// Progress is reported after this many files, and after the last.
constexpr int kProgressStep = 64;

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool IsAscii(const QByteArray& bytes) {
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; i < size; ++i) {
        if (data[i] & 0x80)
            return false;
    }
    return true;
}

// A file's text as the editor reads it, in UTF-8 with the file's own line
// breaks: valid UTF-8 as it stands (after a byte-order mark), any other file
// as Windows-1252, one character per byte.
struct SearchForm {
    QByteArray converted;
    const char* data = nullptr;
    qsizetype size = 0;
    qsizetype skipped = 0; // bytes of the file before the text (a byte-order mark)
    bool windows1252 = false;
};

SearchForm FormOf(const QByteArray& bytes) {
    SearchForm form;
    if (IsAscii(bytes) || IsValidUtf8(bytes)) {
        form.skipped = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        form.data = bytes.constData() + form.skipped;
        form.size = bytes.size() - form.skipped;
        return form;
    }
    form.converted = Cp1252Codec::Decode(bytes).toUtf8();
    form.windows1252 = true;
    form.data = form.converted.constData();
    form.size = form.converted.size();
    return form;
}

struct Found {
    qsizetype from;
    qsizetype to;
    QByteArray replacement;
};

// The text as the search run reads it. The run is told to replace; a search
// answers every question with "no" and notes the match, a replace answers
// "yes to all" and notes the match with its replacement. The text itself
// never changes: the run's positions after a replacement are moved back by
// what the replacements so far added.
class Collector : public SearchBuffer {
public:
    Collector(const char* data, qsizetype size, bool replacing)
        : data(data), size(size), replacing(replacing) {}

    std::vector<Found> found;

    const char* Bytes(qsizetype from, qsizetype) override { return data + (from - shift); }
    qsizetype LineStartAt(qsizetype position) override {
        qsizetype at = position - shift;
        while (at > 0 && !IsBreak(data[at - 1]))
            --at;
        return at + shift;
    }
    qsizetype LineEndAt(qsizetype position) override {
        qsizetype at = position - shift;
        while (at < size && !IsBreak(data[at]))
            ++at;
        return at + shift;
    }
    void Select(qsizetype, qsizetype, bool) override {}
    ReplaceAnswer Ask(qsizetype from, qsizetype to) override {
        if (replacing)
            return ReplaceAnswer::ReplaceAll;
        found.push_back({from - shift, to - shift, {}});
        return ReplaceAnswer::Skip;
    }
    void Replace(qsizetype from, qsizetype to, const QByteArray& text) override {
        found.push_back({from - shift, to - shift, text});
        shift += text.size() - (to - from);
    }
    void SetCaret(qsizetype) override {}

private:
    const char* data;
    qsizetype size;
    bool replacing;
    qsizetype shift = 0;
};

// The matches of the request in the text, left to right; false when a
// regular expression took too long.
bool Collect(const char* data, qsizetype size, const FileSearchRequest& request, bool replacing,
             std::vector<Found>& found) {
    Collector collector(data, size, replacing);
    SearchOptions options;
    options.replace = true;
    options.entireScope = true;
    options.matchCase = request.matchCase;
    options.wholeWord = request.wholeWords;
    options.regularExpression = request.regularExpression;
    SearchRange range;
    range.end = size;
    const QByteArray replacement =
        replacing ? NormalizeLineBreaks(request.replacement.toUtf8(), false) : QByteArray();
    const int count = SearchAndReplace(collector, request.text, replacement, options, range);
    found = std::move(collector.found);
    return count != kSearchStopped;
}

QString Shown(const char* from, const char* to) {
    QString text = QString::fromUtf8(from, to - from);
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

QList<LineHit> Hits(const char* data, qsizetype size, const std::vector<Found>& found) {
    QList<LineHit> hits;
    hits.reserve(qsizetype(found.size()));
    int line = 1;
    qsizetype lineStart = 0;
    qsizetype scanned = 0;
    for (const Found& match : found) {
        for (; scanned < match.from; ++scanned) {
            if (!IsBreak(data[scanned]))
                continue;
            if (data[scanned] == '\r' && scanned + 1 < size && data[scanned + 1] == '\n')
                ++scanned;
            ++line;
            lineStart = scanned + 1;
        }
        qsizetype lineEnd = match.to;
        while (lineEnd < size && !IsBreak(data[lineEnd]))
            ++lineEnd;
        LineHit hit;
        hit.line = line;
        hit.column = int(CountCodePoints(data + lineStart, match.from - lineStart)) + 1;
        hit.length = int(CountCodePoints(data + match.from, match.to - match.from));
        // A long line is shown around the match.
        qsizetype shownFrom = qMax(lineStart, match.from - kShownBefore);
        while (shownFrom < match.from && IsContinuation(data[shownFrom]))
            ++shownFrom;
        qsizetype shownTo = qMin(lineEnd, match.to + kShownAfter);
        while (shownTo > match.to && shownTo < lineEnd && IsContinuation(data[shownTo]))
            --shownTo;
        QString before = Shown(data + shownFrom, data + match.from);
        if (shownFrom == lineStart) {
            qsizetype blanks = 0;
            while (blanks < before.size() && before[blanks].isSpace())
                ++blanks;
            before.remove(0, blanks);
        } else {
            before.prepend(QStringLiteral("\u2026"));
        }
        const QString matched = Shown(data + match.from, data + match.to);
        QString after = Shown(data + match.to, data + shownTo);
        if (shownTo < lineEnd)
            after.append(QStringLiteral("\u2026"));
        hit.lineText = before + matched + after;
        hit.shownStart = int(before.size());
        hit.shownLength = int(matched.size());
        hits.push_back(std::move(hit));
    }
    return hits;
}

QByteArray Digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

// Reads a file into bytes (whose memory is reused from file to file); false
// (with the reason counted) when it is not searched.
bool ReadSearchedFile(const QString& path, QByteArray& bytes, FileSearchTotals& totals) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ++totals.unreadable;
        return false;
    }
    const qint64 size = file.size();
    if (size > kMaxSearchedFileSize) {
        ++totals.large;
        return false;
    }
    bytes.resize(size);
    const qint64 read = file.read(bytes.data(), size);
    if (read < 0) {
        ++totals.unreadable;
        return false;
    }
    bytes.truncate(read);
    if (LooksBinary(bytes)) {
        ++totals.binary;
        return false;
    }
    return true;
}

// Whether a file whose bytes, read as UTF-8, hold no match holds none in its
// own encoding either: so for a literal text of ASCII characters, which both
// encodings write alike and which no other character of Windows-1252 lowers
// to. Most files then need no look at their encoding. Not so for whole
// words: bytes that read as a letter in UTF-8 may be no letters in
// Windows-1252.
bool RawBytesDecide(const FileSearchRequest& request) {
    if (request.regularExpression || request.wholeWords)
        return false;
    return std::all_of(request.text.cbegin(), request.text.cend(),
                       [](QChar c) { return c.unicode() < 0x80; });
}

QByteArray FirstLineBreak(const QByteArray& bytes) {
    const qsizetype at = bytes.indexOf('\n');
    const qsizetype cr = bytes.indexOf('\r');
    if (cr >= 0 && (at < 0 || cr < at))
        return cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? QByteArrayLiteral("\r\n")
                                                              : QByteArrayLiteral("\r");
    return at >= 0 ? QByteArrayLiteral("\n") : QByteArrayLiteral("\r\n");
}

} // namespace

QStringList FilesToSearch(const FileSearchRequest& request) {
    const QStringList patterns =
        request.patterns.isEmpty() ? QStringList{QStringLiteral("*")} : request.patterns;
    QDirIterator it(request.folder, patterns, QDir::Files | QDir::NoDotAndDotDot,
                    request.subFolders ? QDirIterator::Subdirectories
                                       : QDirIterator::NoIteratorFlags);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

bool LooksBinary(const QByteArray& bytes) {
    return std::memchr(bytes.constData(), 0, size_t(qMin(bytes.size(), kBinaryProbeSize)));
}

std::optional<QList<LineHit>> FindInText(const QByteArray& utf8, const FileSearchRequest& request) {
    std::vector<Found> found;
    if (!Collect(utf8.constData(), utf8.size(), request, false, found))
        return std::nullopt;
    return Hits(utf8.constData(), utf8.size(), found);
}

namespace {

// What a run reuses from file to file.
struct Scratch {
    QByteArray bytes;
    std::vector<Found> found;
};

struct SearchContext {
    const FileSearchRequest& request;
    const QHash<QString, QByteArray>& openTexts;
    bool rawBytesDecide;
};

// Searches one file (or its open document's text) into file, counting it in
// totals.
void SearchOne(const SearchContext& context, Scratch& scratch, FileSearchTotals& totals,
               FileHits& file) {
    const FileSearchRequest& request = context.request;
    const auto open = context.openTexts.isEmpty()
                          ? context.openTexts.cend()
                          : context.openTexts.constFind(QFileInfo(file.path).canonicalFilePath());
    std::vector<Found>& found = scratch.found;
    bool complete = false;
    if (open != context.openTexts.cend()) {
        file.fromEditor = true;
        complete = Collect(open->constData(), open->size(), request, false, found);
        if (!found.empty())
            file.hits = Hits(open->constData(), open->size(), found);
    } else {
        QByteArray& bytes = scratch.bytes;
        if (!ReadSearchedFile(file.path, bytes, totals))
            return;
        complete = context.rawBytesDecide &&
                   Collect(bytes.constData(), bytes.size(), request, false, found) && found.empty();
        if (!complete) {
            const SearchForm form = FormOf(bytes);
            complete = Collect(form.data, form.size, request, false, found);
            if (!found.empty()) {
                file.hits = Hits(form.data, form.size, found);
                file.size = bytes.size();
                file.digest = Digest(bytes);
            }
        }
    }
    ++totals.files;
    if (!complete)
        ++totals.stopped;
    if (!file.hits.isEmpty()) {
        ++totals.filesWithMatches;
        totals.matches += int(file.hits.size());
    }
}

} // namespace

FileSearchTotals RunFileSearch(const FileSearchRequest& request,
                               const QHash<QString, QByteArray>& openTexts, FileSearchSink& sink,
                               const std::atomic_bool& cancel) {
    const SearchContext context{request, openTexts, RawBytesDecide(request)};
    FileSearchTotals totals;
    const QStringList files = FilesToSearch(request);
    const int total = int(files.size());
    Scratch scratch;
    for (int done = 0; done < total; ++done) {
        if (cancel) {
            totals.cancelled = true;
            break;
        }
        if (done % kProgressStep == 0)
            sink.Progress(done, total, totals.matches);
        FileHits file;
        file.path = files[done];
        SearchOne(context, scratch, totals, file);
        if (!file.hits.isEmpty())
            sink.Found(file);
    }
    sink.Progress(totals.cancelled ? totals.files : total, total, totals.matches);
    return totals;
}

std::optional<QByteArray> ReplaceInFileBytes(const QByteArray& bytes,
                                             const FileSearchRequest& request, int& count) {
    count = 0;
    const SearchForm form = FormOf(bytes);
    std::vector<Found> found;
    if (!Collect(form.data, form.size, request, true, found))
        return std::nullopt;
    if (found.empty())
        return bytes;
    const QByteArray lineBreak = FirstLineBreak(bytes);
    QByteArray result;
    result.reserve(bytes.size());
    qsizetype copied = 0;
    // Windows-1252 holds one character per byte: a file position is the
    // number of characters before it in the converted text.
    qsizetype formAt = 0;
    qsizetype fileAt = 0;
    const auto filePosition = [&](qsizetype position) {
        if (!form.windows1252)
            return form.skipped + position;
        fileAt += CountCodePoints(form.data + formAt, position - formAt);
        formAt = position;
        return fileAt;
    };
    for (const Found& match : found) {
        const qsizetype from = filePosition(match.from);
        const qsizetype to = filePosition(match.to);
        QByteArray with = match.replacement;
        if (form.windows1252) {
            with = EncodeDocument(with, TextEncoding::Windows1252);
            with.chop(2); // the line break after the last line
        }
        if (lineBreak != "\r\n")
            with.replace("\r\n", lineBreak);
        result.append(bytes.constData() + copied, from - copied);
        result.append(with);
        copied = to;
    }
    result.append(bytes.constData() + copied, bytes.size() - copied);
    count = int(found.size());
    return result;
}

FileReplaceOutcome ReplaceInClosedFile(const FileHits& hits, const FileSearchRequest& request,
                                       int& count) {
    count = 0;
    QFile file(hits.path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != hits.size)
        return FileReplaceOutcome::ChangedOnDisk;
    const QByteArray bytes = file.readAll();
    file.close();
    if (Digest(bytes) != hits.digest)
        return FileReplaceOutcome::ChangedOnDisk;
    const std::optional<QByteArray> replaced = ReplaceInFileBytes(bytes, request, count);
    if (!replaced)
        return FileReplaceOutcome::Stopped;
    if (count > 0)
        WriteFileAtomically(hits.path, *replaced);
    return FileReplaceOutcome::Replaced;
}
