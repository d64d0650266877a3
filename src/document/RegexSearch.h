#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <vector>

// One match of a search run in byte positions, with the text that replaces it
// when that differs from match to match.
struct SearchMatch {
    qsizetype from;
    qsizetype to;
    int column; // characters from the line's start
    int length;
    QByteArray replacement;
};

// Matching a regular expression line by line in UTF-8 text. Each line is
// decoded once into a reused buffer that remembers the byte offset of every
// UTF-16 unit, so match positions convert back to bytes exactly; a byte that
// starts no valid character becomes U+FFFD.
class RegexLineSearch {
public:
    RegexLineSearch(const QString& pattern, bool matchCase, bool wholeWord);

    bool Valid() const { return expression.isValid(); }

    // The line's non-empty matches, left to right and not overlapping. With
    // a replacement template, each match gets its own replacement (see
    // ExpandReplacement); with columns, its column and length in characters.
    // Stops early (and returns false) once keepGoing says so.
    template <typename KeepGoing>
    bool FindInLine(const char* line, qsizetype length, qsizetype lineStart,
                    const QByteArray* replacement, bool columns, std::vector<SearchMatch>& matches,
                    KeepGoing keepGoing) {
        decode(line, length);
        matches.clear();
        for (qsizetype at = 0; at <= text.size();) {
            if (!keepGoing())
                return false;
            const QRegularExpressionMatch found = expression.match(text, at);
            if (!found.hasMatch())
                break;
            const qsizetype start = found.capturedStart();
            const qsizetype end = found.capturedEnd();
            if (end == start || (wholeWord && !isWholeWord(start, end))) {
                at = start + 1;
                // Never between the halves of a character.
                if (at < text.size() && text[at].isLowSurrogate())
                    ++at;
                continue;
            }
            SearchMatch match{lineStart + offsets[start], lineStart + offsets[end], 0, 0, {}};
            if (columns) {
                match.column = characters(0, start);
                match.length = characters(start, end);
            }
            if (replacement)
                match.replacement = expand(*replacement, found, line);
            matches.push_back(std::move(match));
            at = end;
        }
        return true;
    }

private:
    void decode(const char* line, qsizetype length);
    bool isWholeWord(qsizetype start, qsizetype end) const;
    int characters(qsizetype from, qsizetype to) const;
    QByteArray expand(const QByteArray& replacement, const QRegularExpressionMatch& found,
                      const char* line) const;

    QRegularExpression expression;
    bool wholeWord;
    QString text;
    std::vector<qsizetype> offsets; // per UTF-16 unit, and one for the end
};

// The replacement of a regular expression match: "\0" the whole match,
// "\1" to "\9" its groups (nothing for a group that took no part), "\n" a
// CR LF line break, "\t" a tab and "\\" a backslash. Any other character,
// also a backslash before another one, stands for itself. The groups are the
// bytes from..to of the line, in pairs, -1 for a missing group.
QByteArray ExpandReplacement(const QByteArray& replacement, const char* line,
                             const std::vector<qsizetype>& groups);
