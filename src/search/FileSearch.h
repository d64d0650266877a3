#pragma once

#include "DocumentCodec.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

// Searching and replacing across the files of a folder, without widgets.
// Matching is the editor's own (TextSearch.h, RegexSearch.h): per line, with
// the same case, whole-word and regular-expression rules. A file is searched
// in the form the editor would show it: valid UTF-8 as it is, any other file
// as Windows-1252; a CR, an LF or a CR LF each end a line.

struct FileSearchRequest {
    QString text;
    QString replacement; // used by the replace functions only
    QString folder;
    QStringList patterns; // wildcard patterns of the names searched; empty: every file
    bool subFolders = true;
    bool matchCase = false;
    bool wholeWords = false;
    bool regularExpression = false;
};

// One match: its place as the editor counts it (line and column from 1, the
// column and length in characters) and the line's text to show, with the
// match's place in it (UTF-16 units).
struct LineHit {
    int line = 1;
    int column = 1;
    int length = 0;
    QString lineText;
    int shownStart = 0;
    int shownLength = 0;
};

// The matches in one file, and what the file was when it was searched, so
// that a later change on disk is seen.
struct FileHits {
    QString path;
    bool fromEditor = false; // the open document's text was searched
    QList<LineHit> hits;
    qint64 size = -1;
    QByteArray digest; // of the file's bytes; empty for an open document
};

struct FileSearchTotals {
    int files = 0; // files searched
    int filesWithMatches = 0;
    int matches = 0;
    int binary = 0;     // skipped: a NUL byte in the first 8 KB
    int large = 0;      // skipped: over kMaxSearchedFileSize
    int unreadable = 0; // skipped: could not be read
    int stopped = 0;    // a regular expression took too long on it
    bool cancelled = false;
};

constexpr qint64 kMaxSearchedFileSize = 64 * 1024 * 1024;
constexpr qsizetype kBinaryProbeSize = 8 * 1024;

// The files the request covers, sorted by path: those in the folder (and its
// sub-folders when asked) whose names match a pattern. Hidden files and
// folders are left out.
QStringList FilesToSearch(const FileSearchRequest& request);

// Whether bytes look binary: a NUL byte in the first 8 KB.
bool LooksBinary(const QByteArray& bytes);

// The matches in a text as the editor holds it (UTF-8). Returns nullopt when
// a regular expression took too long on it.
std::optional<QList<LineHit>> FindInText(const QByteArray& utf8, const FileSearchRequest& request);

// What a run reports while it goes. Called on the thread that runs it.
class FileSearchSink {
public:
    virtual ~FileSearchSink() = default;
    virtual void Progress(int done, int total, int matches) = 0;
    virtual void Found(const FileHits& file) = 0;
};

// Searches the files of the request, in the order of FilesToSearch; an open
// document (keyed by its canonical path) is searched in the given text
// instead of its file. Stops early once cancel is set.
FileSearchTotals RunFileSearch(const FileSearchRequest& request,
                               const QHash<QString, QByteArray>& openTexts, FileSearchSink& sink,
                               const std::atomic_bool& cancel);

// A file's bytes with every match replaced, in the file's own encoding and
// line breaks: only the matched bytes change. A line break in the replacement
// becomes the file's own (that of its first line). count gets the number
// replaced; nullopt when a regular expression took too long.
std::optional<QByteArray> ReplaceInFileBytes(const QByteArray& bytes,
                                             const FileSearchRequest& request, int& count);

// Stopped: a regular expression took too long on the file.
enum class FileReplaceOutcome { Replaced, ChangedOnDisk, Stopped };

// Rewrites a closed file that was searched as hits says, atomically. A file
// that is not as it was when searched is left alone. A write that fails
// throws a UserError.
FileReplaceOutcome ReplaceInClosedFile(const FileHits& hits, const FileSearchRequest& request,
                                       int& count);
