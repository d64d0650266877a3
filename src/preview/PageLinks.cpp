#include "PageLinks.h"

#include "HtmlTags.h"

#include <QDir>
#include <QUrl>

namespace {

using namespace HtmlTags;

// The path of one address, or empty when it names no local file.
QString LocalPath(QString address, const QString& folder) {
    address = address.trimmed();
    if (address.isEmpty() || address.startsWith(u'#') || address.startsWith(QLatin1String("//")))
        return {};
    const QUrl url(address);
    if (url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) == 0)
        return QDir::cleanPath(url.toLocalFile());
    if (!url.scheme().isEmpty())
        return {};
    const QString path = url.path(QUrl::FullyDecoded);
    if (path.isEmpty())
        return {};
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : folder + u'/' + path);
}

// Calls onAttribute(name, value) for each attribute of the tag text that
// follows the tag's name, up to its ">".
template <class OnAttribute> void ReadAttributes(QStringView tag, OnAttribute onAttribute) {
    qsizetype at = 0;
    const qsizetype size = tag.size();
    while (at < size) {
        while (at < size && (tag[at].isSpace() || tag[at] == u'/'))
            ++at;
        if (at >= size || tag[at] == u'>')
            return;
        const qsizetype nameStart = at;
        while (at < size && !tag[at].isSpace() && tag[at] != u'=' && tag[at] != u'>')
            ++at;
        const QStringView name = tag.sliced(nameStart, at - nameStart);
        while (at < size && tag[at].isSpace())
            ++at;
        if (at >= size || tag[at] != u'=')
            continue;
        ++at;
        while (at < size && tag[at].isSpace())
            ++at;
        if (at >= size)
            return;
        qsizetype valueStart = at;
        qsizetype valueEnd;
        if (tag[at] == u'"' || tag[at] == u'\'') {
            ++valueStart;
            valueEnd = tag.indexOf(tag[at], valueStart);
            if (valueEnd < 0)
                valueEnd = size;
            at = valueEnd + 1;
        } else {
            while (at < size && !tag[at].isSpace() && tag[at] != u'>')
                ++at;
            valueEnd = at;
        }
        onAttribute(name, tag.sliced(valueStart, valueEnd - valueStart));
    }
}

bool Is(QStringView text, const char* word) {
    return text.compare(QLatin1StringView(word), Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList LinkedLocalFiles(QStringView html, const QString& folder) {
    QStringList files;
    ReadTags(html, [&](const Tag& tag) {
        if (tag.closing)
            return true;
        const qsizetype nameEnd = tag.name.data() - html.data() + tag.name.size();
        const bool link = Is(tag.name, "link");
        ReadAttributes(
            html.sliced(nameEnd, tag.end - nameEnd), [&](QStringView name, QStringView value) {
                if (Is(name, "src") || Is(name, "background") || (link && Is(name, "href"))) {
                    const QString path = LocalPath(value.toString(), folder);
                    if (!path.isEmpty() && !files.contains(path))
                        files.append(path);
                }
            });
        return true;
    });
    return files;
}
