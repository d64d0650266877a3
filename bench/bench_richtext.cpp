// Reads rich-text files and converts them to HTML as an import does:
// bench_richtext file.rtf... prints, per file, its size, the read and convert
// times, the HTML's size and the peak memory of the process so far.

#include "RichEditToHtml.h"
#include "RtfReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // system colours come from the palette
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_richtext file.rtf...\n");
        return 2;
    }
    QTemporaryDir folder;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        const double before = PeakMegabytes();
        QElapsedTimer timer;
        timer.start();
        const QByteArray bytes = file.readAll();
        auto document = ReadRtf(bytes);
        const qint64 readMs = timer.elapsed();
        if (!document) {
            std::fprintf(stderr, "%s is not rich text\n", argv[i]);
            return 1;
        }
        RichEditToHtml converter;
        const QString html = folder.filePath(QStringLiteral("rtfTemp.html"));
        timer.restart();
        converter.ConvertToHtml(*document, html);
        const qint64 convertMs = timer.elapsed();
        std::printf("%s: %.1f MB rich text, %d lines, %zu runs: read %lld ms, converted and "
                    "written %lld ms, total %lld ms; HTML %.1f MB; peak memory %.0f MB "
                    "(%.0f MB before)\n",
                    qPrintable(QFileInfo(path).fileName()), double(bytes.size()) / 1e6,
                    document->LineCount(), document->Runs().size(), static_cast<long long>(readMs),
                    static_cast<long long>(convertMs), static_cast<long long>(readMs + convertMs),
                    double(QFileInfo(html).size()) / 1e6, PeakMegabytes(), before);
    }
    return 0;
}
