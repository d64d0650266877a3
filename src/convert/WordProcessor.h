#pragma once

#include <QString>

// The installed word processor, LibreOffice, turning documents into rich
// text. It runs headless as a child process with a profile of its own in a
// temporary folder, so that a LibreOffice the user has open is left alone.
// While it works, the caller's events keep running.
namespace WordProcessor {

inline constexpr int kTimeoutMs = 120000;

// The LibreOffice program to run: the one set for tests, else "soffice" on
// the search path or in LibreOffice's own folder; empty when none is installed.
QString Program();
// Replaces the program (empty: find it again).
void SetProgram(const QString& program);

// Converts the document at source into rich text written to target. False
// when no program is installed, the conversion fails or takes longer than
// the time-out; the target is then not written.
bool ConvertToRtf(const QString& source, const QString& target, int timeoutMs = kTimeoutMs);

} // namespace WordProcessor
