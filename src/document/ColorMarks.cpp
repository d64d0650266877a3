#include "ColorMarks.h"

#include "ColorFinder.h"
#include "EditorControl.h"
#include "Prompts.h"

namespace {

// A line longer than this is read only around the part in view.
constexpr long kLongLine = 4096;
// How much text before the first piece is read to know where it stands.
constexpr long kContext = 16 * 1024;
// Edits and scrolls are marked at most this often.
constexpr int kDelay = 60;

} // namespace

ColorMarks::ColorMarks(EditorControl& editor, std::function<bool()> styleSheet)
    : EditorBehaviour(editor), styleSheet(std::move(styleSheet)) {
    timer.setSingleShot(true);
    timer.setInterval(kDelay);
    QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
        if (Enabled())
            mark();
    });
    schedule();
}

void ColorMarks::schedule() {
    if (!timer.isActive())
        timer.start();
}

void ColorMarks::mark() {
    EditorControl& editor = Editor();
    const QList<ShownPiece> pieces = editor.ShownText(kLongLine);
    const ColorReaderState start =
        styleSheet() ? ColorReaderState::ForStyleSheet() : ColorReaderState();
    ColorReaderState state;
    QList<Swatch> swatches;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        // A piece that does not follow a whole line is read after its context.
        if (i == 0 || !pieces[i].wholeLine || !pieces[i - 1].wholeLine) {
            state = start;
            FindColors(editor.TextBeforePiece(pieces[i], kContext), state);
        }
        for (const FoundColor& found : FindColors(pieces[i].text, state))
            swatches.append({i, found.start, found.color});
    }
    editor.ShowSwatches(pieces, swatches);
}

bool ColorMarks::CtrlClicked(const ShownPiece& piece, qsizetype offset) {
    EditorControl& editor = Editor();
    ColorReaderState state = styleSheet() ? ColorReaderState::ForStyleSheet() : ColorReaderState();
    FindColors(editor.TextBeforePiece(piece, kContext), state);
    for (const FoundColor& found : FindColors(piece.text, state)) {
        if (offset < found.start || offset > found.start + found.length)
            continue;
        const std::optional<QColor> chosen = CurrentPrompts().chooseColor(found.color);
        if (!chosen || editor.ReadOnly())
            return true;
        const QStringView written = QStringView(piece.text).sliced(found.start, found.length);
        const QString replacement = WriteColor(*chosen, found.notation, written);
        if (replacement != written) {
            editor.SelectInPiece(piece, found.start, found.length);
            editor.ReplaceSelection(replacement);
        }
        return true;
    }
    return false;
}
