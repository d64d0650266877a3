#include "ClosingTags.h"

#include "EditorControl.h"
#include "HtmlTags.h"

#include <vector>

namespace {

using namespace HtmlTags;

// How far back a ">" looks for the tag it ends and what that tag stands in,
// and how far back "</" looks for the elements still open.
constexpr long kTagReach = 64 * 1024;
constexpr long kNestingReach = 1024 * 1024;

} // namespace

void ClosingTags::Typed(const QString& text) {
    const EditorControl& editor = Editor();
    if (editor.ReadOnly() || editor.CurrentHighlighter() == Highlighter::Css)
        return;
    if (text == QLatin1StringView(">"))
        closeStartTag();
    else if (text == QLatin1StringView("/") && editor.TextBeforeCaret(2) == QLatin1StringView("</"))
        completeClosingTag();
}

void ClosingTags::closeStartTag() {
    EditorControl& editor = Editor();
    const QString before = editor.TextBeforeCaret(kTagReach);
    Tag last;
    const Place place = ReadTags(before, [&last](const Tag& tag) {
        last = tag;
        return true;
    });
    if (place == Place::InTag || place == Place::InComment || last.end != before.size() ||
        last.closing || last.selfClosing || IsVoid(last.name))
        return;
    const QString closing = QStringLiteral("</").append(last.name).append(u'>');
    if (editor.TextAfterCaret(closing.toUtf8().size()).startsWith(closing, Qt::CaseInsensitive))
        return;
    const TextPosition caret = editor.CaretPosition();
    editor.ReplaceSelection(closing);
    editor.SetCaretPosition(caret);
}

void ClosingTags::completeClosingTag() {
    EditorControl& editor = Editor();
    const QString before = editor.TextBeforeCaret(kNestingReach);
    std::vector<QStringView> open;
    const Place place = ReadTags(QStringView(before).chopped(2), [&open](const Tag& tag) {
        if (tag.selfClosing || IsVoid(tag.name))
            return true;
        if (!tag.closing) {
            open.push_back(tag.name);
            return true;
        }
        // An end tag closes its element and the ones left open inside it;
        // one without an open element is ignored.
        for (auto element = open.rbegin(); element != open.rend(); ++element) {
            if (element->compare(tag.name, Qt::CaseInsensitive) == 0) {
                open.erase(std::prev(element.base()), open.end());
                break;
            }
        }
        return true;
    });
    if (place == Place::InTag || place == Place::InComment || open.empty())
        return;
    editor.ReplaceSelection(open.back().toString().append(u'>'));
}
