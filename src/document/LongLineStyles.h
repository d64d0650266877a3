#pragma once

#include "EditorBehaviour.h"

// Long lines styled in pieces the editing engine measures once: the runs of
// one style on a line of some kilobytes are split into words, blanks and
// punctuation alternating with the style's twin (StyleRuns.h), which the
// editor draws alike. Without it every keystroke on a minified page would
// measure the whole line anew. Every editor has it from the start.
class LongLineStyles : public EditorBehaviour {
public:
    using EditorBehaviour::EditorBehaviour;

    long StylesLinesFrom() const override;
    void LineStyled(const char* utf8, unsigned char* styles, int length) override;
};
