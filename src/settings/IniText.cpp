#include "IniText.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString TrimBlanks(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && IsBlank(text.at(start)))
        ++start;
    while (end > start && IsBlank(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniText IniText::Parse(const QString& text) {
    IniText ini;
    qsizetype start = 0;
    const qsizetype length = text.size();
    while (start < length) {
        qsizetype end = start;
        while (end < length && text.at(end) != QLatin1Char('\r') &&
               text.at(end) != QLatin1Char('\n'))
            ++end;
        Line line{text.mid(start, end - start), {}};
        if (end < length) {
            const bool crLf = text.at(end) == QLatin1Char('\r') && end + 1 < length &&
                              text.at(end + 1) == QLatin1Char('\n');
            line.lineBreak = text.mid(end, crLf ? 2 : 1);
            end += crLf ? 2 : 1;
        }
        ini.lines.append(line);
        start = end;
    }
    return ini;
}

QString IniText::toString() const {
    QString text;
    for (const Line& line : lines)
        text += line.text + line.lineBreak;
    return text;
}

std::optional<QString> IniText::SectionName(const QString& line) {
    const QString trimmed = TrimBlanks(line);
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        close = trimmed.size();
    return TrimBlanks(trimmed.mid(1, close - 1));
}

std::optional<QString> IniText::EntryKey(const QString& line) {
    if (SectionName(line))
        return std::nullopt;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    return TrimBlanks(line.left(equals));
}

qsizetype IniText::findSection(const QString& section) const {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i].text);
        if (name && SameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype IniText::sectionEnd(qsizetype header) const {
    qsizetype end = header + 1;
    while (end < lines.size() && !SectionName(lines[end].text))
        ++end;
    return end;
}

qsizetype IniText::findKey(qsizetype header, const QString& key) const {
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto name = EntryKey(lines[i].text);
        if (name && SameName(*name, key))
            return i;
    }
    return -1;
}

std::optional<QString> IniText::rawValue(const QString& section, const QString& key) const {
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype entry = findKey(header, key);
    if (entry < 0)
        return std::nullopt;
    const QString& text = lines[entry].text;
    return TrimBlanks(text.mid(text.indexOf(QLatin1Char('=')) + 1));
}

void IniText::setValue(const QString& section, const QString& key, const QString& value) {
    // A line that lost its break (the old last line) needs one before another
    // line can follow it.
    const auto endWithBreak = [this] {
        if (!lines.isEmpty() && lines.last().lineBreak.isEmpty())
            lines.last().lineBreak = kCrLf;
    };

    const qsizetype header = findSection(section);
    if (header < 0) {
        endWithBreak();
        if (!lines.isEmpty() && !TrimBlanks(lines.last().text).isEmpty())
            lines.append({QString(), kCrLf});
        lines.append({QLatin1Char('[') + section + QLatin1Char(']'), kCrLf});
        lines.append({key + QLatin1Char('=') + value, kCrLf});
        return;
    }
    const qsizetype entry = findKey(header, key);
    if (entry >= 0) {
        // The key keeps the spelling it has in the file.
        const QString& old = lines[entry].text;
        lines[entry].text =
            TrimBlanks(old.left(old.indexOf(QLatin1Char('=')))) + QLatin1Char('=') + value;
        return;
    }
    // After the section's last non-empty line, so blank lines between sections
    // stay between sections.
    qsizetype insertAt = sectionEnd(header);
    while (insertAt > header + 1 && TrimBlanks(lines[insertAt - 1].text).isEmpty())
        --insertAt;
    if (insertAt == lines.size())
        endWithBreak();
    lines.insert(insertAt, {key + QLatin1Char('=') + value, kCrLf});
}

bool IniText::removeKey(const QString& section, const QString& key) {
    const qsizetype header = findSection(section);
    if (header < 0)
        return false;
    const qsizetype entry = findKey(header, key);
    if (entry < 0)
        return false;
    lines.removeAt(entry);
    return true;
}
