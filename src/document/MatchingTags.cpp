#include "MatchingTags.h"

#include "EditorControl.h"
#include "HtmlTags.h"

#include <vector>

namespace {

using namespace HtmlTags;

// How much around the caret is read to find the name it stands in, and how
// far a tag's partner is looked for.
constexpr long kNameReach = 128;
constexpr long kNearReach = 32 * 1024;
constexpr long kPartnerReach = 1024 * 1024;

bool InName(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':' || c == u'.';
}

} // namespace

bool MatchingTags::RunCommand(EditorCommand command) {
    if (command != EditorCommand::MatchBracket)
        return false;
    const std::optional<Match> match = findMatch();
    if (!match)
        return false;
    // The caret keeps its place in the name.
    Editor().MoveCaretBy(match->partner - match->name);
    return true;
}

void MatchingTags::TextChanged() {
    Editor().MarkNearCaret({});
    editedAt = Editor().CaretPosition();
}

void MatchingTags::CaretMoved(const TextPosition& caret) {
    const bool byEdit = editedAt == caret;
    editedAt.reset();
    if (byEdit)
        Editor().MarkNearCaret({});
    else
        update();
}

void MatchingTags::update() {
    const std::optional<Match> match = findMatch();
    if (match)
        Editor().MarkNearCaret({{match->name, match->length}, {match->partner, match->length}});
    else
        Editor().MarkNearCaret({});
}

std::optional<MatchingTags::Match> MatchingTags::findMatch() const {
    const EditorControl& editor = Editor();
    if (editor.CurrentHighlighter() == Highlighter::Css)
        return std::nullopt;
    // The cheap test first: a name right at the caret with "<" or "</" before it.
    const QString before = editor.TextBeforeCaret(kNameReach);
    qsizetype nameStart = before.size();
    while (nameStart > 0 && InName(before[nameStart - 1]))
        --nameStart;
    if (nameStart == 0)
        return std::nullopt;
    const bool closing = before[nameStart - 1] == u'/';
    const qsizetype tagStart = nameStart - (closing ? 2 : 1);
    if (tagStart < 0 || before[tagStart] != u'<')
        return std::nullopt;
    const QString after = editor.TextAfterCaret(kNameReach);
    qsizetype nameEnd = 0;
    while (nameEnd < after.size() && InName(after[nameEnd]))
        ++nameEnd;
    const QString name = before.sliced(nameStart) + after.first(nameEnd);
    if (name.isEmpty() || !IsAsciiLetter(name[0]) || IsVoid(name))
        return std::nullopt;
    const auto sameName = [&name](const Tag& tag) {
        return !tag.selfClosing && tag.name.compare(name, Qt::CaseInsensitive) == 0;
    };
    const qsizetype tagFromCaret = before.size() - tagStart;
    // Forward from the start tag to the end tag that brings the count of open
    // elements of that name back to none; the partner's start from the caret.
    const auto partnerAfter = [&](long reach) -> std::optional<int> {
        const QString text = before.sliced(tagStart) + editor.TextAfterCaret(reach);
        int open = 0;
        std::optional<int> partner;
        ReadTags(text, [&](const Tag& tag) {
            if (!sameName(tag))
                return open > 0;
            open += tag.closing ? -1 : 1;
            if (open > 0)
                return true;
            if (tag.closing)
                partner = int(tag.name.data() - text.data() - tagFromCaret);
            return false;
        });
        return partner;
    };
    // Back from the end tag: the innermost start tag of that name still open
    // before it.
    const auto partnerBefore = [&](long reach) -> std::optional<int> {
        const QString text = editor.TextBeforeCaret(reach);
        const QStringView head = QStringView(text).first(text.size() - tagFromCaret);
        std::vector<qsizetype> open;
        ReadTags(head, [&](const Tag& tag) {
            if (sameName(tag)) {
                if (!tag.closing)
                    open.push_back(tag.name.data() - head.data());
                else if (!open.empty())
                    open.pop_back();
            }
            return true;
        });
        if (open.empty())
            return std::nullopt;
        return int(open.back() - text.size());
    };

    Match match;
    match.name = int(nameStart - before.size());
    match.length = int(name.size());
    // Most partners are near: a short stretch is read first, the whole
    // reach only when the partner is not in it.
    for (const long reach : {kNearReach, kPartnerReach}) {
        if (const std::optional<int> partner =
                closing ? partnerBefore(reach) : partnerAfter(reach)) {
            match.partner = *partner;
            return match;
        }
    }
    return std::nullopt;
}
