#include "FileDeletion.h"

#include "FileListing.h"
#include "FileOperations.h"
#include "Language.h"
#include "Prompts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// How often a long run lets the window handle its events.
constexpr int kEventsEveryMs = 40;
// The most names a message lists; the rest are counted.
constexpr int kNamesShown = 20;

QString NameLines(const QStringList& paths) {
    QStringList lines;
    for (const QString& path : paths.first(qMin(paths.size(), qsizetype(kNamesShown))))
        lines << FileNameOnly(path);
    if (paths.size() > kNamesShown)
        lines << QStringLiteral("... (+%1)").arg(paths.size() - kNamesShown);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

DeleteMonitor::DeleteMonitor(int count, QWidget* parent)
    : QDialog(parent), line(new QLabel(this)), bar(new QProgressBar(this)),
      stopButton(new QPushButton(LangText(QStringLiteral("DelStop")), this)) {
    setObjectName(QStringLiteral("fDelMonitor"));
    setWindowTitle(LangText(QStringLiteral("DelBusy")));
    setWindowModality(Qt::ApplicationModal);
    auto* column = new QVBoxLayout(this);
    line->setObjectName(QStringLiteral("FileLine"));
    line->setTextFormat(Qt::PlainText);
    line->setMinimumWidth(360);
    column->addWidget(line);
    bar->setObjectName(QStringLiteral("ProgressBar1"));
    column->addWidget(bar);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    stopButton->setObjectName(QStringLiteral("StopButton"));
    buttons->addWidget(stopButton);
    column->addLayout(buttons);
    Restart(count);
    connect(stopButton, &QPushButton::clicked, this, &DeleteMonitor::StopClick);
}

void DeleteMonitor::Restart(int count) {
    bar->setRange(0, count);
    bar->setValue(0);
    line->clear();
    sinceEvents.invalidate();
}

bool DeleteMonitor::Announce(int index, const QString& path) {
    if (stop)
        return false;
    line->setText(path);
    bar->setValue(index);
    emit fileAnnounced(index);
    if (!sinceEvents.isValid() || sinceEvents.elapsed() >= kEventsEveryMs) {
        QApplication::processEvents();
        sinceEvents.start();
    }
    return !stop;
}

void DeleteMonitor::StopClick() {
    if (CurrentPrompts().message(MessageKind::Confirm, LangText(QStringLiteral("Stoppen"))))
        stop = true;
}

void DeleteMonitor::reject() {
    StopClick();
}

QStringList DeleteFiles(const QStringList& paths, QWidget* parent) {
    std::unique_ptr<DeleteMonitor> monitor;
    if (paths.size() > 1) {
        monitor = std::make_unique<DeleteMonitor>(int(paths.size()), parent);
        monitor->show();
    }
    const FileStep step = [&monitor](int index, const QString& path) {
        return !monitor || monitor->Announce(index, path);
    };
    const QStringList refused = MoveToTrash(paths, step);
    bool failed = false;
    if (!refused.isEmpty() && !(monitor && monitor->Stopped())) {
        // One question for every file the trash refused; they are never
        // deleted for good without it.
        if (monitor)
            monitor->hide();
        if (CurrentPrompts().message(MessageKind::Confirm, LangText(QStringLiteral("NoTrash")) +
                                                               QStringLiteral("\n\n") +
                                                               NameLines(refused))) {
            if (monitor) {
                monitor->Restart(int(refused.size()));
                monitor->show();
            }
            failed = !DeleteForGood(refused, step).isEmpty();
        }
    }
    monitor.reset();
    QStringList kept;
    for (const QString& path : paths) {
        if (FileOrLinkExists(path))
            kept << path;
    }
    if (!kept.isEmpty())
        CurrentPrompts().message(failed ? MessageKind::Error : MessageKind::Information,
                                 LangText(QStringLiteral("DelKept")) + QStringLiteral("\n\n") +
                                     NameLines(kept));
    return kept;
}
