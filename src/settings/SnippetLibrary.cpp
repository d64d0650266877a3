#include "SnippetLibrary.h"

#include "AtomicFile.h"
#include "Cp1252Codec.h"
#include "ErrorReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

bool IsBlank(QChar c) {
    return c.unicode() <= 32;
}

// The lines of a text split at CR LF, a lone CR or a lone LF; a break at the
// very end starts no further line.
template <typename Visit> void ForEachLine(QStringView text, Visit&& visit) {
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        visit(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < size && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        visit(text.mid(start));
}

// The entry being read: lines join with CR LF, and while nothing is
// collected an empty line adds nothing.
struct Collector {
    QList<Snippet> entries;
    Snippet current;

    void addLine(QStringView line) {
        if (current.text.isEmpty()) {
            current.text = line.toString();
        } else {
            current.text += kLineBreak;
            current.text += line;
        }
    }
    // An entry without a code is not added, and its lines run on into the
    // next entry.
    void finish() {
        if (current.code.isEmpty())
            return;
        entries << current;
        current = Snippet();
    }
    void startEntry(const QString& code, const QString& comment) {
        finish();
        current.code = code;
        current.comment = comment;
    }
};

void ReadHeader(QStringView line, Collector& collector) {
    qsizetype i = 1;
    while (i < line.size() && !IsBlank(line[i]))
        ++i;
    const QString code = line.mid(1, i - 1).toString();
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i < line.size() && line[i] == QLatin1Char('|'))
        ++i;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    QStringView comment = line.mid(i);
    if (comment.endsWith(QLatin1Char(']')))
        comment.chop(1);
    collector.startEntry(code, comment.toString());
}

bool IsTokenStop(QChar c) {
    static const QString stops = QStringLiteral("()[]{}.");
    return IsBlank(c) || stops.contains(c);
}

} // namespace

QString SnippetLibrary::FilePath(const QString& configFolder) {
    return QDir(configFolder).filePath(QStringLiteral("CodeC/codeinside.qci"));
}

bool SnippetLibrary::Load(const QString& path) {
    entries.clear();
    QFile file(path);
    if (!file.exists() && !QFileInfo(path).isSymLink()) {
        try {
            Write(path, {});
        } catch (const UserError&) {
        }
        return true;
    }
    if (!file.open(QIODevice::ReadOnly))
        return false;
    entries = Parse(file.readAll());
    return true;
}

QList<Snippet> SnippetLibrary::Parse(const QByteArray& bytes) {
    const QString text = Cp1252Codec::Decode(bytes);
    Collector collector;
    const bool bracketForm = text.startsWith(QLatin1Char('['));
    ForEachLine(text, [&](QStringView line) {
        if (bracketForm) {
            if (line.startsWith(QLatin1Char('[')))
                ReadHeader(line, collector);
            else
                collector.addLine(line);
        } else if (line.startsWith(QLatin1Char('='))) {
            collector.addLine(line.mid(1));
        } else if (!line.isEmpty()) {
            collector.startEntry(line.toString(), QString());
        }
    });
    collector.finish();
    return collector.entries;
}

QString SnippetLibrary::StoredText(const QString& text) {
    QString stored;
    ForEachLine(text, [&](QStringView line) {
        stored += line;
        stored += kLineBreak;
    });
    return stored;
}

QByteArray SnippetLibrary::Serialize(const QList<Snippet>& entries) {
    QString text;
    for (const Snippet& entry : entries) {
        text += QLatin1Char('[') + entry.code + QStringLiteral(" | ") + entry.comment +
                QLatin1Char(']') + kLineBreak + StoredText(entry.text) + kLineBreak;
    }
    return Cp1252Codec::Encode(text, [](char32_t codePoint) {
        return QByteArray("&#") + QByteArray::number(quint32(codePoint)) + ';';
    });
}

void SnippetLibrary::Write(const QString& path, const QList<Snippet>& entries) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    try {
        WriteFileAtomically(path, Serialize(entries));
    } catch (const UserError&) {
        throw UserError(QStringLiteral("Cannot create file ") + path);
    }
}

QStringList SnippetLibrary::Codes() const {
    QStringList result;
    for (const Snippet& entry : entries)
        result << entry.code;
    return result;
}

QStringList SnippetLibrary::Comments() const {
    QStringList result;
    for (const Snippet& entry : entries)
        result << entry.comment;
    return result;
}

QStringList SnippetLibrary::Snippets() const {
    QStringList result;
    for (const Snippet& entry : entries)
        result << entry.text;
    return result;
}

const Snippet* SnippetLibrary::lookup(const QString& token) const {
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        if (it->code.compare(token, Qt::CaseInsensitive) == 0)
            return &*it;
    }
    const Snippet* found = nullptr;
    for (const Snippet& entry : entries) {
        if (!entry.code.startsWith(token, Qt::CaseInsensitive))
            continue;
        if (found)
            return nullptr;
        found = &entry;
    }
    return found;
}

std::optional<SnippetExpansion> SnippetLibrary::Expand(const QString& line, int caretColumn) const {
    if (entries.isEmpty() || caretColumn < 1 || caretColumn - 1 > line.size())
        return std::nullopt;
    const int end = caretColumn - 1;
    int start = end;
    while (start > 0 && !IsTokenStop(line[start - 1]))
        --start;
    if (start == end)
        return std::nullopt;
    const Snippet* entry = lookup(line.mid(start, end - start));
    if (!entry)
        return std::nullopt;

    QStringList lines = entry->text.split(kLineBreak);
    if (lines.size() > 1 && lines.constLast().isEmpty())
        lines.removeLast();
    if (lines.size() > 1 && start > 0) {
        // One blank per character before the token, as the editor counts
        // columns: a character outside the Basic Multilingual Plane is one.
        qsizetype columns = start;
        for (QChar unit : QStringView(line).left(start))
            columns -= unit.isLowSurrogate() ? 1 : 0;
        const QString indent(columns, QLatin1Char(' '));
        for (qsizetype i = 1; i < lines.size(); ++i)
            lines[i].prepend(indent);
    }
    SnippetExpansion expansion;
    expansion.tokenColumn = start + 1;
    expansion.tokenLength = end - start;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype bar = lines[i].indexOf(QLatin1Char('|'));
        if (bar < 0)
            continue;
        lines[i].remove(bar, 1);
        expansion.caretLineOffset = int(i);
        expansion.caretColumn = int(i == 0 ? start + bar + 1 : bar + 1);
        break;
    }
    expansion.text = lines.join(kLineBreak);
    return expansion;
}
