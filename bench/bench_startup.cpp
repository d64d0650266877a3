// Start-up of the program and the memory of its idle main window. Starts
// itself as a fresh process a number of times (BENCH_STARTUP_RUNS, default
// 10); each child goes through the program's own start (splash, main window,
// start-up settings) in a temporary program folder and reports
//   - the time from the parent's spawn to the first painted main window,
//     so that loading the shared libraries counts;
//   - the processor time (user and system) the child had used by then, which
//     other programs on a busy machine disturb less than the wall time;
//   - the resident memory (VmRSS) after two seconds of idling.
// A second series starts the program with a 50 KB page named on the command
// line and reports the time from the spawn to the first moment the event
// loop is idle (about to wait) with the page's window open and painted.
// The parent prints the median and the lowest of each. Run it on the display
// the program is meant for (DISPLAY=:n, or QT_QPA_PLATFORM=offscreen).

#include "PreviewEngineSetup.h"
#include "SampleDocument.h"
#include "Startup.h"
#include "TChildForm.h"
#include "TfMain.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kIdleMilliseconds = 2000;

long long ProcessorNanoseconds() {
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return used.tv_sec * 1000000000LL + used.tv_nsec;
}

long long MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

long ResidentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Notes the first paint of the main window (watching the whole application); the frame is on the
// screen once the paint event has been handled, so the time is taken just after it.
class PaintWatcher : public QObject {
public:
    long long paintedAt = 0;
    long long processorUsed = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && paintedAt == 0 && qobject_cast<TfMain*>(object))
            QTimer::singleShot(0, this, [this] {
                if (paintedAt == 0) {
                    paintedAt = MonotonicNanoseconds();
                    processorUsed = ProcessorNanoseconds();
                }
            });
        return QObject::eventFilter(object, event);
    }
};

// Notes the first time the event loop is about to wait with the document's
// window open and painted since it opened.
class IdleWatcher : public QObject {
public:
    explicit IdleWatcher(TfMain& window) : window(window) {
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                [this] {
                    if (idleAt == 0 && openedAt != 0 && paintedSinceOpen)
                        idleAt = MonotonicNanoseconds();
                });
    }
    long long idleAt = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (openedAt == 0 && window.ActiveDocument())
            openedAt = MonotonicNanoseconds();
        if (openedAt != 0 && event->type() == QEvent::Paint)
            paintedSinceOpen = true;
        return QObject::eventFilter(object, event);
    }

private:
    TfMain& window;
    long long openedAt = 0;
    bool paintedSinceOpen = false;
};

int RunChild(long long spawnedAt, const char* page, int argc, char** argv) {
    PreparePreviewEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon Vantrel"));
    QTemporaryDir folder;
    QFile settings(folder.filePath(QStringLiteral("settings.ini")));
    if (!settings.open(QIODevice::WriteOnly) || settings.write("[Help]\r\nLanguage=Eng\r\n") < 0)
        return 1;
    settings.close();

    StartOptions options;
    // A folder that can be written keeps settings.ini itself.
    options.window.places =
        ProgramPlaces::For(folder.path(), folder.filePath(QStringLiteral("config")),
                           folder.filePath(QStringLiteral("cache")), {});
    options.window.executablePath = QApplication::applicationFilePath();
    options.window.channelName =
        QStringLiteral("quillon-bench-startup-") + QString::number(QApplication::applicationPid());
    options.window.associationPlaces = {folder.filePath(QStringLiteral("data")),
                                        folder.filePath(QStringLiteral("config"))};
    // The window is painted first by the event loop, after this returns.
    QStringList arguments;
    if (page)
        arguments << QString::fromLocal8Bit(page);
    // Watching from the start: a start with a page may paint the window
    // before StartQuillon returns.
    PaintWatcher watcher;
    app.installEventFilter(&watcher);
    const auto window = StartQuillon(arguments, options);
    IdleWatcher idle(*window);
    app.installEventFilter(&idle);
    QTimer::singleShot(kIdleMilliseconds, &app, [&] {
        std::printf("%lld %lld %ld %lld\n", watcher.paintedAt - spawnedAt, watcher.processorUsed,
                    ResidentKilobytes(), idle.idleAt ? idle.idleAt - spawnedAt : -1);
        std::fflush(stdout);
        folder.remove();
        // The window's teardown is not part of what is measured.
        _exit(watcher.paintedAt ? 0 : 2);
    });
    return QApplication::exec();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the program the given number of times, with the page or without one,
// and prints each run and the medians.
bool RunSeries(char* self, int runs, const char* page) {
    std::vector<double> paints;
    std::vector<double> processor;
    std::vector<double> memories;
    std::vector<double> idles;
    for (int run = 0; run < runs; ++run) {
        int output[2];
        if (pipe(output) != 0)
            return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, output[0]);
        const std::string spawnedAt = std::to_string(MonotonicNanoseconds());
        char child[] = "--child";
        char* arguments[] = {self, child, const_cast<char*>(spawnedAt.c_str()),
                             const_cast<char*>(page), nullptr};
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, self, &actions, nullptr, arguments, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(output[1]);
        if (spawned != 0)
            return false;
        char line[160] = {};
        const ssize_t length = read(output[0], line, sizeof line - 1);
        close(output[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        long long paintNanoseconds = 0;
        long long processorNanoseconds = 0;
        long resident = 0;
        long long idleNanoseconds = 0;
        if (length <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
            std::sscanf(line, "%lld %lld %ld %lld", &paintNanoseconds, &processorNanoseconds,
                        &resident, &idleNanoseconds) != 4 ||
            (page && idleNanoseconds < 0)) {
            std::fprintf(stderr, "run %d failed\n", run + 1);
            return false;
        }
        paints.push_back(double(paintNanoseconds) / 1e6);
        processor.push_back(double(processorNanoseconds) / 1e6);
        memories.push_back(double(resident) / 1024.0);
        idles.push_back(double(idleNanoseconds) / 1e6);
        std::printf("run %2d: painted after %7.1f ms (%6.1f ms processor), idle RSS %6.1f MB",
                    run + 1, paints.back(), processor.back(), memories.back());
        if (page)
            std::printf(", page open and idle after %7.1f ms", idles.back());
        std::printf("\n");
    }
    std::printf("start-up to the painted main window: median %.1f ms, lowest %.1f ms\n",
                Median(paints), *std::min_element(paints.begin(), paints.end()));
    std::printf("processor time to the painted window: median %.1f ms, lowest %.1f ms\n",
                Median(processor), *std::min_element(processor.begin(), processor.end()));
    std::printf("idle main window: median RSS %.1f MB, lowest %.1f MB (%d runs)\n",
                Median(memories), *std::min_element(memories.begin(), memories.end()), runs);
    if (page)
        std::printf("start-up with the page to the idle window: median %.1f ms, lowest %.1f ms\n",
                    Median(idles), *std::min_element(idles.begin(), idles.end()));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return RunChild(std::atoll(argv[2]), argc >= 4 ? argv[3] : nullptr, 1, argv);

    const char* runsText = std::getenv("BENCH_STARTUP_RUNS");
    const int runs = runsText ? std::max(1, std::atoi(runsText)) : 10;
    std::printf("without a page:\n");
    if (!RunSeries(argv[0], runs, nullptr))
        return 1;
    // A page of about 50 KB, as a hand-coded page is.
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("page.html")).toStdString();
    {
        QFile file(QString::fromStdString(path));
        const std::string text = sample::Document(1000, "\r\n");
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(text.data(), qint64(text.size())) != qint64(text.size()))
            return 1;
    }
    std::printf("with a page of 50 KB:\n");
    return RunSeries(argv[0], runs, path.c_str()) ? 0 : 1;
}
