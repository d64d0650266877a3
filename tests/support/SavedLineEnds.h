#pragma once

#include <QByteArray>

// What saving a document gives back for a file's bytes when nothing was
// edited: every line break (CR LF, CR or LF) as CR LF and one after the last
// line; a file without text (empty, one line break) saves as an empty file,
// or as the byte-order mark alone after one. Written apart from the codec, to
// check it.
inline QByteArray SavedLineEnds(const QByteArray& file) {
    static const QByteArray kBom("\xEF\xBB\xBF");
    QByteArray out;
    out.reserve(file.size() + 2);
    for (qsizetype i = 0; i < file.size(); ++i) {
        const char c = file[i];
        if (c == '\r' || c == '\n') {
            out.append("\r\n");
            if (c == '\r' && i + 1 < file.size() && file[i + 1] == '\n')
                ++i;
        } else {
            out.append(c);
        }
    }
    if (out.isEmpty() || out == "\r\n")
        return {};
    if (out == kBom || out == kBom + "\r\n")
        return kBom;
    if (!out.endsWith("\r\n"))
        out.append("\r\n");
    return out;
}
