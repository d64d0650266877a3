#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringView>

// The colours written in a page's text: in CSS (a style sheet, the content
// of <style>, a style="..." attribute) and in the colour attributes of HTML
// (color, bgcolor, text, link, vlink, alink). CSS counts only in the values
// of declarations, so a selector such as "#add" is no colour.

enum class ColorNotation { ShortHex, Hex, Rgb, Rgba, Name };

struct FoundColor {
    qsizetype start = 0; // in UTF-16 units of the text read
    qsizetype length = 0;
    QColor color;
    ColorNotation notation = ColorNotation::Hex;
    bool operator==(const FoundColor&) const = default;
};

// Where the reader stands in a page; it carries over from one stretch of
// text to the next one, so that a page can be read line by line.
struct ColorReaderState {
    enum class Place : unsigned char {
        Text,         // HTML content
        Comment,      // <!-- ... -->
        Tag,          // inside a tag, between attributes
        AfterName,    // after an attribute's name
        AfterEquals,  // after its "="
        Value,        // in an attribute's value
        StyleElement, // the content of <style>, up to </style>
        StyleSheet,   // a style sheet: CSS to its end
    };
    Place place = Place::Text;
    enum class ValueKind : unsigned char { Other, Style, Color };
    ValueKind valueKind = ValueKind::Other;
    QChar quote;             // the quote of the value; none for a bare value
    bool styleTag = false;   // the tag is a start tag of <style>
    bool cssComment = false; // inside /* ... */
    bool inDeclaration = false;
    int braces = 0;

    static ColorReaderState ForStyleSheet() {
        ColorReaderState state;
        state.place = Place::StyleSheet;
        return state;
    }
};

// Reads text on from state, leaves state where the text ends and returns the
// colours found, in order.
QList<FoundColor> FindColors(QStringView text, ColorReaderState& state);

// The colour as text in the given notation, for a colour that was written
// as original: "#rgb" only where each channel's digits are a pair ("#rrggbb"
// otherwise), a colour's name only where the colour has one (the original
// name first), the hexadecimal digits in the original's letter case, and
// rgba() keeping the original's alpha when the colour has none of its own.
QString WriteColor(const QColor& color, ColorNotation notation, QStringView original);
