// A rich-text file of any bytes: reading it must end (in a document or in
// nothing), and the run-by-run conversion to HTML must give what asking for
// every character's format one by one gives.
#include "RichEditToHtml.h"
#include "RtfReader.h"
#include "support/PerCharacterHtml.h"

#include <QApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The automatic colour reads as the window text colour of the palette.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto document =
        ReadRtf(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!document)
        return 0;
    RichEditToHtml converter;
    if (converter.ConvertToHtmlstringList(*document) != ConvertPerCharacter(*document))
        abort();
    return 0;
}
