#include "RtfWriter.h"

#include "HighlightStyles.h"

#include <QList>

#include <vector>

namespace {

struct Look {
    int color = 1; // into the colour table; 1 is black
    bool bold = false;
    bool italic = false;
    bool operator==(const Look&) const = default;
};

void AppendCharacter(QByteArray& out, char32_t c) {
    switch (c) {
    case '\\':
        out += "\\\\";
        return;
    case '{':
        out += "\\{";
        return;
    case '}':
        out += "\\}";
        return;
    case '\t':
        out += "\\tab ";
        return;
    default:
        break;
    }
    if (c < 0x80) {
        out += char(c);
        return;
    }
    // \uN takes a signed 16-bit number; other characters go as a surrogate pair.
    const auto unit = [&out](unsigned value) {
        out += "\\u" + QByteArray::number(qint16(quint16(value))) + '?';
    };
    if (c >= 0x10000) {
        unit(0xD800 + ((c - 0x10000) >> 10));
        unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        unit(c);
    }
}

} // namespace

QByteArray DocumentToRtf(const QString& text, HighlightMode mode) {
    QByteArray colorTable = "{\\colortbl;\\red0\\green0\\blue0;";
    QList<QRgb> colors{qRgb(0, 0, 0)};
    std::vector<Look> looks(HighlightStyle::Count);
    for (int style = 0; style < HighlightStyle::Count; ++style) {
        const HighlightStyleLook look = StyleLook(style);
        looks[size_t(style)].bold = look.bold;
        looks[size_t(style)].italic = look.italic;
        if (!look.foreground.isValid())
            continue;
        qsizetype index = colors.indexOf(look.foreground.rgb());
        if (index < 0) {
            index = colors.size();
            colors << look.foreground.rgb();
            colorTable += "\\red" + QByteArray::number(look.foreground.red()) + "\\green" +
                          QByteArray::number(look.foreground.green()) + "\\blue" +
                          QByteArray::number(look.foreground.blue()) + ';';
        }
        looks[size_t(style)].color = int(index) + 1;
    }
    colorTable += '}';

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
                     "{\\fonttbl{\\f0\\fmodern\\fcharset0 Courier New;}}" +
                     colorTable + "{\\info{\\title Untitled}}\\pard\\plain\\f0\\fs20\\cf1 ";
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    int state = kInitialLineState;
    std::vector<unsigned char> styles;
    Look current;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QByteArray utf8 = lines[index].toUtf8();
        styles.assign(size_t(utf8.size()), 0);
        state = StyleLine(mode, utf8.constData(), int(utf8.size()), state, styles.data());
        qsizetype byte = 0;
        for (const uint c : lines[index].toUcs4()) {
            const int style = byte < utf8.size() ? styles[size_t(byte)] : 0;
            const Look look = style < HighlightStyle::Count ? looks[size_t(style)] : Look();
            if (!(look == current)) {
                if (look.color != current.color)
                    out += "\\cf" + QByteArray::number(look.color);
                if (look.bold != current.bold)
                    out += look.bold ? "\\b" : "\\b0";
                if (look.italic != current.italic)
                    out += look.italic ? "\\i" : "\\i0";
                out += ' ';
                current = look;
            }
            AppendCharacter(out, c);
            byte += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        }
        if (index + 1 < lines.size())
            out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}
