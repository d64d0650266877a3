#include "SnapshotSchedule.h"

SnapshotSchedule::SnapshotSchedule(EditorControl& editor, std::function<void()> due, int quietMs,
                                   int longestMs)
    : EditorBehaviour(editor), due(std::move(due)), quietMs(quietMs), longestMs(longestMs) {
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &timer, [this] { onTimer(); });
    clock.start();
}

void SnapshotSchedule::TextChanged() {
    lastChange = clock.elapsed();
    if (timer.isActive())
        return;
    firstChange = lastChange;
    timer.start(quietMs);
}

void SnapshotSchedule::Cancel() {
    timer.stop();
}

void SnapshotSchedule::onTimer() {
    const qint64 now = clock.elapsed();
    const qint64 quietLeft = quietMs - (now - lastChange);
    const qint64 longestLeft = longestMs - (now - firstChange);
    if (quietLeft > 0 && longestLeft > 0) {
        timer.start(int(qMin(quietLeft, longestLeft)));
        return;
    }
    due();
}
