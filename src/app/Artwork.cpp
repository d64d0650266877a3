#include "Artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace {

// The small palette all toolbar icons share.
constexpr QRgb kOutline = 0x303030;
constexpr QRgb kPaper = 0xffffff;
constexpr QRgb kPaperShade = 0xdde4ec;
constexpr QRgb kTextLine = 0x8c96a3;
constexpr QRgb kBlue = 0x2f6fcf;
constexpr QRgb kLightBlue = 0x8bb8f0;
constexpr QRgb kDarkBlue = 0x1d4a94;
constexpr QRgb kYellow = 0xf6cd4c;
constexpr QRgb kDarkYellow = 0xd9a21b;
constexpr QRgb kRed = 0xd6382c;
constexpr QRgb kGreen = 0x3b9b3b;
constexpr QRgb kLightGreen = 0x7fcc5a;
constexpr QRgb kGrey = 0xa6adb5;
constexpr QRgb kLightGrey = 0xe3e6ea;

// The splash, About banner and window icon colours.
constexpr QRgb kNavy = 0x0b1d3f;
constexpr QRgb kTeal = 0x0f7378;
constexpr QRgb kMint = 0x8fe8e0;

QColor Rgb(QRgb value, int alpha = 255) {
    QColor color = QColor::fromRgb(value);
    color.setAlpha(alpha);
    return color;
}

// Icons are painted on a 16 x 16 grid; a one-unit line on a half coordinate
// covers whole pixels at both 16 and 32 pixels.
QPen Pen(QRgb color, qreal width = 1.0) {
    QPen pen(Rgb(color), width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPen RoundPen(QRgb color, qreal width) {
    QPen pen(Rgb(color), width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QLinearGradient VerticalGradient(qreal top, qreal bottom, QRgb from, QRgb to) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, Rgb(from));
    gradient.setColorAt(1, Rgb(to));
    return gradient;
}

void Line(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2) {
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

// A tiny bitmap glyph given as rows of '#' (set) and '.' (clear), one grid
// unit per character, so small digits and letters stay sharp at 16 pixels.
void PixelGlyph(QPainter& p, int left, int top, std::initializer_list<const char*> rows,
                QRgb color) {
    QPainterPath dots;
    int y = top;
    for (const char* row : rows) {
        for (int x = 0; row[x] != '\0'; ++x)
            if (row[x] == '#')
                dots.addRect(left + x, y, 1, 1);
        ++y;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(color));
    p.drawPath(dots.simplified());
}

// A sheet of paper whose top right corner is folded over.
void Page(QPainter& p, const QRectF& r, qreal fold = 4) {
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, Rgb(kPaper));
    fill.setColorAt(1, Rgb(kPaperShade));
    p.setPen(Pen(kOutline));
    p.setBrush(fill);
    p.drawPath(sheet);
    if (fold > 0) {
        QPainterPath ear;
        ear.moveTo(r.right() - fold, r.top());
        ear.lineTo(r.right() - fold, r.top() + fold);
        ear.lineTo(r.right(), r.top() + fold);
        ear.closeSubpath();
        p.setBrush(Rgb(kLightGrey));
        p.drawPath(ear);
    }
}

// Grey lines standing for text, the last one shorter.
void TextLines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step = 2,
               QRgb color = kTextLine) {
    p.setPen(Pen(color));
    for (int i = 0; i < count; ++i) {
        const qreal end = i == count - 1 && count > 1 ? left + (right - left) * 0.6 : right;
        Line(p, left, top + i * step, end, top + i * step);
    }
}

// A shape made from a thick stroke along the path plus any extra outline,
// filled and edged with the dark outline: arrows read clearly that way.
void OutlinedStroke(QPainter& p, const QPainterPath& spine, qreal width, const QPainterPath& extra,
                    const QBrush& fill) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath shape = stroker.createStroke(spine).united(extra).simplified();
    QPen pen = Pen(kOutline);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(fill);
    p.drawPath(shape);
}

// A glyph of a font drawn as an outline centred on a point; its left and top
// edges are moved onto whole pixels so stems stay sharp at 16 pixels.
void Glyph(QPainter& p, const QString& text, const QFont& font, QPointF centre, const QBrush& fill,
           const QPen& pen = Qt::NoPen) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    const qreal dx = std::round(centre.x() - box.width() / 2) - box.left();
    const qreal dy = std::round(centre.y() - box.height() / 2) - box.top();
    p.setPen(pen);
    p.setBrush(fill);
    p.drawPath(path.translated(dx, dy));
}

QFont IconFont(const QString& family, qreal pixels, bool bold = false, bool italic = false) {
    QFont font(family);
    font.setPixelSize(qRound(pixels));
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont Sans(qreal pixels, bool bold = true) {
    return IconFont(QStringLiteral("DejaVu Sans"), pixels, bold);
}

QFont Serif(qreal pixels, bool bold, bool italic) {
    return IconFont(QStringLiteral("DejaVu Serif"), pixels, bold, italic);
}

// An arrow that curves from the lower right up to a head pointing left.
void CurvedArrowLeft(QPainter& p) {
    QPainterPath spine;
    spine.moveTo(12.5, 14.5);
    spine.cubicTo(15.5, 10.5, 13.5, 5, 6, 5);
    QPainterPath head;
    head.moveTo(0.5, 5);
    head.lineTo(6.5, 0.5);
    head.lineTo(6.5, 9.5);
    head.closeSubpath();
    OutlinedStroke(p, spine, 3.2, head, VerticalGradient(0, 16, kLightBlue, kBlue));
}

// A calendar sheet: red band with rings on top, a grid of days below.
void Calendar(QPainter& p, const QRectF& r) {
    p.setPen(Pen(kOutline));
    p.setBrush(Rgb(kPaper));
    p.drawRect(r);
    p.setBrush(Rgb(kRed));
    p.drawRect(QRectF(r.left(), r.top(), r.width(), 3));
    p.setPen(Pen(kGrey));
    for (qreal y = r.top() + 5; y < r.bottom() - 0.5; y += 2)
        Line(p, r.left() + 2, y, r.right() - 2, y);
}

// A small round clock face showing three o'clock; the centre should lie on
// a pixel centre so the hands stay sharp.
void Clock(QPainter& p, QPointF c, qreal radius) {
    p.setPen(Pen(kOutline));
    p.setBrush(Rgb(kPaper));
    p.drawEllipse(c, radius, radius);
    p.setPen(Pen(kOutline));
    Line(p, c.x(), c.y() + 0.5, c.x(), c.y() - radius + 1.5);
    p.setPen(Pen(kRed));
    Line(p, c.x() + 0.5, c.y(), c.x() + radius - 1.5, c.y());
}

// Alignment glyph: five lines, the short ones placed by the given side.
void AlignmentLines(QPainter& p, Qt::Alignment side) {
    p.setPen(Pen(kOutline));
    for (int i = 0; i < 5; ++i) {
        const qreal y = 2.5 + i * 3;
        const qreal length = i % 2 == 0 ? 14 : 9;
        qreal left = 1;
        if (i % 2 == 1 && side == Qt::AlignHCenter)
            left = 1 + (14 - length) / 2;
        else if (i % 2 == 1 && side == Qt::AlignRight)
            left = 15 - length;
        Line(p, left, y, left + length, y);
    }
}

// Two chevrons, pointing left or right.
void DoubleChevron(QPainter& p, bool left) {
    p.setPen(RoundPen(kOutline, 1.5));
    p.setBrush(Qt::NoBrush);
    for (qreal x : {4.5, 8.5}) {
        const qreal tip = left ? x : x + 3;
        const qreal back = left ? x + 3 : x;
        QPainterPath chevron;
        chevron.moveTo(back, 4.5);
        chevron.lineTo(tip, 8);
        chevron.lineTo(back, 11.5);
        p.drawPath(chevron);
    }
}

// --- The icons, each painted on the 16 x 16 grid ---

void NewDocument(QPainter& p) {
    Page(p, QRectF(2.5, 0.5, 11, 15));
}

void OpenFolder(QPainter& p) {
    QPainterPath back;
    back.moveTo(0.5, 2.5);
    back.lineTo(5, 2.5);
    back.lineTo(6.5, 4.5);
    back.lineTo(13.5, 4.5);
    back.lineTo(13.5, 13.5);
    back.lineTo(0.5, 13.5);
    back.closeSubpath();
    p.setPen(Pen(kOutline));
    p.setBrush(Rgb(kDarkYellow));
    p.drawPath(back);
    p.setPen(Pen(kOutline));
    p.setBrush(Rgb(kPaper));
    p.drawRect(QRectF(2.5, 5.5, 9, 3));
    QPainterPath front;
    front.moveTo(3, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(13.5, 13.5);
    front.lineTo(0.5, 13.5);
    front.closeSubpath();
    p.setBrush(VerticalGradient(7.5, 13.5, 0xffe07a, kYellow));
    p.drawPath(front);
}

void SaveDisk(QPainter& p) {
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    p.setPen(Pen(kOutline));
    p.setBrush(VerticalGradient(1, 15, 0x4f86d6, kDarkBlue));
    p.drawPath(body);
    // The metal shutter with its window.
    p.setBrush(VerticalGradient(1.5, 6.5, 0xf2f4f6, kGrey));
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kOutline));
    p.drawRect(QRectF(9, 2.5, 1.5, 3));
    // The label.
    p.setPen(Pen(kOutline));
    p.setBrush(Rgb(kPaper));
    p.drawRect(QRectF(3.5, 9.5, 9, 5));
    p.setPen(Pen(kRed));
    Line(p, 4.5, 11, 11.5, 11);
    p.setPen(Pen(kTextLine));
    Line(p, 4.5, 13, 11.5, 13);
}

void CloseDocument(QPainter& p) {
    const QRectF page(1.5, 0.5, 11, 14);
    Page(p, page);
    TextLines(p, 3.5, 8.5, 5.5, 3);
    // A red cross; a white halo, kept inside the page, parts it from the text.
    p.save();
    p.setClipRect(page.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(RoundPen(kPaper, 4));
    Line(p, 9.5, 9.5, 14.5, 14.5);
    Line(p, 14.5, 9.5, 9.5, 14.5);
    p.restore();
    p.setPen(RoundPen(kRed, 2.2));
    Line(p, 9.5, 9.5, 14.5, 14.5);
    Line(p, 14.5, 9.5, 9.5, 14.5);
}

void Copy(QPainter& p) {
    Page(p, QRectF(0.5, 0.5, 9, 11), 3);
    TextLines(p, 2, 6, 4.5, 3);
    Page(p, QRectF(5.5, 4.5, 9, 11), 3);
    TextLines(p, 7, 12, 8.5, 3);
}

void Paste(QPainter& p) {
    p.setPen(Pen(kOutline));
    p.setBrush(VerticalGradient(2, 15, 0xc99452, 0x9c6a2e));
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
    p.setBrush(VerticalGradient(0.5, 4.5, 0xf2f4f6, kGrey));
    p.drawRoundedRect(QRectF(3.5, 0.5, 6, 4), 1, 1);
    Page(p, QRectF(6.5, 6.5, 8, 9), 2.5);
    TextLines(p, 8, 12, 10.5, 3);
}

void Scissors(QPainter& p) {
    // Blades first, then the handles over their ends.
    const QPointF pivot(8, 8.3);
    QPainterPath blades;
    blades.moveTo(5.2, 11);
    blades.lineTo(11.8, 0.8);
    blades.moveTo(10.8, 11);
    blades.lineTo(4.2, 0.8);
    QPainterPathStroker stroker;
    stroker.setWidth(2);
    stroker.setCapStyle(Qt::RoundCap);
    p.setPen(Pen(kOutline));
    p.setBrush(VerticalGradient(0, 10, kPaper, kGrey));
    p.drawPath(stroker.createStroke(blades).simplified());
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kOutline));
    p.drawEllipse(pivot, 0.9, 0.9);
    p.setBrush(Qt::NoBrush);
    for (QPointF c : {QPointF(4.2, 12.6), QPointF(11.8, 12.6)}) {
        p.setPen(RoundPen(kOutline, 2.6));
        p.drawEllipse(c, 2.3, 2.3);
        p.setPen(RoundPen(kRed, 1.4));
        p.drawEllipse(c, 2.3, 2.3);
    }
}

void Undo(QPainter& p) {
    CurvedArrowLeft(p);
}

void Redo(QPainter& p) {
    p.translate(16, 0);
    p.scale(-1, 1);
    CurvedArrowLeft(p);
}

void ImageBrowser(QPainter& p) {
    p.setPen(Pen(kOutline));
    p.setBrush(VerticalGradient(1, 15, 0xc0894a, 0x8a5a26));
    p.drawRect(QRectF(0.5, 1.5, 15, 13));
    const QRectF picture(2.5, 3.5, 11, 9);
    p.setBrush(VerticalGradient(3.5, 12.5, 0x6fb1f2, 0xcfe6fb));
    p.drawRect(picture);
    p.save();
    p.setClipRect(picture.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kYellow));
    p.drawEllipse(QPointF(10.8, 6.2), 1.6, 1.6);
    QPainterPath hills;
    hills.moveTo(2, 13);
    hills.lineTo(6.5, 6.5);
    hills.lineTo(9.5, 10.5);
    hills.lineTo(11, 9);
    hills.lineTo(14, 13);
    hills.closeSubpath();
    p.setBrush(VerticalGradient(6.5, 13, kLightGreen, kGreen));
    p.drawPath(hills);
    p.restore();
}

void Preview(QPainter& p) {
    Page(p, QRectF(0.5, 0.5, 10, 14), 3);
    TextLines(p, 2.5, 6.5, 4.5, 3);
    // Handle, then the lens over it.
    p.setPen(RoundPen(kOutline, 3));
    Line(p, 11.8, 12, 14.5, 14.7);
    p.setPen(Pen(kOutline, 1.2));
    p.setBrush(VerticalGradient(6, 13, 0xe6f1fd, kLightBlue));
    p.drawEllipse(QPointF(9.5, 9.5), 3.6, 3.6);
    p.setPen(RoundPen(kPaper, 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7.3, 7.3, 4.4, 4.4), 100 * 16, 70 * 16);
}

void Globe(QPainter& p) {
    const QPointF c(8, 8);
    QRadialGradient sea(QPointF(5.5, 5), 10);
    sea.setColorAt(0, Rgb(0x9fd0ff));
    sea.setColorAt(1, Rgb(kDarkBlue));
    p.setPen(Pen(kOutline));
    p.setBrush(sea);
    p.drawEllipse(c, 7, 7);
    p.save();
    QPainterPath inside;
    inside.addEllipse(c, 6.5, 6.5);
    p.setClipPath(inside);
    // Two land masses.
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kLightGreen));
    QPainterPath land;
    land.moveTo(3, 3.5);
    land.cubicTo(5.5, 2.5, 7.5, 4, 6.5, 6.5);
    land.cubicTo(5.5, 8, 6.5, 9.5, 5.5, 11.5);
    land.cubicTo(4, 12, 2, 9, 1.5, 7);
    land.closeSubpath();
    land.moveTo(10, 6);
    land.cubicTo(12.5, 5, 14.5, 7, 14.5, 9);
    land.cubicTo(13.5, 11, 12, 13, 10.5, 13.5);
    land.cubicTo(10.5, 11, 9, 9, 10, 6);
    land.closeSubpath();
    p.drawPath(land);
    // Meridians and parallels.
    p.setPen(QPen(Rgb(kPaper, 150), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 3, 7);
    Line(p, 8, 1, 8, 15);
    Line(p, 1, 8, 15, 8);
    Line(p, 2, 4.5, 14, 4.5);
    Line(p, 2, 11.5, 14, 11.5);
    p.restore();
}

void Configuration(QPainter& p) {
    const QPointF c(8, 8);
    QPainterPath gear;
    const int teeth = 8;
    const qreal outer = 7.5;
    const qreal inner = 5.4;
    for (int i = 0; i < teeth; ++i) {
        // Each tooth: up the flank, across the top, down the flank, across the root.
        const qreal step = 2 * std::numbers::pi / teeth;
        const qreal a = step * i;
        const qreal angles[] = {a - step * 0.3, a - step * 0.17, a + step * 0.17, a + step * 0.3};
        const qreal radii[] = {inner, outer, outer, inner};
        for (int k = 0; k < 4; ++k) {
            const QPointF point(c.x() + radii[k] * std::cos(angles[k]),
                                c.y() + radii[k] * std::sin(angles[k]));
            if (i == 0 && k == 0)
                gear.moveTo(point);
            else
                gear.lineTo(point);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(c, 2.2, 2.2);
    gear.setFillRule(Qt::OddEvenFill);
    QPen pen = Pen(kOutline);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(VerticalGradient(1, 15, 0xd5dae0, 0x7d8792));
    p.drawPath(gear);
}

void CodeSnippets(QPainter& p) {
    // Each brace: down from the top, a point toward the outside, back down.
    QPen pen = Pen(kDarkBlue, 2);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int side : {1, -1}) {
        // The right brace is the left one mirrored about the middle.
        auto x = [side](qreal left) { return side == 1 ? left : 16 - left; };
        QPainterPath brace;
        brace.moveTo(x(7), 2);
        brace.quadTo(x(4), 2, x(4), 4.5);
        brace.lineTo(x(4), 6);
        brace.quadTo(x(4), 8, x(1.5), 8);
        brace.quadTo(x(4), 8, x(4), 10);
        brace.lineTo(x(4), 11.5);
        brace.quadTo(x(4), 14, x(7), 14);
        p.drawPath(brace);
    }
}

void Ftp(QPainter& p) {
    // A small server box with drive slots and a light.
    p.setPen(Pen(kOutline));
    p.setBrush(VerticalGradient(9, 15, kLightGrey, kGrey));
    p.drawRoundedRect(QRectF(1.5, 9.5, 13, 6), 1, 1);
    p.setPen(Pen(0x5a636e));
    Line(p, 3.5, 11.5, 9.5, 11.5);
    Line(p, 3.5, 13.5, 9.5, 13.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kLightGreen));
    p.drawRect(QRectF(11, 11, 2, 1));
    p.setBrush(Rgb(kRed));
    p.drawRect(QRectF(11, 13, 2, 1));
    // Up and down arrows above it.
    auto arrow = [&p](qreal x, bool up, QRgb light, QRgb dark) {
        const qreal tip = up ? 0.5 : 8.5;
        const qreal base = up ? 4 : 5;
        const qreal tail = up ? 8.5 : 0.5;
        QPainterPath shape;
        shape.moveTo(x, tip);
        shape.lineTo(x + 3, base);
        shape.lineTo(x + 1.2, base);
        shape.lineTo(x + 1.2, tail);
        shape.lineTo(x - 1.2, tail);
        shape.lineTo(x - 1.2, base);
        shape.lineTo(x - 3, base);
        shape.closeSubpath();
        p.setPen(Pen(kOutline));
        p.setBrush(VerticalGradient(0, 9, light, dark));
        p.drawPath(shape);
    };
    arrow(4.5, true, kLightGreen, kGreen);
    arrow(11.5, false, kLightBlue, kBlue);
}

void Help(QPainter& p) {
    QRadialGradient fill(QPointF(5.5, 4.5), 11);
    fill.setColorAt(0, Rgb(0x7fb4f5));
    fill.setColorAt(1, Rgb(kDarkBlue));
    p.setPen(Pen(0x163a75));
    p.setBrush(fill);
    p.drawEllipse(QPointF(8, 8), 7.3, 7.3);
    Glyph(p, QStringLiteral("?"), Sans(12), QPointF(8, 8), Rgb(kPaper));
}

void Bold(QPainter& p) {
    Glyph(p, QStringLiteral("B"), Sans(15), QPointF(8, 8), Rgb(kOutline));
}

void Italic(QPainter& p) {
    Glyph(p, QStringLiteral("I"), Serif(15, true, true), QPointF(8, 8), Rgb(kOutline));
}

void Underline(QPainter& p) {
    Glyph(p, QStringLiteral("U"), Sans(13), QPointF(8, 6.5), Rgb(kOutline));
    p.setPen(Pen(kOutline, 1.5));
    Line(p, 2.5, 14.75, 13.5, 14.75);
}

void TextFormatting(QPainter& p) {
    Glyph(p, QStringLiteral("A"), Sans(13), QPointF(8, 5.5), Rgb(kOutline));
    QLinearGradient stripe(1, 0, 15, 0);
    stripe.setColorAt(0, Rgb(kRed));
    stripe.setColorAt(0.5, Rgb(kYellow));
    stripe.setColorAt(1, Rgb(kBlue));
    p.setPen(Pen(kOutline));
    p.setBrush(stripe);
    p.drawRect(QRectF(1.5, 12.5, 13, 3));
}

void AlignLeft(QPainter& p) {
    AlignmentLines(p, Qt::AlignLeft);
}
void AlignCenter(QPainter& p) {
    AlignmentLines(p, Qt::AlignHCenter);
}
void AlignRight(QPainter& p) {
    AlignmentLines(p, Qt::AlignRight);
}

void NumberedList(QPainter& p) {
    PixelGlyph(p, 1, 1, {"##.", ".#.", ".#.", "###"}, kBlue);
    PixelGlyph(p, 1, 6, {"##.", "..#", ".#.", "###"}, kBlue);
    PixelGlyph(p, 1, 11, {"###", ".##", "..#", "###"}, kBlue);
    p.setPen(Pen(kOutline));
    for (qreal y : {3.5, 8.5, 13.5})
        Line(p, 6, y, 15, y);
}

void BulletedList(QPainter& p) {
    for (qreal y : {2.5, 8.0, 13.5}) {
        p.setPen(Pen(kDarkBlue));
        p.setBrush(Rgb(kBlue));
        p.drawEllipse(QPointF(3, y), 1.6, 1.6);
        p.setPen(Pen(kOutline));
        Line(p, 7, std::floor(y) + 0.5, 15, std::floor(y) + 0.5);
    }
}

void Pilcrow(QPainter& p) {
    Glyph(p, QString(QChar(0x00b6)), Sans(15), QPointF(8, 8), Rgb(kOutline));
}

void Heading(QPainter& p) {
    Glyph(p, QStringLiteral("H"), Sans(15), QPointF(8, 8), Rgb(kDarkBlue));
}

void LineBreak(QPainter& p) {
    p.setPen(Pen(kOutline, 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath bend;
    bend.moveTo(13.2, 2);
    bend.lineTo(13.2, 10.2);
    bend.lineTo(5, 10.2);
    p.drawPath(bend);
    QPainterPath head;
    head.moveTo(1, 10.2);
    head.lineTo(5.5, 6.5);
    head.lineTo(5.5, 13.9);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kOutline));
    p.drawPath(head);
}

void HorizontalLine(QPainter& p) {
    TextLines(p, 1, 15, 1.5, 2);
    TextLines(p, 1, 15, 12.5, 2);
    // The rule itself: dark edge above, light below, so it looks engraved.
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kOutline));
    p.drawRect(QRectF(0, 7, 16, 1));
    p.setBrush(Rgb(kGrey));
    p.drawRect(QRectF(0, 8, 16, 1));
}

void Table(QPainter& p) {
    const QRectF grid(0.5, 1.5, 15, 13);
    p.setPen(Pen(kOutline));
    p.setBrush(Rgb(kPaper));
    p.drawRect(grid);
    p.setBrush(VerticalGradient(1.5, 5.5, kLightBlue, kBlue));
    p.drawRect(QRectF(0.5, 1.5, 15, 4));
    p.setPen(Pen(kGrey));
    Line(p, 1, 8.5, 15, 8.5);
    Line(p, 1, 11.5, 15, 11.5);
    p.setPen(Pen(kOutline));
    Line(p, 5.5, 2, 5.5, 14);
    Line(p, 10.5, 2, 10.5, 14);
}

void DateTime(QPainter& p) {
    Calendar(p, QRectF(0.5, 1.5, 12, 12));
    p.setPen(Pen(kOutline));
    Line(p, 3.5, 0, 3.5, 3);
    Line(p, 9.5, 0, 9.5, 3);
    Clock(p, QPointF(11.5, 11.5), 4);
}

void LastUpdatedScript(QPainter& p) {
    Page(p, QRectF(0.5, 0.5, 11, 15), 3);
    PixelGlyph(p, 2, 3, {"..#.###", "..#.#..", "..#.###", "#.#...#", "###.###"}, kDarkBlue);
    TextLines(p, 2, 6, 10.5, 3);
    // A small calendar with a green tick.
    Calendar(p, QRectF(7.5, 7.5, 8, 8));
    p.setPen(RoundPen(kPaper, 2.8));
    QPainterPath tick;
    tick.moveTo(9, 12.5);
    tick.lineTo(10.8, 14);
    tick.lineTo(14, 10.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    p.setPen(RoundPen(kGreen, 1.5));
    p.drawPath(tick);
}

void AlertBox(QPainter& p) {
    QPainterPath triangle;
    triangle.moveTo(8, 1);
    triangle.lineTo(15.3, 14.5);
    triangle.lineTo(0.7, 14.5);
    triangle.closeSubpath();
    QPen pen = Pen(kOutline);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(VerticalGradient(1, 15, 0xffe680, 0xf2b705));
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kOutline));
    QPainterPath bar;
    bar.moveTo(7, 5);
    bar.lineTo(9, 5);
    bar.lineTo(8.6, 10.2);
    bar.lineTo(7.4, 10.2);
    bar.closeSubpath();
    p.drawPath(bar);
    p.drawEllipse(QPointF(8, 12.2), 1, 1);
}

void HideFileManager(QPainter& p) {
    DoubleChevron(p, true);
}
void HideColourBar(QPainter& p) {
    DoubleChevron(p, false);
}

void CloseSmall(QPainter& p) {
    p.setPen(RoundPen(kOutline, 1.6));
    Line(p, 4.5, 4.5, 11.5, 11.5);
    Line(p, 11.5, 4.5, 4.5, 11.5);
}

using IconPainter = void (*)(QPainter&);

const QHash<QString, IconPainter>& IconPainters() {
    static const QHash<QString, IconPainter> painters = {
        {QStringLiteral("ToolButton1"), NewDocument},
        {QStringLiteral("ToolButton2"), OpenFolder},
        {QStringLiteral("ToolButton3"), SaveDisk},
        {QStringLiteral("ToolButton4"), CloseDocument},
        {QStringLiteral("ToolButton6"), Copy},
        {QStringLiteral("ToolButton7"), Paste},
        {QStringLiteral("ToolButton9"), Scissors},
        {QStringLiteral("ToolButton21"), Undo},
        {QStringLiteral("ToolButton22"), Redo},
        {QStringLiteral("ToolButton23"), ImageBrowser},
        {QStringLiteral("ToolButton14"), Preview},
        {QStringLiteral("ToolButton12"), Globe},
        {QStringLiteral("ToolButton13"), Configuration},
        {QStringLiteral("ToolButton29"), CodeSnippets},
        {QStringLiteral("ToolButton15"), Ftp},
        {QStringLiteral("ToolButton20"), Help},
        {QStringLiteral("ToolButton46"), Bold},
        {QStringLiteral("ToolButton47"), Italic},
        {QStringLiteral("ToolButton48"), Underline},
        {QStringLiteral("ToolButton60"), TextFormatting},
        {QStringLiteral("ToolButton55"), AlignLeft},
        {QStringLiteral("ToolButton56"), AlignCenter},
        {QStringLiteral("ToolButton57"), AlignRight},
        {QStringLiteral("ToolButton50"), NumberedList},
        {QStringLiteral("ToolButton51"), BulletedList},
        {QStringLiteral("ToolButton53"), Pilcrow},
        {QStringLiteral("ToolButton25"), Heading},
        {QStringLiteral("ToolButton26"), LineBreak},
        {QStringLiteral("ToolButton27"), HorizontalLine},
        {QStringLiteral("ToolButton59"), Table},
        {QStringLiteral("ToolButton30"), DateTime},
        {QStringLiteral("ToolButton32"), LastUpdatedScript},
        {QStringLiteral("ToolButton31"), AlertBox},
        {QStringLiteral("SpeedButton2"), HideFileManager},
        {QStringLiteral("SpeedButton26"), HideColourBar},
        {QStringLiteral("SpeedButton3"), CloseSmall},
    };
    return painters;
}

QPixmap RenderIcon(IconPainter paint, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.scale(size / 16.0, size / 16.0);
    paint(p);
    return pixmap;
}

// --- The product motif: "</>" whose slash can be a quill ---

// A quill feather with its nib at the origin, pointing up, length long.
void Quill(QPainter& p, qreal length) {
    const qreal l = length;
    const qreal w = 0.26 * l;
    QPainterPath vane;
    vane.moveTo(0, -0.2 * l);
    vane.cubicTo(0.8 * w, -0.36 * l, 1.0 * w, -0.72 * l, 0.08 * w, -l);
    vane.cubicTo(-0.5 * w, -0.8 * l, -0.62 * w, -0.5 * l, -0.02 * w, -0.27 * l);
    vane.closeSubpath();
    // Notches cut into both edges make it read as a feather, not a leaf.
    QPainterPath notches;
    notches.moveTo(1.1 * w, -0.5 * l);
    notches.lineTo(0.3 * w, -0.47 * l);
    notches.lineTo(1.1 * w, -0.56 * l);
    notches.closeSubpath();
    notches.moveTo(1.1 * w, -0.7 * l);
    notches.lineTo(0.35 * w, -0.68 * l);
    notches.lineTo(1.1 * w, -0.74 * l);
    notches.closeSubpath();
    notches.moveTo(-0.8 * w, -0.62 * l);
    notches.lineTo(-0.2 * w, -0.6 * l);
    notches.lineTo(-0.8 * w, -0.55 * l);
    notches.closeSubpath();
    vane = vane.subtracted(notches);
    QLinearGradient fill(QPointF(-w, 0), QPointF(w, 0));
    fill.setColorAt(0, Rgb(0xd4f3ef));
    fill.setColorAt(1, Rgb(kPaper));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(vane);
    // Barbs: faint lines from the shaft out and up across the vane.
    p.save();
    p.setClipPath(vane);
    p.setPen(QPen(QColor(15, 115, 120, 70), 0.008 * l));
    for (int i = 0; i < 9; ++i) {
        const qreal y = -(0.3 + i * 0.075) * l;
        p.drawLine(QPointF(0, y), QPointF(w, y - 0.12 * l));
        p.drawLine(QPointF(0, y), QPointF(-w, y - 0.1 * l));
    }
    p.restore();
    // The shaft runs through the vane and ends in a bare quill above the nib.
    QPainterPath shaft;
    shaft.moveTo(-0.018 * l, -0.15 * l);
    shaft.lineTo(0.018 * l, -0.15 * l);
    shaft.lineTo(0.02 * w, -0.95 * l);
    shaft.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0x4fb3ad));
    p.drawPath(shaft);
    // A metal nib with its slit.
    QPainterPath nib;
    nib.moveTo(0, 0);
    nib.lineTo(0.05 * l, -0.1 * l);
    nib.lineTo(0.035 * l, -0.17 * l);
    nib.lineTo(-0.035 * l, -0.17 * l);
    nib.lineTo(-0.05 * l, -0.1 * l);
    nib.closeSubpath();
    p.setBrush(Rgb(kMint));
    p.drawPath(nib);
    p.setPen(QPen(Rgb(kNavy), 0.012 * l));
    p.drawLine(QPointF(0, -0.015 * l), QPointF(0, -0.1 * l));
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kNavy));
    p.drawEllipse(QPointF(0, -0.11 * l), 0.014 * l, 0.014 * l);
}

// "</>" inside box; withQuill draws the slash as a quill feather.
void Motif(QPainter& p, const QRectF& box, bool withQuill) {
    const qreal h = box.height();
    const qreal w = box.width();
    const qreal stroke = h * 0.12;
    p.setBrush(Qt::NoBrush);
    QPen bracket(Rgb(kMint), stroke);
    bracket.setCapStyle(Qt::RoundCap);
    bracket.setJoinStyle(Qt::RoundJoin);
    p.setPen(bracket);
    const qreal top = box.top() + h * 0.22;
    const qreal bottom = box.bottom() - h * 0.22;
    const qreal middle = box.center().y();
    QPainterPath left;
    left.moveTo(box.left() + w * 0.3, top);
    left.lineTo(box.left() + w * 0.08, middle);
    left.lineTo(box.left() + w * 0.3, bottom);
    QPainterPath right;
    right.moveTo(box.right() - w * 0.3, top);
    right.lineTo(box.right() - w * 0.08, middle);
    right.lineTo(box.right() - w * 0.3, bottom);
    p.drawPath(left);
    p.drawPath(right);
    if (withQuill) {
        p.save();
        p.translate(box.center().x() - w * 0.1, box.bottom() - h * 0.04);
        p.rotate(24);
        Quill(p, h * 1.0);
        p.restore();
    } else {
        QPen slash(Rgb(kPaper), stroke);
        slash.setCapStyle(Qt::RoundCap);
        p.setPen(slash);
        p.drawLine(QPointF(box.center().x() + w * 0.09, box.top() + h * 0.14),
                   QPointF(box.center().x() - w * 0.09, box.bottom() - h * 0.14));
    }
}

void Backdrop(QPainter& p, const QRectF& area) {
    QLinearGradient base(area.topLeft(), area.bottomRight());
    base.setColorAt(0, Rgb(kNavy));
    base.setColorAt(1, Rgb(kTeal));
    p.fillRect(area, base);
    // A soft glow behind the name.
    QRadialGradient glow(QPointF(area.width() * 0.65, area.height() * 0.3), area.width() * 0.55);
    glow.setColorAt(0, QColor(255, 255, 255, 34));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(area, glow);
    // Flowing lines along the bottom, like ink strokes.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 18 + i * 6), 1.2));
        QPainterPath wave;
        const qreal y = area.height() * (0.72 + i * 0.05);
        wave.moveTo(-10, y + 20);
        wave.cubicTo(area.width() * 0.3, y - 40 - i * 6, area.width() * 0.6, y + 50,
                     area.width() + 10, y - 30 + i * 8);
        p.drawPath(wave);
    }
}

void WindowIconPainting(QPainter& p, int size) {
    const QRectF square(0.5, 0.5, size - 1, size - 1);
    QLinearGradient fill(square.topLeft(), square.bottomRight());
    fill.setColorAt(0, Rgb(0x17356b));
    fill.setColorAt(1, Rgb(kTeal));
    p.setPen(QPen(Rgb(kNavy), 1));
    p.setBrush(fill);
    const qreal radius = size * 0.2;
    p.drawRoundedRect(square, radius, radius);
    const qreal inset = size * 0.06;
    Motif(p, square.adjusted(inset, inset, -inset, -inset), size >= 48);
}

// Draws text so that its left edge or right edge lands at x, on a baseline.
void Text(QPainter& p, const QString& text, const QFont& font, qreal x, qreal baseline,
          const QColor& color, bool alignRight = false) {
    p.setFont(font);
    p.setPen(color);
    const qreal width = QFontMetricsF(font).horizontalAdvance(text);
    p.drawText(QPointF(alignRight ? x - width : x, baseline), text);
}

QFont PictureFont(qreal pixels, bool bold, qreal spacing = 0) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(pixels));
    font.setBold(bold);
    if (spacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

} // namespace

QIcon ToolbarIcon(const QString& buttonName) {
    const IconPainter paint = IconPainters().value(buttonName, nullptr);
    if (!paint)
        return QIcon();
    QIcon icon;
    icon.addPixmap(RenderIcon(paint, 16));
    icon.addPixmap(RenderIcon(paint, 32));
    return icon;
}

QPixmap SplashPicture() {
    const QSize size(537, 273);
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    Backdrop(p, QRectF(QPointF(0, 0), size));
    Motif(p, QRectF(40, 62, 160, 128), true);
    const QFont name = PictureFont(64, true);
    Text(p, QStringLiteral("Quillon"), name, 223, 135, QColor(0, 0, 0, 70));
    Text(p, QStringLiteral("Quillon"), name, 220, 132, Rgb(kPaper));
    Text(p, QStringLiteral("HTML Editor"), PictureFont(22, false, 2), 224, 168, Rgb(kMint));
    const QFont small = PictureFont(12, false);
    const QColor soft(255, 255, 255, 200);
    Text(p, QStringLiteral("Vantrel"), small, 24, 257, soft);
    Text(p, QStringLiteral("Version 6.1"), small, size.width() - 24, 257, soft, true);
    return pixmap;
}

QPixmap AboutPicture() {
    const QSize size(300, 120);
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    Backdrop(p, QRectF(QPointF(0, 0), size));
    Motif(p, QRectF(14, 18, 100, 84), true);
    const QFont name = PictureFont(40, true);
    Text(p, QStringLiteral("Quillon"), name, 127, 67, QColor(0, 0, 0, 70));
    Text(p, QStringLiteral("Quillon"), name, 125, 65, Rgb(kPaper));
    Text(p, QStringLiteral("HTML Editor"), PictureFont(14, false, 1), 127, 89, Rgb(kMint));
    return pixmap;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        WindowIconPainting(p, size);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
