#pragma once

#include <QString>

// The plain-text clipboard. ClipboardText is a null string when the clipboard
// holds no text.
QString ClipboardText();
// The clipboard's text once another program has taken the clipboard over.
// When another program sets the clipboard and then tells this one to read
// it, the window system's notice that this program lost the clipboard can
// arrive after the message, and reading at once would give this program's
// own earlier text: it waits for that notice, at most timeoutMs, handling
// events meanwhile. Without the notice by then the text is empty: this
// program's own text is never taken for the other program's.
QString ClipboardTextFromOtherProgram(int timeoutMs);
void SetClipboardText(const QString& text);
