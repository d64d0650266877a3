#pragma once

#include "EditorBehaviour.h"

#include <QElapsedTimer>
#include <QTimer>

#include <functional>

// Says when an edited document is due for a snapshot: once the text has been
// left alone for a quiet while, and at the latest some time after the first
// change that no snapshot holds yet, however long typing goes on. A keystroke
// only notes the time; the one timer is started by the first change.
class SnapshotSchedule : public EditorBehaviour {
public:
    static constexpr int kQuietMs = 2000;
    static constexpr int kLongestMs = 10000;

    SnapshotSchedule(EditorControl& editor, std::function<void()> due, int quietMs = kQuietMs,
                     int longestMs = kLongestMs);

    void TextChanged() override;
    // Forgets the changes waiting for a snapshot (the document was saved).
    void Cancel();
    bool Pending() const { return timer.isActive(); }

private:
    void onTimer();

    std::function<void()> due;
    const int quietMs;
    const int longestMs;
    QTimer timer;
    QElapsedTimer clock;
    qint64 firstChange = 0;
    qint64 lastChange = 0;
};
