// The editor on minified pages: documents that are one long line, highlighting
// on. For each document: open to the first painted screen, End (scrolling to
// the end of the line), keystrokes at the end, in the middle and at the start
// of the line (median and worst, wall clock and process CPU time), and the
// parts of a keystroke's cost that can be timed alone: the highlighter over
// the whole line, the caret position and the status bar's character count.
//
// BENCH_LONGLINE_KEYS sets the keystrokes per place (default 25),
// BENCH_LONGLINE_ONLY the one document to run (for profiling);
// BENCH_LONGLINE_PLAIN leaves highlighting off, to see the engine's own share.

#include "BenchSupport.h"
#include "ColorMarks.h"
#include "EditorControl.h"
#include "HighlightEngine.h"
#include "MatchingTags.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

const int kKeys = qEnvironmentVariableIntValue("BENCH_LONGLINE_KEYS") > 0
                      ? qEnvironmentVariableIntValue("BENCH_LONGLINE_KEYS")
                      : 25;

struct Sample {
    const char* name;
    std::string start;
    std::string repeated;
    size_t size;
};

std::string Build(const Sample& sample) {
    std::string text = sample.start;
    text.reserve(sample.size + sample.repeated.size());
    while (text.size() < sample.size)
        text += sample.repeated;
    return text;
}

double CpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Wall clock and CPU time of one step.
struct Cost {
    double wall = 0;
    double cpu = 0;
};

template <typename Step> Cost Measure(Step&& step) {
    QElapsedTimer timer;
    const double cpu = CpuMilliseconds();
    timer.start();
    step();
    return {double(timer.nsecsElapsed()) / 1e6, CpuMilliseconds() - cpu};
}

void Press(QWidget* target, Qt::Key key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

void Report(const char* what, std::vector<Cost> costs) {
    std::sort(costs.begin(), costs.end(),
              [](const Cost& a, const Cost& b) { return a.cpu < b.cpu; });
    const Cost median = costs[costs.size() / 2];
    std::printf(
        "  keystroke %-8s CPU median %7.2f ms, worst %7.2f ms; wall median %7.2f ms (of %zu)\n",
        what, median.cpu, costs.back().cpu, median.wall, costs.size());
}

void Run(const Sample& sample, QTemporaryDir& dir) {
    const std::string text = Build(sample);
    const QString path = dir.filePath(QString::fromLatin1(sample.name) + ".html");
    if (!bench::WriteFile(path, text))
        return;
    std::printf("%s: one line of %.2f MB\n", sample.name, double(text.size()) / 1e6);

    std::vector<unsigned char> styles(text.size());
    const Cost lexer = Measure([&] {
        StyleLine(HighlightMode::Html, text.data(), int(text.size()), kInitialLineState,
                  styles.data());
    });
    std::printf("  highlighter over the whole line: %.2f ms\n", lexer.cpu);

    EditorControl editor;
    editor.resize(1200, 800);
    // The tag matching and colour swatches every document window attaches: they
    // look at each caret move, edit and scroll.
    editor.AddBehaviour(std::make_unique<MatchingTags>(editor));
    editor.AddBehaviour(std::make_unique<ColorMarks>(editor, [] { return false; }));
    if (!qEnvironmentVariableIsSet("BENCH_LONGLINE_PLAIN"))
        editor.SetHighlighter(Highlighter::Html);
    // What the document window's status bar asks after every caret move.
    QObject::connect(&editor, &EditorControl::statusChanged, &editor, [&editor] {
        editor.CaretPosition();
        editor.LineCount();
        editor.TrimmedCharacterCount();
    });
    editor.show();
    bench::Paint(editor);

    Cost load, firstPaint;
    const Cost open = Measure([&] {
        load = Measure([&] { editor.LoadFromFile(path); });
        firstPaint = Measure([&] { bench::Paint(editor); });
    });
    std::printf("  open to first painted screen: %.0f ms (CPU %.0f ms): loading %.0f ms, first "
                "paint %.0f ms\n",
                open.wall, open.cpu, load.cpu, firstPaint.cpu);

    QWidget* keys = editor.focusProxy();
    const Cost end = Measure([&] {
        Press(keys, Qt::Key_End);
        bench::Paint(editor);
    });
    std::printf("  End to the line's end, painted: %.1f ms (CPU %.1f ms)\n", end.wall, end.cpu);

    const Cost caret = Measure([&] { editor.CaretPosition(); });
    const Cost count = Measure([&] { editor.TrimmedCharacterCount(); });
    std::printf("  caret position %.2f ms, character count %.2f ms\n", caret.cpu, count.cpu);

    const auto typeAt = [&](const char* what, int column) {
        editor.SetCaretPosition({column, 1});
        bench::Paint(editor);
        std::vector<Cost> costs;
        std::vector<double> keyParts, paintParts;
        for (int i = 0; i < kKeys; ++i) {
            Cost key, paint;
            costs.push_back(Measure([&] {
                key = Measure([&] { Press(keys, Qt::Key_A, QStringLiteral("a")); });
                paint = Measure([&] { bench::Paint(editor); });
            }));
            keyParts.push_back(key.cpu);
            paintParts.push_back(paint.cpu);
        }
        Report(what, costs);
        std::sort(keyParts.begin(), keyParts.end());
        std::sort(paintParts.begin(), paintParts.end());
        std::printf("    of which the key (edit, caret, status) %.2f ms, the paint (styling, "
                    "layout, drawing) %.2f ms\n",
                    keyParts[keyParts.size() / 2], paintParts[paintParts.size() / 2]);
    };
    const int length = int(editor.Line(0).size());
    typeAt("end", length + 1);
    typeAt("middle", length / 2);
    typeAt("start", 1);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const Sample samples[] = {
        {"script-1mb", "<script>",
         "var a=1,b=2;function f(x){return x*2+a}if(a>b){a=f(b)}else{b=f(a)};", 960 * 1000},
        {"markup-1mb", "<p>", "word <b>bold</b> ", 1000 * 1000},
        {"markup-10mb", "<p>", "word <b>bold</b> ", 10200 * 1000},
    };
    const QByteArray only = qgetenv("BENCH_LONGLINE_ONLY");
    for (const Sample& sample : samples) {
        if (only.isEmpty() || only == sample.name)
            Run(sample, dir);
    }
    return 0;
}
