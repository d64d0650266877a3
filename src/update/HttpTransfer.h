#pragma once

#include <QByteArray>

#include <optional>

// One HTTP request as the download component sends it.
struct HttpRequest {
    QByteArray host;
    quint16 port = 80;
    // true: HTTPS, the server's certificate verified against the trusted
    // certificates and the host name; the request inside is the same.
    bool secure = false;
    QByteArray objectPath; // starts with "/"
    QByteArray postBody;   // not empty: a form-encoded POST, else a GET
    QByteArray referer;    // empty: no referrer
    QByteArray acceptTypes;
    QByteArray agent; // empty: no user agent
    QByteArray userName;
    QByteArray password;
    bool useCache = false;         // false: ask every cache on the way for a fresh copy
    int stallMilliseconds = 60000; // a transfer that receives nothing this long fails
};

// What a running transfer reports, on the thread that runs it. Every call may
// end the transfer by returning false.
class HttpReceiver {
public:
    virtual ~HttpReceiver() = default;
    // The response headers are complete: the status code and the text of the
    // Content-Length header, nullopt when the response has none.
    virtual bool HeadersArrived(int status, const std::optional<QByteArray>& contentLength) = 0;
    // The next piece of the body, at most kChunkSize bytes.
    virtual bool BodyArrived(const char* data, qsizetype size) = 0;
    // Asked often while the transfer runs, also while it waits for data.
    virtual bool KeepGoing() = 0;
};

// How a transfer ended.
enum class HttpOutcome {
    Done,       // the body ended
    Failed,     // the receiver stopped it, the connection failed or stalled
    NotSecured, // no verified secure connection could be made
};

// The one place that talks to libcurl.
namespace HttpTransfer {

constexpr qsizetype kChunkSize = 1025;

// Sends the request and feeds the response to the receiver until the body
// ends, the receiver stops it, the connection fails or nothing arrives for
// the stall time.
HttpOutcome Run(const HttpRequest& request, HttpReceiver& receiver);

// Trusts only the certificates in the given PEM file instead of the system's
// store; tests trust their own server this way. Empty restores the store.
void TrustOnlyCertificatesIn(const QByteArray& pemFile);

} // namespace HttpTransfer
