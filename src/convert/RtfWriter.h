#pragma once

#include "HighlightEngine.h"

#include <QByteArray>
#include <QString>

// A document's text as rich text in its syntax colours: Courier New 10 pt,
// black where a style has no colour of its own, no background, the title
// "Untitled", one colour-table entry per colour of the highlighter's styles.
// The text is CR LF separated lines; every non-ASCII character is written as
// \uN.
QByteArray DocumentToRtf(const QString& text, HighlightMode mode);
