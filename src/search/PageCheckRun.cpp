#include "PageCheckRun.h"

#include <QThread>

PageCheckRun::PageCheckRun(QObject* parent) : QObject(parent) {}

PageCheckRun::~PageCheckRun() {
    if (thread) {
        thread->wait();
        delete thread;
    }
}

bool PageCheckRun::Start(const QByteArray& utf8Text, QObject* about) {
    if (thread)
        return false;
    subject = about;
    thread = QThread::create([this, utf8Text] { result = CheckPage(utf8Text); });
    connect(thread, &QThread::finished, this, [this] {
        thread->deleteLater();
        thread = nullptr;
        PageCheckResult done = std::move(result);
        result = {};
        emit finished(subject.data(), done);
    });
    thread->start(QThread::LowPriority);
    return true;
}
