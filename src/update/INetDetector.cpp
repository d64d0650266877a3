#include "INetDetector.h"

#include <QString>

#include <arpa/inet.h>
#include <netdb.h>
#include <unistd.h>

#include <mutex>
#include <thread>

// What a test thread shares with its detector: the detector is cleared when
// it goes away, so a late answer is dropped.
struct TINetDetector::Pending {
    std::mutex mutex;
    TINetDetector* detector = nullptr;
};

TINetDetector::TINetDetector(QObject* parent) : QObject(parent) {
    connect(&timer, &QTimer::timeout, this, &TINetDetector::tick);
    restartTimer();
}

TINetDetector::~TINetDetector() {
    SetEnabled(false);
    if (pending) {
        const std::lock_guard lock(pending->mutex);
        pending->detector = nullptr;
    }
}

void TINetDetector::SetEnabled(bool value) {
    if (value == enabled)
        return;
    enabled = value;
    restartTimer();
}

void TINetDetector::SetDispatchInterval(int value) {
    if (value == interval)
        return;
    interval = value;
    restartTimer();
}

void TINetDetector::restartTimer() {
    timer.stop();
    if (interval != 0 && enabled)
        timer.start(interval);
}

bool TINetDetector::HostAddressTest() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return false;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0)
        return false;
    QString last;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        char text[INET_ADDRSTRLEN] = {};
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
        if (inet_ntop(AF_INET, &address->sin_addr, text, sizeof text))
            last = QString::fromLatin1(text);
    }
    freeaddrinfo(found);
    return !last.isEmpty() && last != QLatin1String("127.0.0.1");
}

void TINetDetector::tick() {
    // One test at a time: a slow name server skips ticks instead of piling
    // up threads.
    if (pending)
        return;
    pending = std::make_shared<Pending>();
    pending->detector = this;
    std::thread([shared = pending, test = addressTest] {
        const bool result = test();
        const std::lock_guard lock(shared->mutex);
        if (TINetDetector* detector = shared->detector)
            QMetaObject::invokeMethod(
                detector, [detector, result] { detector->applyResult(result); },
                Qt::QueuedConnection);
    }).detach();
}

void TINetDetector::applyResult(bool result) {
    pending.reset();
    const bool previous = online;
    online = result;
    if (online != previous)
        emit OnChanged();
}
