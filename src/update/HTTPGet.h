#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>

class QSemaphore;

// A URL of the form host/path, with an optional leading "http://" or
// "https://" (in any letter case), split into the host and the object path.
struct UrlParts {
    QString host;        // empty when the URL holds no "/"
    QString objectPath;  // starts with "/", or the whole URL when it holds none
    bool secure = false; // the URL starts with "https://"
};
UrlParts SplitUrl(const QString& url);

// Everything a download needs, copied when it starts.
struct DownloadParameters {
    QString acceptTypes;
    QString agent;
    QString url;
    quint16 port = 0; // 0: the scheme's own, 80 or 443
    QString fileName;
    QString userName;
    QString password;
    QString postQuery;
    QString referer;
    bool binaryData = false;
    bool useCache = false;
    qint64 maxSize = 0;
    int stallTimeout = 0;
};

class THTTPGet;

// Why the last download failed.
enum class DownloadFailure {
    None,
    Failed,     // no connection, an error page, a short body, an abort ...
    NotSecured, // an https URL, and no verified secure connection was made
    NoLength,   // BinaryData, and the response announced no length
};

// The worker of one download: sends the request, streams the body into the
// target file and decides success. The file is written under a temporary
// name and takes the target's place only after a successful download, so a
// failed one leaves no partial file and an older file untouched.
class THTTPGetThread : public QThread {
    Q_OBJECT
public:
    THTTPGetThread(const DownloadParameters& parameters, THTTPGet& owner);

    void Terminate();
    bool Success() const { return success; }
    DownloadFailure Failure() const { return failure; }
    bool Verified() const { return verified; }
    QString FileName() const { return parameters.fileName; }
    qint32 ContentLength() const { return contentLength; }

protected:
    void run() override;

private:
    friend class DownloadReceiver;
    // Runs the progress step on the user-interface thread and waits for it;
    // false when the download was told to end meanwhile.
    bool ReportProgress();

    const DownloadParameters parameters;
    THTTPGet& owner;
    std::atomic<bool> terminated = false;
    std::atomic<bool> success = false;
    DownloadFailure failure = DownloadFailure::Failed;
    bool verified = false;
    qint32 contentLength = 0;
    qint32 bytesRead = 0;
};

// Downloads one resource over HTTP into a file on a worker thread and
// reports progress, completion and failure on the user-interface thread.
class THTTPGet : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString AcceptTypes READ AcceptTypes WRITE SetAcceptTypes)
    Q_PROPERTY(QString Agent READ Agent WRITE SetAgent)
    Q_PROPERTY(bool BinaryData READ BinaryData WRITE SetBinaryData)
    Q_PROPERTY(QString URL READ URL WRITE SetURL)
    Q_PROPERTY(int Port READ Port WRITE SetPort)
    Q_PROPERTY(bool UseCache READ UseCache WRITE SetUseCache)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(QString UserName READ UserName WRITE SetUserName)
    Q_PROPERTY(QString Password READ Password WRITE SetPassword)
    Q_PROPERTY(QString PostQuery READ PostQuery WRITE SetPostQuery)
    Q_PROPERTY(QString Referer READ Referer WRITE SetReferer)
    Q_PROPERTY(bool WaitThread READ WaitThread WRITE SetWaitThread)
    Q_PROPERTY(qint64 MaxSize READ MaxSize WRITE SetMaxSize)
    Q_PROPERTY(int StallTimeout READ StallTimeout WRITE SetStallTimeout)
public:
    // The largest body the 32-bit counters can hold.
    static constexpr qint64 kLargestSize = 2147483647;
    static constexpr int kDefaultStallTimeout = 60000;

    explicit THTTPGet(QObject* parent = nullptr);
    ~THTTPGet() override;

    QString AcceptTypes() const { return parameters.acceptTypes; }
    void SetAcceptTypes(const QString& value) { parameters.acceptTypes = value; }
    QString Agent() const { return parameters.agent; }
    void SetAgent(const QString& value) { parameters.agent = value; }
    bool BinaryData() const { return parameters.binaryData; }
    void SetBinaryData(bool value) { parameters.binaryData = value; }
    QString URL() const { return parameters.url; }
    void SetURL(const QString& value) { parameters.url = value; }
    // 0 (the default) is the port of the URL's scheme.
    int Port() const { return parameters.port; }
    void SetPort(int value) { parameters.port = quint16(value); }
    bool UseCache() const { return parameters.useCache; }
    void SetUseCache(bool value) { parameters.useCache = value; }
    QString FileName() const { return parameters.fileName; }
    void SetFileName(const QString& value) { parameters.fileName = value; }
    QString UserName() const { return parameters.userName; }
    void SetUserName(const QString& value) { parameters.userName = value; }
    QString Password() const { return parameters.password; }
    void SetPassword(const QString& value) { parameters.password = value; }
    QString PostQuery() const { return parameters.postQuery; }
    void SetPostQuery(const QString& value) { parameters.postQuery = value; }
    QString Referer() const { return parameters.referer; }
    void SetReferer(const QString& value) { parameters.referer = value; }
    bool WaitThread() const { return waitThread; }
    void SetWaitThread(bool value) { waitThread = value; }
    // A body (announced or received) longer than this fails the download.
    qint64 MaxSize() const { return parameters.maxSize; }
    void SetMaxSize(qint64 value) { parameters.maxSize = qBound(qint64(0), value, kLargestSize); }
    // Milliseconds without any data after which the download fails.
    int StallTimeout() const { return parameters.stallTimeout; }
    void SetStallTimeout(int value) { parameters.stallTimeout = value; }

    // Starts a download with the current properties, unless one is running.
    // With WaitThread, returns only when it has ended and its events have
    // been raised; the user interface stays live meanwhile.
    void GetFile();
    // Ends a running download at its next check; OnError follows.
    void Abort();
    bool Running() const { return worker != nullptr; }
    bool Success() const { return success; }
    DownloadFailure Failure() const { return failure; }
    // The last download succeeded over https, the server's certificate and
    // name verified: what arrived is what that server sent.
    bool Verified() const { return verified; }

signals:
    void OnProgress(qint32 totalSize, qint32 readed);
    void OnDoneFile(const QString& fileName, qint32 fileSize);
    void OnDoneString(const QString& result);
    void OnError();
    // The completion step has finished: no download runs any more.
    void Idle();

private:
    friend class THTTPGetThread;
    void Complete();

    DownloadParameters parameters;
    bool waitThread = false;
    bool success = false;
    DownloadFailure failure = DownloadFailure::None;
    bool verified = false;
    std::unique_ptr<THTTPGetThread> worker;
};
