#include "RegexSearch.h"

#include "Utf8Count.h"

#include <QChar>

#include <algorithm>

RegexLineSearch::RegexLineSearch(const QString& pattern, bool matchCase, bool wholeWord)
    : expression(pattern, matchCase ? QRegularExpression::UseUnicodePropertiesOption
                                    : QRegularExpression::UseUnicodePropertiesOption |
                                          QRegularExpression::CaseInsensitiveOption),
      wholeWord(wholeWord) {
    // Compiled once here rather than at the first line.
    expression.optimize();
}

void RegexLineSearch::decode(const char* line, qsizetype length) {
    // The buffer is not shared any more (the last line's matches are gone),
    // so resizing keeps its memory.
    text.resize(length);
    offsets.resize(size_t(length) + 1);
    QChar* out = text.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < length;) {
        const unsigned char b = static_cast<unsigned char>(line[i]);
        if (b < 0x80) {
            offsets[size_t(n)] = i;
            out[n++] = QChar(char16_t(b));
            ++i;
            continue;
        }
        Utf8Character character = DecodeUtf8At(line, length, i);
        // Overlong forms, surrogates and code points past Unicode are no
        // characters either.
        const char32_t least = character.size == 3 ? 0x800 : 0x10000;
        if (character.size == 0 ||
            (character.size >= 3 && (character.code < least || character.code > 0x10FFFF ||
                                     QChar::isSurrogate(character.code))))
            character = {QChar::ReplacementCharacter, 1};
        const char32_t c = character.code;
        const qsizetype size = character.size;
        if (QChar::requiresSurrogates(c)) {
            offsets[size_t(n)] = i;
            out[n++] = QChar(QChar::highSurrogate(c));
            offsets[size_t(n)] = i;
            out[n++] = QChar(QChar::lowSurrogate(c));
        } else {
            offsets[size_t(n)] = i;
            out[n++] = QChar(char16_t(c));
        }
        i += size;
    }
    offsets[size_t(n)] = length;
    text.truncate(n);
}

bool RegexLineSearch::isWholeWord(qsizetype start, qsizetype end) const {
    if (start > 0) {
        char32_t before = text[start - 1].unicode();
        if (QChar::isLowSurrogate(before) && start > 1 && text[start - 2].isHighSurrogate())
            before = QChar::surrogateToUcs4(text[start - 2], text[start - 1]);
        if (QChar::isLetterOrNumber(before))
            return false;
    }
    if (end < text.size()) {
        char32_t after = text[end].unicode();
        if (QChar::isHighSurrogate(after) && end + 1 < text.size() &&
            text[end + 1].isLowSurrogate())
            after = QChar::surrogateToUcs4(text[end], text[end + 1]);
        if (QChar::isLetterOrNumber(after))
            return false;
    }
    return true;
}

int RegexLineSearch::characters(qsizetype from, qsizetype to) const {
    int count = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (!text[i].isLowSurrogate())
            ++count;
    }
    return count;
}

QByteArray RegexLineSearch::expand(const QByteArray& replacement,
                                   const QRegularExpressionMatch& found, const char* line) const {
    std::vector<qsizetype> groups;
    const int last = std::min(found.lastCapturedIndex(), 9);
    for (int i = 0; i <= last; ++i) {
        const qsizetype start = found.capturedStart(i);
        if (start < 0) {
            groups.push_back(-1);
            groups.push_back(-1);
        } else {
            groups.push_back(offsets[size_t(start)]);
            groups.push_back(offsets[size_t(found.capturedEnd(i))]);
        }
    }
    return ExpandReplacement(replacement, line, groups);
}

QByteArray ExpandReplacement(const QByteArray& replacement, const char* line,
                             const std::vector<qsizetype>& groups) {
    QByteArray result;
    result.reserve(replacement.size());
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const char c = replacement[i];
        if (c != '\\' || i + 1 == replacement.size()) {
            result += c;
            continue;
        }
        const char next = replacement[i + 1];
        if (next >= '0' && next <= '9') {
            const size_t group = size_t(next - '0');
            if (2 * group + 1 < groups.size() && groups[2 * group] >= 0)
                result.append(line + groups[2 * group], groups[2 * group + 1] - groups[2 * group]);
        } else if (next == 'n') {
            result += "\r\n";
        } else if (next == 't') {
            result += '\t';
        } else if (next == '\\') {
            result += '\\';
        } else {
            result += c;
            continue;
        }
        ++i;
    }
    return result;
}
