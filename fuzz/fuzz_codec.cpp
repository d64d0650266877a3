// A document file's bytes: decoded as the editor gets them and encoded again
// they must come back unchanged, apart from line ends (every break becomes
// CR LF, and a last line gets one). The quick path for files the editor can
// take as they are must agree with the full decoder.
#include "DocumentCodec.h"
#include "support/SavedLineEnds.h"

#include <QByteArray>

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    const DecodedDocument decoded = DecodeDocument(file);

    if (const std::optional<DirectText> direct =
            DirectDocumentText(file.constData(), file.size())) {
        if (direct->encoding != decoded.encoding || direct->size != decoded.text.size() ||
            std::memcmp(direct->data, decoded.text.constData(), size_t(direct->size)) != 0)
            abort();
    }

    const QByteArray saved = EncodeDocument(decoded.text, decoded.encoding);
    if (saved != SavedLineEnds(file))
        abort();
    return 0;
}
