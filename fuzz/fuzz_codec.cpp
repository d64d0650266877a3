// A document file's bytes: decoded as the editor gets them and encoded again
// they must come back unchanged, apart from line ends (every break becomes
// CR LF, and a last line gets one). The quick path for files the editor can
// take as they are, and the decoder that reads a file piece by piece, must
// agree with the full decoder.
#include "DocumentCodec.h"
#include "support/SavedLineEnds.h"

#include <QByteArray>

#include <cstdlib>
#include <cstring>

namespace {

// The file read piece by piece as the editor reads it, in pieces of one to
// seven bytes; if the bytes are not UTF-8, again as Windows-1252.
DecodedDocument DecodeInPieces(const QByteArray& file) {
    for (const bool asUtf8 : {true, false}) {
        QByteArray text;
        DocumentDecoder decoder(
            asUtf8, [&text](const char* utf8, qsizetype size) { text.append(utf8, size); });
        QByteArray buffer;
        qsizetype next = 0;
        bool valid = true;
        for (int round = 0; valid; ++round) {
            const qsizetype piece = qMin(qsizetype(1 + round % 7), file.size() - next);
            buffer.append(file.constData() + next, piece);
            next += piece;
            qsizetype used = 0;
            valid = decoder.Add(buffer.constData(), buffer.size(), piece == 0, used);
            if (piece == 0)
                break;
            buffer.remove(0, used);
        }
        if (valid)
            return {text, decoder.Encoding()};
    }
    abort();
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

    const DecodedDocument pieces = DecodeInPieces(file);
    if (pieces.text != decoded.text || pieces.encoding != decoded.encoding)
        abort();

    const QByteArray saved = EncodeDocument(decoded.text, decoded.encoding);
    if (saved != SavedLineEnds(file))
        abort();
    return 0;
}
