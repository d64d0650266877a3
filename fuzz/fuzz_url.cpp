// The update server's address: split into host and object path, the pieces
// must give back what was split, the host without a slash.
#include "FuzzInput.h"
#include "HTTPGet.h"

#include <QString>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QString url = QString::fromUtf8(input.Rest());
    const UrlParts parts = SplitUrl(url);
    // A leading "http://" in any letter case is all that is dropped.
    const QString rest = url.toLower().contains(QLatin1String("http://")) ? url.mid(7) : url;
    if (parts.host + parts.objectPath != rest || parts.host.contains(QLatin1Char('/')))
        abort();
    if (rest.contains(QLatin1Char('/')) && !parts.objectPath.startsWith(QLatin1Char('/')))
        abort();
    return 0;
}
