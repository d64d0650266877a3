#include "HttpTransfer.h"

#include <QElapsedTimer>

#include <curl/curl.h>
#include <dlfcn.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <type_traits>

namespace {

// libcurl is loaded with the first transfer, not at start: it and the
// libraries it brings (TLS, Kerberos, LDAP and more) take about 5 MB and part
// of every start, while most runs download nothing.
struct CurlLibrary {
    decltype(&curl_global_init) global_init = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;
};

// The loaded library, or null when it cannot be loaded (the transfer fails).
const CurlLibrary* Curl() {
    static const CurlLibrary* const loaded = []() -> const CurlLibrary* {
        void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return nullptr;
        static CurlLibrary curl;
        bool found = true;
        const auto find = [&](auto& function, const char* name) {
            function =
                reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
            found = found && function;
        };
        find(curl.global_init, "curl_global_init");
        find(curl.easy_init, "curl_easy_init");
        find(curl.easy_setopt, "curl_easy_setopt");
        find(curl.easy_getinfo, "curl_easy_getinfo");
        find(curl.easy_perform, "curl_easy_perform");
        find(curl.easy_cleanup, "curl_easy_cleanup");
        find(curl.slist_append, "curl_slist_append");
        find(curl.slist_free_all, "curl_slist_free_all");
        if (!found || curl.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            return nullptr;
        return &curl;
    }();
    return loaded;
}

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
        Curl()->easy_getinfo(transfer.curl, CURLINFO_RESPONSE_CODE, &status);
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
    void operator()(CURL* curl) const { Curl()->easy_cleanup(curl); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { Curl()->slist_free_all(list); }
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
    const CurlLibrary* api = Curl();
    if (!api)
        return HttpOutcome::Failed;
    const std::unique_ptr<CURL, CurlDeleter> curl(api->easy_init());
    if (!curl)
        return HttpOutcome::Failed;
    Transfer transfer{receiver, curl.get(), request.stallMilliseconds, {}, false, 0, {}};
    transfer.sinceData.start();

    const QByteArray scheme = request.secure ? "https" : "http";
    const QByteArray url =
        scheme + "://" + request.host + ':' + QByteArray::number(request.port) + request.objectPath;
    curl_slist* headers = nullptr;
    headers = api->slist_append(headers, ("Accept: " + request.acceptTypes).constData());
    if (!request.useCache) {
        headers = api->slist_append(headers, "Pragma: no-cache");
        headers = api->slist_append(headers, "Cache-Control: no-cache");
    }
    if (!request.postBody.isEmpty())
        headers = api->slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
    const std::unique_ptr<curl_slist, ListDeleter> headerList(headers);

    CURL* handle = curl.get();
    api->easy_setopt(handle, CURLOPT_URL, url.constData());
    // Only the scheme asked for: no redirect or upgrade leads elsewhere.
    api->easy_setopt(handle, CURLOPT_PROTOCOLS_STR, scheme.constData());
    // Outlives the transfer's use of it.
    const QByteArray trusted = TrustedFile();
    if (request.secure) {
        api->easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
        api->easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
        if (!trusted.isEmpty()) {
            api->easy_setopt(handle, CURLOPT_CAINFO, trusted.constData());
            api->easy_setopt(handle, CURLOPT_CAPATH, static_cast<const char*>(nullptr));
        }
    }
    api->easy_setopt(handle, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    api->easy_setopt(handle, CURLOPT_HTTPHEADER, headerList.get());
    api->easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    api->easy_setopt(handle, CURLOPT_BUFFERSIZE, long(kChunkSize));
    api->easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, long(request.stallMilliseconds));
    if (!request.agent.isEmpty())
        api->easy_setopt(handle, CURLOPT_USERAGENT, request.agent.constData());
    if (!request.referer.isEmpty())
        api->easy_setopt(handle, CURLOPT_REFERER, request.referer.constData());
    if (!request.userName.isEmpty() || !request.password.isEmpty()) {
        api->easy_setopt(handle, CURLOPT_USERNAME, request.userName.constData());
        api->easy_setopt(handle, CURLOPT_PASSWORD, request.password.constData());
    }
    if (!request.postBody.isEmpty()) {
        api->easy_setopt(handle, CURLOPT_POSTFIELDS, request.postBody.constData());
        api->easy_setopt(handle, CURLOPT_POSTFIELDSIZE, long(request.postBody.size()));
    }
    api->easy_setopt(handle, CURLOPT_HEADERFUNCTION, OnHeader);
    api->easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
    api->easy_setopt(handle, CURLOPT_WRITEFUNCTION, OnBody);
    api->easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    api->easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    api->easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, OnProgress);
    api->easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode result = api->easy_perform(handle);
    if (result == CURLE_OK && transfer.headersDone)
        return HttpOutcome::Done;
    return request.secure && IsSecurityFailure(result) ? HttpOutcome::NotSecured
                                                       : HttpOutcome::Failed;
}
