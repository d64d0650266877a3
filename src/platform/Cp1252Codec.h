#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Windows-1252, made lossless: the five byte values that the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of
// the same number and back, so every byte sequence decodes and encodes back to
// itself.
namespace Cp1252Codec {

QString Decode(const QByteArray& bytes);

// The byte for a character, or -1 when the code page cannot hold it.
int ByteFor(char32_t codePoint);

bool CanEncode(const QString& text);

// Encodes text; every character the code page cannot hold is passed, as a
// Unicode code point, to the replacement function, whose result is encoded in
// its place (it must only hold encodable characters).
QByteArray Encode(const QString& text, const std::function<QByteArray(char32_t)>& replacement);

} // namespace Cp1252Codec

// Whether the bytes are valid UTF-8.
bool IsValidUtf8(const QByteArray& bytes);
