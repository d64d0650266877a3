// A document file's bytes: decoded as the editor gets them and encoded again
// they must come back unchanged, apart from line ends (every break becomes
// CR LF, and a last line gets one). The quick path for files the editor can
// take as they are must agree with the full decoder.
#include "DocumentCodec.h"

#include <QByteArray>

#include <cstdlib>
#include <cstring>

namespace {

// The file as saving writes it back: every line break as CR LF, a break
// after the last line, the byte-order mark of a UTF-8 file kept.
QByteArray WithSavedLineEnds(const QByteArray& file) {
    QByteArray out;
    out.reserve(file.size() + 2);
    for (qsizetype i = 0; i < file.size(); ++i) {
        const char c = file[i];
        if (c == '\r' || c == '\n') {
            out.append("\r\n");
            if (c == '\r' && i + 1 < file.size() && file[i + 1] == '\n')
                ++i;
        } else {
            out.append(c);
        }
    }
    if (!out.isEmpty() && !out.endsWith("\r\n"))
        out.append("\r\n");
    return out;
}

} // namespace

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
    QByteArray expected = WithSavedLineEnds(file);
    // No text at all (an empty file, a lone line break, a lone byte-order
    // mark) saves as an empty file.
    if (decoded.text.isEmpty())
        expected.clear();
    if (saved != expected)
        abort();
    return 0;
}
