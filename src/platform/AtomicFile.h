#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with the given bytes in one step: the bytes go to a
// temporary file in the same folder, which then takes the file's place. A
// failure leaves the old file untouched and throws a UserError with the text
// "Unable to write to " + path. An existing file that is read-only is refused
// in the same way.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The text of the write failure for the given path.
QString UnableToWriteText(const QString& path);
