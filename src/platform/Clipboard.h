#pragma once

#include <QString>

// The plain-text clipboard. ClipboardText is a null string when the clipboard
// holds no text.
QString ClipboardText();
// The clipboard's text once another program has taken the clipboard over.
// When another program sets the clipboard and then tells this one to read
// it, this program may not yet have handled the window system's notice that
// it lost the clipboard, and would read its own earlier text: it waits for
// that notice, at most timeoutMs, handling events meanwhile.
QString ClipboardTextFromOtherProgram(int timeoutMs);
void SetClipboardText(const QString& text);
