#pragma once

#include <QList>
#include <QString>

#include <optional>

// The lines of an INI text, kept exactly as read so that a change touches only
// the line it is about. Section and key names are compared without regard to
// letter case; the first matching section and, within it, the first matching
// key count.
class IniText {
public:
    static IniText Parse(const QString& text);
    QString toString() const;

    // The text after "=" of the entry, blanks around it removed; nullopt when
    // the section or the key is missing.
    std::optional<QString> rawValue(const QString& section, const QString& key) const;

    // Sets the entry: in place when it exists, at the end of its section when
    // the section exists, else in a new section at the end of the text.
    void setValue(const QString& section, const QString& key, const QString& value);

    // Removes the entry; returns whether there was one.
    bool removeKey(const QString& section, const QString& key);

private:
    struct Line {
        QString text;
        QString lineBreak; // as read: "\r\n", "\n", "\r" or "" for a last line without one
    };

    static std::optional<QString> SectionName(const QString& line);
    static std::optional<QString> EntryKey(const QString& line);
    qsizetype findSection(const QString& section) const;
    qsizetype sectionEnd(qsizetype header) const;
    qsizetype findKey(qsizetype header, const QString& key) const;

    QList<Line> lines;
};
