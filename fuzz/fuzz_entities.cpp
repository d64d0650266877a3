// Characters to HTML references and back: any text made of the table's
// characters must come back unchanged (other text may not: the passes in
// table order read "&amp;lt;" as "<"), and decoding any text must not fail.
#include "FuzzInput.h"
#include "StrToHtml.h"

#include <QString>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    QString text;
    for (const char pick : input.Field())
        text +=
            QChar(EntityTable::At(static_cast<unsigned char>(pick) % EntityTable::kSize).character);
    if (TextToHtml(HtmlToText(text)) != text)
        abort();
    (void)TextToHtml(QString::fromUtf8(input.Rest()));
    return 0;
}
