// What the editor shows, read by the behaviours that mark it: the text on
// screen piece by piece, the colour swatches on it, and clicks with Ctrl.

#include "EditorEngine.h"

#include <QAbstractScrollArea>

namespace {

// The length in UTF-8 of UTF-16 text.
long Utf8Length(QStringView text) {
    long bytes = 0;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        // A surrogate pair makes four bytes, two for each half.
        bytes += unit < 0x80 ? 1 : unit < 0x800 ? 2 : c.isSurrogate() ? 2 : 3;
    }
    return bytes;
}

} // namespace

ShownPiece EditorControl::pieceAround(long bytePosition, long reach) const {
    const long line = Send(Sci::SCI_LINEFROMPOSITION, bytePosition);
    const long start = Send(Sci::SCI_POSITIONFROMLINE, line);
    const long end = Send(Sci::SCI_GETLINEENDPOSITION, line);
    if (end - start <= 2 * reach)
        return {QString::fromUtf8(RawRange(start, end)), start, true};
    // A piece of a long line starts and ends at a character's first byte.
    const auto atCharacter = [this, end](long position) {
        while (position < end && (Send(Sci::SCI_GETCHARAT, position) & 0xC0) == 0x80)
            ++position;
        return position;
    };
    const long from = atCharacter(qMax(start, bytePosition - reach));
    const long to = atCharacter(qMin(end, bytePosition + reach));
    return {QString::fromUtf8(RawRange(from, to)), from, false};
}

QList<ShownPiece> EditorControl::ShownText(long maxLineBytes) const {
    QList<ShownPiece> pieces;
    if (Send(Sci::SCI_GETLENGTH) == 0)
        return pieces;
    const long first = FirstVisibleLine();
    const long last = qMin(long(LastVisibleLine()), Send(Sci::SCI_GETLINECOUNT) - 1);
    // Where a long line is in view is estimated from the width of a
    // character, so that no long line is measured for it; the margin either
    // side makes up for wide characters and tabs.
    const long charWidth = qMax(1L, Send(Sci::SCI_TEXTWIDTH, Sci::STYLE_DEFAULT, long("x")));
    const long left = Send(Sci::SCI_GETXOFFSET) / charWidth;
    const long columns = view->viewport()->width() / charWidth + 1;
    for (long line = first; line <= last; ++line) {
        const long start = Send(Sci::SCI_POSITIONFROMLINE, line);
        const long end = Send(Sci::SCI_GETLINEENDPOSITION, line);
        if (end - start <= maxLineBytes)
            pieces.append({QString::fromUtf8(RawRange(start, end)), start, true});
        else
            pieces.append(
                pieceAround(qMin(end, start + left + columns / 2), maxLineBytes + columns / 2));
    }
    return pieces;
}

QString EditorControl::TextBeforePiece(const ShownPiece& piece, long maxBytes) const {
    return QString::fromUtf8(RawRange(qMax(0L, piece.from - maxBytes), piece.from));
}

void EditorControl::SelectInPiece(const ShownPiece& piece, qsizetype offset, qsizetype length) {
    const QStringView text(piece.text);
    const long from = piece.from + Utf8Length(text.first(offset));
    const long to = from + Utf8Length(text.sliced(offset, length));
    Send(Sci::SCI_SETSEL, from, to);
    checkStatus();
}

void EditorControl::ShowSwatches(const QList<ShownPiece>& pieces, const QList<Swatch>& swatches) {
    // Where each goes, in bytes; offsets grow within a piece, so each is
    // converted from where the last one was.
    std::vector<std::pair<long, QRgb>> marks;
    qsizetype piece = -1;
    qsizetype offset = 0;
    long position = 0;
    for (const Swatch& swatch : swatches) {
        if (swatch.piece != piece || swatch.offset < offset) {
            piece = swatch.piece;
            offset = 0;
            position = pieces[piece].from;
        }
        position +=
            Utf8Length(QStringView(pieces[piece].text).sliced(offset, swatch.offset - offset));
        offset = swatch.offset;
        marks.emplace_back(position, swatch.color.rgb());
    }
    // The same swatches again, still in place after the edits since, change
    // nothing and cost no drawing.
    const auto inPlace = [this](const std::pair<long, QRgb>& mark) {
        return Send(Sci::SCI_INDICATORVALUEAT, kSwatchIndicator, mark.first) ==
               (Sci::SC_INDICVALUEBIT | Rgb(QColor(mark.second)));
    };
    if (marks == shownSwatches && std::all_of(marks.begin(), marks.end(), inPlace))
        return;
    shownSwatches = marks;
    const long length = Send(Sci::SCI_GETLENGTH);
    for (const int indicator : {kSwatchIndicator, kSwatchTextIndicator, kSwatchFrameIndicator}) {
        Send(Sci::SCI_SETINDICATORCURRENT, indicator);
        Send(Sci::SCI_INDICATORCLEARRANGE, 0, length);
    }
    for (const auto& [at, rgb] : marks) {
        const long next = Send(Sci::SCI_POSITIONAFTER, at);
        if (next <= at)
            continue;
        // Dark text on a light box, light text on a dark one.
        const QColor text = qGray(rgb) < 128 ? QColor(Qt::white) : QColor(Qt::black);
        const std::pair<int, long> values[] = {{kSwatchIndicator, Rgb(QColor(rgb))},
                                               {kSwatchTextIndicator, Rgb(text)},
                                               {kSwatchFrameIndicator, 0}};
        for (const auto& [indicator, value] : values) {
            Send(Sci::SCI_SETINDICATORCURRENT, indicator);
            Send(Sci::SCI_SETINDICATORVALUE, Sci::SC_INDICVALUEBIT | value);
            Send(Sci::SCI_INDICATORFILLRANGE, at, next - at);
        }
    }
}

QList<QPair<int, QColor>> EditorControl::SwatchesShown() const {
    QList<QPair<int, QColor>> shown;
    const long length = Send(Sci::SCI_GETLENGTH);
    long at = 0;
    while (at < length) {
        const long end = Send(Sci::SCI_INDICATOREND, kSwatchIndicator, at);
        if (end <= at)
            break;
        const long value = Send(Sci::SCI_INDICATORVALUEAT, kSwatchIndicator, at);
        if (value != 0) {
            const long rgb = value & Sci::SC_INDICVALUEMASK;
            shown.append(
                {int(CharacterIndexOf(at)) + 1,
                 QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF))});
        }
        at = end;
    }
    return shown;
}

bool EditorControl::ctrlClick(const QPoint& point) {
    constexpr long kReach = 2048;
    const long position = Send(Sci::SCI_POSITIONFROMPOINTCLOSE, point.x(), point.y());
    if (position < 0)
        return false;
    const ShownPiece piece = pieceAround(position, kReach);
    const qsizetype offset = QString::fromUtf8(RawRange(piece.from, position)).size();
    for (size_t i = 0; i < behaviours.size(); ++i) {
        if (behaviours[i]->Enabled() && behaviours[i]->CtrlClicked(piece, offset))
            return true;
    }
    return false;
}
