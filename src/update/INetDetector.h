#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

// Keeps a flag telling whether the computer is online, tested on a timer.
// The test is local: the machine counts as online when a network interface
// that is up has an address outside the loopback range. (The host name says
// nothing here: Debian maps it to 127.0.1.1 whatever the network.) The test
// runs on a thread of its own and the flag changes when the answer arrives.
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

    // The addresses of the interfaces that are up and running, given to
    // CountsAsOnline.
    static bool InterfaceAddressTest();
    // True when one of the addresses lies outside the loopback range
    // (127.0.0.0/8 and ::1).
    static bool CountsAsOnline(const QStringList& addresses);
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
    AddressTest addressTest = InterfaceAddressTest;
    // The test in flight, shared with its thread; nullptr when none runs.
    std::shared_ptr<Pending> pending;
};
