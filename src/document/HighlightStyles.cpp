#include "HighlightStyles.h"

#include <iterator>

namespace {

struct StyleEntry {
    const char* key;
    const char* description;
    int red, green, blue; // red < 0: the editor's font colour
    bool bold;
    bool italic;
};

constexpr int kEditorColour = -1;

// Indexed by style number.
constexpr StyleEntry kStyles[] = {
    {"html-text", "HTML text", 0, 0, 0, false, false},
    {"html-symbol", "HTML symbol", 0, 0, 0, false, false},
    {"html-space", "HTML space", 0, 0, 0, false, false},
    {"html-tag", "HTML reserved word", 128, 0, 64, false, false},
    {"html-unknown-tag", "HTML unknown word", 255, 0, 0, false, false},
    {"html-attribute", "HTML identifier", 61, 87, 99, false, false},
    {"html-value", "HTML value", 48, 88, 156, false, false},
    {"html-comment", "HTML comment", 128, 128, 128, false, false},
    {"html-entity", "HTML escape ampersand", 168, 60, 196, false, false},
    {"html-server-script", "HTML server script", 255, 255, 0, false, false},

    {"css-comment", "CSS comment", 128, 128, 128, false, true},
    {"css-identifier", "CSS identifier", 0, 128, 0, false, false},
    {"css-key", "CSS key", 0, 0, 128, true, false},
    {"css-number", "CSS number", 255, 0, 255, false, false},
    {"css-string", "CSS string", 0, 0, 255, true, false},
    {"css-symbol", "CSS symbol", 0, 0, 128, true, false},
    {"css-space", "CSS space", kEditorColour, 0, 0, false, false},

    {"js-comment", "JavaScript comment", 128, 128, 128, false, true},
    {"js-identifier", "JavaScript identifier", 0, 128, 128, true, false},
    {"js-reserved", "JavaScript reserved word", 128, 0, 128, true, false},
    {"js-number", "JavaScript number", 255, 0, 0, false, false},
    {"js-string", "JavaScript string", 0, 0, 255, false, false},
    {"js-symbol", "JavaScript symbol", 0, 128, 0, true, false},
    {"js-space", "JavaScript space", kEditorColour, 0, 0, false, false},

    {"marker-css-full", "CSS Full region marker", 128, 0, 128, true, false},
    {"marker-css-style", "CSS Style region marker", 255, 0, 255, true, false},
    {"marker-js-full", "JS Full region marker", 128, 0, 0, true, false},
    {"marker-js-script", "JS Script region marker", 255, 0, 0, true, false},
};

static_assert(std::size(kStyles) == HighlightStyle::Count);
static_assert(HighlightStyle::Count <= 32,
              "styles 32-39 are the editor's; move further ones to 40+");

const StyleEntry* Entry(int style) {
    return style >= 0 && style < HighlightStyle::Count ? &kStyles[style] : nullptr;
}

} // namespace

HighlightStyleLook StyleLook(int style) {
    const StyleEntry* entry = Entry(style);
    if (!entry)
        return {};
    QColor foreground;
    if (entry->red != kEditorColour)
        foreground = QColor(entry->red, entry->green, entry->blue);
    return {foreground, entry->bold, entry->italic};
}

const char* StyleKey(int style) {
    const StyleEntry* entry = Entry(style);
    return entry ? entry->key : nullptr;
}

const char* StyleDescription(int style) {
    const StyleEntry* entry = Entry(style);
    return entry ? entry->description : nullptr;
}
