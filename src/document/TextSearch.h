#pragma once

#include <QByteArray>
#include <QString>

// The editor's search and replace run, apart from the editor: it reads the
// text as UTF-8 bytes through a SearchBuffer and touches the editor only for
// the matches it finds.
//
// Matching is per line: the search text is compared character by character
// (lower-cased unless the case must match), matches are found from the start
// of each line, left to right, and do not overlap. A search text with a line
// break in it matches nothing.

struct SearchOptions {
    // A replace run: it asks before each replacement (unless told to replace
    // all) and goes through the whole range.
    bool replace = false;
    bool backwards = false;
    bool matchCase = false;
    // The whole text, or (when off) the text from the caret on, or up to it
    // going backwards.
    bool entireScope = false;
    bool selectedOnly = false;
    // A match counts only when neither the character before nor the one after
    // it is a letter or a digit.
    bool wholeWord = false;
    // The search text is a regular expression, matched within each line; the
    // replacement may then refer to the match (see RegexSearch.h).
    bool regularExpression = false;
};

enum class ReplaceAnswer { Cancel, Skip, Replace, ReplaceAll };

// Byte positions of a search run. A match must lie within start..end; its
// line is scanned for matches from the line's start all the same.
struct SearchRange {
    qsizetype start = 0;
    qsizetype end = 0;
    // Column mode: on every line, a match must also lie between the columns
    // (counted in characters from 0, the last one excluded), unless the
    // columns are less than one apart.
    bool columns = false;
    int firstColumn = 0;
    int lastColumn = 0;
};

// What the run needs of the text it searches: positions are byte offsets
// from 0 in the UTF-8 text.
class SearchBuffer {
public:
    virtual ~SearchBuffer() = default;

    // The bytes from..to in one piece, valid until the next call of any other
    // function here.
    virtual const char* Bytes(qsizetype from, qsizetype to) = 0;
    // Where the line holding the position starts, and where it ends (before
    // its line break).
    virtual qsizetype LineStartAt(qsizetype position) = 0;
    virtual qsizetype LineEndAt(qsizetype position) = 0;

    // Selects from..to, the caret at the start or at the end.
    virtual void Select(qsizetype from, qsizetype to, bool caretAtStart) = 0;
    // The question before replacing the selected match at from..to.
    virtual ReplaceAnswer Ask(qsizetype from, qsizetype to) = 0;
    virtual void Replace(qsizetype from, qsizetype to, const QByteArray& text) = 0;
    virtual void SetCaret(qsizetype position) = 0;
};

// Runs the search (or replace) over the range and returns the number of
// matches found there, replaced or not. A search stops at its first match,
// which it selects, the caret at the match's end (at its start going
// backwards). A replace selects each match in turn, asks, and replaces as
// answered; the caret then stands behind what is in the match's place.
// The replacement is UTF-8 with CR LF line breaks.
// A regular expression run that takes longer than about two seconds (not
// counting the questions) stops and returns kSearchStopped instead; the
// replacements made until then stay.
constexpr int kSearchStopped = -1;
int SearchAndReplace(SearchBuffer& buffer, const QString& search, const QByteArray& replacement,
                     const SearchOptions& options, const SearchRange& range);
