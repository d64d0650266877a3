#pragma once

#include "EditorBehaviour.h"

#include <QTimer>

#include <functional>

// A swatch in its colour on every colour written on screen in CSS or in a
// colour attribute (ColorFinder.h), and Ctrl+click on such a colour to
// choose another in the colour dialog, written in the same notation as one
// undo step. Only the lines shown are read, with a stretch of text before
// them to know where they stand, and only a moment after an edit or a
// scroll, never on the keystroke itself.
class ColorMarks : public EditorBehaviour {
public:
    // styleSheet says whether the document is a style sheet, CSS throughout.
    ColorMarks(EditorControl& editor, std::function<bool()> styleSheet);

    void TextChanged() override { schedule(); }
    void ShownRangeChanged() override { schedule(); }
    bool CtrlClicked(const ShownPiece& piece, qsizetype offset) override;

private:
    std::function<bool()> styleSheet;
    QTimer timer;
    void schedule();
    void mark();
};
