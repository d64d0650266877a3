#pragma once

// HTML highlighting, one line at a time. The tokenizer knows nothing of the
// CSS and JavaScript regions: the caller hands it a test that says where one
// starts, and the tokenizer stops there.

// Where an HTML line can begin: the constructs that span lines.
enum class HtmlState : unsigned char {
    Text,              // between tags
    Comment,           // inside <!-- ... -->
    ServerScript,      // inside <% ... %>
    Tag,               // inside a tag, where an attribute name may come
    AttributeValue,    // inside a tag after "=", before the value
    DoubleQuotedValue, // inside an attribute value "..."
    SingleQuotedValue, // inside an attribute value '...'
};

constexpr int kHtmlStateBits = 3;

// Says whether a region starts at text (a '<' met in plain text): returns the
// length of its start text, or 0.
using RegionStartTest = int (*)(const char* text, int length);

struct HtmlRun {
    int styled;      // bytes styled: all of them, or up to where a region starts
    HtmlState state; // the state after them
};

// Styles text[0, length) starting in state, writing one style per byte. Stops
// early at a region start when regionStart is given (it is asked only in the
// Text state).
HtmlRun StyleHtml(const char* text, int length, HtmlState state, unsigned char* styles,
                  RegionStartTest regionStart);

// Whether name (any letter case) is an HTML 4 or HTML5 element name.
bool IsKnownHtmlTag(const char* name, int length);
