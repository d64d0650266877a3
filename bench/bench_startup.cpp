// Start-up of the program and the memory of its idle main window. Starts
// itself as a fresh process a number of times (BENCH_STARTUP_RUNS, default
// 10); each child goes through the program's own start (splash, main window,
// start-up settings) in a temporary program folder and reports
//   - the time from the parent's spawn to the first painted main window,
//     so that loading the shared libraries counts;
//   - the processor time (user and system) the child had used by then, which
//     other programs on a busy machine disturb less than the wall time;
//   - the resident memory (VmRSS) after two seconds of idling.
// The parent prints the median and the lowest of each. Run it on the display
// the program is meant for (DISPLAY=:n, or QT_QPA_PLATFORM=offscreen).

#include "PreviewEngineSetup.h"
#include "Startup.h"
#include "TfMain.h"

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

// Notes the first paint of the main window; the frame is on the screen once
// the paint event has been handled, so the time is taken just after it.
class PaintWatcher : public QObject {
public:
    long long paintedAt = 0;
    long long processorUsed = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && paintedAt == 0)
            QTimer::singleShot(0, this, [this] {
                if (paintedAt == 0) {
                    paintedAt = MonotonicNanoseconds();
                    processorUsed = ProcessorNanoseconds();
                }
            });
        return QObject::eventFilter(object, event);
    }
};

int RunChild(long long spawnedAt, int argc, char** argv) {
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
    const auto window = StartQuillon({}, options);
    PaintWatcher watcher;
    window->installEventFilter(&watcher);
    QTimer::singleShot(kIdleMilliseconds, &app, [&] {
        std::printf("%lld %lld %ld\n", watcher.paintedAt - spawnedAt, watcher.processorUsed,
                    ResidentKilobytes());
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

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return RunChild(std::atoll(argv[2]), 1, argv);

    const char* runsText = std::getenv("BENCH_STARTUP_RUNS");
    const int runs = runsText ? std::max(1, std::atoi(runsText)) : 10;
    std::vector<double> paints;
    std::vector<double> processor;
    std::vector<double> memories;
    for (int run = 0; run < runs; ++run) {
        int output[2];
        if (pipe(output) != 0)
            return 1;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, output[0]);
        const std::string spawnedAt = std::to_string(MonotonicNanoseconds());
        char child[] = "--child";
        char* arguments[] = {argv[0], child, const_cast<char*>(spawnedAt.c_str()), nullptr};
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, arguments, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(output[1]);
        if (spawned != 0)
            return 1;
        char line[128] = {};
        const ssize_t length = read(output[0], line, sizeof line - 1);
        close(output[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        long long paintNanoseconds = 0;
        long long processorNanoseconds = 0;
        long resident = 0;
        if (length <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
            std::sscanf(line, "%lld %lld %ld", &paintNanoseconds, &processorNanoseconds,
                        &resident) != 3) {
            std::fprintf(stderr, "run %d failed\n", run + 1);
            return 1;
        }
        paints.push_back(double(paintNanoseconds) / 1e6);
        processor.push_back(double(processorNanoseconds) / 1e6);
        memories.push_back(double(resident) / 1024.0);
        std::printf("run %2d: painted after %7.1f ms (%6.1f ms processor), idle RSS %6.1f MB\n",
                    run + 1, paints.back(), processor.back(), memories.back());
    }
    std::printf("start-up to the painted main window: median %.1f ms, lowest %.1f ms\n",
                Median(paints), *std::min_element(paints.begin(), paints.end()));
    std::printf("processor time to the painted window: median %.1f ms, lowest %.1f ms\n",
                Median(processor), *std::min_element(processor.begin(), processor.end()));
    std::printf("idle main window: median RSS %.1f MB, lowest %.1f MB (%d runs)\n",
                Median(memories), *std::min_element(memories.begin(), memories.end()), runs);
    return 0;
}
