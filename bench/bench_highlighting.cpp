// Styles a generated one-million-line HTML document (about 50 MB) with style
// and script blocks, line by line as the editor does, and reports the speed.

#include "HighlightEngine.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// One block of 20 lines: HTML, a style block and a script block.
const char* const kBlock[] = {
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
constexpr int kLines = 1000000;

} // namespace

int main() {
    std::string document;
    std::vector<std::pair<size_t, int>> lines; // offset, length
    lines.reserve(kLines);
    const int blockLines = static_cast<int>(std::size(kBlock));
    for (int i = 0; i < kLines; ++i) {
        const std::string line = kBlock[i % blockLines];
        lines.emplace_back(document.size(), static_cast<int>(line.size()));
        document += line;
        document += '\n';
    }
    std::vector<unsigned char> styles(4096);
    std::vector<int> states(kLines);

    double best = 1e9;
    unsigned checksum = 0;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        int state = kInitialLineState;
        for (int i = 0; i < kLines; ++i) {
            const auto [offset, length] = lines[i];
            state = StyleLine(HighlightMode::Html, document.data() + offset, length, state,
                              styles.data());
            states[i] = state;
            checksum += styles[0];
        }
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    const double megabytes = static_cast<double>(document.size()) / 1e6;
    std::printf("%d lines, %.1f MB: best of 5 runs %.3f s, %.0f MB/s (checksum %u)\n", kLines,
                megabytes, best, megabytes / best, checksum);
    return 0;
}
