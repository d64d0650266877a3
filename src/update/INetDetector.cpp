#include "INetDetector.h"

#include <QHostAddress>
#include <QString>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
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

bool TINetDetector::InterfaceAddressTest() {
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0)
        return false;
    QStringList addresses;
    for (const ifaddrs* entry = interfaces; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || !(entry->ifa_flags & IFF_UP) || !(entry->ifa_flags & IFF_RUNNING))
            continue;
        char text[INET6_ADDRSTRLEN] = {};
        const int family = entry->ifa_addr->sa_family;
        const void* address = nullptr;
        if (family == AF_INET)
            address = &reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr;
        else if (family == AF_INET6)
            address = &reinterpret_cast<const sockaddr_in6*>(entry->ifa_addr)->sin6_addr;
        if (address && inet_ntop(family, address, text, sizeof text))
            addresses << QString::fromLatin1(text);
    }
    freeifaddrs(interfaces);
    return CountsAsOnline(addresses);
}

bool TINetDetector::CountsAsOnline(const QStringList& addresses) {
    return std::any_of(addresses.begin(), addresses.end(), [](const QString& text) {
        const QHostAddress address(text);
        return !address.isNull() && !address.isLoopback();
    });
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
