#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One Code Inside entry: a short code, a one-line comment and a snippet of
// lines joined by CR LF.
struct Snippet {
    QString code;
    QString comment;
    QString text;
    bool operator==(const Snippet&) const = default;
};

// What expanding a short code does to the caret's line: the token that goes,
// the text that replaces it and where the caret ends.
struct SnippetExpansion {
    int tokenColumn = 1; // 1-based column where the token starts
    int tokenLength = 0;
    QString text; // lines joined by CR LF, no break after the last
    // The caret's place after the change: the line counted from the token's
    // line (0 = that line) and a 1-based column; none when it stays after
    // the inserted text.
    std::optional<int> caretLineOffset;
    int caretColumn = 0;
};

// The Code Inside library: the snippets the user expands in documents by
// typing a short code and pressing Ctrl+J. It lives in one file,
// "CodeC/codeinside.qci" in the program folder.
class SnippetLibrary {
public:
    // The library file in the folder of the program's settings
    // (ProgramPlaces::configFolder).
    static QString FilePath(const QString& configFolder);

    // Replaces the content with the file's entries; false (and no entries)
    // when the file cannot be read. A library that was never created is no
    // error: it is created empty (when the folder can be written; otherwise
    // the first save reports the failure) and loads as empty.
    bool Load(const QString& path);
    // Reads a library file's bytes: the bracket form when the first line
    // begins with "[", otherwise the equals form.
    static QList<Snippet> Parse(const QByteArray& bytes);
    // The file's bytes in the writer's form: a header "[code | comment]",
    // the snippet's lines and an empty line per entry, every line ended by
    // CR LF, in Windows-1252.
    static QByteArray Serialize(const QList<Snippet>& entries);
    // Replaces the file atomically, creating its folder when it is missing.
    // Throws a UserError "Cannot create file <path>" when it cannot.
    static void Write(const QString& path, const QList<Snippet>& entries);
    // A snippet as it is stored: each line ended by CR LF (a final break of
    // the text starts no further line); empty for an empty text.
    static QString StoredText(const QString& text);

    const QList<Snippet>& Entries() const { return entries; }
    QStringList Codes() const;
    QStringList Comments() const;
    QStringList Snippets() const;

    // The expansion of the token left of the caret, or none when nothing is
    // to be done: no entries, a caret beyond the line's end, no token, or no
    // entry that the token picks (the last exact match, else the one entry
    // the token begins).
    std::optional<SnippetExpansion> Expand(const QString& line, int caretColumn) const;

private:
    const Snippet* lookup(const QString& token) const;

    QList<Snippet> entries;
};
