// Styles a generated one-million-line HTML document (about 50 MB) with style
// and script blocks, line by line as the editor does, and reports the speed.

#include "HighlightEngine.h"
#include "SampleDocument.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 1000000;

} // namespace

int main() {
    std::string document;
    std::vector<std::pair<size_t, int>> lines; // offset, length
    lines.reserve(kLines);
    for (int i = 0; i < kLines; ++i) {
        const std::string line = sample::Line(i);
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
