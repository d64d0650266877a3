#pragma once

#include "EditorBehaviour.h"

#include "EditorControl.h"

#include <optional>

// The partner of the tag at the caret in HTML. With the caret in a tag's
// name ("<name" or "</name") the name and the name of its partner (the
// start tag's end tag and the other way round, counting nested elements of
// the same name) are marked; elements without content (br, img ...) have
// none. The bracket match (Ctrl+Shift+B) then jumps to the partner. Only the
// few characters around the caret are read to tell whether it stands in a
// name, and the partner is looked for at most a megabyte away, so moving
// through a long page stays fast. An edit clears the marks, and the caret
// move that comes with it looks for none: typing a name scans nothing.
// Nothing happens in a style sheet.
class MatchingTags : public EditorBehaviour {
public:
    using EditorBehaviour::EditorBehaviour;

    bool RunCommand(EditorCommand command) override;
    void TextChanged() override;
    void CaretMoved(const TextPosition& caret) override;

private:
    // The tag name at the caret and its partner's, as starts relative to the
    // caret; the names have the same length.
    struct Match {
        int name = 0;
        int partner = 0;
        int length = 0;
    };
    std::optional<Match> findMatch() const;
    // The caret after the last edit, until the caret moves.
    std::optional<TextPosition> editedAt;
    void update();
};
