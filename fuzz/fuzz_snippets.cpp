// A Code Inside library file of any bytes. Reading accepts more than the
// writer can express (codes with blanks, snippet lines that begin with "[",
// a last snippet without its closing empty line), so the first two rewrites
// may change entries; from then on writing and reading again must change
// nothing. Expanding any line must stay within that line.
#include "FuzzInput.h"
#include "SnippetLibrary.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QString line = QString::fromLatin1(input.Field());
    const int caret = int(input.Byte()) - 8;
    const auto rewrite = [](const QList<Snippet>& entries) {
        return SnippetLibrary::Parse(SnippetLibrary::Serialize(entries));
    };
    // A snippet line that begins with "[" becomes a header at the first
    // rewrite and leaves the snippet before it without its closing line
    // break, which the second rewrite adds.
    const QList<Snippet> entries = rewrite(rewrite(SnippetLibrary::Parse(input.Rest())));
    if (rewrite(entries) != entries)
        abort();

    // The entries as the program stores and loads them.
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("CodeC/codeinside.qci"));
    SnippetLibrary::Write(path, entries);
    SnippetLibrary library;
    if (!library.Load(path) || library.Entries() != entries)
        abort();
    if (const auto expansion = library.Expand(line, caret)) {
        if (expansion->tokenColumn < 1 ||
            expansion->tokenColumn - 1 + expansion->tokenLength > line.size())
            abort();
    }
    return 0;
}
