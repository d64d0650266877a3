#pragma once

#include "EditorBehaviour.h"

// Closing tags typed for the user in HTML. The ">" that ends a start tag
// puts the element's closing tag after the caret, as an undo step of its
// own, and "</" is completed with the name of the innermost element still
// open and a ">". Nothing happens for elements without content (br, img
// ...), after "/>", in comments, in the content of script and style, in a
// quoted attribute value, in a style sheet, or when the same closing tag
// follows the caret already. Only a bounded stretch before the caret is
// read, and only for those two keys, so typing in a long page stays as fast.
class ClosingTags : public EditorBehaviour {
public:
    using EditorBehaviour::EditorBehaviour;

    void Typed(const QString& text) override;

private:
    void closeStartTag();
    void completeClosingTag();
};
