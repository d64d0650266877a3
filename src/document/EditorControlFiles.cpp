// The editor's files: reading a document in and writing it out, decoded and
// encoded as DocumentCodec says.

#include "AtomicFile.h"
#include "EditorEngine.h"
#include "ErrorReport.h"

#include <QFile>

#include <cstring>

void EditorControl::LoadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw UserError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    // Read as UTF-8 first, which most files are; a file that turns out not
    // to be is read again from its start as Windows-1252.
    if (readDecoded(file, true))
        return;
    file.close();
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw UserError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    readDecoded(file, false);
}

// Reads the file piece by piece into the engine, decoded on the way, so that
// no copy of the whole text is made besides the engine's own. False when the
// file is not valid UTF-8 while reading it as such.
bool EditorControl::readDecoded(QFile& file, bool asUtf8) {
    constexpr qsizetype kPiece = 1 << 20;
    qsizetype decoded = 0;
    DocumentDecoder decoder(asUtf8, [this, &decoded](const char* utf8, qsizetype size) {
        appendLoaded(utf8, size);
        decoded += size;
    });
    beginLoad();
    const qint64 fileSize = file.size();
    qsizetype read = 0;
    // Room for the piece and the few bytes the decoder left of the one before.
    QByteArray buffer(kPiece + 16, Qt::Uninitialized);
    qsizetype kept = 0;
    for (bool first = true;; first = false) {
        const qint64 got = file.read(buffer.data() + kept, kPiece);
        if (got < 0) {
            const QString error = file.errorString();
            endLoad();
            SetRawText("", 0);
            throw UserError(
                QStringLiteral("Cannot read file \"%1\". %2").arg(file.fileName(), error));
        }
        const qsizetype size = kept + qsizetype(got);
        qsizetype used = 0;
        if (!decoder.Add(buffer.constData(), size, got == 0, used)) {
            endLoad();
            return false;
        }
        read += used;
        // The text is as much longer or shorter than the file as its first
        // piece is (line breaks made CR LF, characters made UTF-8).
        if (first && read > 0)
            reserveLoaded(qsizetype(double(fileSize) * double(decoded) / double(read)));
        if (got == 0)
            break;
        kept = size - used;
        std::memmove(buffer.data(), buffer.constData() + used, size_t(kept));
    }
    encoding = decoder.Encoding();
    endLoad();
    return true;
}

TextEncoding EditorControl::EncodingFor(const QString& path) const {
    // "&#N;" stands for the character only in HTML; any other document that
    // holds a character the code page lacks is written as UTF-8.
    if (encoding != TextEncoding::Windows1252 || IsHtmlDocumentPath(path))
        return encoding;
    const long length = Send(Sci::SCI_GETLENGTH);
    const auto* text = reinterpret_cast<const char*>(Send(Sci::SCI_GETCHARACTERPOINTER));
    return Cp1252HoldsAll(text, length) ? encoding : TextEncoding::Utf8;
}

void EditorControl::WriteEncoded(const QString& path, TextEncoding written) const {
    const long length = Send(Sci::SCI_GETLENGTH);
    const auto* text = reinterpret_cast<const char*>(Send(Sci::SCI_GETCHARACTERPOINTER));
    WriteFileAtomically(path, EncodeDocument(text, length, written));
}

void EditorControl::WriteCopyTo(const QString& path) const {
    WriteEncoded(path, EncodingFor(path));
}

void EditorControl::SaveToFile(const QString& path) {
    // From now on the document keeps the encoding it was saved in.
    const TextEncoding written = EncodingFor(path);
    WriteEncoded(path, written);
    encoding = written;
}
