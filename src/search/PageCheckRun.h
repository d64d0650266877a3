#pragma once

#include "PageCheck.h"

#include <QObject>
#include <QPointer>

class QThread;

// Runs the page check on a thread of its own, so a big page never holds up
// the window; the result arrives as a signal on the thread that started it.
// One check at a time: Start() while a check runs does nothing and says so.
class PageCheckRun : public QObject {
    Q_OBJECT
public:
    explicit PageCheckRun(QObject* parent = nullptr);
    // Waits for a running check: Tidy cannot be stopped half-way.
    ~PageCheckRun() override;

    // Checks the text on behalf of about (the document window it is from);
    // returns false when a check is still running.
    bool Start(const QByteArray& utf8Text, QObject* about);
    bool Running() const { return thread != nullptr; }

signals:
    // about is null when that window was closed meanwhile.
    void finished(QObject* about, const PageCheckResult& result);

private:
    QThread* thread = nullptr;
    QPointer<QObject> subject;
    PageCheckResult result;
};
