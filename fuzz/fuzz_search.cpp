// The search and replace run on any text with any options, against a plain
// reference that looks at every line and every position: the number of
// matches, the selection of a search and the text after a replace must agree.
#include "FuzzInput.h"
#include "TextSearch.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

#include <cstdlib>
#include <vector>

namespace {

// The editor's text in a byte array; the answers to the replace questions
// come from the fuzzer's bytes.
class TextBuffer : public SearchBuffer {
public:
    TextBuffer(QByteArray text, QByteArray answers)
        : text(std::move(text)), answers(std::move(answers)) {}

    const char* Bytes(qsizetype from, qsizetype to) override {
        if (from < 0 || to > text.size() || from > to)
            abort();
        return text.constData() + from;
    }
    qsizetype LineStartAt(qsizetype position) override {
        while (position > 0 && text[position - 1] != '\r' && text[position - 1] != '\n')
            --position;
        return position;
    }
    qsizetype LineEndAt(qsizetype position) override {
        while (position < text.size() && text[position] != '\r' && text[position] != '\n')
            ++position;
        return position;
    }
    void Select(qsizetype from, qsizetype to, bool) override { selections.push_back({from, to}); }
    ReplaceAnswer Ask(qsizetype, qsizetype) override {
        const int answer = asked < answers.size() ? answers[asked] & 3 : 2;
        ++asked;
        return static_cast<ReplaceAnswer>(answer);
    }
    void Replace(qsizetype from, qsizetype to, const QByteArray& with) override {
        text.replace(from, to - from, with);
    }
    void SetCaret(qsizetype) override {}

    QByteArray text;
    QByteArray answers;
    qsizetype asked = 0;
    std::vector<std::pair<qsizetype, qsizetype>> selections;
};

struct Found {
    qsizetype from;
    qsizetype to;
};

char32_t Folded(char32_t c, bool matchCase) {
    return matchCase ? c : char32_t(QChar::toLower(c));
}

// Every match in the text, in text order: per line, left to right, not
// overlapping, within the range.
std::vector<Found> Reference(const QByteArray& text, const QString& search,
                             const SearchOptions& options, const SearchRange& range) {
    std::vector<char32_t> pattern;
    for (char32_t c : search.toUcs4()) {
        if (c == '\r' || c == '\n')
            return {};
        pattern.push_back(Folded(c, options.matchCase));
    }
    std::vector<Found> found;
    if (pattern.empty())
        return found;
    qsizetype lineStart = 0;
    while (lineStart <= text.size()) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < text.size() && text[lineEnd] != '\r' && text[lineEnd] != '\n')
            ++lineEnd;
        // The line's characters and where each starts.
        std::vector<char32_t> chars;
        std::vector<qsizetype> offsets;
        const QByteArray line = text.mid(lineStart, lineEnd - lineStart);
        qsizetype at = 0;
        for (char32_t c : QString::fromUtf8(line).toUcs4()) {
            chars.push_back(Folded(c, options.matchCase));
            offsets.push_back(at);
            at += QString::fromUcs4(&c, 1).toUtf8().size();
        }
        offsets.push_back(at);
        const auto word = [&](size_t i) { return QChar::isLetterOrNumber(chars[i]); };
        for (size_t i = 0; i + pattern.size() <= chars.size();) {
            bool same = true;
            for (size_t j = 0; same && j < pattern.size(); ++j)
                same = chars[i + j] == pattern[j];
            const size_t after = i + pattern.size();
            if (same && options.wholeWord)
                same = (i == 0 || !word(i - 1)) && (after == chars.size() || !word(after));
            if (!same) {
                ++i;
                continue;
            }
            const Found match{lineStart + offsets[i], lineStart + offsets[after]};
            bool inRange = match.from >= range.start && match.to <= range.end;
            if (range.columns && range.lastColumn - range.firstColumn >= 1)
                inRange = inRange && qsizetype(i) >= range.firstColumn &&
                          qsizetype(after) <= range.lastColumn;
            if (inRange)
                found.push_back(match);
            i = after;
        }
        if (lineEnd == text.size())
            break;
        lineStart =
            lineEnd +
            (text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n' ? 2
                                                                                             : 1);
    }
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t flags = input.Byte();
    SearchOptions options;
    options.replace = flags & 1;
    options.backwards = flags & 2;
    options.matchCase = flags & 4;
    options.wholeWord = flags & 8;
    const QString search = QString::fromUtf8(input.Field());
    // The replacement, as the editor passes it: CR LF line breaks.
    QByteArray replacement = QString::fromUtf8(input.Field()).toUtf8();
    replacement.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    const QByteArray answers = input.Field();
    const uint8_t first = input.Byte();
    const uint8_t second = input.Byte();
    const uint8_t third = input.Byte();
    const uint8_t fourth = input.Byte();
    // The editor holds valid UTF-8.
    const QByteArray text = QString::fromUtf8(input.Rest()).toUtf8();

    SearchRange range;
    qsizetype a = text.isEmpty() ? 0 : qsizetype(first) * 257 % (text.size() + 1);
    qsizetype b = text.isEmpty() ? 0 : qsizetype(second) * 263 % (text.size() + 1);
    if (flags & 16) {
        a = 0;
        b = text.size();
    }
    // Positions between characters, as the editor gives them.
    while (a > 0 && a < text.size() && (static_cast<uint8_t>(text[a]) & 0xC0) == 0x80)
        --a;
    while (b > 0 && b < text.size() && (static_cast<uint8_t>(text[b]) & 0xC0) == 0x80)
        --b;
    range.start = std::min(a, b);
    range.end = std::max(a, b);
    range.columns = flags & 32;
    range.firstColumn = third % 16;
    range.lastColumn = fourth % 24;

    TextBuffer buffer(text, answers);
    const int count = SearchAndReplace(buffer, search, replacement, options, range);
    std::vector<Found> expected = Reference(text, search, options, range);
    if (options.backwards)
        std::reverse(expected.begin(), expected.end());

    if (!options.replace) {
        const bool hit = !expected.empty();
        if (count != (hit ? 1 : 0) || buffer.selections.size() != (hit ? 1u : 0u))
            abort();
        if (hit && (buffer.selections[0].first != expected[0].from ||
                    buffer.selections[0].second != expected[0].to))
            abort();
        if (buffer.text != text)
            abort();
        return 0;
    }

    // Replay the answers on the reference matches, from the right so that
    // the positions stay valid.
    QByteArray result = text;
    std::vector<Found> replaced;
    int expectedCount = 0;
    bool all = false;
    qsizetype asked = 0;
    for (const Found& match : expected) {
        ++expectedCount;
        int answer = 2;
        if (!all) {
            answer = asked < answers.size() ? answers[asked] & 3 : 2;
            ++asked;
        }
        if (answer == int(ReplaceAnswer::Cancel))
            break;
        if (answer == int(ReplaceAnswer::ReplaceAll))
            all = true;
        if (answer != int(ReplaceAnswer::Skip))
            replaced.push_back(match);
    }
    std::sort(replaced.begin(), replaced.end(),
              [](const Found& x, const Found& y) { return x.from > y.from; });
    for (const Found& match : replaced)
        result.replace(match.from, match.to - match.from, replacement);
    if (count != expectedCount || buffer.text != result)
        abort();
    return 0;
}
