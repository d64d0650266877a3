#include "TextSearch.h"

#include "KeyFinder.h"
#include "Utf8Count.h"

#include "RegexSearch.h"

#include <QChar>
#include <QList>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <optional>
#include <vector>

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;
// Milliseconds a regular expression may take over a run.
constexpr qint64 kRegexTimeLimit = 2000;

char32_t Lower(char32_t c) {
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    return QChar::toLower(c);
}

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

bool IsWordCharacter(char32_t c) {
    return QChar::isLetterOrNumber(c);
}

// What the quick scan for candidate lines must know of lower-casing: which
// lower-case characters other characters than their ASCII capitals lower to,
// and the non-ASCII characters whose lower case is ASCII (the Kelvin sign
// lowers to "k").
struct LowerCaseSources {
    std::vector<bool> shared;
    std::vector<QByteArray> lowerToAscii;
};

const LowerCaseSources& Sources() {
    static const LowerCaseSources sources = [] {
        LowerCaseSources found;
        found.shared.assign(kLastCodePoint + 1, false);
        for (char32_t c = 0x80; c <= kLastCodePoint; ++c) {
            if (QChar::isSurrogate(c))
                continue;
            const char32_t lower = QChar::toLower(c);
            if (lower == c)
                continue;
            found.shared[lower] = true;
            if (lower < 0x80)
                found.lowerToAscii.push_back(QString::fromUcs4(&c, 1).toUtf8());
        }
        return found;
    }();
    return sources;
}

// The line around a position of bytes[0..length): where it starts and ends
// (before its break).
struct LineSpan {
    qsizetype start;
    qsizetype end;
};

LineSpan LineAround(const char* bytes, qsizetype length, qsizetype at) {
    LineSpan line{at, at};
    while (line.start > 0 && !IsBreak(bytes[line.start - 1]))
        --line.start;
    while (line.end < length && !IsBreak(bytes[line.end]))
        ++line.end;
    return line;
}

// The length of the line break that starts at bytes[at], 0 at the end.
int BreakLengthAt(const char* bytes, qsizetype length, qsizetype at) {
    if (at >= length)
        return 0;
    return bytes[at] == '\r' && at + 1 < length && bytes[at + 1] == '\n' ? 2 : 1;
}

// The length of the line break that ends at bytes[at], 0 at the start.
int BreakLengthBefore(const char* bytes, qsizetype at) {
    if (at <= 0)
        return 0;
    return bytes[at - 1] == '\n' && at >= 2 && bytes[at - 2] == '\r' ? 2 : 1;
}

using Match = SearchMatch;

// Milliseconds since start(), from the system's coarse clock (a few
// milliseconds fine): a regular expression run asks after every line, and
// reading the precise clock cost a sixth of a run over a large text.
class CoarseClock {
public:
    void start() { startedAt = now(); }
    qint64 elapsed() const { return now() - startedAt; }

private:
    static qint64 now() {
        timespec time{};
        clock_gettime(CLOCK_MONOTONIC_COARSE, &time);
        return qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
    }
    qint64 startedAt = 0;
};

class Pattern {
public:
    Pattern(const QString& text, const SearchOptions& options)
        : matchCase(options.matchCase), wholeWord(options.wholeWord) {
        for (const char32_t c : text.toUcs4())
            chars.push_back(matchCase ? c : Lower(c));
    }

    bool Matchable() const {
        return !chars.empty() && std::none_of(chars.begin(), chars.end(),
                                              [](char32_t c) { return c == '\r' || c == '\n'; });
    }

    // The longest run of the pattern's characters that only their own bytes
    // (ASCII letters in either case) can match. Without the case to match,
    // "i" and "k" count only where no character in the text lowers to them.
    QByteArray Key(bool asciiLowersOnlyFromAscii) const {
        const LowerCaseSources* sources = matchCase ? nullptr : &Sources();
        const auto usable = [&](char32_t c) {
            return !sources || !sources->shared[c] || (c < 0x80 && asciiLowersOnlyFromAscii);
        };
        size_t bestStart = 0;
        size_t bestLength = 0;
        for (size_t i = 0; i < chars.size();) {
            if (!usable(chars[i])) {
                ++i;
                continue;
            }
            size_t j = i;
            while (j < chars.size() && usable(chars[j]))
                ++j;
            if (j - i > bestLength) {
                bestStart = i;
                bestLength = j - i;
            }
            i = j;
        }
        return QString::fromUcs4(chars.data() + bestStart, qsizetype(bestLength)).toUtf8();
    }

    // Whether the key may take "i" and "k" for what they are.
    bool KeyNeedsAsciiCheck() const {
        if (matchCase)
            return false;
        const QByteArray key = Key(true);
        return std::any_of(key.begin(), key.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80 && Sources().shared[char32_t(c)];
        });
    }

    // The line's matches, left to right, in byte positions from lineStart.
    void FindInLine(const char* line, qsizetype length, qsizetype lineStart,
                    std::vector<Match>& matches) {
        decode(line, length);
        matches.clear();
        const size_t m = chars.size();
        const size_t count = lineChars.size();
        for (size_t i = 0; i + m <= count;) {
            if (lineChars[i] == chars[0] &&
                std::equal(chars.begin(), chars.end(), lineChars.begin() + qsizetype(i)) &&
                (!wholeWord || isWholeWord(i, m))) {
                matches.push_back(
                    {lineStart + offsets[i], lineStart + offsets[i + m], int(i), int(m), {}});
                i += m;
            } else {
                ++i;
            }
        }
    }

private:
    bool isWholeWord(size_t at, size_t m) const {
        return (at == 0 || !IsWordCharacter(lineChars[at - 1])) &&
               (at + m == lineChars.size() || !IsWordCharacter(lineChars[at + m]));
    }

    // The line's characters, lower-cased unless the case must match. A byte
    // that starts no valid character stands for itself and matches nothing.
    void decode(const char* line, qsizetype length) {
        lineChars.clear();
        offsets.clear();
        for (qsizetype i = 0; i < length;) {
            const unsigned char b = static_cast<unsigned char>(line[i]);
            if (b < 0x80) {
                lineChars.push_back(matchCase ? b : Lower(b));
                offsets.push_back(i++);
                continue;
            }
            Utf8Character character = DecodeUtf8At(line, length, i);
            if (character.size == 0)
                character = {char32_t(0xDC00 | static_cast<unsigned char>(line[i])), 1};
            lineChars.push_back(matchCase ? character.code : Lower(character.code));
            offsets.push_back(i);
            i += character.size;
        }
        offsets.push_back(length);
    }

    bool matchCase;
    bool wholeWord;
    std::vector<char32_t> chars;
    std::vector<char32_t> lineChars;
    std::vector<qsizetype> offsets;
};

class Run {
public:
    Run(SearchBuffer& buffer, const QString& search, const QByteArray& replacement,
        const SearchOptions& options, const SearchRange& range)
        : buffer(buffer), search(search), pattern(search, options), replacement(replacement),
          options(options), range(range) {
        if (options.regularExpression)
            regex.emplace(search, options.matchCase, options.wholeWord);
    }

    int Go() {
        if (regex ? search.isEmpty() || !regex->Valid() : !pattern.Matchable())
            return 0;
        regionStart = buffer.LineStartAt(range.start);
        regionEnd = buffer.LineEndAt(range.end);
        if (regex) {
            // Every line is matched: no key narrows a regular expression down.
            clock.start();
            options.backwards ? backward() : forward();
            if (replaceAll)
                buffer.SetCaret(caret);
            return stopped ? kSearchStopped : count;
        }
        bool asciiOnly = true;
        if (pattern.KeyNeedsAsciiCheck())
            asciiOnly = !holdsCharacterLoweringToAscii();
        const QByteArray key = pattern.Key(asciiOnly);
        if (!key.isEmpty())
            finder.emplace(key, KeyFinder::Folding(options.matchCase));
        options.backwards ? backward() : forward();
        if (replaceAll)
            buffer.SetCaret(caret);
        return count;
    }

private:
    bool holdsCharacterLoweringToAscii() {
        const char* text = buffer.Bytes(regionStart, regionEnd);
        const qsizetype length = regionEnd - regionStart;
        const std::vector<QByteArray>& characters = Sources().lowerToAscii;
        const auto startsOne = [&](qsizetype at) {
            return std::any_of(characters.begin(), characters.end(), [&](const QByteArray& c) {
                return length - at >= c.size() &&
                       std::memcmp(text + at, c.constData(), size_t(c.size())) == 0;
            });
        };
        // One pass over the text for the lead bytes of those characters,
        // which are few.
        std::vector<unsigned char> leads;
        for (const QByteArray& character : characters) {
            const auto lead = static_cast<unsigned char>(character.front());
            if (std::find(leads.begin(), leads.end(), lead) == leads.end())
                leads.push_back(lead);
        }
        if (leads.empty())
            return false;
        if (leads.size() <= 2) {
            const unsigned char other = leads.back();
            for (qsizetype at = 0; at < length; ++at) {
                const qsizetype found =
                    KeyFinder::FirstOfEither(text + at, length - at, leads.front(), other);
                if (found < 0)
                    return false;
                at += found;
                if (startsOne(at))
                    return true;
            }
            return false;
        }
        for (qsizetype at = 0; at < length; ++at) {
            if (startsOne(at))
                return true;
        }
        return false;
    }

    void forward() {
        qsizetype pos = regionStart; // always the start of a line
        qsizetype end = range.end;
        for (;;) {
            const qsizetype length = regionEnd - pos;
            const char* bytes = buffer.Bytes(pos, regionEnd);
            const qsizetype hit = finder ? finder->First(bytes, length) : 0;
            if (hit < 0)
                return;
            const LineSpan line = LineAround(bytes, length, hit);
            const int breakLength = BreakLengthAt(bytes, length, line.end);
            if (!findInLine(bytes + line.start, line.end - line.start, pos + line.start))
                return;
            qsizetype lineEnd = pos + line.end;
            // Replacements move the rest of the line, and the range's end
            // with it.
            qsizetype shift = 0;
            for (Match match : matches) {
                match.from += shift;
                match.to += shift;
                if (!inRange(match, end))
                    continue;
                const std::optional<qsizetype> difference = take(match);
                if (!difference)
                    return;
                shift += *difference;
                end += *difference;
                regionEnd += *difference;
                lineEnd += *difference;
            }
            if (breakLength == 0)
                return;
            pos = lineEnd + breakLength;
        }
    }

    void backward() {
        qsizetype pos = regionEnd; // always the end of a line
        for (;;) {
            const qsizetype length = pos - regionStart;
            const char* bytes = buffer.Bytes(regionStart, pos);
            const qsizetype hit = finder ? finder->Last(bytes, length) : length;
            if (hit < 0)
                return;
            const LineSpan line = LineAround(bytes, length, hit);
            const int breakLength = BreakLengthBefore(bytes, line.start);
            if (!findInLine(bytes + line.start, line.end - line.start, regionStart + line.start))
                return;
            // Replacing from the right leaves the matches to the left in place.
            for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
                if (inRange(*it, range.end) && !take(*it))
                    return;
            }
            if (breakLength == 0)
                return;
            pos = regionStart + line.start - breakLength;
        }
    }

    // The line's matches; false when the run is to stop.
    bool findInLine(const char* line, qsizetype length, qsizetype lineStart) {
        if (!regex) {
            pattern.FindInLine(line, length, lineStart, matches);
            return true;
        }
        // A regular expression may take very long on some text; the run ends
        // rather than leaving the window without an answer.
        const auto keepGoing = [this] {
            if (clock.elapsed() < kRegexTimeLimit)
                return true;
            stopped = true;
            return false;
        };
        return regex->FindInLine(line, length, lineStart, options.replace ? &replacement : nullptr,
                                 range.columns, matches, keepGoing);
    }

    bool inRange(const Match& match, qsizetype end) const {
        if (match.from < range.start || match.to > end)
            return false;
        if (!range.columns || range.lastColumn - range.firstColumn < 1)
            return true;
        return match.column >= range.firstColumn && match.column + match.length <= range.lastColumn;
    }

    // Counts and handles one match; the change in the text's length, or
    // nothing when the run ends here.
    std::optional<qsizetype> take(const Match& match) {
        ++count;
        if (!options.replace) {
            buffer.Select(match.from, match.to, options.backwards);
            return std::nullopt;
        }
        ReplaceAnswer answer = ReplaceAnswer::Replace;
        if (!replaceAll) {
            buffer.Select(match.from, match.to, options.backwards);
            answer = buffer.Ask(match.from, match.to);
            // The time spent answering is no time spent matching.
            if (regex)
                clock.start();
        }
        qsizetype now = match.to - match.from; // the length of what is in the match's place
        switch (answer) {
        case ReplaceAnswer::Cancel:
            return std::nullopt;
        case ReplaceAnswer::Skip:
            break;
        case ReplaceAnswer::ReplaceAll:
            replaceAll = true;
            [[fallthrough]];
        case ReplaceAnswer::Replace: {
            const QByteArray& with = regex ? match.replacement : replacement;
            buffer.Replace(match.from, match.to, with);
            now = with.size();
        } break;
        }
        caret = options.backwards ? match.from : match.from + now;
        if (!replaceAll)
            buffer.SetCaret(caret);
        return now - (match.to - match.from);
    }

    SearchBuffer& buffer;
    const QString& search;
    Pattern pattern;
    const QByteArray& replacement;
    const SearchOptions& options;
    const SearchRange& range;
    std::optional<KeyFinder> finder;
    std::optional<RegexLineSearch> regex;
    CoarseClock clock;
    bool stopped = false;
    std::vector<Match> matches;
    qsizetype regionStart = 0;
    qsizetype regionEnd = 0;
    qsizetype caret = 0;
    int count = 0;
    bool replaceAll = false;
};

} // namespace

int SearchAndReplace(SearchBuffer& buffer, const QString& search, const QByteArray& replacement,
                     const SearchOptions& options, const SearchRange& range) {
    return Run(buffer, search, replacement, options, range).Go();
}
