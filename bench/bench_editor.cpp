// The editor on a large document: a generated 50 MB, one-million-line HTML
// file with style and script blocks, highlighting on. Reports the time from
// opening the file to the first painted screen, a keystroke at the end of the
// document (median and worst of 1000), Goto Line to the last line, the
// status bar's character count and the part of a recovery snapshot that runs
// on the user-interface thread; and the memory: the resident size before the
// open, its peak during the open and the first paint, and after a second of
// idling.

#include "BenchSupport.h"
#include "ColorMarks.h"
#include "EditorControl.h"
#include "MatchingTags.h"
#include "RecoveryStore.h"
#include "SampleDocument.h"
#include "SnapshotSchedule.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLines = 1000000;
constexpr int kKeystrokes = 1000;
// Fewer when asked, for profiling runs.
const int kKeystrokeRuns = qEnvironmentVariableIntValue("BENCH_KEYSTROKES") > 0
                               ? qEnvironmentVariableIntValue("BENCH_KEYSTROKES")
                               : kKeystrokes;

double Milliseconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("large.html");
    {
        const std::string text = sample::Document(kLines, "\r\n");
        if (!bench::WriteFile(path, text))
            return 1;
        std::printf("document: %d lines, %.1f MB\n", kLines, double(text.size()) / 1e6);
    }

    EditorControl editor;
    editor.resize(1200, 800);
    // The tag matching and colour swatches every document window attaches: they
    // look at each caret move, edit and scroll.
    editor.AddBehaviour(std::make_unique<MatchingTags>(editor));
    // The snapshots of unsaved changes, taken as a document window takes them.
    // BENCH_EDITOR_NO_SNAPSHOTS leaves them out, as the setting Recovery/Keep does.
    RecoveryStore recovery(dir.filePath("recovery"));
    const auto takeSnapshot = [&] {
        Snapshot snapshot;
        snapshot.text = editor.Utf8Text();
        snapshot.caption = QStringLiteral("large.html");
        recovery.Keep(1, std::move(snapshot));
    };
    if (!qEnvironmentVariableIsSet("BENCH_EDITOR_NO_SNAPSHOTS"))
        editor.AddBehaviour(std::make_unique<SnapshotSchedule>(editor, takeSnapshot));
    // BENCH_EDITOR_NO_SWATCHES leaves them out, as the setting ColorSwatches/Enabled does.
    if (!qEnvironmentVariableIsSet("BENCH_EDITOR_NO_SWATCHES"))
        editor.AddBehaviour(std::make_unique<ColorMarks>(editor, [] { return false; }));
    // BENCH_EDITOR_PLAIN leaves highlighting off, as it is by default.
    if (!qEnvironmentVariableIsSet("BENCH_EDITOR_PLAIN"))
        editor.SetHighlighter(Highlighter::Html);
    editor.show();
    bench::Paint(editor);

    const double residentBefore = bench::StatusMegabytes("VmRSS");
    bench::ResetPeakMemory();
    QElapsedTimer timer;
    timer.start();
    editor.LoadFromFile(path);
    bench::Paint(editor);
    std::printf("open to first painted screen: %.0f ms\n", Milliseconds(timer));
    const double peak = bench::StatusMegabytes("VmHWM");
    {
        // A loop of its own: the application's quit would close the window.
        QEventLoop idle;
        QTimer::singleShot(1000, &idle, &QEventLoop::quit);
        idle.exec();
    }
    std::printf("memory: %.0f MB before the open, peak %.0f MB, settled %.0f MB\n", residentBefore,
                peak, bench::StatusMegabytes("VmRSS"));

    timer.start();
    const qsizetype characters = editor.TrimmedCharacterCount();
    std::printf("status bar character count (%lld): %.3f ms\n", static_cast<long long>(characters),
                Milliseconds(timer));

    timer.start();
    editor.SetCaretLine(editor.LineCount());
    bench::Paint(editor);
    std::printf("goto line %d: %.0f ms\n", editor.LineCount(), Milliseconds(timer));

    QWidget* keys = editor.focusProxy();
    editor.Execute(EditorCommand::EditorBottom);
    std::vector<double> times;
    times.reserve(kKeystrokeRuns);
    for (int i = 0; i < kKeystrokeRuns; ++i) {
        timer.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(keys, &press);
        bench::Paint(editor);
        times.push_back(Milliseconds(timer));
    }
    const auto worst = std::max_element(times.begin(), times.end());
    std::printf("slowest keystroke: number %d\n", int(worst - times.begin()) + 1);
    std::sort(times.begin(), times.end());
    std::printf("keystroke at the end: median %.2f ms, worst %.2f ms (of %d)\n",
                times[times.size() / 2], times.back(), kKeystrokeRuns);

    // The text is copied on this thread; encoding and writing happen on the worker.
    recovery.Wait();
    timer.start();
    takeSnapshot();
    std::printf("snapshot, user-interface thread: %.1f ms\n", Milliseconds(timer));
    timer.start();
    recovery.Wait();
    std::printf("snapshot, written by the worker after that: %.0f ms\n", Milliseconds(timer));
    return 0;
}
