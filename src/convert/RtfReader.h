#pragma once

#include "RichTextDocument.h"

#include <QByteArrayView>

#include <optional>

// Groups nested deeper than this share the state of the deepest one kept.
inline constexpr int kMaxRtfGroupDepth = 1000;

// Reads rich text (RTF) into paragraphs and character runs: one line per
// paragraph (and per \line, table cell, row, page and column break),
// destinations that hold no body text skipped, unknown control words
// ignored. Damaged input gives what could be read: a missing closing brace
// ends the text, a surplus one is ignored. Bytes that do not start with
// "{\rtf" are not rich text: nullopt.
std::optional<RichTextDocument> ReadRtf(QByteArrayView bytes);
