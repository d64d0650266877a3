#include "HttpTransfer.h"

#include <QElapsedTimer>

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace {

struct Transfer {
    HttpReceiver& receiver;
    CURL* curl;
    int stallMilliseconds;
    std::optional<QByteArray> contentLength;
    bool headersDone = false;
    curl_off_t lastReceived = 0;
    QElapsedTimer sinceData;
};

size_t OnHeader(char* data, size_t size, size_t count, void* context) {
    auto& transfer = *static_cast<Transfer*>(context);
    const size_t length = size * count;
    transfer.sinceData.restart();
    const QByteArray line = QByteArray(data, qsizetype(length)).trimmed();
    if (line.isEmpty()) {
        long status = 0;
        curl_easy_getinfo(transfer.curl, CURLINFO_RESPONSE_CODE, &status);
        transfer.headersDone = true;
        if (!transfer.receiver.HeadersArrived(int(status), transfer.contentLength))
            return 0;
        return length;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon > 0 && line.left(colon).trimmed().toLower() == "content-length")
        transfer.contentLength = line.mid(colon + 1).trimmed();
    return length;
}

size_t OnBody(char* data, size_t size, size_t count, void* context) {
    auto& transfer = *static_cast<Transfer*>(context);
    const size_t length = size * count;
    if (!transfer.headersDone)
        return 0;
    transfer.sinceData.restart();
    for (size_t done = 0; done < length;) {
        const size_t piece = std::min(length - done, size_t(HttpTransfer::kChunkSize));
        if (!transfer.receiver.KeepGoing() ||
            !transfer.receiver.BodyArrived(data + done, qsizetype(piece)))
            return 0;
        done += piece;
    }
    return length;
}

int OnProgress(void* context, curl_off_t, curl_off_t received, curl_off_t, curl_off_t) {
    auto& transfer = *static_cast<Transfer*>(context);
    if (received != transfer.lastReceived) {
        transfer.lastReceived = received;
        transfer.sinceData.restart();
    }
    if (!transfer.receiver.KeepGoing())
        return 1;
    return transfer.sinceData.hasExpired(transfer.stallMilliseconds) ? 1 : 0;
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

std::mutex trustMutex;
QByteArray trustedFile;

QByteArray TrustedFile() {
    const std::lock_guard lock(trustMutex);
    return trustedFile;
}

bool IsSecurityFailure(CURLcode code) {
    return code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_CONNECT_ERROR ||
           code == CURLE_SSL_CACERT_BADFILE || code == CURLE_SSL_CERTPROBLEM ||
           code == CURLE_SSL_ISSUER_ERROR || code == CURLE_SSL_PINNEDPUBKEYNOTMATCH;
}

} // namespace

void HttpTransfer::TrustOnlyCertificatesIn(const QByteArray& pemFile) {
    const std::lock_guard lock(trustMutex);
    trustedFile = pemFile;
}

HttpOutcome HttpTransfer::Run(const HttpRequest& request, HttpReceiver& receiver) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    const std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return HttpOutcome::Failed;
    Transfer transfer{receiver, curl.get(), request.stallMilliseconds, {}, false, 0, {}};
    transfer.sinceData.start();

    const QByteArray scheme = request.secure ? "https" : "http";
    const QByteArray url =
        scheme + "://" + request.host + ':' + QByteArray::number(request.port) + request.objectPath;
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, ("Accept: " + request.acceptTypes).constData());
    if (!request.useCache) {
        headers = curl_slist_append(headers, "Pragma: no-cache");
        headers = curl_slist_append(headers, "Cache-Control: no-cache");
    }
    if (!request.postBody.isEmpty())
        headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
    const std::unique_ptr<curl_slist, ListDeleter> headerList(headers);

    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.constData());
    // Only the scheme asked for: no redirect or upgrade leads elsewhere.
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, scheme.constData());
    // Outlives the transfer's use of it.
    const QByteArray trusted = TrustedFile();
    if (request.secure) {
        curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
        if (!trusted.isEmpty()) {
            curl_easy_setopt(handle, CURLOPT_CAINFO, trusted.constData());
            curl_easy_setopt(handle, CURLOPT_CAPATH, static_cast<const char*>(nullptr));
        }
    }
    curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headerList.get());
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, long(kChunkSize));
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, long(request.stallMilliseconds));
    if (!request.agent.isEmpty())
        curl_easy_setopt(handle, CURLOPT_USERAGENT, request.agent.constData());
    if (!request.referer.isEmpty())
        curl_easy_setopt(handle, CURLOPT_REFERER, request.referer.constData());
    if (!request.userName.isEmpty() || !request.password.isEmpty()) {
        curl_easy_setopt(handle, CURLOPT_USERNAME, request.userName.constData());
        curl_easy_setopt(handle, CURLOPT_PASSWORD, request.password.constData());
    }
    if (!request.postBody.isEmpty()) {
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.postBody.constData());
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE, long(request.postBody.size()));
    }
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode result = curl_easy_perform(handle);
    if (result == CURLE_OK && transfer.headersDone)
        return HttpOutcome::Done;
    return request.secure && IsSecurityFailure(result) ? HttpOutcome::NotSecured
                                                       : HttpOutcome::Failed;
}
