#pragma once

// A generated HTML document for the benchmarks: blocks of 20 lines of HTML
// with a style block and a script block, about 50 bytes a line.

#include <iterator>
#include <string>

namespace sample {

inline const char* const kBlock[] = {
    "<div class=\"row\" id=\"item-12345\"><p>Some text &amp; more.</p></div>",
    "  <a href=\"https://example.com/page.html\" title='A link'>Link</a>",
    "<!-- a comment line with <b>markup</b> inside it -->",
    "<table border=1><tr><td>Cell one</td><td>Cell two</td></tr>",
    "<style type=\"text/css\">",
    "body { margin: 0; padding: 2px 4px; color: #333; }",
    "h1.title > a:hover, #main .x + p { width: 50%; }",
    "/* a style sheet comment of a fairly typical length */",
    "</style>",
    "<p>Paragraph with &nbsp; entities and <em>emphasis</em>.</p>",
    "<script>",
    "  var count = 42, ratio = 3.14; // a line comment here",
    "  function area(r) { return Math.PI * r * r / 2; }",
    "  const message = `Hello ${name}, a template literal`;",
    "  if (count > 0 && !done) { out.value = 'text'; }",
    "</script>",
    "<ul><li>First item</li><li>Second item</li><li>Third item</li></ul>",
    "<img src=\"images/picture-000123.png\" alt=\"A picture\" width=640>",
    "Plain text line of a document, with nothing special in it but words.",
    "<input type=\"text\" name=\"field\" value=\"default\" disabled>",
};

constexpr int kBlockLines = int(std::size(kBlock));

// The line of the document with the given index.
inline const char* Line(int index) {
    return kBlock[index % kBlockLines];
}

// The document of the given number of lines, each ended by the given break.
inline std::string Document(int lines, const char* lineBreak) {
    std::string text;
    text.reserve(size_t(lines) * 56);
    for (int i = 0; i < lines; ++i) {
        text += Line(i);
        text += lineBreak;
    }
    return text;
}

} // namespace sample
