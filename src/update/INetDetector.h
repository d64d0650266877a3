#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

// Keeps a flag telling whether the computer is online, tested on a timer.
// The test is local: the machine counts as online when its host name
// resolves to an address other than the loopback address. Resolving can
// block on a slow name server, so it runs on a thread of its own and the
// flag changes when the answer arrives.
class TINetDetector : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int DispatchInterval READ DispatchInterval WRITE SetDispatchInterval)
    Q_PROPERTY(bool Online READ Online)
public:
    using AddressTest = std::function<bool()>;

    explicit TINetDetector(QObject* parent = nullptr);
    ~TINetDetector() override;

    bool Enabled() const { return enabled; }
    void SetEnabled(bool value);
    // Milliseconds between tests; 0 stops the timer.
    int DispatchInterval() const { return interval; }
    void SetDispatchInterval(int value);
    bool Online() const { return online; }

    // The host name, resolved; true when the last IPv4 address in the answer
    // is not "127.0.0.1".
    static bool HostAddressTest();
    // Replaces the address test (tests simulate a network with it).
    void SetAddressTest(AddressTest test) { addressTest = std::move(test); }

signals:
    void OnChanged();

private:
    struct Pending;
    void restartTimer();
    void tick();
    void applyResult(bool result);

    bool enabled = true;
    int interval = 1000;
    bool online = false;
    QTimer timer;
    AddressTest addressTest = HostAddressTest;
    // The test in flight, shared with its thread; nullptr when none runs.
    std::shared_ptr<Pending> pending;
};
