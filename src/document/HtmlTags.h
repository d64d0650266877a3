#pragma once

#include <QString>
#include <QStringView>

// A small forward reader of HTML shared by the behaviours that look at tags
// near the caret (closing tags, matching tags).
namespace HtmlTags {

inline bool IsVoid(QStringView name) {
    static const QLatin1StringView kVoid[] = {
        QLatin1StringView("area"),  QLatin1StringView("base"),    QLatin1StringView("basefont"),
        QLatin1StringView("br"),    QLatin1StringView("col"),     QLatin1StringView("embed"),
        QLatin1StringView("frame"), QLatin1StringView("hr"),      QLatin1StringView("img"),
        QLatin1StringView("input"), QLatin1StringView("isindex"), QLatin1StringView("link"),
        QLatin1StringView("meta"),  QLatin1StringView("param"),   QLatin1StringView("source"),
        QLatin1StringView("track"), QLatin1StringView("wbr")};
    for (QLatin1StringView element : kVoid) {
        if (name.compare(element, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Elements whose content is read as plain text up to their own end tag.
inline bool HasRawContent(QStringView name) {
    return name.compare(QLatin1StringView("script"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1StringView("style"), Qt::CaseInsensitive) == 0;
}

inline bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

inline bool EndsName(QChar c) {
    return c.isSpace() || c == u'/' || c == u'>';
}

struct Tag {
    QStringView name;
    bool closing = false;
    bool selfClosing = false;
    qsizetype end = 0; // just after its ">"
};

// Where a stretch of HTML ends.
enum class Place { Text, InTag, InComment, InRawContent, Stopped };

// Reads the text as HTML from its start and hands every complete start and
// end tag to onTag, in order, until onTag returns false. Quoted attribute values may hold ">"; the
// content of script and style holds no tags but its own end tag.
template <class OnTag> Place ReadTags(QStringView text, OnTag onTag) {
    const qsizetype size = text.size();
    QStringView rawElement;
    qsizetype at = 0;
    for (;;) {
        const qsizetype open = text.indexOf(u'<', at);
        if (open < 0)
            return rawElement.isEmpty() ? Place::Text : Place::InRawContent;
        at = open + 1;
        const QStringView rest = text.sliced(open);
        if (!rawElement.isEmpty()) {
            const qsizetype after = 2 + rawElement.size();
            if (!rest.startsWith(u"</") ||
                !rest.sliced(2).startsWith(rawElement, Qt::CaseInsensitive) ||
                (after < rest.size() && !EndsName(rest[after])))
                continue;
        } else if (rest.startsWith(u"<!--")) {
            const qsizetype close = text.indexOf(u"-->", open + 4);
            if (close < 0)
                return Place::InComment;
            at = close + 3;
            continue;
        } else if (rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
            const qsizetype close = text.indexOf(u'>', open);
            if (close < 0)
                return Place::InTag;
            at = close + 1;
            continue;
        }
        Tag tag;
        qsizetype nameStart = open + 1;
        tag.closing = nameStart < size && text[nameStart] == u'/';
        if (tag.closing)
            ++nameStart;
        if (nameStart >= size)
            return Place::InTag;
        if (!IsAsciiLetter(text[nameStart]))
            continue;
        qsizetype pos = nameStart;
        while (pos < size && !EndsName(text[pos]))
            ++pos;
        tag.name = text.sliced(nameStart, pos - nameStart);
        // The attributes: a quote right after "=" opens a value up to the
        // same quote.
        bool afterEquals = false;
        while (pos < size && text[pos] != u'>') {
            const QChar c = text[pos];
            if ((c == u'"' || c == u'\'') && afterEquals) {
                pos = text.indexOf(c, pos + 1);
                if (pos < 0)
                    return Place::InTag;
                afterEquals = false;
            } else if (c == u'=') {
                afterEquals = true;
            } else if (!c.isSpace()) {
                afterEquals = false;
            }
            ++pos;
        }
        if (pos >= size)
            return Place::InTag;
        tag.selfClosing = text[pos - 1] == u'/';
        tag.end = pos + 1;
        at = tag.end;
        if (!rawElement.isEmpty())
            rawElement = {};
        else if (!tag.closing && !tag.selfClosing && HasRawContent(tag.name))
            rawElement = tag.name;
        if (!onTag(tag))
            return Place::Stopped;
    }
}

} // namespace HtmlTags
