#pragma once

#include "RgbToHtml.h"
#include "RichTextDocument.h"

#include <QByteArray>
#include <QStringList>

#include <functional>

// Turns rich text into an HTML fragment: a font tag at every change of
// character format, a paragraph tag at every change of alignment or bullet,
// "<BR>" and the text of every line with its characters as references.
// The output is Windows-1252 text; characters that code page cannot hold are
// written as "&#N;".
class RichEditToHtml {
public:
    // Run between lines, at most every few milliseconds, so that windows and
    // timers are served during a long conversion.
    void SetBetweenLines(std::function<void()> step) { betweenLines = std::move(step); }

    QStringList ConvertToHtmlstringList(const RichTextDocument& document);
    // The lines, each ended by CR LF, written to the file in one step.
    void ConvertToHtml(const RichTextDocument& document, const QString& fileName);
    // The lines as Windows-1252 bytes, each ended by CR LF.
    QByteArray ConvertToHtmlBytes(const RichTextDocument& document);

    // Coarse progress, carried over from one conversion to the next.
    qint32 ProgressCount() const { return progressCount; }
    // False while a conversion runs (and after one that failed).
    bool Finished() const { return finished; }

    // The opening font tag of a format and the closing tags that end it.
    struct FontTags {
        QByteArray opening;
        QByteArray closing;
    };
    FontTags FontTag(const CharFormat& format);

private:
    void appendText(QByteArray& out, const char32_t* text, qsizetype length) const;

    RgbToHtml colours;
    qint32 progressCount = 0;
    bool finished = false;
    std::function<void()> betweenLines;
};
