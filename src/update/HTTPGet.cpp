#include "HTTPGet.h"

#include "HttpTransfer.h"

#include <QEventLoop>
#include <QSaveFile>
#include <QSemaphore>

#include <optional>

UrlParts SplitUrl(const QString& url) {
    QString rest = url;
    const bool secure = rest.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    if (secure)
        rest.remove(0, 8);
    else if (rest.toLower().contains(QLatin1String("http://")))
        rest.remove(0, 7);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QString(), rest, secure};
    return {rest.left(slash), rest.mid(slash), secure};
}

namespace {

// A Content-Length text as a byte count: decimal digits only, at most the
// given size; nullopt otherwise.
std::optional<qint64> ParseLength(const QByteArray& text, qint64 maxSize) {
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const qint64 length = text.toLongLong();
    if (length > maxSize)
        return std::nullopt;
    return length;
}

} // namespace

// Receives the response of one download into its target file.
class DownloadReceiver : public HttpReceiver {
public:
    explicit DownloadReceiver(THTTPGetThread& download) : download(download) {}

    bool HeadersArrived(int status, const std::optional<QByteArray>& contentLength) override {
        if (download.terminated)
            return fail();
        // An error page is not the resource asked for.
        if (status < 200 || status > 299)
            return fail();
        if (!contentLength && download.parameters.binaryData) {
            download.failure = DownloadFailure::NoLength;
            return fail();
        }
        if (contentLength) {
            const auto length = ParseLength(*contentLength, download.parameters.maxSize);
            if (!length)
                return fail();
            download.contentLength = qint32(*length);
        }
        download.bytesRead = 0;
        file.setFileName(download.parameters.fileName);
        file.setDirectWriteFallback(false);
        if (!file.open(QIODevice::WriteOnly))
            return fail();
        opened = true;
        return true;
    }

    bool BodyArrived(const char* data, qsizetype size) override {
        if (download.bytesRead + size > download.parameters.maxSize)
            return fail();
        if (file.write(data, size) != size)
            return fail();
        download.bytesRead += qint32(size);
        return download.ReportProgress() || fail();
    }

    bool KeepGoing() override { return !download.terminated; }

    // Keeps the file when the download succeeded, else discards it.
    bool Finish(bool transferred) {
        const bool complete = transferred && !failed && opened && !download.terminated &&
                              download.bytesRead == download.contentLength;
        if (!complete) {
            if (opened)
                file.cancelWriting();
            return false;
        }
        return file.commit();
    }

private:
    bool fail() {
        failed = true;
        return false;
    }

    THTTPGetThread& download;
    QSaveFile file;
    bool opened = false;
    bool failed = false;
};

THTTPGetThread::THTTPGetThread(const DownloadParameters& parameters, THTTPGet& owner)
    : parameters(parameters), owner(owner) {}

void THTTPGetThread::Terminate() {
    terminated = true;
    success = false;
}

void THTTPGetThread::run() {
    const UrlParts parts = SplitUrl(parameters.url);
    if (terminated || parts.host.isEmpty())
        return;
    HttpRequest request;
    request.host = parts.host.toUtf8();
    request.secure = parts.secure;
    request.port = parameters.port != 0 ? parameters.port : (parts.secure ? 443 : 80);
    request.objectPath = parts.objectPath.toUtf8();
    request.postBody = parameters.postQuery.toUtf8();
    request.referer = parameters.referer.toUtf8();
    request.acceptTypes = parameters.acceptTypes.toUtf8();
    request.agent = parameters.agent.toUtf8();
    request.userName = parameters.userName.toUtf8();
    request.password = parameters.password.toUtf8();
    request.useCache = parameters.useCache;
    request.stallMilliseconds = parameters.stallTimeout;

    DownloadReceiver receiver(*this);
    const HttpOutcome outcome = HttpTransfer::Run(request, receiver);
    const bool complete = receiver.Finish(outcome == HttpOutcome::Done);
    success = complete && !terminated;
    // libcurl verified the certificate and the name, or made no connection.
    verified = success && parts.secure;
    if (success)
        failure = DownloadFailure::None;
    else if (outcome == HttpOutcome::NotSecured)
        failure = DownloadFailure::NotSecured;
}

bool THTTPGetThread::ReportProgress() {
    const auto done = std::make_shared<QSemaphore>();
    THTTPGet* target = &owner;
    const qint32 total = contentLength;
    const qint32 read = bytesRead;
    QMetaObject::invokeMethod(
        target,
        [target, total, read, done] {
            emit target->OnProgress(total, read);
            done->release();
        },
        Qt::QueuedConnection);
    // The user-interface thread may itself be waiting for this download to
    // end (an abort, or the component going away), so the wait gives up then.
    while (!done->tryAcquire(1, 50)) {
        if (terminated)
            return false;
    }
    return !terminated;
}

THTTPGet::THTTPGet(QObject* parent) : QObject(parent) {
    parameters.acceptTypes = QStringLiteral("*/*");
    parameters.agent = QStringLiteral("Corvid HTTPGet");
    parameters.maxSize = kLargestSize;
    parameters.stallTimeout = kDefaultStallTimeout;
}

THTTPGet::~THTTPGet() {
    Abort();
    if (worker)
        worker->wait();
}

void THTTPGet::GetFile() {
    if (worker)
        return;
    worker = std::make_unique<THTTPGetThread>(parameters, *this);
    connect(worker.get(), &QThread::finished, this, &THTTPGet::Complete);
    worker->start();
    if (waitThread) {
        QEventLoop loop;
        connect(this, &THTTPGet::Idle, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

void THTTPGet::Abort() {
    if (worker)
        worker->Terminate();
}

void THTTPGet::Complete() {
    if (!worker)
        return;
    worker->wait();
    success = worker->Success();
    failure = worker->Failure();
    verified = success && worker->Verified();
    if (success)
        emit OnDoneFile(worker->FileName(), worker->ContentLength());
    else
        emit OnError();
    worker.reset();
    emit Idle();
}
