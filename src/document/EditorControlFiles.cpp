// The editor's files: reading a document in and writing it out, decoded and
// encoded as DocumentCodec says.

#include "AtomicFile.h"
#include "EditorEngine.h"
#include "ErrorReport.h"

#include <QFile>

void EditorControl::LoadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    // Most files go into the editor as they are, straight from the mapped
    // file; the others are decoded first.
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    if (mapped) {
        const auto* bytes = reinterpret_cast<const char*>(mapped);
        if (const auto direct = DirectDocumentText(bytes, size)) {
            encoding = direct->encoding;
            SetRawText(direct->data, direct->size);
            return;
        }
        DecodedDocument document = DecodeDocument(QByteArray(bytes, size));
        file.unmap(const_cast<uchar*>(mapped));
        encoding = document.encoding;
        SetRawText(document.text.constData(), document.text.size());
        return;
    }
    DecodedDocument document = DecodeDocument(file.readAll());
    if (file.error() != QFileDevice::NoError)
        throw UserError(
            QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    encoding = document.encoding;
    SetRawText(document.text.constData(), document.text.size());
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
