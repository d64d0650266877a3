// Listing a large folder in the file manager: a folder of 5,000 and one of
// 50,000 web files (pages, style sheets, scripts and pictures, names mixing
// upper and lower case and numbers), shown in a real FileManagerView.
// Reports, as the median of a few runs (BENCH_LISTING_RUNS, default 5):
//   - the time from selecting the folder to the painted, complete list;
//   - the longest stretch in that time in which the window could not handle
//     an event (the longest single call into the program or the event loop).
// Run it on a release build, QT_QPA_PLATFORM=offscreen or on a display.

#include "BenchSupport.h"
#include "FileManagerView.h"
#include "SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool MakeFolder(const QString& folder, int count) {
    static const char* const kinds[] = {".html", ".HTM", ".css", ".js", ".gif", ".JPG", ".php"};
    static const char* const stems[] = {"page", "Index", "photo", "style", "Menu", "item"};
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromLatin1(stems[i % 6]) + QString::number(i * 7919 % count) +
                             QString::fromLatin1(kinds[i % 7]);
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

int RowCount(const QListView& list) {
    return list.model() ? list.model()->rowCount(list.rootIndex()) : 0;
}

struct Run {
    double listed = 0;
    double longestStall = 0;
};

// Selects the folder and handles events until the list holds every file.
Run ListOnce(FileManagerView& view, const QString& folder, int count) {
    QElapsedTimer clock;
    QElapsedTimer step;
    clock.start();
    step.start();
    view.SelectFolder(folder);
    double longest = double(step.nsecsElapsed()) / 1e6;
    while (RowCount(*view.List()) < count) {
        step.restart();
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        longest = std::max(longest, double(step.nsecsElapsed()) / 1e6);
        if (clock.elapsed() > 60000)
            return {-1, longest};
    }
    step.restart();
    bench::Paint(view);
    longest = std::max(longest, double(step.nsecsElapsed()) / 1e6);
    return {double(clock.nsecsElapsed()) / 1e6, longest};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* runsText = std::getenv("BENCH_LISTING_RUNS");
    const int runs = runsText ? std::max(1, std::atoi(runsText)) : 5;
    QTemporaryDir scratch;
    SettingsStore settings(scratch.filePath(QStringLiteral("settings.ini")));
    UseSettings(&settings);
    const QString empty = scratch.filePath(QStringLiteral("empty"));
    QDir().mkpath(empty);

    FileManagerView view;
    view.resize(240, 900);
    view.show();
    for (const int count : {5000, 50000}) {
        const QString folder = scratch.filePath(QStringLiteral("site%1").arg(count));
        if (!QDir().mkpath(folder) || !MakeFolder(folder, count)) {
            std::fprintf(stderr, "cannot make the folder of %d files\n", count);
            return 1;
        }
        std::vector<double> listed;
        std::vector<double> stalls;
        for (int run = 0; run < runs; ++run) {
            // From an empty folder each time, so that every run lists afresh.
            ListOnce(view, empty, 0);
            const Run result = ListOnce(view, folder, count);
            if (result.listed < 0) {
                std::fprintf(stderr, "the list of %d files never completed\n", count);
                return 1;
            }
            listed.push_back(result.listed);
            stalls.push_back(result.longestStall);
        }
        std::printf("%6d files: listed and painted in %8.1f ms (median of %d, lowest %.1f), "
                    "longest stall %7.1f ms\n",
                    count, Median(listed), runs, *std::min_element(listed.begin(), listed.end()),
                    Median(stalls));
    }
    UseSettings(nullptr);
    return 0;
}
