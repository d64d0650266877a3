// Search in Files over a generated site of 5,000 files and 100 MB: a
// literal that is in no file, searched the way the worker thread searches,
// side by side with `grep -r -c` over the same files. The files are in the
// page cache for both (a first run of each is not counted).
//
// The site: 50 folders of 100 pages, about 20 KB each, mostly ASCII HTML
// with LF line breaks; every tenth page has UTF-8 letters and every
// twentieth is Windows-1252.

#include "FileSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kFolders = 50;
constexpr int kFilesPerFolder = 100;
constexpr int kPageSize = 20 * 1024;
constexpr int kRuns = 5;
const char* const kAbsent = "quillon-absent-marker";

QByteArray Page(int number) {
    QByteArray page = "<!DOCTYPE html>\n<html><head><title>Page " + QByteArray::number(number) +
                      "</title></head>\n<body>\n";
    int line = 0;
    while (page.size() < kPageSize) {
        QByteArray text = "<p class=\"item-" + QByteArray::number(line % 17) +
                          "\">Lorem ipsum dolor sit amet, line " + QByteArray::number(line) +
                          " of page " + QByteArray::number(number);
        if (number % 20 == 0)
            text += " caf\xe9 na\xefve";
        else if (number % 10 == 0)
            text += " caf\xc3\xa9 na\xc3\xafve";
        page += text + ", <a href=\"page" + QByteArray::number(line) + ".html\">next</a></p>\n";
        ++line;
    }
    return page + "</body></html>\n";
}

qint64 WriteSite(const QString& root) {
    qint64 bytes = 0;
    for (int folder = 0; folder < kFolders; ++folder) {
        const QString path = QStringLiteral("%1/section%2").arg(root).arg(folder);
        QDir().mkpath(path);
        for (int file = 0; file < kFilesPerFolder; ++file) {
            const int number = folder * kFilesPerFolder + file;
            QFile out(QStringLiteral("%1/page%2.html").arg(path).arg(number));
            const QByteArray page = Page(number);
            if (!out.open(QIODevice::WriteOnly) || out.write(page) != page.size())
                return -1;
            bytes += page.size();
        }
    }
    return bytes;
}

class Counter : public FileSearchSink {
public:
    void Progress(int, int, int) override {}
    void Found(const FileHits&) override { ++files; }
    int files = 0;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double TimeSearch(const FileSearchRequest& request, FileSearchTotals& totals) {
    std::vector<double> times;
    for (int run = 0; run <= kRuns; ++run) {
        Counter counter;
        std::atomic_bool cancel = false;
        QElapsedTimer clock;
        clock.start();
        totals = RunFileSearch(request, {}, counter, cancel);
        if (run > 0)
            times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return Median(times);
}

double TimeGrep(const QStringList& arguments, int& lines) {
    std::vector<double> times;
    for (int run = 0; run <= kRuns; ++run) {
        QProcess grep;
        QElapsedTimer clock;
        clock.start();
        grep.start(QStringLiteral("grep"), arguments);
        grep.waitForFinished(-1);
        const double elapsed = double(clock.nsecsElapsed()) / 1e6;
        lines = int(grep.readAllStandardOutput().count('\n'));
        if (run > 0)
            times.push_back(elapsed);
    }
    return Median(times);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir site;
    const qint64 bytes = WriteSite(site.path());
    if (bytes < 0) {
        std::fprintf(stderr, "could not write the site\n");
        return 1;
    }
    std::printf("site: %d files, %.1f MB\n", kFolders * kFilesPerFolder, double(bytes) / 1e6);

    FileSearchRequest request;
    request.folder = site.path();
    request.text = QString::fromLatin1(kAbsent);
    FileSearchTotals totals;
    const double ignoringCase = TimeSearch(request, totals);
    std::printf("Search in Files, literal, case ignored: %.0f ms (%d files, %d matches)\n",
                ignoringCase, totals.files, totals.matches);
    request.matchCase = true;
    const double matchingCase = TimeSearch(request, totals);
    std::printf("Search in Files, literal, case matched: %.0f ms\n", matchingCase);

    int lines = 0;
    const double grep = TimeGrep(
        {QStringLiteral("-r"), QStringLiteral("-c"), QString::fromLatin1(kAbsent), site.path()},
        lines);
    std::printf("grep -r -c:    %.0f ms (%d files)   ratio %.2f (case matched)\n", grep, lines,
                matchingCase / grep);
    const double grepIgnoring =
        TimeGrep({QStringLiteral("-r"), QStringLiteral("-c"), QStringLiteral("-i"),
                  QString::fromLatin1(kAbsent), site.path()},
                 lines);
    std::printf("grep -r -c -i: %.0f ms   ratio %.2f (case ignored)\n", grepIgnoring,
                ignoringCase / grepIgnoring);
    return 0;
}
