#include "ColorFinder.h"

#include <QHash>

#include <optional>

namespace {

using Place = ColorReaderState::Place;
using ValueKind = ColorReaderState::ValueKind;

bool IsNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_';
}

bool IsHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// The named colours of CSS, lower case, without "transparent", which has no
// colour to show.
const QHash<QString, QRgb>& NamedColors() {
    static const QHash<QString, QRgb> names = [] {
        QHash<QString, QRgb> table;
        for (const QString& name : QColor::colorNames()) {
            if (name != QLatin1String("transparent"))
                table.insert(name.toLower(), QColor::fromString(name).rgb());
        }
        return table;
    }();
    return names;
}

ValueKind KindOfAttribute(QStringView name) {
    static const QLatin1StringView kColorAttributes[] = {
        QLatin1StringView("color"), QLatin1StringView("bgcolor"), QLatin1StringView("text"),
        QLatin1StringView("link"),  QLatin1StringView("vlink"),   QLatin1StringView("alink")};
    if (name.compare(QLatin1StringView("style"), Qt::CaseInsensitive) == 0)
        return ValueKind::Style;
    for (QLatin1StringView attribute : kColorAttributes) {
        if (name.compare(attribute, Qt::CaseInsensitive) == 0)
            return ValueKind::Color;
    }
    return ValueKind::Other;
}

// One number of rgb(): 0 to 255, or a percentage of 255; an alpha is 0 to 1
// or a percentage of 1. Returns the value scaled to 0..255.
std::optional<int> Channel(QStringView text, bool alpha) {
    text = text.trimmed();
    const bool percent = text.endsWith(u'%');
    if (percent)
        text.chop(1);
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || text.isEmpty())
        return std::nullopt;
    const double scaled = percent ? value * 255 / 100 : alpha ? value * 255 : value;
    return qBound(0, qRound(scaled), 255);
}

// The arguments of rgb() or rgba(), separated by commas, or by blanks with
// "/" before the alpha.
QStringList RgbParts(QStringView arguments) {
    QString flat = arguments.toString();
    flat.replace(u',', u' ').replace(u'/', u' ');
    return flat.simplified().split(u' ', Qt::SkipEmptyParts);
}

// The colour of rgb()'s or rgba()'s arguments: three channels and an
// optional alpha.
std::optional<QColor> RgbArguments(QStringView arguments) {
    const QStringList parts = RgbParts(arguments);
    if (parts.size() != 3 && parts.size() != 4)
        return std::nullopt;
    int channels[4] = {0, 0, 0, 255};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::optional<int> value = Channel(parts[i], i == 3);
        if (!value)
            return std::nullopt;
        channels[i] = *value;
    }
    return QColor(channels[0], channels[1], channels[2], channels[3]);
}

class Reader {
public:
    Reader(QStringView text, ColorReaderState& state) : text(text), state(state) {}

    QList<FoundColor> Run() {
        while (at < text.size()) {
            switch (state.place) {
            case Place::Text:
                readText();
                break;
            case Place::Comment:
                skipTo(u"-->", Place::Text);
                break;
            case Place::Tag:
                readTag();
                break;
            case Place::AfterName:
                skipBlanks();
                if (at < text.size()) {
                    if (text[at] == u'=') {
                        ++at;
                        state.place = Place::AfterEquals;
                    } else {
                        state.place = Place::Tag;
                    }
                }
                break;
            case Place::AfterEquals:
                readValueStart();
                break;
            case Place::Value:
                readValue();
                break;
            case Place::StyleElement: {
                const qsizetype end = text.indexOf(u"</style", at, Qt::CaseInsensitive);
                readCss(end < 0 ? text.size() : end);
                if (end >= 0)
                    state.place = Place::Text;
                break;
            }
            case Place::StyleSheet:
                readCss(text.size());
                break;
            }
        }
        return found;
    }

private:
    QStringView text;
    ColorReaderState& state;
    qsizetype at = 0;
    QList<FoundColor> found;

    void skipBlanks() {
        while (at < text.size() && text[at].isSpace())
            ++at;
    }

    void skipTo(QStringView end, Place after) {
        const qsizetype close = text.indexOf(end, at);
        if (close < 0) {
            at = text.size();
            return;
        }
        at = close + end.size();
        state.place = after;
    }

    void readText() {
        const qsizetype open = text.indexOf(u'<', at);
        if (open < 0) {
            at = text.size();
            return;
        }
        const QStringView rest = text.sliced(open);
        if (rest.startsWith(u"<!--")) {
            at = open + 4;
            state.place = Place::Comment;
            return;
        }
        qsizetype name = open + 1;
        const bool closing = name < text.size() && text[name] == u'/';
        if (closing)
            ++name;
        if (name >= text.size() || !text[name].isLetter()) {
            at = open + 1;
            return;
        }
        at = name;
        while (at < text.size() && IsNameChar(text[at]))
            ++at;
        state.styleTag =
            !closing &&
            text.sliced(name, at - name).compare(QLatin1StringView("style"), Qt::CaseInsensitive) ==
                0;
        state.place = Place::Tag;
    }

    void readTag() {
        skipBlanks();
        if (at >= text.size())
            return;
        const QChar c = text[at];
        if (c == u'>') {
            ++at;
            state.place = state.styleTag ? Place::StyleElement : Place::Text;
            state.braces = 0;
            state.inDeclaration = false;
            state.cssComment = false;
            return;
        }
        if (c == u'/' || c == u'=' || c == u'"' || c == u'\'') {
            ++at;
            return;
        }
        const qsizetype name = at;
        while (at < text.size() && !text[at].isSpace() && text[at] != u'=' && text[at] != u'>' &&
               text[at] != u'/')
            ++at;
        state.valueKind = KindOfAttribute(text.sliced(name, at - name));
        state.place = Place::AfterName;
    }

    void readValueStart() {
        skipBlanks();
        if (at >= text.size())
            return;
        const QChar c = text[at];
        if (c == u'>') {
            state.place = Place::Tag;
            return;
        }
        state.quote = (c == u'"' || c == u'\'') ? c : QChar();
        if (!state.quote.isNull())
            ++at;
        state.place = Place::Value;
        // A style attribute holds declarations; a colour attribute is one value.
        state.braces = 1;
        state.inDeclaration = state.valueKind == ValueKind::Color;
        state.cssComment = false;
    }

    void readValue() {
        qsizetype end = at;
        if (!state.quote.isNull()) {
            end = text.indexOf(state.quote, at);
        } else {
            // A value without quotes ends at the end of the line as well.
            while (end < text.size() && !text[end].isSpace() && text[end] != u'>')
                ++end;
        }
        if (state.valueKind != ValueKind::Other)
            readCss(end < 0 ? text.size() : end);
        if (end < 0) {
            at = text.size();
            return;
        }
        at = state.quote.isNull() ? end : end + 1;
        state.place = Place::Tag;
    }

    // CSS up to end: colours in the values of declarations, outside comments
    // and strings.
    void readCss(qsizetype end) {
        while (at < end) {
            if (state.cssComment) {
                const qsizetype close = text.first(end).indexOf(u"*/", at);
                at = close < 0 ? end : close + 2;
                state.cssComment = close < 0;
                continue;
            }
            const QChar c = text[at];
            if (c == u'/' && at + 1 < end && text[at + 1] == u'*') {
                state.cssComment = true;
                at += 2;
            } else if (c == u'"' || c == u'\'') {
                const qsizetype close = text.first(end).indexOf(c, at + 1);
                at = close < 0 ? end : close + 1;
            } else if (c == u'{') {
                ++state.braces;
                state.inDeclaration = false;
                ++at;
            } else if (c == u'}') {
                state.braces = qMax(0, state.braces - 1);
                state.inDeclaration = false;
                ++at;
            } else if (c == u';') {
                state.inDeclaration =
                    state.valueKind == ValueKind::Color && state.place == Place::Value;
                ++at;
            } else if (c == u':') {
                state.inDeclaration = state.braces > 0;
                ++at;
            } else if (c == u'#' || IsNameChar(c)) {
                readCssWord(end);
            } else if (c == u'.' && at + 1 < end && text[at + 1].isLetter()) {
                // A class name, as in "a:hover, p.red {" inside @media.
                at += 2;
                while (at < end && IsNameChar(text[at]))
                    ++at;
            } else {
                ++at;
            }
        }
    }

    void readCssWord(qsizetype end) {
        const qsizetype start = at;
        ++at;
        while (at < end && IsNameChar(text[at]))
            ++at;
        if (!state.inDeclaration)
            return;
        const QStringView word = text.sliced(start, at - start);
        if (word.startsWith(u'#')) {
            const QStringView digits = word.sliced(1);
            if ((digits.size() == 3 || digits.size() == 6) &&
                std::all_of(digits.begin(), digits.end(), IsHexDigit))
                found.append({start, word.size(), QColor::fromString(word),
                              digits.size() == 3 ? ColorNotation::ShortHex : ColorNotation::Hex});
            return;
        }
        if (!word.front().isLetter())
            return;
        if (at < end && text[at] == u'(') {
            const bool rgb = word.compare(QLatin1StringView("rgb"), Qt::CaseInsensitive) == 0;
            const bool rgba = word.compare(QLatin1StringView("rgba"), Qt::CaseInsensitive) == 0;
            const qsizetype close = text.first(end).indexOf(u')', at);
            if ((rgb || rgba) && close > at) {
                if (const auto color = RgbArguments(text.sliced(at + 1, close - at - 1)))
                    found.append({start, close + 1 - start, *color,
                                  rgba ? ColorNotation::Rgba : ColorNotation::Rgb});
                at = close + 1;
            }
            return;
        }
        const auto named = NamedColors().constFind(word.toString().toLower());
        if (named != NamedColors().cend())
            found.append({start, word.size(), QColor(*named), ColorNotation::Name});
    }
};

QString Hex(const QColor& color, bool lower) {
    QString text = color.name(QColor::HexRgb);
    return lower ? text : text.toUpper();
}

bool HasLowerHex(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'a' && c <= u'f'; });
}

} // namespace

QList<FoundColor> FindColors(QStringView text, ColorReaderState& state) {
    return Reader(text, state).Run();
}

QString WriteColor(const QColor& color, ColorNotation notation, QStringView original) {
    const bool lower = HasLowerHex(original) || !original.startsWith(u'#');
    switch (notation) {
    case ColorNotation::ShortHex: {
        const auto paired = [](int channel) { return channel % 17 == 0; };
        if (paired(color.red()) && paired(color.green()) && paired(color.blue())) {
            const QString text = QStringLiteral("#%1%2%3")
                                     .arg(color.red() / 17, 0, 16)
                                     .arg(color.green() / 17, 0, 16)
                                     .arg(color.blue() / 17, 0, 16);
            return lower ? text : text.toUpper();
        }
        return Hex(color, lower);
    }
    case ColorNotation::Hex:
        return Hex(color, lower);
    case ColorNotation::Rgb:
    case ColorNotation::Rgba: {
        const qsizetype open = original.indexOf(u'(');
        const QStringView name = open > 0 ? original.first(open) : QStringView(u"rgb");
        const QString separator =
            original.contains(u',') ? QStringLiteral(", ") : QStringLiteral(" ");
        QString text = name.toString() + u'(' + QString::number(color.red()) + separator +
                       QString::number(color.green()) + separator + QString::number(color.blue());
        // The colour dialog gives opaque colours: an alpha written stays.
        const qsizetype close = original.lastIndexOf(u')');
        const QStringList parts = open > 0 && close > open
                                      ? RgbParts(original.sliced(open + 1, close - open - 1))
                                      : QStringList();
        if (notation == ColorNotation::Rgba || parts.size() == 4) {
            const QString alpha = color.alpha() == 255 && parts.size() == 4
                                      ? parts[3]
                                      : QString::number(color.alphaF(), 'g', 3);
            text +=
                (original.contains(u',') ? QStringLiteral(", ") : QStringLiteral(" / ")) + alpha;
        }
        return text + u')';
    }
    case ColorNotation::Name: {
        const QHash<QString, QRgb>& names = NamedColors();
        const QString originalName = original.toString().toLower();
        if (names.value(originalName) == color.rgb() && names.contains(originalName))
            return original.toString();
        QString best;
        for (auto it = names.cbegin(); it != names.cend(); ++it) {
            if (it.value() == color.rgb() && (best.isEmpty() || it.key() < best))
                best = it.key();
        }
        return best.isEmpty() ? Hex(color, true) : best;
    }
    }
    return Hex(color, lower);
}
