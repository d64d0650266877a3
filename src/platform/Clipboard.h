#pragma once

#include <QString>

// The plain-text clipboard. ClipboardText is a null string when the clipboard
// holds no text.
QString ClipboardText();
void SetClipboardText(const QString& text);
