#include "PageCheck.h"

#include <algorithm>

#include <tidy.h>
#include <tidybuffio.h>

namespace {

Bool TIDY_CALL collect(TidyMessage message) {
    auto* result = static_cast<PageCheckResult*>(tidyGetAppData(tidyGetMessageDoc(message)));
    PageFinding finding;
    switch (tidyGetMessageLevel(message)) {
    case TidyWarning:
        finding.kind = PageFinding::Kind::Warning;
        break;
    case TidyAccess:
        finding.kind = PageFinding::Kind::Access;
        break;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        finding.kind = PageFinding::Kind::Error;
        break;
    default:
        // Information, configuration remarks and the closing summary are no
        // findings about the page.
        return no;
    }
    if (result->findings.size() >= kMaxFindings) {
        result->truncated = true;
        return no;
    }
    finding.line = tidyGetMessageLine(message);
    finding.column = tidyGetMessageColumn(message);
    // Tidy's own English text: it has no Dutch translation of its messages.
    finding.message = QString::fromUtf8(tidyGetMessageDefault(message)).trimmed();
    result->findings.append(finding);
    return no; // nothing goes to Tidy's own error output
}

// Tidy counts a line's columns in characters; the editor counts UTF-16 units.
// The findings come sorted by line, so one pass over the text converts them.
void ToEditorColumns(const QByteArray& text, QList<PageFinding>& findings) {
    const char* data = text.constData();
    const qsizetype size = text.size();
    qsizetype lineStart = 0;
    int line = 1;
    for (PageFinding& finding : findings) {
        // Line breaks are CR LF, CR or LF, as both Tidy and the editor read them.
        while (line < finding.line && lineStart < size) {
            qsizetype end = lineStart;
            while (end < size && data[end] != '\n' && data[end] != '\r')
                ++end;
            if (end == size) {
                lineStart = size;
                break;
            }
            lineStart =
                end + (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n' ? 2 : 1);
            ++line;
        }
        // Findings about the whole page (line 0) and past the end stay as Tidy gave them.
        if (line != finding.line)
            continue;
        int units = 0;
        qsizetype at = lineStart;
        for (int character = 1; character < finding.column && at < size; ++character) {
            const auto lead = static_cast<unsigned char>(data[at]);
            if (lead == '\n' || lead == '\r')
                break;
            const int length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            units += length == 4 ? 2 : 1;
            at += length;
        }
        finding.column = units + 1;
    }
}

} // namespace

PageCheckResult CheckPage(const QByteArray& utf8Text) {
    PageCheckResult result;
    TidyDoc doc = tidyCreate();
    tidySetAppData(doc, &result);
    tidySetMessageCallback(doc, collect);
    // Messages that would still go to an error sink land in this buffer.
    TidyBuffer sink;
    tidyBufInit(&sink);
    tidySetErrorBuffer(doc, &sink);
    tidySetInCharEncoding(doc, "utf8");
    tidyOptSetBool(doc, TidyQuiet, yes);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    tidyOptSetBool(doc, TidyShowInfo, no);
    // Tidy stops counting after a handful of errors unless told otherwise.
    tidyOptSetInt(doc, TidyShowErrors, kMaxFindings + 1);
    // A tab is one character in the editor's columns.
    tidyOptSetInt(doc, TidyTabSize, 1);
    // Custom elements (<my-widget>) are valid HTML5, not unknown tags.
    tidyOptSetInt(doc, TidyUseCustomTags, TidyCustomBlocklevel);

    // Tidy reads the caller's bytes where they are: a big page is not copied.
    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte*>(const_cast<char*>(utf8Text.constData())),
                  static_cast<uint>(utf8Text.size()));
    if (tidyParseBuffer(doc, &input) >= 0) {
        tidyCleanAndRepair(doc);
        tidyRunDiagnostics(doc);
    }
    tidyBufDetach(&input);
    tidyBufFree(&sink);
    tidyRelease(doc);
    // Tidy reports some findings (a missing title) only when the page ends;
    // the list reads from the top of the page down.
    std::stable_sort(result.findings.begin(), result.findings.end(),
                     [](const PageFinding& a, const PageFinding& b) {
                         return std::pair(a.line, a.column) < std::pair(b.line, b.column);
                     });
    ToEditorColumns(utf8Text, result.findings);
    return result;
}
