#pragma once

#include <QFont>
#include <QStringList>

// Lays the lines out as a word-wrapping text box of the given width in the
// given font does, and returns one line per displayed line: every place where
// a line wraps becomes a line of its own. A line of more than 4095 characters
// is read as its first 4095 characters. Every given line is reported, an
// empty last line too: the lines are the editor's own, without the phantom
// empty line that a text box shows after a final line break.
QStringList WrapLines(const QStringList& lines, const QFont& font, int width);

// The font of the hidden text box that Wordwrap lays text out in: 8 points,
// in the given family.
QFont WrapFont(const QString& family);

inline constexpr int kWordWrapWidth = 665;
